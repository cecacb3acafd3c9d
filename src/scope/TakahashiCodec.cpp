#include "scope/TakahashiCodec.h"

#include <array>
#include <cmath>

#include "platform/FormatText.h"


namespace vsp {
namespace {

constexpr std::string_view kEnd = "\r\n";

// "hhmmss", 24 h wrapping to 0.
std::string HoursField(double hours) {
    const SexagesimalParts parts = SplitRounded(hours);
    return FormatText("%02d%02d%02d", parts.whole % 24, parts.minutes, parts.seconds);
}

// "ddmmt": whole degrees, whole minutes and the tenths of a minute that the seconds make.
std::string DegreesField(double degrees) {
    const SexagesimalParts parts = SplitRounded(degrees);
    return FormatText("%02d%02d%01d", parts.whole, parts.minutes, parts.seconds * 10 / 60);
}

std::string DeclinationField(double degrees) {
    if (degrees == 0) return " 00000";
    return (degrees > 0 ? "+" : "-") + DegreesField(std::fabs(degrees));
}

std::optional<int> Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

SexagesimalParts SplitRounded(double value) {
    const double rounded = value + 1.0 / 7200;
    SexagesimalParts parts;
    parts.whole = int(rounded);
    const double minutes = (rounded - parts.whole) * 60;
    parts.minutes = int(minutes);
    parts.seconds = int((minutes - parts.minutes) * 60);
    return parts;
}

std::string TakahashiSiderealTimeCommand(double hours) { return "T" + HoursField(hours) + std::string(kEnd); }

std::string TakahashiLatitudeCommand(double degrees) {
    return std::string("I") + (degrees < 0 ? "-" : "+") + DegreesField(std::fabs(degrees)) + std::string(kEnd);
}

std::string TakahashiCoordinateCommand(char letter, EquatorialPosition target) {
    return letter + HoursField(target.raHours) + DeclinationField(target.decDegrees) + std::string(kEnd);
}

std::string_view TakahashiMoveCommand(ScopeDirection direction, bool guideRate) {
    // North, south, east, west.
    static constexpr std::array<std::string_view, 4> kNormal{"MI\r\n", "MQ\r\n", "MC\r\n", "ME\r\n"};
    static constexpr std::array<std::string_view, 4> kGuide{"MH\r\n", "MP\r\n", "MB\r\n", "MD\r\n"};
    return (guideRate ? kGuide : kNormal)[size_t(direction)];
}

std::optional<TakahashiReading> ParseTakahashiPosition(std::string_view reply) {
    if (reply.size() < 14) return std::nullopt;
    const auto hours = Number(reply.substr(1, 2)), minutes = Number(reply.substr(3, 2)),
               seconds = Number(reply.substr(5, 2));
    const char sign = reply[7];
    const auto degrees = Number(reply.substr(8, 2)), arcMinutes = Number(reply.substr(10, 2)),
               tenths = Number(reply.substr(12, 1));
    if (!hours || !minutes || !seconds || !degrees || !arcMinutes || !tenths) return std::nullopt;
    if (*hours >= 24 || *minutes >= 60 || *seconds >= 60 || *degrees > 90 || *arcMinutes >= 60) return std::nullopt;
    if (sign != '+' && sign != '-' && sign != ' ') return std::nullopt;
    const double dec = *degrees + *arcMinutes / 60.0 + *tenths * 6 / 3600.0;
    return TakahashiReading{{*hours + *minutes / 60.0 + *seconds / 3600.0, sign == '-' ? -dec : dec}, reply[13]};
}

std::string TakahashiPositionReply(EquatorialPosition position, char pier) {
    return "E" + HoursField(position.raHours) + DeclinationField(position.decDegrees) + pier + std::string(kEnd);
}

}  // namespace vsp
