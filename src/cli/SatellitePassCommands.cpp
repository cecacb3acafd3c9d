// sat passes NAME|INDEX, sat passes --all, sat flares: the satellite form's searches from the
// observing date and time and site; with --visible, the complete search's visible passes.
// Ctrl+C ends a search and prints what it found so far.

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
#include "satellites/Flare.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"
#include "satellites/SatelliteSearches.h"
#include "satellites/VisiblePassSearch.h"

namespace vsp::cli {
namespace {

struct PassArgs {
    std::optional<std::string> satellite;
    bool all = false;
    bool visible = false;
    std::optional<double> days;
    std::optional<int> minAlt;
};

struct FlareArgs {
    std::optional<std::string> satellite;
    bool precise = false;
    std::optional<int> minAlt;
};

// The database opened with every record readable, or false with its message shown. The
// searches and their results then take the records from it one by one (from what was read on
// opening), so that one satellite's search decodes its own record only.
bool OpenDatabase(CliContext& ctx, SatelliteDatabase& database) {
    if (!database.Open()) {
        ctx.Messages().InfoBox(kSatelliteDatabaseNotOpen, "");
        return false;
    }
    return database.CanReadAll();
}

SatelliteRecord RecordAt(SatelliteDatabase& database, int index) {
    SatelliteRecord record;
    database.ReadSatelliteRecord(index, record);
    return record;
}

SatelliteSearchSettings SearchSettings(CliContext& ctx, std::optional<int> minAlt) {
    SatelliteSearchSettings settings;
    settings.ephemeris = ctx.Ephemeris();
    const CalendarDateTime t = ctx.ObservingTime();
    settings.startJd = JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                      settings.ephemeris.location.tzOffset);
    settings.minElevationIndex = minAlt.value_or(ctx.Prefs().satMinElevation);
    settings.preciseFlares = ctx.Prefs().preciseFlares;
    settings.deepSpaceOrbits = DeepSpaceOrbitsSetting(ctx.Prefs());
    return settings;
}

SearchProgress CtrlCProgress() {
    CatchStopSignals();
    return SearchProgress{[] { return StopSignalled(); }, nullptr};
}

std::string LocalText(double localJd) {
    const CalendarDateTime t = CalendarFromJulianDay(localJd);
    return IsoDate(t.year, t.month, t.day) + " " + IsoClock(t.hour, t.minute, t.second);
}

double AzimuthAt(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements) {
    ComputeSatelliteQuick(jdUt, observer, elements);
    return elements.azimuthDeg;
}

// Days from the elements' epoch to the search start, and whether that is past the setting.
void AddAge(nlohmann::json& row, const SatelliteElements& elements, double startJd, int oldElementsDays) {
    const double age = startJd - elements.epochJd;
    row["age_days"] = age;
    row["old_elements"] = AreOldElements(age, oldElementsDays);
}

nlohmann::json PassJson(const SatelliteSearchResult& pass, const SatelliteRecord& record,
                        const SatelliteSearchSettings& settings, int oldElementsDays) {
    const double zone = settings.ephemeris.location.tzOffset / 1440.0;
    const double rise = pass.riseTime - zone, set = pass.setTime - zone;
    const SatelliteObserver observer = SearchObserver(settings.ephemeris.location, settings.deepSpaceOrbits);
    SatelliteElements elements;
    ConvertSatelliteRecord(record, elements);
    nlohmann::json row = {{"name", std::string(TrimTrailingBlanks(pass.name))},
            {"rise_jd_ut", rise},
            {"max_jd_ut", 0.5 * (rise + set)},
            {"set_jd_ut", set},
            {"rise_local", LocalText(pass.riseTime)},
            {"max_local", LocalText(0.5 * (pass.riseTime + pass.setTime))},
            {"set_local", LocalText(pass.setTime)},
            {"max_alt_deg", pass.maxElevationDeg},
            {"duration_s", pass.durationS},
            {"rise_az_deg", AzimuthAt(rise, observer, elements)},
            {"set_az_deg", AzimuthAt(set, observer, elements)}};
    AddAge(row, elements, settings.startJd, oldElementsDays);
    return row;
}

nlohmann::json VisiblePassJson(const VisiblePass& v, const SatelliteRecord& record,
                               const SatelliteSearchSettings& settings) {
    const double zone = settings.ephemeris.location.tzOffset / 1440.0;
    const SatellitePass& p = v.pass;
    const SatelliteObserver observer = SearchObserver(settings.ephemeris.location, settings.deepSpaceOrbits);
    SatelliteElements elements;
    ConvertSatelliteRecord(record, elements);
    const auto azimuth = [&](double jd) {
        ComputeSatelliteSgp4(jd, observer, elements);
        return elements.azimuthDeg;
    };
    return {{"name", std::string(TrimTrailingBlanks(record.name).substr(0, kResultNameLength))},
            {"rise_jd_ut", p.riseJd},
            {"max_jd_ut", p.maxJd},
            {"set_jd_ut", p.setJd},
            {"rise_local", LocalText(p.riseJd + zone)},
            {"max_local", LocalText(p.maxJd + zone)},
            {"set_local", LocalText(p.setJd + zone)},
            {"max_alt_deg", p.maxElevationDeg},
            {"duration_s", RoundHalfUp((p.setJd - p.riseJd) * 86400.0)},
            {"rise_az_deg", azimuth(p.riseJd)},
            {"set_az_deg", azimuth(p.setJd)},
            {"visible_at_rise", v.visibility.rise.Visible()},
            {"visible_at_max", v.visibility.max.Visible()},
            {"visible_at_set", v.visibility.set.Visible()},
            {"magnitude", v.magnitude ? nlohmann::json(*v.magnitude) : nlohmann::json(nullptr)},
            {"age_days", v.ageDays},
            {"old_elements", v.oldElements}};
}

nlohmann::json FlareJson(const SatelliteSearchResult& flare, const SatelliteRecord& record,
                         const SatelliteSearchSettings& settings) {
    const double jd = flare.flareTime - settings.ephemeris.location.tzOffset / 1440.0;
    SatelliteElements elements;
    ConvertSatelliteRecord(record, elements);
    return {{"name", std::string(TrimTrailingBlanks(flare.name))},
            {"jd_ut", jd},
            {"local", LocalText(flare.flareTime)},
            {"magnitude", flare.magnitude},
            {"alt_deg", flare.maxElevationDeg},
            {"az_deg", AzimuthAt(jd, SearchObserver(settings.ephemeris.location, settings.deepSpaceOrbits), elements)},
            {"angle_deg", flare.flareAngleDeg},
            {"age_days", settings.startJd - elements.epochJd},
            {"note", kIridiumRetiredNote}};
}

constexpr std::string_view kPassColumns =
    "name                  rise                 max                  set                  alt  durat  az rise  az set";

// The old-elements mark closes the line, so the columns before it stay where they were.
constexpr std::string_view kOldElementsMark = "  old elements";

void PrintPasses(CliContext& ctx, const nlohmann::json& passes) {
    if (ctx.Json()) return PrintJson(ctx, passes);
    ctx.Out() << kPassColumns << "\n";
    for (const auto& p : passes) {
        char line[200];
        std::snprintf(line, sizeof line, "%-20s  %s  %s  %s  %3d  %5d  %7.1f  %6.1f",
                      p["name"].get<std::string>().c_str(), p["rise_local"].get<std::string>().c_str(),
                      p["max_local"].get<std::string>().c_str(), p["set_local"].get<std::string>().c_str(),
                      p["max_alt_deg"].get<int>(), p["duration_s"].get<int>(), p["rise_az_deg"].get<double>(),
                      p["set_az_deg"].get<double>());
        ctx.Out() << line << (p["old_elements"].get<bool>() ? kOldElementsMark : "") << "\n";
    }
    ctx.Out() << kTimesAreLocal << "\n";
}

std::string MagnitudeText(const nlohmann::json& magnitude) {
    if (magnitude.is_null()) return "    -";
    char text[16];
    std::snprintf(text, sizeof text, "%5.1f", magnitude.get<double>());
    return text;
}

void PrintVisiblePasses(CliContext& ctx, const nlohmann::json& passes) {
    if (ctx.Json()) return PrintJson(ctx, passes);
    ctx.Out() << kPassColumns << "  mag  seen\n";
    for (const auto& p : passes) {
        char line[240];
        const auto seen = [&](const char* key, char mark) { return p[key].get<bool>() ? mark : '-'; };
        std::snprintf(line, sizeof line, "%-20s  %s  %s  %s  %3.0f  %5d  %7.1f  %6.1f  %s  %c%c%c",
                      p["name"].get<std::string>().c_str(), p["rise_local"].get<std::string>().c_str(),
                      p["max_local"].get<std::string>().c_str(), p["set_local"].get<std::string>().c_str(),
                      p["max_alt_deg"].get<double>(), p["duration_s"].get<int>(), p["rise_az_deg"].get<double>(),
                      p["set_az_deg"].get<double>(), MagnitudeText(p["magnitude"]).c_str(),
                      seen("visible_at_rise", 'r'), seen("visible_at_max", 'm'), seen("visible_at_set", 's'));
        ctx.Out() << line << (p["old_elements"].get<bool>() ? kOldElementsMark : "") << "\n";
    }
    ctx.Out() << kTimesAreLocal << "\n";
}

// The note goes to standard error, so the list on standard output stays as it was.
void PrintFlares(CliContext& ctx, const nlohmann::json& flares) {
    ctx.Err() << kIridiumRetiredNote << "\n";
    if (ctx.Json()) return PrintJson(ctx, flares);
    ctx.Out() << "name                  time                 mag  alt     az  angle\n";
    for (const auto& f : flares) {
        char line[160];
        std::snprintf(line, sizeof line, "%-20s  %s  %3d  %3d  %5.1f  %5.2f\n", f["name"].get<std::string>().c_str(),
                      f["local"].get<std::string>().c_str(), f["magnitude"].get<int>(), f["alt_deg"].get<int>(),
                      f["az_deg"].get<double>(), f["angle_deg"].get<double>());
        ctx.Out() << line;
    }
    ctx.Out() << kTimesAreLocal << "\n";
}

SatelliteSource SourceOf(SatelliteDatabase& database) {
    return {database.Count(),
            [&database](int index, SatelliteRecord& record) { return database.ReadSatelliteRecord(index, record); }};
}

int RunVisiblePasses(CliContext& ctx, const PassArgs& args, SatelliteDatabase& database) {
    VisiblePassSettings settings;
    settings.search = SearchSettings(ctx, args.minAlt);
    settings.days = args.days.value_or(args.all ? kVisiblePassDaysOfAll : kVisiblePassDaysOfOne);
    settings.oldElementsDays = ctx.Prefs().satOldElementsDays;
    std::vector<int> indices;
    if (!args.all) {
        const int index = FindSatellite(ctx, database, *args.satellite);
        if (index < 0) return kExitFailed;
        indices.push_back(index);
    }
    SearchProgress progress = CtrlCProgress();
    const std::vector<VisiblePass> passes =
        SearchVisiblePasses(SourceOf(database), indices, settings, ReadStandardMagnitudes(ctx.Home()), progress);
    nlohmann::json out = nlohmann::json::array();
    for (const VisiblePass& pass : passes)
        out.push_back(VisiblePassJson(pass, RecordAt(database, pass.satelliteIndex), settings.search));
    PrintVisiblePasses(ctx, out);
    return kExitOk;
}

int RunPasses(CliContext& ctx, const PassArgs& args) {
    if (args.all == args.satellite.has_value()) return UsageError(ctx, "sat passes needs NAME|INDEX or --all");
    if (args.visible && args.days && !(*args.days > 0.0)) return UsageError(ctx, "--days must be above 0");
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    if (!OpenDatabase(ctx, database)) return kExitFailed;
    if (args.visible) return RunVisiblePasses(ctx, args, database);
    SatelliteSearchSettings settings = SearchSettings(ctx, args.minAlt);
    if (args.days) settings.passSearchDays = *args.days;
    SearchProgress progress = CtrlCProgress();
    std::vector<SatelliteSearchResult> passes;
    if (args.all) {
        passes = SearchAllSatellites(AllSatelliteSearch::Passes, SourceOf(database), settings, progress);
    } else {
        const int index = FindSatellite(ctx, database, *args.satellite);
        if (index < 0) return kExitFailed;
        passes = SearchPasses(RecordAt(database, index), index, settings, progress, ctx.Messages());
    }
    nlohmann::json out = nlohmann::json::array();
    for (const auto& pass : passes)
        out.push_back(PassJson(pass, RecordAt(database, pass.satelliteIndex), settings, ctx.Prefs().satOldElementsDays));
    PrintPasses(ctx, out);
    return kExitOk;
}

int RunFlares(CliContext& ctx, const FlareArgs& args) {
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    if (!OpenDatabase(ctx, database)) return kExitFailed;
    SatelliteSearchSettings settings = SearchSettings(ctx, args.minAlt);
    settings.preciseFlares = settings.preciseFlares || args.precise;
    SearchProgress progress = CtrlCProgress();
    std::vector<SatelliteSearchResult> found;
    if (args.satellite) {
        const int index = FindSatellite(ctx, database, *args.satellite);
        if (index < 0) return kExitFailed;
        settings.flaresOfOne = true;
        found = SearchPasses(RecordAt(database, index), index, settings, progress, ctx.Messages());
    } else {
        found = SearchAllSatellites(AllSatelliteSearch::Flares, SourceOf(database), settings, progress);
    }
    nlohmann::json out = nlohmann::json::array();
    for (const auto& flare : found) out.push_back(FlareJson(flare, RecordAt(database, flare.satelliteIndex), settings));
    PrintFlares(ctx, out);
    return kExitOk;
}

void AddMinAlt(CLI::App& command, std::optional<int>& minAlt) {
    command.add_option("--min-alt", minAlt, "index 0..10 of the minimum elevations (default: the setting)")
        ->check(CLI::Range(0, 10))
        ->type_name("INDEX");
}

}  // namespace

