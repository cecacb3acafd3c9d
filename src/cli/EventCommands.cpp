// The Moon's events: phases (the principal phases from the observing time on) and eclipses
// (the eclipse list from the observing date on).

#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "ephemeris/Eclipses.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/Time.h"

namespace vsp::cli {
namespace {

constexpr int kDefaultPhaseCount = 4;     // one of each phase
constexpr int kDefaultEclipseCount = 12;  // what the eclipse list screen asks for
constexpr int kMaxCount = 10000;

struct PhaseName {
    double code;
    const char* key;
    const char* label;
};
constexpr PhaseName kPhaseNames[] = {{kPhaseNew, "new", "New Moon"},
                                     {kPhaseFirstQuarter, "first_quarter", "First Quarter"},
                                     {kPhaseFull, "full", "Full Moon"},
                                     {kPhaseLastQuarter, "last_quarter", "Last Quarter"}};

std::string UtcText(int year, int month, int day, int hour, int minute, int second) {
    char text[48];
    if (year < 0) {
        std::snprintf(text, sizeof text, "-%04d-%02d-%02dT%02d:%02d:%02dZ", -year, month, day, hour, minute, second);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, hour, minute, second);
    }
    return text;
}

std::string UtcText(const CalendarDateTime& t) {
    return UtcText(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

std::string UtcText(const EclipseEntry& e) {
    return UtcText(e.year, e.month, e.day, e.hour, e.minute, e.second);
}

struct EventArgs {
    int count = 0;
    bool details = false;
};

void AddCount(CLI::App& command, EventArgs& args, int fallback) {
    args.count = fallback;
    command.add_option("--count", args.count, "how many (default " + std::to_string(fallback) + ")")
        ->type_name("N")
        ->check(CLI::Range(1, kMaxCount));
}

double ObservingJd(CliContext& ctx) {
    const CalendarDateTime t = ctx.ObservingTime();
    return JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second,
                          ctx.Ephemeris().location.tzOffset);
}

struct FoundPhase {
    const PhaseName* name;
    LunarPhaseResult result;
};

// The phases at or after the observing instant. The lunation a counter derives from the date is
// the nearest one, so the last phases of the one before may still be ahead: start there.
std::vector<FoundPhase> NextPhases(CliContext& ctx, int count) {
    const CalendarDateTime t = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    const double from = ObservingJd(ctx);
    int32_t lunation = 0;
    LunarPhaseResult phase;
    LunarPhase(kPhaseNew, lunation, t.year, t.month, t.day, 0, settings, phase);
    lunation -= 1;
    std::vector<FoundPhase> found;
    while (int(found.size()) < count) {
        for (const PhaseName& name : kPhaseNames) {
            LunarPhaseOf(name.code, lunation, 0, settings, phase);
            if (phase.jd >= from && int(found.size()) < count) found.push_back({&name, phase});
        }
        lunation += 1;
    }
    return found;
}

nlohmann::json ContactJson(double jd) { return HasContact(jd) ? nlohmann::json(jd) : nlohmann::json(nullptr); }

nlohmann::json EclipseJson(const FoundEclipse& e, bool details) {
    const bool solar = e.entry.kind == kEclipseSolar;
    nlohmann::json item = {{"kind", solar ? "solar" : "lunar"},
                           {"type", EclipseTypeName(int(e.entry.type))},
                           {"utc", UtcText(e.entry)},
                           {"duration_s", solar ? nlohmann::json(nullptr) : nlohmann::json(e.entry.duration)}};
    if (!details) return item;
    const EclipseCircumstances& c = e.circumstances;
    item["jd_ut"] = c.jd;
    item["gamma"] = c.gamma;
    item["u"] = c.u;
    if (solar) return item;
    const LunarEclipseDetails& d = c.lunar;
    item["p1"] = ContactJson(d.p1);
    item["u1"] = ContactJson(d.u1);
    item["u2"] = ContactJson(d.u2);
    item["greatest"] = ContactJson(d.greatest);
    item["u3"] = ContactJson(d.u3);
    item["u4"] = ContactJson(d.u4);
    item["p4"] = ContactJson(d.p4);
    item["umbral_magnitude"] = d.umbralMagnitude;
    item["penumbral_magnitude"] = d.penumbralMagnitude;
    return item;
}

std::string ClockText(double jd) {
    if (!HasContact(jd)) return "--:--:--";
    const CalendarDateTime t = CalendarFromJulianDay(jd);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string DurationText(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%dh%02dm%02ds", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

void PrintEclipse(CliContext& ctx, const FoundEclipse& e, bool details) {
    const EclipseRowText row = EclipseRow(e.entry);
    char line[128];
    std::snprintf(line, sizeof line, "%-16s %-10s %02d:%02d:%02d UT", row.date.c_str(), row.type.c_str(),
                  e.entry.hour, e.entry.minute, e.entry.second);
    ctx.Out() << line;
    if (e.entry.kind == kEclipseLunar) ctx.Out() << "  " << DurationText(e.entry.duration);
    ctx.Out() << "\n";
    if (!details) return;
    const EclipseCircumstances& c = e.circumstances;
    ctx.Out() << "    JD " << Fixed(c.jd, 5) << "  gamma " << Fixed(c.gamma, 4) << "  u " << Fixed(c.u, 4) << "\n";
    if (e.entry.kind != kEclipseLunar) return;
    const LunarEclipseDetails& d = c.lunar;
    ctx.Out() << "    P1 " << ClockText(d.p1) << "  U1 " << ClockText(d.u1) << "  U2 " << ClockText(d.u2)
              << "  U3 " << ClockText(d.u3) << "  U4 " << ClockText(d.u4) << "  P4 " << ClockText(d.p4)
              << "\n    umbral magnitude " << Fixed(d.umbralMagnitude, 4) << "  penumbral magnitude "
              << Fixed(d.penumbralMagnitude, 4) << "\n";
}

int RunPhases(CliContext& ctx, const EventArgs& args) {
    const std::vector<FoundPhase> phases = NextPhases(ctx, args.count);
    if (ctx.Json()) {
        nlohmann::json list = nlohmann::json::array();
        for (const FoundPhase& p : phases) {
            list.push_back({{"phase", p.name->key}, {"jd_ut", p.result.jd}, {"utc", UtcText(p.result.ut)}});
        }
        PrintJson(ctx, list);
        return kExitOk;
    }
    for (const FoundPhase& p : phases) {
        char line[96];
        std::snprintf(line, sizeof line, "%-14s %s  JD %s\n", p.name->label, UtcText(p.result.ut).c_str(),
                      Fixed(p.result.jd, 5).c_str());
        ctx.Out() << line;
    }
    return kExitOk;
}

int RunEclipses(CliContext& ctx, const EventArgs& args) {
    const bool details = args.details;
    const CalendarDateTime t = ctx.ObservingTime();
    const std::vector<FoundEclipse> eclipses = CollectEclipses(args.count, t.year, t.month, t.day, ctx.Ephemeris());
    if (ctx.Json()) {
        nlohmann::json list = nlohmann::json::array();
        for (const FoundEclipse& e : eclipses) list.push_back(EclipseJson(e, details));
        PrintJson(ctx, list);
        return kExitOk;
    }
    for (const FoundEclipse& e : eclipses) PrintEclipse(ctx, e, details);
    return kExitOk;
}

}  // namespace

void AddEventCommands(CommandRegistry& registry) {
    auto phases = std::make_shared<EventArgs>();
    CLI::App* phasesCommand = registry.Add(
        "phases", "The next principal phases of the Moon at or after the observing time (Meeus, chapter 49)",
        [phases](CliContext& ctx) { return RunPhases(ctx, *phases); });
    AddCount(*phasesCommand, *phases, kDefaultPhaseCount);
    phasesCommand->footer("In time order: phase (new, first_quarter, full, last_quarter), jd_ut and utc. UT is "
                          "the phase's TT less the Delta T of its date.");

    auto eclipses = std::make_shared<EventArgs>();
    CLI::App* eclipsesCommand = registry.Add(
        "eclipses", "The solar and lunar eclipses from the observing date on (Meeus, chapter 54)",
        [eclipses](CliContext& ctx) { return RunEclipses(ctx, *eclipses); });
    AddCount(*eclipsesCommand, *eclipses, kDefaultEclipseCount);
    eclipsesCommand->add_flag("--details", eclipses->details,
                              "adds jd_ut, gamma and u, and for a lunar eclipse the contacts p1 u1 u2 greatest u3 "
                              "u4 p4 (JD, UT; null when that phase does not happen), umbral_magnitude and "
                              "penumbral_magnitude");
    eclipsesCommand->footer(
        "The search starts with the lunation nearest the date, so a solar eclipse up to about a week before "
        "the date may come first. Keys: kind (solar, lunar), type (Penumbral, Partial, Annular, Total; a "
        "hybrid is Total or Annular), utc of greatest eclipse, duration_s (lunar: the total phase, else the "
        "partial, else the penumbral; null for solar).");
}

}  // namespace vsp::cli
