// The reduction: nutation (Earth orientation at a JDE) and apparent (a catalog star for the
// observing time and correction mode).

#include <cstdio>
#include <memory>
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

struct StarArgs {
    std::optional<double> ra, dec, pmRa, pmDec, parallax;
};

int RunNutation(CliContext& ctx, double jde) {
    const EarthTiltValues tilt = EarthTilt(jde);
    if (ctx.Json()) {
        PrintJson(ctx, {{"dpsi_arcsec", tilt.dpsi},
                        {"deps_arcsec", tilt.deps},
                        {"mean_obliquity_deg", tilt.meanObliquity},
                        {"true_obliquity_deg", tilt.trueObliquity},
                        {"eq_equinoxes_s", tilt.equationOfEquinoxes}});
        return kExitOk;
    }
    PrintRows(ctx, {{"JDE", Fixed(jde, 6)},
                    {"Nutation in longitude", Fixed(tilt.dpsi, 6) + "\""},
                    {"Nutation in obliquity", Fixed(tilt.deps, 6) + "\""},
                    {"Mean obliquity", Fixed(tilt.meanObliquity, 9) + "\xC2\xB0"},
                    {"True obliquity", Fixed(tilt.trueObliquity, 9) + "\xC2\xB0"},
                    {"Equation of the equinoxes", Fixed(tilt.equationOfEquinoxes, 6) + " s"}});
    return kExitOk;
}

int RunApparent(CliContext& ctx, const StarArgs& args) {
    StarCatalogPlace star;
    star.raHours = *args.ra == 24.0 ? 0.0 : *args.ra;
    star.decDeg = *args.dec;
    star.pmRaMasPerYear = args.pmRa.value_or(0.0);
    star.pmDecMasPerYear = args.pmDec.value_or(0.0);
    star.parallaxMas = args.parallax.value_or(0.0);

    const EphemerisSettings settings = ctx.Ephemeris();
    const Instant when = LocalInstant(ctx.ObservingTime(), settings);
    ReductionState state;
    StarPlace place;
    if (StarHorizontal(star, settings.chartMode, when, settings, state, place) != 0) {
        return JobFailed(ctx, OutOfRangeMessage(when.tt));
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

}  // namespace

void AddReductionCommands(CommandRegistry& registry) {
    auto jde = std::make_shared<std::optional<double>>();
    CLI::App* nutation = registry.Add("nutation", "Nutation, obliquities, equation of the equinoxes (IAU 1980)",
                                      [jde](CliContext& ctx) { return RunNutation(ctx, **jde); });
    AddJde(*nutation, *jde);
    nutation->footer("Keys: dpsi_arcsec, deps_arcsec, mean_obliquity_deg, true_obliquity_deg, eq_equinoxes_s.");

    auto star = std::make_shared<StarArgs>();
    CLI::App* apparent = registry.Add(
        "apparent", "A J2000 catalog position reduced to the observing time and correction mode (--mode)",
        [star](CliContext& ctx) { return RunApparent(ctx, *star); });
    AddRaDec(*apparent, star->ra, star->dec, true);
    AddNumber(*apparent, "--pm-ra", star->pmRa, "MAS_PER_YR",
              "mu-alpha* = mu-alpha cos(Dec), as Hipparcos gives it, from epoch J2000")
        ->check(CLI::Range(-1e6, 1e6));
    AddNumber(*apparent, "--pm-dec", star->pmDec, "MAS_PER_YR", "proper motion in Dec from epoch J2000")
        ->check(CLI::Range(-1e6, 1e6));
    AddNumber(*apparent, "--parallax", star->parallax, "MAS", "parallax")->check(CLI::Range(0.0, 1e4));
    apparent->footer("Keys: ra_hours, dec_deg (of date), alt_deg, az_deg. Modes 0 and 1 apply precession and "
                     "nutation; modes 2 and 3 the full topocentric reduction (proper motion, parallax, light "
                     "deflection, aberration); modes 1 and 3 add refraction for the site's temperature and "
                     "pressure (RA and Dec are then the refracted ones).");
}

}  // namespace vsp::cli