void AddSatellitePassCommands(CommandRegistry& registry) {
    CLI::App* sat = SatelliteFamily(registry);
    auto passes = std::make_shared<PassArgs>();
    CLI::App* passCommand = registry.Add(
        "passes", "The next passes of a satellite, or of every satellite with --all",
        [passes](CliContext& ctx) { return RunPasses(ctx, *passes); }, sat);
    passCommand->add_option("satellite", passes->satellite, "a name (its beginning), catalog number or index")
        ->type_name("NAME|INDEX");
    passCommand->add_flag("--all", passes->all, "passes of every satellite, in windows of 1.3 days over 8 days");
    passCommand->add_flag("--visible", passes->visible,
                          "every pass sunlit against a dark sky (Sun below -6 degrees) at its rise, maximum or set, "
                          "with its magnitude, over N days (--days; 10 for one satellite, 1 with --all)");
    AddNumber(*passCommand, "--days", passes->days, "N", "one satellite: the search ends once N days are examined (30)");
    AddMinAlt(*passCommand, passes->minAlt);
    passCommand->footer(
        "At most 30 passes from the observing date and time, by rise time. One satellite: passes in the Earth's "
        "shadow at rise and set are left out. --all: passes wholly in daylight are left out too. Minimum elevations by index: 0, "
        "5, 10, ... 50 degrees. Ctrl+C stops the search and prints what was found. --json: an array of name, "
        "rise_jd_ut, max_jd_ut, set_jd_ut, rise_local, max_local, set_local, max_alt_deg (at the middle of the pass), "
        "duration_s, rise_az_deg, set_az_deg, age_days (from the element epoch to the start), old_elements (older than "
        "the sat_old_elements_days setting; \"old elements\" ends the text line). --visible: every pass of the "
        "window, by rise, not limited to 30; max_alt_deg and max_jd_ut at the true maximum; and visible_at_rise, "
        "visible_at_max, visible_at_set, magnitude (null without a standard magnitude; sat import --magnitudes).");

    auto flares = std::make_shared<FlareArgs>();
    CLI::App* flareCommand = registry.Add(
        "flares", "Flares of every satellite in the next 8 days, or of one satellite over its next passes: sunlight "
                  "thrown by its antennas to the site",
        [flares](CliContext& ctx) { return RunFlares(ctx, *flares); }, sat);
    flareCommand->add_option("satellite", flares->satellite, "one satellite: a name (its beginning), catalog number "
                                                             "or index; its passes sought within 35 days each")
        ->type_name("NAME|INDEX");
    flareCommand->add_flag("--precise", flares->precise, "refine each flare to a tenth of a second; flares within "
                                                         "1.0 instead of 1.5 degrees");
    AddMinAlt(*flareCommand, flares->minAlt);
    flareCommand->footer(
        "At most 30 flares by time, at night on a sunlit satellite. Minimum elevations by index: 10, 15, ... 60 "
        "degrees. Ctrl+C stops the search and prints what was found. --json: an array of name, jd_ut, local, "
        "magnitude, alt_deg, az_deg, angle_deg (between the reflected ray and the site), age_days, note. The first-generation "
        "Iridium satellites that made the flares were retired in 2019 (said on standard error); element sets from "
        "before then still give flares.");
}

}  // namespace vsp::cli
