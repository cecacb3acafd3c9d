#include "ephemeris/ChartModePlace.h"

#include "ephemeris/EarthBarycentric.h"

namespace vsp {

int ApparentPlaceInChartMode(const Instant& when, const EphemerisSettings& settings, const BarycentricEphemeris& body,
                             EarthOrientationCache& cache, ApparentPlace& out) {
    return ApparentPlaceInChartMode(when, settings, body, BarycentricEphemeris(EarthBarycentric), cache, out);
}

int ApparentPlaceInChartMode(const Instant& when, const EphemerisSettings& settings, const BarycentricEphemeris& body,
                             const BarycentricEphemeris& earth, EarthOrientationCache& cache, ApparentPlace& out) {
    const bool topocentric = settings.chartMode == 2 || settings.chartMode == 3;
    return topocentric
        ? ApparentPlaceTopocentric(when, ObserverPlaceFromLocation(settings.location), body, earth, cache, out)
        : ApparentPlaceGeocentric(when, body, earth, cache, out);
}

HorizonPlace HorizonInChartMode(const Instant& when, const EphemerisSettings& settings, double raHours, double decDeg,
                                EarthOrientationCache& cache) {
    const bool refract = settings.chartMode == 1 || settings.chartMode == 3;
    return EquToHor(when, ObserverPlaceFromLocation(settings.location), raHours, decDeg,
                    refract ? kRefractionLocal : kRefractionNone, cache);
}

}  // namespace vsp
