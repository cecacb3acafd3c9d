#include "forms/DateTimeEntry.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Time.h"

namespace vsp {

namespace {

CalendarDateTime Shifted(CalendarDateTime t, int minutes) {
    AddMinutes(t.year, t.month, t.day, t.hour, t.minute, minutes);
    return t;
}

}  // namespace

CalendarDateTime ShownTime(const DateTimeEntry& entry) {
    return entry.universal ? Shifted(entry.local, -entry.offset) : entry.local;
}

void SetShownTime(DateTimeEntry& entry, const CalendarDateTime& shown) {
    entry.local = entry.universal ? Shifted(shown, entry.offset) : shown;
}

double EntryJulianDay(const DateTimeEntry& entry) {
    const CalendarDateTime& t = entry.local;
    return JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, entry.offset);
}

bool EntryInRange(const DateTimeEntry& entry) { return IsAcceptableJulianDay(EntryJulianDay(entry)); }

bool SetJulianDay(DateTimeEntry& entry, double jd) {
    if (!IsAcceptableJulianDay(jd)) return false;
    const CalendarDateTime ut = CalendarFromJulianDayTruncating(jd);
    entry.local = Shifted(ut, entry.offset);
    return true;
}

void StepField(DateTimeEntry& entry, DateField field, int delta) {
    CalendarDateTime t = ShownTime(entry);
    switch (field) {
        case DateField::Year: t.year += delta; break;
        case DateField::Month: {
            const int months = t.year * 12 + t.month - 1 + delta;
            t.year = int(std::floor(months / 12.0));
            t.month = months - t.year * 12 + 1;
            break;
        }
        case DateField::Day: t = Shifted(t, delta * 24 * 60); break;
        case DateField::Hour: t = Shifted(t, delta * 60); break;
        case DateField::Minute: t = Shifted(t, delta); break;
    }
    t.day = std::min(t.day, DaysInMonth(t.year, t.month));
    SetShownTime(entry, t);
}

std::string WeekdayName(const CalendarDateTime& shown) {
    static const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    // (JD of 0h + 1.5) mod 7 counts the days from a Sunday (Meeus, Astronomical Algorithms, ch. 7).
    const long day = long(std::floor(JulianDay(shown.year, shown.month, shown.day) + 1.5));
    return kDays[((day % 7) + 7) % 7];
}

}  // namespace vsp
