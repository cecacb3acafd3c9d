// minor show NAME: where a comet or minor planet stands for the observing time and site;
// minor ephemeris NAME: its places in a table over days.

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/ConstellationTable.h"
#include "cli/CommandOutput.h"
#include "cli/MinorCommand.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/Time.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/RiseSetText.h"
#include "platform/Text.h"
#include "settings/PreferenceTable.h"
#include "tools/MinorBodySky.h"

namespace vsp::cli {
namespace {

// A table longer than this is a typing slip rather than an ephemeris anyone reads.
constexpr long kMaxEphemerisRows = 10000;
// Candidates listed for a name that means several objects.
constexpr size_t kCandidateLimit = 20;

int PlaceFailed(CliContext& ctx, int error, const Instant& when, const MinorBodyRecord& record) {
    if (error == kEphemerisOutOfRange) return JobFailed(ctx, OutOfRangeMessage(when.tt));
    return JobFailed(ctx, "The elements of " + Utf8ToCp1252(MinorBodyLabel(record)) + " describe no orbit.");
}

// "Elements 12 days old": how far the observing time is from the element epoch (negative
// before it), to the day.
std::string ElementAgeLine(double ageDays) {
    return "Elements " + std::to_string(long(std::lround(ageDays))) + " days old";
}

std::string MagnitudeText(double m) { return std::isfinite(m) ? Fixed(m, 2) : std::string("unknown"); }

struct ConstellationNames {
    nlohmann::json name, abbreviation;  // null for none
    std::string text;                   // "Sagittarius (Sgr)" or "none"
};
ConstellationNames NamesOf(int index) {
    const ConstellationEntry* entry = ConstellationAt(index);
    if (!entry) return {nullptr, nullptr, "none"};
    const std::string name = Cp1252ToUtf8(ConstellationName(*entry)), abbreviation(ConstellationAbbreviation(*entry));
    return {name, abbreviation, name + " (" + abbreviation + ")"};
}

// The keys `minor show` and each row of `minor ephemeris` share.
nlohmann::json PlaceJson(const MinorBodySky& sky) {
    const MinorBodyPosition& p = sky.place;
    return {{"ra_hours", p.raHours},
            {"dec_deg", p.decDeg},
            {"r_au", p.sunDistanceAu},
            {"delta_au", p.earthDistanceAu},
            {"magnitude", MagnitudeJson(p.magnitude)},
            {"elongation_deg", p.elongationDeg},
            {"alt_deg", sky.horizon.altitude}};
}

void PrintShow(CliContext& ctx, const MinorBodyRecord& record, const MinorBodySky& sky,
               const RiseTransitSetTimes& times) {
    const MinorBodyPosition& p = sky.place;
    const ConstellationNames constellation = NamesOf(sky.constellation);
    if (ctx.Json()) {
        nlohmann::json out = PlaceJson(sky);
        out.update({{"designation", record.designation},
                    {"name", record.name},
                    {"kind", MinorKindKey(record.elements.kind)},
                    {"label", MinorBodyLabel(record)},
                    {"phase_deg", p.phaseDeg},
                    {"motion_arcsec_per_hour", p.motionArcsecPerHour},
                    {"motion_pa_deg", p.motionAngleDeg},
                    {"tail_pa_deg", p.tailAngleDeg},
                    {"az_deg", sky.horizon.azimuth},
                    {"rise", times.rise},
                    {"transit", times.transit},
                    {"set", times.set},
                    {"rise_set_status", RiseSetStatusKey(times.status)},
                    {"constellation", constellation.name},
                    {"constellation_abbreviation", constellation.abbreviation},
                    {"element_age_days", p.elementAgeDays}});
        PrintJson(ctx, out);
        return;
    }
    PrintRows(ctx, {{"Object", MinorBodyLabel(record)},
                    {"Kind", MinorKindKey(record.elements.kind)},
                    {"RA", RaText(p.raHours, ctx.Formats())},
                    {"Dec", DecText(p.decDeg, ctx.Formats())},
                    {"Distance to the Sun", Fixed(p.sunDistanceAu, 6) + " AU"},
                    {"Distance to the Earth", Fixed(p.earthDistanceAu, 6) + " AU"},
                    {"Magnitude", MagnitudeText(p.magnitude)},
                    {"Elongation", Fixed(p.elongationDeg, 2) + kDegreeUtf8},
                    {"Phase angle", Fixed(p.phaseDeg, 2) + kDegreeUtf8},
                    {"Motion", Fixed(p.motionArcsecPerHour, 1) + "\"/h towards " + Fixed(p.motionAngleDeg, 0) +
                                   kDegreeUtf8},
                    {"Altitude", Fixed(sky.horizon.altitude, 2) + kDegreeUtf8},
                    {"Azimuth", Fixed(sky.horizon.azimuth, 2) + kDegreeUtf8},
                    {"Constellation", constellation.text}});
    for (const std::string& line : RiseTransitSetLines(times, ctx.Formats())) ctx.Out() << Cp1252ToUtf8(line) << "\n";
    ctx.Out() << ElementAgeLine(p.elementAgeDays) << "\n";
}

// The record the word names, or false with the exit status set.
bool ChosenRecord(CliContext& ctx, const std::string& word, MinorBodyRecord& record, int& status) {
    MinorBodies bodies;
    status = kExitFailed;
    if (!LoadMinorBodies(ctx.Home(), ctx.Messages(), bodies)) return false;
    const MinorBodyRecord* found = FindMinorBody(ctx, bodies, word, status);
    if (!found) return false;
    record = *found;
    return true;
}

int RunShow(CliContext& ctx, const std::string& word) {
    MinorBodyRecord record;
    int status = kExitFailed;
    if (!ChosenRecord(ctx, word, record, status)) return status;
    const EphemerisSettings settings = ctx.Ephemeris();
    const CalendarDateTime local = ctx.ObservingTime();
    const Instant when = LocalInstant(local, settings);
    MinorBodySky sky;
    if (int err = MinorBodySkyAt(record.elements, when, settings, sky)) return PlaceFailed(ctx, err, when, record);
    RiseTransitSetTimes times;
    if (int err = MinorBodyDayTimes(record.elements, local, HorizonDegrees(ctx.Prefs().horizon), settings, times))
        return PlaceFailed(ctx, err, when, record);
    PrintShow(ctx, record, sky, times);
    return kExitOk;
}

struct EphemerisArgs {
    std::string word;
    std::optional<CalendarDay> from;
    std::optional<double> days, step;
};

nlohmann::json EphemerisRow(const CalendarDateTime& at, const Instant& when, const MinorBodySky& sky) {
    nlohmann::json row = PlaceJson(sky);
    row.update({{"local", IsoDate(at.year, at.month, at.day) + " " + IsoClock(at.hour, at.minute, at.second)},
                {"jd_ut", when.ut}});
    return row;
}

void PrintEphemerisLine(CliContext& ctx, const CalendarDateTime& at, const MinorBodySky& sky) {
    const MinorBodyPosition& p = sky.place;
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%10.6f %10.6f %6s %7.2f %6.1f", p.earthDistanceAu, p.sunDistanceAu,
                  std::isfinite(p.magnitude) ? Fixed(p.magnitude, 2).c_str() : "-", p.elongationDeg,
                  sky.horizon.altitude);
    char place[64];
    std::snprintf(place, sizeof place, "%-12s %-12s", Cp1252ToUtf8(HMSToStr(p.raHours, ctx.Formats())).c_str(),
                  Cp1252ToUtf8(DmsToStr(p.decDeg, ctx.Formats())).c_str());
    ctx.Out() << IsoDate(at.year, at.month, at.day) << " " << ClockMinutes(at.hour, at.minute) << "  " << place << " "
              << numbers << "\n";
}

int RunEphemeris(CliContext& ctx, const EphemerisArgs& args) {
    const double days = args.days.value_or(1.0), step = args.step.value_or(24.0);
    if (days <= 0.0 || step <= 0.0) return UsageError(ctx, "--days and --step must be greater than 0");
    const long count = long(std::ceil(days * 24.0 / step - 1e-9));
    if (count > kMaxEphemerisRows)
        return UsageError(ctx, "at most " + std::to_string(kMaxEphemerisRows) + " rows: take a larger --step or fewer --days");
    MinorBodyRecord record;
    int status = kExitFailed;
    if (!ChosenRecord(ctx, args.word, record, status)) return status;
    const EphemerisSettings settings = ctx.Ephemeris();
    CalendarDateTime start = ctx.ObservingTime();
    if (args.from) start = CalendarDateTime{*args.from, ClockTime{}};
    const double startJd = JulianDay(start.year, start.month, start.day) + (start.hour + (start.minute + start.second / 60.0) / 60.0) / 24.0;
    nlohmann::json rows = nlohmann::json::array();
    double firstAge = 0.0;
    if (!ctx.Json()) ctx.Out() << MinorBodyLabel(record) << "\nlocal time        RA           Dec          delta_au       r_au    mag   elong    alt\n";
    for (long i = 0; i < count; ++i) {
        const CalendarDateTime at = CalendarFromJulianDay(startJd + double(i) * step / 24.0);
        const Instant when = LocalInstant(at, settings);
        MinorBodySky sky;
        if (int err = MinorBodySkyAt(record.elements, when, settings, sky)) return PlaceFailed(ctx, err, when, record);
        if (i == 0) firstAge = sky.place.elementAgeDays;
        if (ctx.Json()) rows.push_back(EphemerisRow(at, when, sky));
        else PrintEphemerisLine(ctx, at, sky);
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"designation", record.designation},
                        {"name", record.name},
                        {"kind", MinorKindKey(record.elements.kind)},
                        {"element_age_days", firstAge},
                        {"rows", rows}});
    } else {
        ctx.Out() << ElementAgeLine(firstAge) << " at the first row\n";
    }
    return kExitOk;
}

}  // namespace

