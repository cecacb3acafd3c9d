// The Moon's events: phases (the principal phases from the observing time on) and eclipses
// (the eclipse list from the observing date on).

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "ephemeris/Eclipses.h"
#include "ephemeris/LocalEclipse.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "format/EventText.h"
#include "format/MoonPhaseList.h"
#include "platform/FormatText.h"

namespace vsp::cli {
namespace {

constexpr int kDefaultPhaseCount = 4;     // one of each phase
constexpr int kDefaultEclipseCount = 12;  // what the eclipse list screen asks for
constexpr int kMaxCount = 10000;

// The JSON key of a phase code.
const char* PhaseKey(double code) {
    if (code == kPhaseFirstQuarter) return "first_quarter";
    if (code == kPhaseFull) return "full";
    if (code == kPhaseLastQuarter) return "last_quarter";
    return "new";
}

std::string UtcText(int year, int month, int day, int hour, int minute, int second) {
    return IsoDate(year, month, day) + "T" + IsoClock(hour, minute, second) + "Z";
}

std::string UtcText(const CalendarDateTime& t) {
    return UtcText(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

struct EventArgs {
    int count = 0;
    bool details = false;
    bool local = false;
};

void AddCount(CLI::App& command, EventArgs& args, int fallback) {
    args.count = fallback;
    command.add_option("--count", args.count, "how many (default " + std::to_string(fallback) + ")")
        ->type_name("N")
        ->check(CLI::Range(1, kMaxCount));
}

nlohmann::json ContactJson(double jd) { return HasContact(jd) ? nlohmann::json(jd) : nlohmann::json(nullptr); }

nlohmann::json EclipseJson(const FoundEclipse& e, bool details) {
    const bool solar = e.entry.kind == kEclipseSolar;
    nlohmann::json item = {{"kind", solar ? "solar" : "lunar"},
                           {"type", EclipseTypeName(int(e.entry.type))},
                           {"utc", UtcText(e.entry.greatest)},
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

nlohmann::json NumberOrNull(double x) { return std::isfinite(x) ? nlohmann::json(x) : nlohmann::json(nullptr); }

nlohmann::json LocalJson(const FoundEclipse& e, const EphemerisSettings& settings) {
    const LocalEclipse here = LocalEclipseAt(e.entry, e.circumstances, settings);
    nlohmann::json local = {{"visible", here.visible}, {"magnitude", NumberOrNull(here.magnitude)},
                            {"obscuration", NumberOrNull(here.obscuration)}};
    nlohmann::json list = nlohmann::json::array();
    for (const NamedEclipseContact& c : here.contacts) {
        const nlohmann::json jd = NumberOrNull(c.at.jd), alt = NumberOrNull(c.at.altitude),
                             az = NumberOrNull(c.at.azimuth);
        list.push_back({{"name", c.name}, {"jd_ut", jd}, {"alt_deg", alt}, {"az_deg", az}});
        if (!c.key) continue;
        const std::string key = c.key;
        local[key + "_jd_ut"] = jd;
        local[key + "_alt_deg"] = alt;
        local[key + "_az_deg"] = az;
    }
    local["contacts"] = list;
    return local;
}

void PrintEclipse(CliContext& ctx, const FoundEclipse& e, bool details) {
    const EclipseRowText row = EclipseRow(e.entry);
    const CalendarDateTime& g = e.entry.greatest;
    ctx.Out() << FormatText("%-16s %-10s %s UT", row.date.c_str(), row.type.c_str(),
                            IsoClock(g.hour, g.minute, g.second).c_str());
    if (e.entry.kind == kEclipseLunar) ctx.Out() << "  " << EclipseDurationText(e.entry.duration);
    ctx.Out() << "\n";
    if (!details) return;
    const EclipseCircumstances& c = e.circumstances;
    ctx.Out() << "    JD " << Fixed(c.jd, 5) << "  gamma " << Fixed(c.gamma, 4) << "  u " << Fixed(c.u, 4) << "\n";
    if (e.entry.kind != kEclipseLunar) return;
    const LunarEclipseDetails& d = c.lunar;
    ctx.Out() << "    P1 " << ContactClockText(d.p1) << "  U1 " << ContactClockText(d.u1) << "  U2 "
              << ContactClockText(d.u2) << "  U3 " << ContactClockText(d.u3) << "  U4 " << ContactClockText(d.u4)
              << "  P4 " << ContactClockText(d.p4) << "\n    umbral magnitude " << Fixed(d.umbralMagnitude, 4)
              << "  penumbral magnitude " << Fixed(d.penumbralMagnitude, 4) << "\n";
}

int RunPhases(CliContext& ctx, const EventArgs& args) {
    const std::vector<MoonPhaseEvent> phases = NextMoonPhases(ctx.ObservingTime(), args.count, ctx.Ephemeris());
    if (ctx.Json()) {
        nlohmann::json list = nlohmann::json::array();
        for (const MoonPhaseEvent& p : phases) {
            list.push_back({{"phase", PhaseKey(p.code)}, {"jd_ut", p.result.jd}, {"utc", UtcText(p.result.ut)}});
        }
        PrintJson(ctx, list);
        return kExitOk;
    }
    for (const MoonPhaseEvent& p : phases) {
        char line[96];
        std::snprintf(line, sizeof line, "%-14s %s  JD %s\n", MoonPhaseName(p.code), UtcText(p.result.ut).c_str(),
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
        for (const FoundEclipse& e : eclipses) {
            list.push_back(EclipseJson(e, details));
            if (args.local) list.back()["local"] = LocalJson(e, ctx.Ephemeris());
        }
        PrintJson(ctx, list);
        return kExitOk;
    }
    for (const FoundEclipse& e : eclipses) {
        PrintEclipse(ctx, e, details);
        if (args.local) {
            const LocalEclipse here = LocalEclipseAt(e.entry, e.circumstances, ctx.Ephemeris());
            ctx.Out() << LocalEclipseText(here, ctx.Ephemeris().location.tzOffset, "    ");
        }
    }
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
    eclipsesCommand->add_flag("--local", eclipses->local,
                              "adds local: the circumstances at the site (visible, c1..c4 and max as _jd_ut, "
                              "_alt_deg, _az_deg of the Sun or the Moon, refracted; magnitude, obscuration; "
                              "contacts: name, jd_ut, alt_deg, az_deg). A lunar eclipse's c1..c4 are U1..U4, and "
                              "its contacts P1 U1 U2 max U3 U4 P4; null where a contact does not happen");
    eclipsesCommand->footer(
        "The search starts with the lunation nearest the date, so a solar eclipse up to about a week before "
        "the date may come first. Keys: kind (solar, lunar), type (Penumbral, Partial, Annular, Total; a "
        "hybrid is Total or Annular), utc of greatest eclipse, duration_s (lunar: the total phase, else the "
        "partial, else the penumbral; null for solar).");
}

}  // namespace vsp::cli
