#include "ephemeris/ApparentDiameter.h"

namespace vsp {

double ApparentDiameter(int body, double distance) {
    // Diameter in arcseconds seen from 1 AU.
    static constexpr double kAtUnitDistance[] = {1919.26, 1873.7, 6.74,  16.96, 9.36,
                                                 196.94,  165.6,  65.8, 62.2,  6.36};
    if (body < 0 || body > 9 || !(distance > 0.0)) return 0.0;
    return kAtUnitDistance[body] / distance / 60.0;
}

}  // namespace vsp
