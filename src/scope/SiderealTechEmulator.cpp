#include "scope/SiderealTechEmulator.h"

#include <algorithm>
#include <cmath>

#include "format/AngleParse.h"
#include "platform/FormatText.h"
#include "scope/SiderealTechProtocol.h"

namespace vsp {
namespace {

// Speed units per count a second.
constexpr double kSpeedPerCountPerSecond = 360 * sidereal_tech::kSpeedPerDegreePerSecond;
// Gotos and moves before any speed was given: a degree a second.
constexpr double kStartDegreesPerSecond = 1.0;

}  // namespace

SiderealTechEmulator::SiderealTechEmulator(int32_t altitudeResolution, int32_t azimuthResolution)
    : x_{altitudeResolution}, y_{azimuthResolution} {
    for (Axis* axis : {&x_, &y_})
        axis->speed = long(axis->resolution * kStartDegreesPerSecond * sidereal_tech::kSpeedPerDegreePerSecond);
}

void SiderealTechEmulator::Advance(double seconds) {
    for (Axis* axis : {&x_, &y_}) {
        const double reach = axis->speed / kSpeedPerCountPerSecond * seconds;
        axis->counts += std::clamp(axis->target - axis->counts, -reach, reach);
    }
}

void SiderealTechEmulator::PlaceAt(EquatorialPosition position) {
    y_.counts = y_.target = std::round(position.raHours * 15 / 360 * y_.resolution);
    x_.counts = x_.target = std::round(position.decDegrees / 360 * x_.resolution);
}

size_t SiderealTechEmulator::CommandLength(std::string_view input) const {
    const size_t end = input.find('\r');
    return end == std::string_view::npos ? 0 : end + 1;
}

std::string SiderealTechEmulator::Execute(std::string_view command) {
    command.remove_suffix(1);  // the carriage return
    if (command == "Q") return FormatText("X%ld Y%ld\r", std::lround(x_.counts), std::lround(y_.counts));
    if (command.starts_with("XXU")) return FormatText("U%ld\r", long(x_.resolution));
    if (command.starts_with("XXV")) return FormatText("V%ld\r", long(y_.resolution));
    if (command.empty() || (command[0] != 'X' && command[0] != 'Y')) return "";
    Axis& axis = command[0] == 'X' ? x_ : y_;
    if (command.size() == 1) return FormatText("%c%ld\r", command[0], std::lround(axis.counts));
    Command(axis, command.substr(1));
    return "";
}

void SiderealTechEmulator::Command(Axis& axis, std::string_view operand) {
    if (operand == "N") {
        axis.target = axis.counts;
        return;
    }
    const size_t speedAt = operand.find('S');
    if (speedAt != 0) axis.target = ParseInteger(operand.substr(0, speedAt));
    if (speedAt != std::string_view::npos) axis.speed = ParseInteger(operand.substr(speedAt + 1));
}

}  // namespace vsp
