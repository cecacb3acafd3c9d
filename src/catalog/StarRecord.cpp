#include "catalog/StarRecord.h"

#include <algorithm>

#include "catalog/StarAngle.h"
#include "records/RecordFile.h"

namespace vsp {

bool StarRecordDecode(const uint8_t* bytes, size_t size, StarRecord& out) {
    if (!bytes || size < size_t(kStarRecordSize)) return false;
    const double ra = ReadF32(bytes + 4), dec = ReadF32(bytes + 8);
    // The fixed-point angle holds only places on the sky; a damaged file may hold anything.
    if (!(ra >= 0.0 && ra <= 24.0 && dec >= -90.0 && dec <= 90.0)) return false;
    out.number = ReadI32(bytes);
    out.ra = AngleFromHours(ra);
    out.dec = AngleFromDegrees(dec);
    out.magnitude = ReadU16(bytes + 12);
    out.colour = ReadI16(bytes + 14);
    std::copy(bytes + 16, bytes + 32, out.extra.begin());
    out.screenX = ReadI32(bytes + 32);
    out.screenY = ReadI32(bytes + 36);
    out.hidden = 0;
    return true;
}

int StarColourClass(int c) {
    if (c < -3) return 0;
    if (c <= -1) return 1;
    if (c <= 2) return 2;
    if (c <= 5) return 3;
    if (c <= 7) return 4;
    if (c <= 13) return 5;
    return 6;
}

}  // namespace vsp
