#include "scope/CommandEmulator.h"

#include <cmath>

#include "platform/FormatText.h"


namespace vsp {
namespace {
// A command still incomplete past this length is noise: it is dropped.
constexpr size_t kLongestCommand = 64;
}  // namespace

std::string CommandEmulator::Receive(std::string_view bytes) {
    pending_.append(bytes);
    std::string reply;
    for (size_t length; !pending_.empty() && (length = CommandLength(pending_)) > 0;) {
        reply += Execute(std::string_view(pending_).substr(0, length));
        pending_.erase(0, length);
    }
    if (pending_.size() > kLongestCommand) pending_.clear();
    return reply;
}

void SteppedMountEmulator::Advance(double seconds) {
    unspentSeconds_ += seconds;
    for (; unspentSeconds_ >= kStepSeconds; unspentSeconds_ -= kStepSeconds) mount_.Step();
}

std::string SteppedMountEmulator::PositionText(int decimals) const {
    const EquatorialPosition at = mount_.Current();
    const double scale = std::pow(10.0, decimals);
    const long ra = std::lround(at.raHours * scale) % std::lround(24 * scale);
    const long dec = std::lround(std::fabs(at.decDegrees) * scale);
    const long unit = std::lround(scale);
    return FormatText("%02ld.%0*ld %c%02ld.%0*ld", ra / unit, decimals, ra % unit, at.decDegrees < 0 ? '-' : '+',
                      dec / unit, decimals, dec % unit);
}

}  // namespace vsp
