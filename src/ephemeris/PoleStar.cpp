#include "ephemeris/PoleStar.h"

#include <cmath>

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/ReductionState.h"

namespace vsp {

namespace {

constexpr double kSiderealPerSolar = 1.00273790935;
constexpr double kHoursPerDay = 24.0;
// Each correction takes the hour angle found at the estimate off it; the star's right
// ascension moves by well under a second of time in a day, so three leave nothing to see.
constexpr int kTransitSteps = 3;

constexpr double Hours(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }

const PoleStarInfo kPolaris{"Polaris", 11767, {Hours(2, 31, 49.09456), Hours(89, 15, 50.7923), 44.48, -11.85, 7.54}};
const PoleStarInfo kSigmaOctantis{
    "sigma Octantis", 104382, {Hours(21, 8, 46.86357), -Hours(88, 57, 23.3983), 26.323, 4.721, 11.1005}};

// The topocentric apparent place and the hour angle, hours in [0, 24).
int PlaceAndHourAngle(const StarCatalogPlace& star, const Instant& when, const EphemerisSettings& settings,
                      StarPlace& place, double& hourAngle) {
    ReductionState state;
    constexpr int kTopocentricMode = 2;  // the full vector reduction, without refraction
    if (int err = StarHorizontal(star, kTopocentricMode, when, settings, state, place)) return err;
    const double dayStart = std::floor(when.ut);
    const double equinoxes = EarthTilt(when.tt, state.earth).equationOfEquinoxes;
    const double gast = SiderealTimeApparent(dayStart, when.ut - dayStart, equinoxes);
    hourAngle = ReduceAngle(gast - settings.location.longitudeWest / 15.0 - place.raHours, kHoursPerDay);
    return 0;
}

}  // namespace

const PoleStarInfo& PoleStarOf(CelestialPole pole) { return pole == CelestialPole::kNorth ? kPolaris : kSigmaOctantis; }

double ErectClock(CelestialPole pole, double hourAngleHours) {
    const double turned = hourAngleHours / 2.0;  // 24 hours of hour angle around a 12-hour face
    return ReduceAngle(pole == CelestialPole::kNorth ? -turned : turned, 12.0);
}

double InvertedClock(double erectClock) { return ReduceAngle(erectClock + 6.0, 12.0); }

int PoleStarAt(CelestialPole pole, const Instant& when, const EphemerisSettings& settings, PoleStarPosition& out) {
    out = PoleStarPosition{};
    const StarCatalogPlace& star = PoleStarOf(pole).place;
    StarPlace place;
    double hourAngle = 0.0;
    if (int err = PlaceAndHourAngle(star, when, settings, place, hourAngle)) return err;
    // The next transit: the hour angle left to 24 h, turned into solar time, then corrected
    // by the hour angle found there (a short way either side of 0).
    Instant transit = when.Later((kHoursPerDay - hourAngle) / kSiderealPerSolar / kHoursPerDay);
    if (hourAngle == 0.0) transit = when;
    for (int step = 0; step < kTransitSteps; ++step) {
        StarPlace there;
        double h = 0.0;
        if (int err = PlaceAndHourAngle(star, transit, settings, there, h)) return err;
        transit = transit.Later(-ReduceAngleSigned(h, kHoursPerDay) / kSiderealPerSolar / kHoursPerDay);
    }
    if (transit.ut < when.ut) transit = transit.Later(1.0 / kSiderealPerSolar);  // a transit just past
    out.raHours = place.raHours;
    out.decDeg = place.decDeg;
    out.hourAngleHours = hourAngle;
    out.poleDistanceArcmin = (90.0 - std::fabs(place.decDeg)) * 60.0;
    out.clockErect = ErectClock(pole, hourAngle);
    out.clockInverted = InvertedClock(out.clockErect);
    out.nextUpperTransitUt = transit.ut;
    return 0;
}

}  // namespace vsp
