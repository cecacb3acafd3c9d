#include "scope/LineTraffic.h"

#include <algorithm>

namespace vsp {

namespace {

void Append(LineExchange& exchange, std::string_view bytes) {
    const size_t room = LineTraffic::kLineBytesKept - std::min(exchange.bytes.size(), LineTraffic::kLineBytesKept);
    exchange.bytes.append(bytes.substr(0, room));
    exchange.count += bytes.size();
}

}  // namespace

void LineTraffic::Sent(std::string_view bytes, const CalendarDateTime& at) { Add(LineDirection::Sent, bytes, at); }

void LineTraffic::Received(std::string_view bytes, const CalendarDateTime& at) {
    if (bytes.empty()) return;
    if (!exchanges_.empty() && exchanges_.back().direction == LineDirection::Received) {
        ++changes_;
        Append(exchanges_.back(), bytes);
        return;
    }
    Add(LineDirection::Received, bytes, at);
}

void LineTraffic::Add(LineDirection direction, std::string_view bytes, const CalendarDateTime& at) {
    ++changes_;
    if (exchanges_.size() == kExchangesKept) exchanges_.pop_front();
    exchanges_.push_back(LineExchange{direction, at, {}, 0});
    Append(exchanges_.back(), bytes);
}

}  // namespace vsp
