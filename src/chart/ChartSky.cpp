#include "chart/ChartSky.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

constexpr int64_t kRefreshSeconds = 120;

// The true equator of date (x to the true equinox) to the horizon: first about the pole by the
// sidereal time (x to the meridian, y to the east point), then tilted by the latitude into
// x north, y east, z zenith.
Mat3 OfDateToHorizon(double lstRad, double latitudeRad) {
    const double sinLat = std::sin(latitudeRad), cosLat = std::cos(latitudeRad);
    Mat3 tilt;
    tilt.m[0][0] = -sinLat;
    tilt.m[0][2] = cosLat;
    tilt.m[1][1] = 1.0;
    tilt.m[2][0] = cosLat;
    tilt.m[2][2] = sinLat;
    return MatMul(tilt, RotationAboutZ(lstRad));
}

}  // namespace

ChartSky BuildChartSky(const CalendarDateTime& local, const EphemerisSettings& settings) {
    const ObserverLocation& place = settings.location;
    ChartSky sky;
    const Instant when = LocalInstant(local, settings);
    sky.jdUt = when.ut;
    const double jde = when.tt;
    const EarthTiltValues tilt = EarthTilt(jde);
    const double gast = SiderealTimeApparent(sky.jdUt, 0.0, tilt.equationOfEquinoxes);
    sky.lstHours = ReduceAngle(gast - place.longitudeWest / 15.0, 24.0);
    sky.latitudeDeg = place.latitude;
    const Mat3 catalogToOfDate = MatMul(NutationMatrix(tilt), PrecessionMatrix(kJ2000Jd, jde));
    sky.ofDateToHorizontal = OfDateToHorizon(sky.lstHours * kHoursToRad, place.latitude * kDegToRad);
    sky.catalogToHorizontal = MatMul(sky.ofDateToHorizontal, catalogToOfDate);
    sky.ofDateToCatalog = MatTranspose(catalogToOfDate);
    return sky;
}

bool ChartTimeRefresh::Due(int64_t nowSeconds) {
    if (started_ && nowSeconds >= lastSeconds_ && nowSeconds - lastSeconds_ < kRefreshSeconds) return false;
    started_ = true;
    lastSeconds_ = nowSeconds;
    return true;
}

}  // namespace vsp
