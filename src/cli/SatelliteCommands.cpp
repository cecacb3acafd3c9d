// sat propagate: one satellite's state vector by SGP or SGP4; sat info: what the satellite
// screen's information view shows of it at the observing time and site.

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/SatelliteCommand.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"
#include "satellites/SatelliteSearches.h"

namespace vsp::cli {
namespace {

struct SatelliteArgs {
    std::string satellite;
    std::optional<double> jd;
    std::string model = "auto";
};

const char* ModelName(SatelliteModel model) {
    return model == SatelliteModel::Sgp ? "sgp" : model == SatelliteModel::Sdp4 ? "sdp4" : "sgp4";
}

int RunPropagate(CliContext& ctx, const SatelliteArgs& args) {
    SatelliteElements e;
    SatelliteRecord record;
    if (!LoadSatellite(ctx, args.satellite, e, record)) return kExitFailed;
    const double minutes = (*args.jd - e.epochJd) * 1440.0;
    if (args.model == "sgp") {
        PropagateSgp(e, minutes);
    } else if (args.model == "sgp4") {
        PropagateSgp4(e, minutes);
    } else if (args.model == "sdp4") {
        PropagateSdp4(e, minutes);
    } else {
        Propagate(e, minutes, NearEarthRule::ByAge, DeepSpaceOrbitsSetting(ctx.Prefs()));
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"model", ModelName(e.model)}, {"minutes", minutes},
                        {"x_km", e.position.x}, {"y_km", e.position.y}, {"z_km", e.position.z},
                        {"vx_km_s", e.velocity.x}, {"vy_km_s", e.velocity.y}, {"vz_km_s", e.velocity.z},
                        {"age_days", *args.jd - e.epochJd}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Model", ModelName(e.model)},
                    {"Minutes from epoch", Fixed(minutes, 4)},
                    {"Position", Fixed(e.position.x, 6) + "  " + Fixed(e.position.y, 6) + "  " +
                                     Fixed(e.position.z, 6) + " km"},
                    {"Velocity", Fixed(e.velocity.x, 9) + "  " + Fixed(e.velocity.y, 9) + "  " +
                                     Fixed(e.velocity.z, 9) + " km/s"}});
    return kExitOk;
}

std::string Hemisphere(double degrees, const char* positive, const char* negative) {
    return Fixed(std::fabs(degrees), 4) + kDegreeUtf8 + (degrees >= 0.0 ? positive : negative);
}

void PrintInfoText(CliContext& ctx, const SatelliteElements& e, double ageDays) {
    const TextFormats formats = ctx.Formats();
    Rows rows = {{"Lat", Hemisphere(e.subLatitudeDeg, "N", "S")},
                 {"Lon", Hemisphere(e.subLongitudeDeg, "E", "W")},
                 {"Height", Fixed(e.heightKm, 3) + " km"},
                 {"Az", Fixed(e.azimuthDeg, 4) + kDegreeUtf8},
                 {"Alt", Fixed(e.elevationDeg, 4) + kDegreeUtf8},
                 {"RA", Cp1252ToUtf8(HMSToStr(e.raHours, formats))},
                 {"Dec", Cp1252ToUtf8(DmsToStr(e.decDeg, formats))},
                 {"Velocity", Fixed(e.velocity.w, 4) + " km/s"},
                 {"Range", Fixed(e.rangeKm, 3) + " km"},
                 {"Range rate", Fixed(e.rangeRateKmS, 4) + " km/s"},
                 {"Orbit period", std::to_string(std::lround(e.periodMin)) + "min"},
                 {"Inclination", Fixed(e.inclination * kRadToDeg, 4) + kDegreeUtf8},
                 {"Age Of TLE", Fixed(ageDays, 2) + " days"},
                 {"Shadow", e.eclipsed ? "eclipsed" : "sunlit"},
                 {"Model", ModelName(e.model)}};
    if (DeepSpaceByNearEarthFormulas(e)) rows.emplace_back("Warning", kDeepSpaceByNearEarthFormulas);
    PrintRows(ctx, rows);
}

