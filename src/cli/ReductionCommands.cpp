// The reduction: nutation (Earth orientation at a JDE) and apparent (a catalog star for the
// observing time and correction mode).

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "format/AngleFormat.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/StarHorizontal.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

}  // namespace

int RunNutation(CliContext& ctx, CommandArgs& args) {
    std::optional<double> jde;
    int status = kExitOk;
    if (!TakeNumber(ctx, args, "--jde", -1e9, 1e9, jde, status)) return status;
    if ((status = CheckNoLeftover(ctx, args))) return status;
    if (!jde) return UsageError(ctx, "nutation needs --jde X");

    const EarthTiltValues tilt = EarthTilt(*jde);
    if (ctx.Json()) {
        PrintJson(ctx, {{"dpsi_arcsec", tilt.dpsi},
                        {"deps_arcsec", tilt.deps},
                        {"mean_obliquity_deg", tilt.meanObliquity},
                        {"true_obliquity_deg", tilt.trueObliquity},
                        {"eq_equinoxes_s", tilt.equationOfEquinoxes}});
        return kExitOk;
    }
    PrintRows(ctx, {{"JDE", Fixed(*jde, 6)},
                    {"Nutation in longitude", Fixed(tilt.dpsi, 6) + "\""},
                    {"Nutation in obliquity", Fixed(tilt.deps, 6) + "\""},
                    {"Mean obliquity", Fixed(tilt.meanObliquity, 9) + "\xC2\xB0"},
                    {"True obliquity", Fixed(tilt.trueObliquity, 9) + "\xC2\xB0"},
                    {"Equation of the equinoxes", Fixed(tilt.equationOfEquinoxes, 6) + " s"}});
    return kExitOk;
}

int RunApparent(CliContext& ctx, CommandArgs& args) {
    std::optional<double> ra, dec, pmRa, pmDec, parallax;
    int status = kExitOk;
    if (!TakeNumber(ctx, args, "--ra", 0.0, 24.0, ra, status) ||
        !TakeNumber(ctx, args, "--dec", -90.0, 90.0, dec, status) ||
        !TakeNumber(ctx, args, "--pm-ra", -1e6, 1e6, pmRa, status) ||
        !TakeNumber(ctx, args, "--pm-dec", -1e6, 1e6, pmDec, status) ||
        !TakeNumber(ctx, args, "--parallax", 0.0, 1e4, parallax, status)) {
        return status;
    }
    if ((status = CheckNoLeftover(ctx, args))) return status;
    if (!ra || !dec) return UsageError(ctx, "apparent needs --ra H and --dec D");

    StarCatalogPlace star;
    star.raHours = *ra == 24.0 ? 0.0 : *ra;
    star.decDeg = *dec;
    star.pmRaMasPerYear = pmRa.value_or(0.0);
    star.pmDecMasPerYear = pmDec.value_or(0.0);
    star.parallaxMas = parallax.value_or(0.0);

    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    ReductionState state;
    StarPlace place;
    if (StarHorizontal(star, settings.chartMode, when, settings, state, place) != 0) {
        const double jde = JulianEphemerisDay(when, settings.location.tzOffset, settings);
        char message[160];
        std::snprintf(message, sizeof message,
                      "JDE %.1f is outside the Earth ephemeris (%.1f to %.1f)", jde,
                      kEarthEphemerisFirstJde, kEarthEphemerisLastJde);
        return JobFailed(ctx, message);
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"ra_hours", place.raHours},
                        {"dec_deg", place.decDeg},
                        {"alt_deg", place.altitude},
                        {"az_deg", place.azimuth}});
        return kExitOk;
    }
    PrintRows(ctx, {{"RA", Fixed(place.raHours, 7) + " h  " + Cp1252ToUtf8(HMSToStr(place.raHours, ctx.Formats()))},
                    {"Dec", Fixed(place.decDeg, 6) + "\xC2\xB0  " + Cp1252ToUtf8(DmsToStr(place.decDeg, ctx.Formats()))},
                    {"Altitude", Fixed(place.altitude, 4) + "\xC2\xB0"},
                    {"Azimuth", Fixed(place.azimuth, 4) + "\xC2\xB0"}});
    return kExitOk;
}

}  // namespace vsp::cli
