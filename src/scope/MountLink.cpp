#include "scope/MountLink.h"

#include "scope/Lx200Codec.h"

namespace vsp {

bool ConnectMount(SerialLink& link, InfoSink& sink, int port, int baud, const std::function<bool()>& handshake,
                  std::string_view refusal) {
    if (link.SerialIsOpen()) return true;
    if (!link.SerialOpen(port, baud)) {
        sink.InfoBox(lx200::kFailOpenSerial, "");
        return false;
    }
    link.ShowBusy(true);
    const bool answered = handshake();
    link.ShowBusy(false);
    if (answered) return true;
    sink.InfoBox(refusal, "");
    link.SetKeepOpen(0);
    link.SerialClose();
    return false;
}

std::string ReadReply(SerialLink& link, size_t maximum) {
    std::string reply(maximum, '\0');
    reply.resize(size_t(link.SerialRead(reply.data(), int(maximum))));
    return reply;
}

HorizontalPlace AxisTarget(const MountContext& context, EquatorialPosition target) {
    if (context.prefs.scopeOutputType == 0 || context.prefs.alignMethod == 0)
        return {target.raHours * 15, target.decDegrees};
    return HorizontalOf(context.clock(), target);
}

}  // namespace vsp
