#include "scope/ServoCatProtocol.h"

#include <cmath>
#include <optional>
#include <string>

#include "format/AngleParse.h"
#include "platform/FormatText.h"
#include "scope/Lx200Codec.h"
#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr std::string_view kAskPosition = "\r";
constexpr size_t kServoCatReplyLength = 14;

// Whole units and thousandths, the thousandths truncated as the controller takes them.
struct Thousandths {
    int whole;
    int fraction;
};
Thousandths SplitThousandths(double value) {
    const double whole = std::trunc(value);
    return {int(whole), int((value - whole) * 1000)};
}

// RA hours in characters 0-5, Dec degrees in 7-13.
std::optional<EquatorialPosition> ParseServoCatPosition(std::string_view reply) {
    if (reply.size() < kServoCatReplyLength) return std::nullopt;
    return EquatorialPosition{ParseDecimal(reply.substr(0, 6)), ParseDecimal(reply.substr(7, 7))};
}

std::string ServoCatGotoCommand(EquatorialPosition target) {
    const Thousandths ra = SplitThousandths(target.raHours);
    const Thousandths dec = SplitThousandths(std::fabs(target.decDegrees));
    return FormatText("g%02d.%03d %c%02d.%03d", ra.whole, ra.fraction, target.decDegrees > 0 ? '+' : '-', dec.whole,
                      dec.fraction);
}

}  // namespace

bool ServoCatProtocol::ReadMount(EquatorialPosition& out) {
    if (!context_.link.SerialSend(kAskPosition)) {
        context_.sink.InfoBox(lx200::kFailSend, "");
        return false;
    }
    const auto position = ParseServoCatPosition(ReadReply(context_.link, kServoCatReplyLength));
    if (position) out = *position;
    return position.has_value();
}

GotoOutcome ServoCatProtocol::GotoMount(EquatorialPosition target) {
    const std::string command = ServoCatGotoCommand(target);
    if (context_.link.SerialSend(command)) return GotoOutcome::Accepted;
    context_.sink.InfoBox(lx200::kFailSend, command);
    return GotoOutcome::NotSent;
}

}  // namespace vsp
