#include "ephemeris/Eclipses.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

constexpr int kSolarPictureBase = 4072;
constexpr int kLunarPictureBase = 4076;
// Two eclipses found by different searches are the same one when their instants are this close
// (distinct eclipses are at least a fortnight apart).
constexpr double kSameEclipseDays = 1.0;

// The interval between two contacts as a time of day: whole seconds, truncated (0 when a
// contact is absent).
int32_t ContactInterval(double earlier, double later) {
    if (!HasContact(earlier) || !HasContact(later)) return 0;
    return int32_t(std::trunc(ReduceAngle((later - earlier + 1) * 24, 24.0) * 3600));
}

bool Positive(double contact) { return HasContact(contact) && contact > 0; }

void Append(EclipseList& list, const EclipseEntry& entry, const EclipseCircumstances& circumstances) {
    if (list.count >= kEclipseListCapacity) return;
    list.entries[list.count] = entry;
    list.circumstances[list.count] = circumstances;
    ++list.count;
}

EclipseEntry EntryAt(int32_t kind, int type, double jd) {
    EclipseEntry entry;
    entry.kind = kind;
    entry.type = type;
    entry.greatest = CalendarFromJulianDayTruncating(jd);
    return entry;
}

}  // namespace

int32_t LunarEclipseDuration(const LunarEclipseDetails& d) {
    if (Positive(d.u3) && HasContact(d.u2)) return ContactInterval(d.u2, d.u3);
    if (Positive(d.u4) && HasContact(d.u1)) return ContactInterval(d.u1, d.u4);
    return ContactInterval(d.p1, d.p4);
}

void FindEclipses(EclipseList& list, int wanted, int year, int month, int day,
                  const EphemerisSettings& settings) {
    list = EclipseList{};
    // What a lunation counter of 0 derives from the date.
    int32_t lunation = LunationFromDate(year, month, day);
    LunarPhaseResult phase;
    while (list.count < wanted && list.count < kEclipseListCapacity) {
        const int solar = LunarPhaseOf(kPhaseNew, lunation, kLunarPhaseEclipse, settings, phase);
        if (solar != kEclipseNone) {
            Append(list, EntryAt(kEclipseSolar, solar, phase.jd), {phase.jd, phase.gamma, phase.u, {}});
        }
        LunarEclipseDetails details{};
        const int lunar = LunarPhaseOf(kPhaseFull, lunation, kLunarPhaseEclipse, settings, phase, &details);
        if (lunar != kEclipseNone) {
            EclipseEntry entry = EntryAt(kEclipseLunar, lunar, phase.jd);
            entry.duration = LunarEclipseDuration(details);
            Append(list, entry, {phase.jd, phase.gamma, phase.u, details});
        }
        lunation += 1;
    }
}

std::vector<FoundEclipse> CollectEclipses(int count, int year, int month, int day,
                                          const EphemerisSettings& settings) {
    std::vector<FoundEclipse> found;
    EclipseList list;
    int wanted = count < kEclipseListCapacity ? count : kEclipseListCapacity;
    while (int(found.size()) < count) {
        FindEclipses(list, wanted, year, month, day, settings);
        if (list.count == 0) break;  // never: every few lunations hold an eclipse
        for (int i = 0; i < list.count && int(found.size()) < count; ++i) {
            if (!found.empty() && list.circumstances[i].jd < found.back().circumstances.jd + kSameEclipseDays) {
                continue;
            }
            found.push_back({list.entries[i], list.circumstances[i]});
        }
        const CalendarDateTime& last = found.back().entry.greatest;
        const CalendarDateTime next = CalendarFromJulianDay(JulianDay(last.year, last.month, last.day) + 1);
        year = next.year;
        month = next.month;
        day = next.day;
        wanted = kEclipseListCapacity;
    }
    return found;
}

EclipseRowText EclipseRow(const EclipseEntry& entry) {
    EclipseRowText row;
    char date[48];
    const int type = int(entry.type);
    if (entry.kind == kEclipseSolar || entry.kind == kEclipseLunar) {
        const bool solar = entry.kind == kEclipseSolar;
        std::snprintf(date, sizeof date, solar ? "%04d/%02d/%02d Sun" : "%04d/%02d/%02d Moon",
                      entry.greatest.year, entry.greatest.month, entry.greatest.day);
        row.date = date;
        row.type = EclipseTypeName(type);
        if (!row.type.empty()) row.picture = (solar ? kSolarPictureBase : kLunarPictureBase) + type;
    } else {
        row.date = "Unknown event";
    }
    return row;
}

}  // namespace vsp
