// What mounts and setting-circle boxes answer on the serial line, for every drive: the reply
// codecs of each family on their own, then the drive dispatcher running connect, reads,
// gotos, syncs and motions against a device whose every reply is the next piece of the input
// (a length byte, then that many bytes), through the protocols as the scope commands run them.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "platform/SerialPort.h"
#include "scope/Alignment.h"
#include "scope/EncoderCodec.h"
#include "scope/Lx200Codec.h"
#include "scope/NexStarCodec.h"
#include "scope/ScopeDispatcher.h"
#include "scope/SerialLink.h"
#include "scope/TakahashiCodec.h"

namespace {

// The device on the other end of the line: each command written gets the next reply.
struct ScriptedDevice {
    std::string_view replies;
    std::string pending;

    void Answer() {
        pending.clear();
        if (replies.empty()) return;
        const size_t length = std::min<size_t>(uint8_t(replies.front()), replies.size() - 1);
        pending.assign(replies.substr(1, length));
        replies.remove_prefix(1 + length);
    }
} device;

}  // namespace

// This program's serial port is the scripted device (the library's own port is not linked).
namespace vsp {
SerialPort::~SerialPort() = default;
bool SerialPort::Open(const std::string&) {
    fd_ = 1;
    return true;
}
FramingResult SerialPort::SetFraming(const SerialFraming&) { return FramingResult::Applied; }
bool SerialPort::Write(std::string_view) {
    device.Answer();
    return true;
}
int SerialPort::Read(std::span<char> buffer) {
    const size_t count = std::min(buffer.size(), device.pending.size());
    std::memcpy(buffer.data(), device.pending.data(), count);
    device.pending.erase(0, count);
    return int(count);
}
void SerialPort::Purge() { device.pending.clear(); }
void SerialPort::Close() { fd_ = -1; }
}  // namespace vsp

namespace {

using namespace vsp;

void Codecs(std::string_view reply, DriveId drive) {
    ParseLx200Ra(reply);
    ParseLx200Dec(reply);
    EvaluateSlewReply(reply);
    EvaluateLx200Handshake(drive, reply.size());
    ParseNexStarAngles(reply, NexStarPrecision::Short);
    ParseNexStarAngles(reply, NexStarPrecision::Precise);
    if (const auto angles = ParseNexStarLegacyAngles(reply)) NexStarPosition(*angles);
    AcceptsNexStarEcho(drive, reply);
    ParseTakahashiPosition(reply);
    ParseEncoderCounts(reply);
}

ScopeMoment Moment() { return {{2024, 4, 8, 22, 0, 0}, {}, {0, 0, nullptr}}; }

void Session(FuzzedDataProvider& input, DriveId drive) {
    Preferences prefs;
    prefs.scopeDrive = drive;
    prefs.alignMethod = input.ConsumeIntegralInRange(0, 1);
    prefs.scopeOutputType = input.ConsumeIntegralInRange(0, 2);
    prefs.azSteps = input.ConsumeIntegralInRange(-32127, 32127);
    prefs.altSteps = input.ConsumeIntegralInRange(-32127, 32127);
    const uint8_t operations = input.ConsumeIntegral<uint8_t>();
    const std::string replies = input.ConsumeRemainingBytesAsString();
    device = {replies, {}};

    RecordingInfoSink sink;
    SerialLink link(prefs, sink, PortList("/nonexistent"), [](int) {});
    prefs.scopePort = link.Ports().Add("/dev/fuzz-mount");
    Alignment alignment;
    ScopeDispatcher dispatcher(prefs, sink, link, alignment, Moment);
    EquatorialPosition position;
    dispatcher.ScopeConnect();
    dispatcher.ScopeGetPosition(position);
    if (operations & 1) dispatcher.ScopeGoto({5.5, -5.4}, operations >> 6);
    if (operations & 2) dispatcher.ScopeSync({18.6, 38.8});
    if (operations & 4) {
        dispatcher.ScopeSetRate(ScopeRate(operations >> 6));
        dispatcher.ScopeMove(ScopeDirection(operations >> 4 & 3));
        dispatcher.ScopeStopAxis(ScopeDirection(operations >> 4 & 3));
    }
    if (operations & 8) dispatcher.ScopeStop();
    dispatcher.ScopeReadRaw(position);
    if (UsesEncoderProtocol(drive)) {
        EncoderReading reading;
        dispatcher.Encoder().ReadAltAz(reading);
        dispatcher.Encoder().SetZero(120.0, 35.0);
    }
    dispatcher.ScopeDisconnect();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // Every listed drive, the unlisted encoder boxes, the two unimplemented drives and an unknown one.
    const int row = input.ConsumeIntegralInRange(0, 25);
    const DriveId drive = row <= 22 ? row : 100 + (row - 23);
    if (input.ConsumeBool()) {
        Codecs(input.ConsumeRemainingBytesAsString(), drive);
    } else {
        Session(input, drive);
    }
    return 0;
}
