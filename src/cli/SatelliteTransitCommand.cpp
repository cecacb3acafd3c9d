// sat transits: when a satellite crosses the disc of the Sun or the Moon seen from the site,
// or passes near it, over the days after the observing date and time. Ctrl+C ends the search
// and prints what it found so far.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/SatelliteCommand.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "platform/StopSignals.h"
#include "platform/Text.h"
#include "satellites/CompletePassSearch.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"
#include "satellites/SatelliteSearches.h"
#include "satellites/SatelliteTransits.h"

namespace vsp::cli {
namespace {

constexpr double kDefaultDays = 10.0;
constexpr double kFewestDays = 0.01;  // a quarter of an hour
constexpr double kMostDays = 60.0;
constexpr double kMostMarginDeg = 10.0;

struct TransitArgs {
    std::string satellite;
    std::optional<double> days;
    std::string body;  // empty: both
    std::optional<double> marginDeg;
};

// Local time to a tenth of a second: "YYYY-MM-DD HH:MM:SS.s".
std::string LocalTenths(double localJd) {
    const double tenths = std::round(localJd * kSecondsPerDay * 10.0);
    const double wholeSeconds = std::floor(tenths / 10.0);
    const CalendarDateTime t = CalendarFromJulianDay(wholeSeconds / kSecondsPerDay);
    return IsoDate(t.year, t.month, t.day) + " " + IsoClock(t.hour, t.minute, t.second) + "." +
           std::to_string(int(tenths - wholeSeconds * 10.0));
}

const char* BodyWord(TransitBody body) { return body == TransitBody::Moon ? "moon" : "sun"; }

nlohmann::json EventJson(const TransitEvent& e, const std::string& name, double epochJd, int tzOffsetMinutes) {
    return {{"name", name},
            {"body", BodyWord(e.body)},
            {"jd_ut", e.jdUt},
            {"local", LocalTenths(e.jdUt + tzOffsetMinutes / 1440.0)},
            {"separation_deg", e.separationDeg},
            {"body_radius_deg", e.bodyRadiusDeg},
            {"duration_s", e.durationS},
            {"body_alt_deg", e.bodyAltitudeDeg},
            {"centre_line_km", e.centreLineKm},
            {"near", e.near},
            {"age_days", e.jdUt - epochJd}};
}

void PrintTransits(CliContext& ctx, const nlohmann::json& events) {
    if (ctx.Json()) return PrintJson(ctx, events);
    ctx.Out() << "name                  closest                body  separ  radius  inside  alt  centre km\n";
    for (const auto& e : events) {
        char line[200];
        std::snprintf(line, sizeof line, "%-20s  %s  %-4s  %5.3f  %6.3f  %6.2f  %3.0f  %9.2f%s\n",
                      e["name"].get<std::string>().c_str(), e["local"].get<std::string>().c_str(),
                      e["body"].get<std::string>().c_str(), e["separation_deg"].get<double>(),
                      e["body_radius_deg"].get<double>(), e["duration_s"].get<double>(),
                      e["body_alt_deg"].get<double>(), e["centre_line_km"].get<double>(),
                      e["near"].get<bool>() ? "  near" : "");
        ctx.Out() << line;
    }
    ctx.Out() << kTimesAreLocal << "\n";
}

int RunTransits(CliContext& ctx, const TransitArgs& args) {
    SatelliteElements elements;
    SatelliteRecord record;
    if (!LoadSatellite(ctx, args.satellite, elements, record)) return kExitFailed;

    TransitSite site;
    site.ephemeris = ctx.Ephemeris();
    const CalendarDateTime t = ctx.ObservingTime();
    const int zone = site.ephemeris.location.tzOffset;
    const double startJd = JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, zone);
    const double endJd = startJd + args.days.value_or(kDefaultDays);
    site.observer = SearchObserver(site.ephemeris.location, DeepSpaceOrbitsSetting(ctx.Prefs()));
    site.deltaTSeconds = DeltaT(t.year, t.month, t.day, site.ephemeris);

    std::vector<TransitBody> bodies;
    if (args.body != "moon") bodies.push_back(TransitBody::Sun);
    if (args.body != "sun") bodies.push_back(TransitBody::Moon);
    CatchStopSignals();
    SearchProgress progress{[] { return StopSignalled(); }, nullptr};
    std::vector<TransitEvent> events;
    for (const SatellitePass& pass :
         FindAllPasses(elements, site.observer, startJd, endJd, {}, &progress)) {
        for (const TransitBody body : bodies) {
            for (const TransitEvent& e :
                 FindTransitsInPass(elements, site, body, pass.riseJd, pass.setJd, args.marginDeg.value_or(0.0))) {
                if (e.jdUt >= startJd && e.jdUt <= endJd) events.push_back(e);
            }
        }
        if (progress.Poll()) break;
    }
    std::ranges::sort(events, {}, &TransitEvent::jdUt);
    const std::string name(TrimTrailingBlanks(record.name));
    nlohmann::json out = nlohmann::json::array();
    for (const TransitEvent& e : events) out.push_back(EventJson(e, name, elements.epochJd, zone));
    PrintTransits(ctx, out);
    return kExitOk;
}

}  // namespace

void AddSatelliteTransitCommand(CommandRegistry& registry) {
    auto args = std::make_shared<TransitArgs>();
    CLI::App* command = registry.Add(
        "transits", "When a satellite crosses the disc of the Sun or the Moon seen from the site, or passes near it",
        [args](CliContext& ctx) { return RunTransits(ctx, *args); }, SatelliteFamily(registry));
    AddSatelliteWord(*command, args->satellite);
    AddNumber(*command, "--days", args->days, "N", "days searched from the observing date and time (10, at most 60)")
        ->check(CLI::Range(kFewestDays, kMostDays));
    command->add_option("--body", args->body, "sun or moon (default: both)")->check(CLI::IsMember({"sun", "moon"}));
    AddNumber(*command, "--margin", args->marginDeg, "DEG",
              "also list near passes within DEG degrees of the disc's edge (0, at most 10)")
        ->check(CLI::Range(0.0, kMostMarginDeg));
    command->footer(
        "Closest approach to a tenth of a second, while the satellite and the body are above the horizon; the "
        "centre line is how far to move on the ground to see the satellite cross the disc's centre. --json: an "
        "array of name, body, jd_ut (closest approach), local, separation_deg (centre to centre), body_radius_deg, "
        "duration_s (inside the disc, 0 for a near pass), body_alt_deg, centre_line_km, near, age_days.");
}

}  // namespace vsp::cli
