#include "format/FixedPositionSky.h"

#include "ephemeris/StarHorizontal.h"
#include "format/RiseSetText.h"

namespace vsp {

bool FixedPositionSkyCompute(double raHours, double decDegrees, const CalendarDateTime& when,
                             const EphemerisSettings& settings, double h0, const TextFormats& formats,
                             FixedPositionSky& out) {
    StarCatalogPlace position;
    position.raHours = raHours;
    position.decDeg = decDegrees;

    const Instant instant = LocalInstant(when, settings);
    ReductionState state;
    StarPlace seen;
    if (StarHorizontal(position, settings.chartMode, instant, settings, state, seen) != 0) return false;
    out.altitude = seen.altitude;
    out.azimuth = seen.azimuth;

    // The direct method wants the place of date without refraction, whatever the mode.
    ReductionState geocentricState;
    StarPlace ofDate;
    StarHorizontal(position, 0, instant, settings, geocentricState, ofDate);
    out.h0 = h0;
    Lst12Cache cache;
    RiseTransitSetFixed(when.year, when.month, when.day, settings.location, h0, ofDate.raHours, ofDate.decDeg,
                        cache, out.times);
    out.lines = RiseTransitSetLines(out.times, formats);
    return true;
}

}  // namespace vsp
