#include "scope/SkyCommanderProtocol.h"

#include <cmath>
#include <string>

#include "format/AngleFormat.h"
#include "format/AngleParse.h"
#include "scope/Lx200Codec.h"
#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr std::string_view kAskPosition = "\r";
constexpr size_t kPositionReplyMax = 16;
constexpr char kAck = 'A';
constexpr std::string_view kNoAck = "Fail to get SkyCommander ack for ra & dec set.";

// Three decimals and at least two integer digits.
std::string TwoDigitFixed(double value) {
    std::string text = FormatFixed(value, 3);
    if (text.find('.') < 2) text.insert(0, "0");
    return text;
}

std::string SkyCommanderGotoCommand(EquatorialPosition target) {
    return "L0 " + TwoDigitFixed(target.raHours) + (target.decDegrees < 0 ? " -" : " +") +
           TwoDigitFixed(std::fabs(target.decDegrees)) + "\n";
}

}  // namespace

bool SkyCommanderProtocol::ReadMount(EquatorialPosition& out) {
    if (!context_.link.SerialSend(kAskPosition)) {
        context_.link.SerialClose();
        return false;
    }
    // RA hours in characters 0-6, Dec degrees from character 8.
    const std::string reply = ReadReply(context_.link, kPositionReplyMax);
    if (reply.empty()) return false;
    out.raHours = ParseDecimal(std::string_view(reply).substr(0, 7));
    if (reply.size() > 8) out.decDegrees = ParseDecimal(std::string_view(reply).substr(8));
    return true;
}

GotoOutcome SkyCommanderProtocol::GotoMount(EquatorialPosition target) {
    if (!context_.link.SerialSend(SkyCommanderGotoCommand(target))) {
        context_.sink.InfoBox(lx200::kFailSend, "");
        return GotoOutcome::NotSent;
    }
    if (ReadReply(context_.link, 1) == std::string(1, kAck)) return GotoOutcome::Accepted;
    context_.sink.InfoBox(kNoAck, "");
    return GotoOutcome::Refused;
}

}  // namespace vsp
