#include "scope/SiderealTechProtocol.h"

#include <array>
#include <cmath>

#include "ephemeris/ReduceAngle.h"
#include "format/AngleParse.h"
#include "platform/FormatText.h"
#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kSiderealTechBaud = 19200;
constexpr size_t kReplyMax = 132;
constexpr std::string_view kQuery = "Q\r";
constexpr std::string_view kAskAltitudeResolution = "XXU<E>\r";
constexpr std::string_view kAskAzimuthResolution = "XXV<E>\r";
constexpr std::string_view kAskAltitude = "X\r";
constexpr std::string_view kAskAzimuth = "Y\r";
constexpr std::string_view kStopAltitude = "XN\r";
constexpr std::string_view kStopAzimuth = "YN\r";
constexpr std::string_view kFailOpen = "Fail to open SiderealTech connection";
constexpr std::string_view kWrongAltitudeResolution =
    "Wrong Al resolution.\nPlease check the SiderealTech configuration.";
constexpr std::string_view kWrongAzimuthResolution =
    "Wrong Az resolution.\nPlease check the SiderealTech configuration.";
// Gotos slew at 3 degrees a second.
constexpr double kGotoDegreesPerSecond = 3.0;
// Degrees per second of the rates Fast, Find, Center and Guide.
constexpr std::array<double, 4> kRateDegreesPerSecond{3.0, 0.5, 1.0 / 60, 1.0 / 120};

long Speed(int32_t resolution, double degreesPerSecond) {
    return long(resolution * (degreesPerSecond * sidereal_tech::kSpeedPerDegreePerSecond));
}

long Counts(double degrees, int32_t resolution) { return long(degrees / 360 * resolution); }

}  // namespace

SiderealTechProtocol::SiderealTechProtocol(const MountContext& context) : context_(context) {}

bool SiderealTechProtocol::Connect() {
    return ConnectMount(context_.link, context_.sink, context_.link.ScopePort(), kSiderealTechBaud,
                        [this] { return ReadResolutions(); }, kFailOpen);
}

bool SiderealTechProtocol::ReadResolutions() {
    if (altitudeResolution_ != 0 && azimuthResolution_ != 0) return true;
    if (!context_.link.SerialSend(kQuery)) return false;
    ReadReply(context_.link, kReplyMax);
    altitudeResolution_ = AskResolution(kAskAltitudeResolution, kWrongAltitudeResolution);
    azimuthResolution_ = AskResolution(kAskAzimuthResolution, kWrongAzimuthResolution);
    return altitudeResolution_ != 0 && azimuthResolution_ != 0;
}

int32_t SiderealTechProtocol::AskResolution(std::string_view command, std::string_view wrong) {
    const int32_t resolution = AskCount(command).value_or(0);
    if (resolution < 1) context_.sink.InfoBox(wrong, FormatText("%ld", long(resolution)));
    return resolution;
}

std::optional<int32_t> SiderealTechProtocol::AskCount(std::string_view command) {
    if (!context_.link.SerialSend(command)) return std::nullopt;
    const std::string reply = ReadReply(context_.link, kReplyMax);
    if (reply.empty()) return std::nullopt;
    return ParseInteger(std::string_view(reply).substr(1));
}

void SiderealTechProtocol::Disconnect() { context_.link.SerialClose(); }

bool SiderealTechProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    const bool equatorial = context_.prefs.scopeOutputType == 0;
    const std::optional<int32_t> altitude = AskCount(kAskAltitude);
    if (!altitude) return false;
    const std::optional<int32_t> azimuth = AskCount(kAskAzimuth);
    if (!azimuth) return false;
    const double azimuthDegrees = ReduceAngle(double(*azimuth) / azimuthResolution_ * 360, 360.0);
    out = {equatorial ? azimuthDegrees / 15 : azimuthDegrees, double(*altitude) / altitudeResolution_ * 360};
    return true;
}

GotoOutcome SiderealTechProtocol::Goto(EquatorialPosition target) {
    const HorizontalPlace axes = AxisTarget(context_, target);
    const bool sent =
        SendInOrder(FormatText("Y%ldS%ld\r", Counts(axes.azimuth, azimuthResolution_),
                               Speed(azimuthResolution_, kGotoDegreesPerSecond)),
                    FormatText("X%ldS%ld\r", Counts(axes.altitude, altitudeResolution_),
                               Speed(altitudeResolution_, kGotoDegreesPerSecond)));
    return sent ? GotoOutcome::Accepted : GotoOutcome::NotSent;
}

// The controller has no sync.
bool SiderealTechProtocol::Sync(EquatorialPosition) { return true; }

bool SiderealTechProtocol::SetRate(ScopeRate rate) {
    const double degreesPerSecond = kRateDegreesPerSecond[size_t(rate)];
    return SendInOrder(FormatText("XS%ld\r", Speed(altitudeResolution_, degreesPerSecond)),
                       FormatText("YS%ld\r", Speed(azimuthResolution_, degreesPerSecond)));
}

bool SiderealTechProtocol::Move(ScopeDirection direction) {
    const bool altitude = direction == ScopeDirection::North || direction == ScopeDirection::South;
    const bool positive = direction == ScopeDirection::North || direction == ScopeDirection::East;
    const long target = positive ? sidereal_tech::kEndlessTarget : -long(sidereal_tech::kEndlessTarget);
    return context_.link.SerialSend(FormatText(altitude ? "X%ld\r" : "Y%ld\r", target));
}

bool SiderealTechProtocol::StopAxis(ScopeDirection) { return Stop(); }

bool SiderealTechProtocol::Stop() {
    return SendInOrder(kStopAltitude, kStopAzimuth);
}

bool SiderealTechProtocol::SendInOrder(std::string_view first, std::string_view second) {
    return context_.link.SerialSend(first) && context_.link.SerialSend(second);
}

}  // namespace vsp
