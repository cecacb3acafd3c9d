#include "databuild/StarEntryPacking.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

int32_t RaSeconds(const StarEntry& e) {
    return int32_t(e.raHours) * 3600 + int32_t(e.raMinutes) * 60 + int32_t(e.raSeconds);
}

StarEntry PaddingEntry(const StarEntry& last) {
    StarEntry e = last;
    e.number = 0;
    e.magnitude = kPaddingMagnitude;
    e.colour = 0;
    return e;
}

}  // namespace

uint16_t MagnitudeSixteenths(double magnitude) {
    return uint16_t(std::clamp(std::llround(magnitude * 16.0), 0LL, 65535LL));
}

int8_t ColourTenths(double colour) { return int8_t(std::clamp(std::llround(colour * 10.0), -128LL, 127LL)); }

StarEntry PackStarEntry(int32_t number, double raHours, double decDeg, double magnitude, double colour,
                        bool hasColour) {
    long long ra = std::llround(raHours * 3600.0) % 86400;
    if (ra < 0) ra += 86400;
    const long long dec = std::min(std::llround(std::fabs(decDeg) * 3600.0), 90LL * 3600);
    const long long sixteenths =
        std::clamp<long long>(std::llround(magnitude * 16.0), kBrightestMagnitudeByte, kFaintestMagnitudeByte);
    return PackStarEntry(number, int32_t(ra), int32_t(decDeg < 0.0 ? -dec : dec), uint8_t(sixteenths),
                         hasColour ? ColourTenths(colour) : int8_t(0));
}

StarEntry PackStarEntry(int32_t number, int32_t raSeconds, int32_t decArcsec, uint8_t magnitude,
                        int8_t colour) {
    StarEntry e;
    e.number = number;
    e.raHours = int8_t(raSeconds / 3600);
    e.raMinutes = int8_t(raSeconds / 60 % 60);
    e.raSeconds = int8_t(raSeconds % 60);
    // Every part carries the sign, so that -0 deg 30' stays negative.
    const int32_t arcsec = std::abs(decArcsec);
    const int sign = decArcsec < 0 ? -1 : 1;
    e.decDegrees = int8_t(sign * (arcsec / 3600));
    e.decMinutes = int8_t(sign * (arcsec / 60 % 60));
    e.decSeconds = int8_t(sign * (arcsec % 60));
    e.magnitude = magnitude;
    e.colour = colour;
    return e;
}

void WriteStarEntry(uint8_t* bytes, const StarEntry& e) {
    WriteI32(bytes, e.number);
    const int8_t parts[6] = {e.raHours, e.raMinutes, e.raSeconds, e.decDegrees, e.decMinutes, e.decSeconds};
    for (int i = 0; i < 6; ++i) bytes[4 + i] = uint8_t(parts[i]);
    bytes[10] = e.magnitude;
    bytes[11] = uint8_t(e.colour);
}

int32_t StarEntryDecArcsec(const StarEntry& e) {
    return int32_t(e.decDegrees) * 3600 + int32_t(e.decMinutes) * 60 + int32_t(e.decSeconds);
}

void SortAndPad(std::vector<StarEntry>& entries, size_t slots) {
    std::stable_sort(entries.begin(), entries.end(), [](const StarEntry& a, const StarEntry& b) {
        return std::make_tuple(StarEntryDecArcsec(a), RaSeconds(a), a.number) <
               std::make_tuple(StarEntryDecArcsec(b), RaSeconds(b), b.number);
    });
    entries.resize(slots, PaddingEntry(entries.empty() ? StarEntry{} : entries.back()));
}

int32_t BlocksFor(int32_t stars, int n, int32_t minimumSlots) {
    const int32_t slots = std::max(stars, minimumSlots);
    return (slots + n - 1) / n;
}

}  // namespace vsp::databuild
