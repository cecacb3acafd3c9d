#pragma once
// The eclipse list: the solar and lunar eclipses from a date on, as the eclipse screen lists
// them, with what the screen shows of each.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/Time.h"

namespace vsp {

inline constexpr int32_t kEclipseLunar = 0;
inline constexpr int32_t kEclipseSolar = 1;
inline constexpr int kEclipseListCapacity = 15;

struct EclipseEntry {
    int32_t kind = kEclipseLunar;  // kEclipseSolar or kEclipseLunar
    double type = kEclipseNone;
    CalendarDateTime greatest{0, 0, 0, 0, 0, 0};  // the instant of greatest eclipse, UT
    int32_t duration = 0;   // seconds; lunar eclipses only
    int32_t selection = -1; // kept for the screens' selection
};

// What the search learned of an eclipse beyond its list entry: the instant of greatest eclipse
// (JD, UT), gamma and u, and for a lunar eclipse its details (contacts in JD, UT).
struct EclipseCircumstances {
    double jd = 0;
    double gamma = 0, u = 0;
    LunarEclipseDetails lunar{};
};

// Rebuilt whole by every search.
struct EclipseList {
    std::array<EclipseEntry, kEclipseListCapacity> entries{};
    std::array<EclipseCircumstances, kEclipseListCapacity> circumstances{};
    int count = 0;
};

// Lists the eclipses from the lunation nearest the date on (the new moon of that lunation may
// lie up to about a week before the date), new moon then full moon of each lunation, until at
// least `wanted` are listed. Both halves of a lunation are tested before the count is compared,
// so one more than wanted may be listed; the list never holds more than its capacity.
void FindEclipses(EclipseList& list, int wanted, int year, int month, int day,
                  const EphemerisSettings& settings);

// `count` eclipses (exactly) from the date on: one list, then as many further lists as needed,
// each searched from the day after the last eclipse found. A further search may begin with the
// lunation of that last eclipse; what it finds again is kept once.
struct FoundEclipse {
    EclipseEntry entry;
    EclipseCircumstances circumstances;
};
std::vector<FoundEclipse> CollectEclipses(int count, int year, int month, int day,
                                          const EphemerisSettings& settings);

// A lunar eclipse's duration in seconds: the total phase if there is one, else the partial
// phase, else the penumbral phase. The type rule admits a Moon that passes just outside the
// penumbra (no contact at all); its duration is 0.
int32_t LunarEclipseDuration(const LunarEclipseDetails& details);

// The two columns of a list row: "%04d/%02d/%02d Sun" (or "Moon") and the type name, or
// "Unknown event" and nothing for an entry of any other kind; and the picture of the type on
// the larger layout (0 for none).
struct EclipseRowText {
    std::string date;
    std::string type;
    int picture = 0;
};
EclipseRowText EclipseRow(const EclipseEntry& entry);

}  // namespace vsp
