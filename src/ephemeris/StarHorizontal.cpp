#include "ephemeris/StarHorizontal.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/Refraction.h"
#include "ephemeris/Spherical.h"

namespace vsp {

namespace {
// A star without a measured parallax is reduced as one at 1e-7": the direction is all
// that matters and the arithmetic stays finite.
constexpr double kSmallestParallaxArcsec = 1e-7;
// mas per year to arcseconds per Julian century.
constexpr double kMasPerYearToArcsecPerCentury = 0.1;

int StarApparent(const StarCatalogPlace& star, int chartMode, const Instant& when, const ObserverPlace& place,
                 const BarycentricEphemeris& earth, ReductionState& state, double& raHours, double& decDeg) {
    raHours = star.raHours;
    decDeg = star.decDeg;
    if (chartMode < 0) return 0;
    if (chartMode == 0 || chartMode == 1) {
        const Vec3 v = MatMulVec(PrecessionNutationMatrix(when.tt, state),
                                 RaDecToVector(star.raHours, star.decDeg));
        VectorToRaDec(v, raHours, decDeg);
        return 0;
    }
    const Vec3 position = StarBarycentric(star, when);
    const BarycentricEphemeris fixed = [&position](const Instant&, double p[3], double v[3]) {
        for (int i = 0; i < 3; ++i) {
            p[i] = position[i];
            v[i] = 0.0;
        }
        return 0;
    };
    ApparentPlace apparent;
    const int err = ApparentPlaceTopocentric(when, place, fixed, earth, state.earth, apparent);
    raHours = apparent.raHours;
    decDeg = apparent.decDeg;
    return err;
}
}  // namespace

Vec3 StarBarycentric(const StarCatalogPlace& star, const Instant& when) {
    double parallax = star.parallaxMas / 1000.0;
    if (parallax <= 0.0) parallax = kSmallestParallaxArcsec;
    const double distance = kArcsecPerRadian / parallax;  // AU
    const double a = star.raHours * 15.0 * kDegToRad;
    const double d = star.decDeg * kDegToRad;
    const double sinA = std::sin(a), cosA = std::cos(a), sinD = std::sin(d), cosD = std::cos(d);
    // Proper motion as a transverse velocity in AU per century at the catalog distance.
    const double muA = star.pmRaMasPerYear * kMasPerYearToArcsecPerCentury / kArcsecPerRadian;
    const double muD = star.pmDecMasPerYear * kMasPerYearToArcsecPerCentury / kArcsecPerRadian;
    const double centuries = when.CenturiesTt();
    const Vec3 position = distance * Vec3{{cosD * cosA, cosD * sinA, sinD}};
    const Vec3 velocity =
        distance * Vec3{{-muA * sinA - muD * sinD * cosA, muA * cosA - muD * sinD * sinA, muD * cosD}};
    return position + centuries * velocity;
}

int StarHorizontal(const StarCatalogPlace& star, int chartMode, const Instant& when, const EphemerisSettings& settings,
                   const BarycentricEphemeris& earth, ReductionState& state, StarPlace& out) {
    out = StarPlace{};
    const ObserverPlace place = ObserverPlaceFromLocation(settings.location);
    double ra = 0.0, dec = 0.0;
    if (int err = StarApparent(star, chartMode, when, place, earth, state, ra, dec)) return err;
    const int option = (chartMode == 1 || chartMode == 3) ? kRefractionLocal : kRefractionNone;
    const HorizonPlace h = EquToHor(when, place, ra, dec, option, state.earth);
    out.raHours = h.raHours;
    out.decDeg = h.decDeg;
    out.altitude = 90.0 - h.zenithDistance;
    out.azimuth = h.azimuth;
    return 0;
}

int StarHorizontal(const StarCatalogPlace& star, int chartMode, const Instant& when, const EphemerisSettings& settings,
                   ReductionState& state, StarPlace& out) {
    return StarHorizontal(star, chartMode, when, settings, BarycentricEphemeris(EarthBarycentric), state, out);
}

}  // namespace vsp