int RunInfo(CliContext& ctx, const SatelliteArgs& args) {
    SatelliteElements e;
    SatelliteRecord record;
    if (!LoadSatellite(ctx, args.satellite, e, record)) return kExitFailed;
    const CalendarDateTime t = ctx.ObservingTime();
    const Site& site = ctx.Prefs().site;
    const double jd = JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, site.tzOffset);
    const SatelliteObserver observer{site.latitude, -site.longitude, 0.0, DeepSpaceOrbitsSetting(ctx.Prefs())};
    ComputeSatellite(jd, observer, e);
    const double deltaT = DeltaT(t.year, t.month, t.day, ctx.Ephemeris());
    const SatelliteShadow shadow = IsEclipsed({{e.position.x, e.position.y, e.position.z}}, SunPosition(jd, deltaT));
    e.eclipsed = shadow.eclipsed;
    e.eclipseDepth = shadow.depth;
    const double ageDays = jd - e.epochJd;
    if (!ctx.Json()) {
        PrintInfoText(ctx, e, ageDays);
        return kExitOk;
    }
    PrintJson(ctx, {{"az_deg", e.azimuthDeg}, {"alt_deg", e.elevationDeg}, {"range_km", e.rangeKm},
                    {"range_rate_km_s", e.rangeRateKmS}, {"ra_hours", e.raHours}, {"dec_deg", e.decDeg},
                    {"lat_deg", e.subLatitudeDeg}, {"lon_deg", e.subLongitudeDeg}, {"height_km", e.heightKm},
                    {"velocity_km_s", e.velocity.w}, {"period_min", e.periodMin},
                    {"inclination_deg", e.inclination * kRadToDeg}, {"tle_age_days", ageDays},
                    {"eclipsed", e.eclipsed}, {"model", ModelName(e.model)}, {"deep_space", e.deepSpace},
                    {"catalog_number", CatalogNumberJson(record)}});
    return kExitOk;
}

}  // namespace

bool LoadSatellite(CliContext& ctx, const std::string& word, SatelliteElements& elements,
                   SatelliteRecord& record) {
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    if (!database.Open()) {
        ctx.Messages().InfoBox(kSatelliteDatabaseNotOpen, "");
        return false;
    }
    const int index = FindSatellite(ctx, database, word);
    if (index < 0 || !database.ReadSatelliteRecord(index, record)) return false;
    if (const auto fault = FindElementValueFault(record)) {
        ctx.Messages().InfoBox("These elements cannot be propagated:", std::string(TrimBlanks(record.name)) + ": line " +
                                                                           std::to_string(fault->line) + ": " + fault->reason);
        return false;
    }
    ConvertSatelliteRecord(record, elements);
    return true;
}

void AddSatelliteCommands(CommandRegistry& registry) {
    CLI::App* sat = SatelliteFamily(registry);
    auto propagate = std::make_shared<SatelliteArgs>();
    CLI::App* propagateCommand = registry.Add(
        "propagate", "A satellite's position and velocity at a Julian Date (true equator, mean equinox)",
        [propagate](CliContext& ctx) { return RunPropagate(ctx, *propagate); }, sat);
    AddSatelliteWord(*propagateCommand, propagate->satellite);
    AddNumber(*propagateCommand, "--jd", propagate->jd, "JD", "the time, Julian Date (UT)")->required();
    propagateCommand
        ->add_option("--model", propagate->model,
                     "auto: SGP within 5 days of the epoch, SGP4 beyond (SDP4 for orbits of 225 minutes or more "
                     "when sat_deep_space is 1); sdp4: SGP4 with its deep-space branch")
        ->check(CLI::IsMember({"auto", "sgp", "sgp4", "sdp4"}));
    propagateCommand->footer("A whole number below the record count is an index. --json: model, minutes, x_km, "
                             "y_km, z_km, vx_km_s, vy_km_s, vz_km_s, age_days (from the element epoch to JD).");

    auto info = std::make_shared<SatelliteArgs>();
    CLI::App* infoCommand = registry.Add(
        "info", "Where a satellite is at the observing date and time: seen from the site, under it, its orbit",
        [info](CliContext& ctx) { return RunInfo(ctx, *info); }, sat);
    AddSatelliteWord(*infoCommand, info->satellite);
    infoCommand->footer("SGP within 5 days of the element epoch, SGP4 beyond (SDP4 at every age for orbits of 225 "
                        "minutes or more when sat_deep_space is 1); the site on the WGS-72 ellipsoid at "
                        "height 0. --json: az_deg, alt_deg, range_km, range_rate_km_s, ra_hours, dec_deg "
                        "(topocentric), lat_deg, lon_deg (east positive), height_km, velocity_km_s, period_min, "
                        "inclination_deg, tle_age_days, eclipsed, model, deep_space (period of 225 minutes or "
                        "more).");
}

}  // namespace vsp::cli
