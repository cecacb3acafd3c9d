#include "cli/FixedPositionSky.h"

#include "cli/CommandOutput.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/StarHorizontal.h"
#include "shell/PreferenceTable.h"

namespace vsp::cli {

int FixedPositionSkyCompute(CliContext& ctx, double raHours, double decDegrees, FixedPositionSky& out,
                            std::string& problem) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    StarCatalogPlace position;
    position.raHours = raHours;
    position.decDeg = decDegrees;

    ReductionState state;
    StarPlace seen;
    if (StarHorizontal(position, settings.chartMode, when, settings, state, seen) != 0) {
        problem = OutOfRangeMessage(JulianEphemerisDay(when, settings.location.tzOffset, settings));
        return 0;
    }
    out.altitude = seen.altitude;
    out.azimuth = seen.azimuth;

    // The direct method wants the place of date without refraction, whatever the mode.
    ReductionState geocentricState;
    StarPlace ofDate;
    StarHorizontal(position, 0, when, settings, geocentricState, ofDate);
    out.h0 = HorizonDegrees(ctx.Prefs().horizon);
    Lst12Cache cache;
    RiseTransitSetTimes times;
    RiseTransitSetFixed(when.year, when.month, when.day, settings.location, out.h0, ofDate.raHours,
                        ofDate.decDeg, cache, times);
    out.rise = times.rise;
    out.transit = times.transit;
    out.set = times.set;
    out.status = RiseSetStatusKey(times.status);
    out.lines = RiseTransitSetLines(times, ctx.Formats());
    return 1;
}

}  // namespace vsp::cli
