#include "catalog/StarEntry.h"

#include "records/RecordFile.h"

namespace vsp {

namespace {

// Units per (hour, minute, second) and (degree, arcminute, arcsecond), scaled by 2^7: a byte
// times 2^17 times K, shifted right by 24, is byte x K / 128 rounded towards minus infinity.
constexpr int64_t kRaHourK = 562209904, kRaMinuteK = 9370165, kRaSecondK = 156169;
constexpr int64_t kDecDegreeK = 37480660, kDecMinuteK = 624677, kDecSecondK = 10411;

int32_t PartUnits(int8_t value, int64_t k) { return int32_t((int64_t(value) * 131072 * k) >> 24); }

}  // namespace

bool StarEntryDecode(const uint8_t* bytes, size_t size, StarEntry& out) {
    if (!bytes || size < size_t(kStarEntrySize)) return false;
    out.number = ReadI32(bytes);
    out.raHours = int8_t(bytes[4]);
    out.raMinutes = int8_t(bytes[5]);
    out.raSeconds = int8_t(bytes[6]);
    out.decDegrees = int8_t(bytes[7]);
    out.decMinutes = int8_t(bytes[8]);
    out.decSeconds = int8_t(bytes[9]);
    out.magnitude = bytes[10];
    out.colour = int8_t(bytes[11]);
    return true;
}

int32_t StarEntryRa(const StarEntry& e) {
    return PartUnits(e.raHours, kRaHourK) + PartUnits(e.raMinutes, kRaMinuteK) +
           PartUnits(e.raSeconds, kRaSecondK);
}

int32_t StarEntryDec(const StarEntry& e) {
    return PartUnits(e.decDegrees, kDecDegreeK) + PartUnits(e.decMinutes, kDecMinuteK) +
           PartUnits(e.decSeconds, kDecSecondK);
}

void StarEntryToRecord(const StarEntry& entry, StarRecord& out) {
    out.number = int32_t(uint32_t(entry.number) & 0xFFFF);
    out.ra = StarEntryRa(entry);
    out.dec = StarEntryDec(entry);
    out.magnitude = entry.magnitude;
    out.colour = entry.colour;
}

}  // namespace vsp