const MinorBodyRecord* FindMinorBody(CliContext& ctx, const MinorBodies& bodies, const std::string& typed, int& status) {
    const std::vector<const MinorBodyRecord*> found = FindMinorBodies(bodies, typed, kCandidateLimit + 1);
    if (found.size() == 1) return found.front();
    if (found.empty()) {
        status = JobFailed(ctx, "No comet or minor planet \"" + Utf8ToCp1252(typed) + "\" in the databases.");
        return nullptr;
    }
    ctx.Err() << "\"" << typed << "\" may mean:\n";
    for (size_t i = 0; i < found.size() && i < kCandidateLimit; ++i) ctx.Err() << "  " << MinorBodyLabel(*found[i]) << "\n";
    if (found.size() > kCandidateLimit) ctx.Err() << "  ...\n";
    status = UsageError(ctx, "more than one object matches \"" + typed + "\": type more of its name or designation");
    return nullptr;
}

void AddMinorBodyWord(CLI::App& command, std::string& word) {
    command.add_option("object", word, "any part of a name, designation or label that only one object has, or a number")
        ->required()
        ->type_name("NAME|DESIGNATION");
}

void AddMinorEphemerisCommands(CommandRegistry& registry) {
    CLI::App* minor = MinorFamily(registry);
    auto word = std::make_shared<std::string>();
    CLI::App* show = registry.Add(
        "show", "Where a comet or minor planet stands for the observing time and site, and how bright it is",
        [word](CliContext& ctx) { return RunShow(ctx, *word); }, minor);
    AddMinorBodyWord(*show, *word);
    show->footer("Two-body motion from the elements, reduced like the planets. Keys: designation, name, kind "
                 "(comet | asteroid), label, ra_hours, dec_deg (apparent, of date, in the correction mode as body "
                 "gives them), r_au (from the Sun), delta_au (from the Earth), magnitude (null when the elements "
                 "give none), elongation_deg, phase_deg, motion_arcsec_per_hour, motion_pa_deg, tail_pa_deg "
                 "(position angle of the anti-solar direction), alt_deg, az_deg, rise, transit, set (decimal "
                 "hours of the local day), rise_set_status, constellation, constellation_abbreviation (null for "
                 "none), element_age_days (observing time minus the element epoch, TT: the places drift as it "
                 "grows). A name that several objects match lists them and exits 2.");

    auto args = std::make_shared<EphemerisArgs>();
    CLI::App* table = registry.Add(
        "ephemeris", "A comet's or minor planet's places in a table, from a date over days",
        [args](CliContext& ctx) { return RunEphemeris(ctx, *args); }, minor);
    AddMinorBodyWord(*table, args->word);
    AddDate(*table, "--from", args->from, "the first row at 00:00 local of this date (default: the observing time)");
    AddNumber(*table, "--days", args->days, "N", "days the table covers (default 1)");
    AddNumber(*table, "--step", args->step, "HOURS", "hours from row to row (default 24)");
    table->footer("Rows at FROM, FROM + HOURS, ... before FROM + N days, at most 10000. --json: designation, name, "
                  "kind, element_age_days (at the first row), rows [local, jd_ut, ra_hours, dec_deg, delta_au, r_au, "
                  "magnitude, elongation_deg, alt_deg].");
}

}  // namespace vsp::cli
