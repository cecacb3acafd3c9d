#include "tools/MinorBodySky.h"

#include "catalog/ConstellationOfPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"
#include "format/BodyRiseSet.h"

namespace vsp {
namespace {

// Modes 1 and 3 refract; the telescope and the boundaries want the place before that.
constexpr int kRefractedModes = 1;

}  // namespace

int MinorBodySkyAt(const MinorBodyElements& body, const Instant& when, const EphemerisSettings& settings,
                   MinorBodySky& out) {
    out = {};
    if (int err = ComputeMinorBody(out.place, body, when, settings, &out.horizon)) {
        out = {};
        return err;
    }
    MinorBodyPosition unrefracted = out.place;
    if (settings.chartMode & kRefractedModes) {
        EphemerisSettings plain = settings;
        plain.chartMode &= ~kRefractedModes;
        ComputeMinorBody(unrefracted, body, when, plain);
    }
    const Mat3 catalogToOfDate = MatMul(NutationMatrix(EarthTilt(when.tt)), PrecessionMatrix(kJ2000Jd, when.tt));
    VectorToRaDec(MatMulVec(MatTranspose(catalogToOfDate), RaDecToVector(unrefracted.raHours, unrefracted.decDeg)),
                  out.catalogRaHours, out.catalogDecDeg);
    out.constellation = ConstellationOfPosition(out.catalogRaHours, out.catalogDecDeg, kJ2000Jd);
    return kEphemerisOk;
}

int MinorBodyDayTimes(const MinorBodyElements& body, const CalendarDateTime& day, double horizonDeg,
                      const EphemerisSettings& settings, RiseTransitSetTimes& times) {
    return MinorBodyRiseTransitSet(body, day.year, day.month, day.day, kPlanetStandardAltitude + horizonDeg, settings,
                                   times);
}

}  // namespace vsp
