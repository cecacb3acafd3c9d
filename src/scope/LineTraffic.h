#pragma once
// The last exchanges on the serial line as the protocols made them: each command written and
// each reply read, with the local clock time it happened (whole seconds). Bounded, so that a
// receiver streaming sentences for hours costs no more than a mount asked twice: the oldest
// exchanges go first, and a long reply keeps only its beginning.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "ephemeris/Time.h"

namespace vsp {

enum class LineDirection { Sent, Received };

struct LineExchange {
    LineDirection direction = LineDirection::Sent;
    CalendarDateTime time;
    std::string bytes;  // as on the wire, cut to kLineBytesKept
    size_t count = 0;   // bytes that passed, kept or not
};

class LineTraffic {
public:
    static constexpr size_t kExchangesKept = 32;
    static constexpr size_t kLineBytesKept = 64;

    void Sent(std::string_view bytes, const CalendarDateTime& at);
    // Bytes read after other received bytes, with no command between, belong to the same reply.
    void Received(std::string_view bytes, const CalendarDateTime& at);
    const std::deque<LineExchange>& Exchanges() const { return exchanges_; }
    // Grows with every byte recorded: a reader redraws only when it moved.
    size_t Changes() const { return changes_; }

private:
    void Add(LineDirection direction, std::string_view bytes, const CalendarDateTime& at);
    std::deque<LineExchange> exchanges_;
    size_t changes_ = 0;
};

}  // namespace vsp
