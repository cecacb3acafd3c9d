#include "catalog/ConstellationOfPosition.h"

#include <cmath>

#include "catalog/tables/ConstellationBoundaries.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {

int ConstellationOfPosition1875(double raSeconds, double decArcsec) {
    raSeconds = ReduceAngle(raSeconds, 86400.0);
    // The published order matters: a row only claims what the rows before it left.
    for (const ConstellationBoundary& row : kConstellationBoundaries) {
        if (row.raLowSeconds <= raSeconds && raSeconds < row.raHighSeconds &&
            decArcsec > row.decLowArcsec) {
            return row.constellation;
        }
    }
    return -1;
}

int ConstellationOfPosition(double raHours, double decDeg, double equinoxJd) {
    const Vec3 at1875 = Precess(equinoxJd, RaDecToVector(raHours, decDeg), kBoundaryEquinoxJd);
    double ra = 0.0, dec = 0.0;
    VectorToRaDec(at1875, ra, dec);
    return ConstellationOfPosition1875(ra * 3600.0, dec * 3600.0);
}

double JulianEpochToJd(double year) { return kJ2000Jd + (year - 2000.0) * kDaysPerJulianYear; }

}  // namespace vsp
