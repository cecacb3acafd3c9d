#include "catalog/StarAngle.h"

#include "ephemeris/Constants.h"

namespace vsp {

double AngleToHours(int32_t units) {
    return double(units) / kAngleUnitsPerRadian * kRadToHours;
}

double AngleToDegrees(int32_t units) {
    return double(units) / kAngleUnitsPerRadian * kRadToDeg;
}

}  // namespace vsp
