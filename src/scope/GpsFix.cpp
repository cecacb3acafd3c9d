#include "scope/GpsFix.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "format/AngleParse.h"
#include "platform/ParseNumber.h"
#include "scope/GpsSentence.h"

namespace vsp {

namespace {

constexpr size_t kBurstBytes = 800;
constexpr size_t kPieceBytes = 80;
constexpr size_t kScanPositions = 720;  // a sentence starting later may not have arrived whole
constexpr int kMaxMisses = 10;
// The serial link's read time-out: 400 ms plus 1 ms a byte.
constexpr int kPieceTimeoutMs = 400 + int(kPieceBytes);

bool ReadBurst(const GpsReadBytes& read, std::string& burst) {
    char piece[kPieceBytes];
    int misses = 0;
    while (burst.size() < kBurstBytes) {
        const size_t count = std::min(read(piece, kPieceBytes, kPieceTimeoutMs), kPieceBytes);
        if (count == 0 && ++misses > kMaxMisses) return false;
        burst.append(piece, count);
    }
    return true;
}

using Fields = std::vector<std::string_view>;

std::string_view Field(const Fields& fields, size_t index) {
    return index < fields.size() ? fields[index] : std::string_view{};
}

// "ddmm.mmmm" or "dddmm.mmmm" (already checked as a position field) as decimal degrees,
// negative in the hemisphere `negative`.
double NmeaDegrees(std::string_view value, std::string_view hemisphere, char negative) {
    double number = 0.0;
    ParseWhole(value, number);
    const double degrees = std::floor(number / 100);
    const double signedDegrees = degrees + (number - degrees * 100) / 60;
    return hemisphere.find(negative) != std::string_view::npos ? -signedDegrees : signedDegrees;
}

// "hhmmss[.ss]" as "hh:mm:ss"; empty for anything shorter.
std::string ClockText(std::string_view time) {
    if (time.size() < 6) return {};
    return std::string(time.substr(0, 2)) + ":" + std::string(time.substr(2, 2)) + ":" + std::string(time.substr(4, 2));
}

// The position at fields[at] to fields[at + 3] of a sentence whose time is fields[1]; false
// when they hold none.
bool TakePosition(const Fields& fields, size_t at, GpsFix& fix) {
    const std::optional<std::string> latitude = GpsLatitudeText(Field(fields, at), Field(fields, at + 1));
    const std::optional<std::string> longitude = GpsLongitudeText(Field(fields, at + 2), Field(fields, at + 3));
    if (!latitude || !longitude) return false;
    fix.latitudeText = *latitude;
    fix.longitudeText = *longitude;
    fix.latitudeDegrees = NmeaDegrees(Field(fields, at), Field(fields, at + 1), 'S');
    fix.longitudeEastDegrees = NmeaDegrees(Field(fields, at + 2), Field(fields, at + 3), 'W');
    fix.utc = ClockText(Field(fields, 1));
    fix.talker = std::string(fields[0].substr(0, 2));
    return true;
}

// RMC: time, status (A = valid), latitude, N/S, longitude, E/W, ...
void TakeRmc(const Fields& fields, int localHour, GpsFix& fix) {
    const std::string_view time = Field(fields, 1);
    if (Field(fields, 2) != "A" || time.size() < 2 || !TakePosition(fields, 3, fix)) return;
    fix.hourDifference = ParseInteger(time.substr(0, 2)) - localHour;
}

// GGA: time, latitude, N/S, longitude, E/W, fix quality (0 = none), satellites, HDOP, altitude.
bool TakeGga(const Fields& fields, GpsFix& fix) {
    const std::string_view quality = Field(fields, 6);
    if (quality.empty() || quality == "0" || !TakePosition(fields, 2, fix)) return false;
    fix.altitude = ParseInteger(Field(fields, 9));
    fix.hasAltitude = true;
    return true;
}

bool ScanBurst(std::string_view burst, int localHour, GpsFix& fix) {
    const size_t positions = std::min(burst.size(), kScanPositions);
    for (size_t at = burst.find('$'); at < positions; at = burst.find('$', at + 1)) {
        const Fields fields = SplitGpsSentence(burst.substr(at));
        if (fields.empty()) continue;
        const std::string_view type = GpsSentenceType(fields[0]);
        if (type == "RMC") TakeRmc(fields, localHour, fix);
        if (type == "GGA" && TakeGga(fields, fix)) return true;
    }
    return false;
}

}  // namespace

bool ReadGpsFix(const GpsReadBytes& read, int localHour, GpsFix& fix) {
    fix = GpsFix{};
    std::string burst;
    return ReadBurst(read, burst) && ScanBurst(burst, localHour, fix);
}

}  // namespace vsp
