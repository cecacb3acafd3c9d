#include "catalog/StarAngle.h"

#include <numbers>

namespace vsp {

double AngleToHours(int32_t units) {
    return double(units) / kAngleUnitsPerRadian * (12.0 / std::numbers::pi);
}

double AngleToDegrees(int32_t units) {
    return double(units) / kAngleUnitsPerRadian * (180.0 / std::numbers::pi);
}

}  // namespace vsp
