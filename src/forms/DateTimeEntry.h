#pragma once
// The date and time the date and time entry edits: a local civil date and clock time, shown
// either as it is or in universal time, convertible to and from its Julian Date.

#include <string>

#include "shell/AppState.h"

namespace vsp {

enum class DateField { Year, Month, Day, Hour, Minute };

struct DateTimeEntry {
    CalendarDateTime local;     // local clock = UT + offset
    int offset = 0;          // minutes
    bool universal = false;  // the fields show UT
};

// The fields as shown: the local time, or UT when the entry shows UT.
CalendarDateTime ShownTime(const DateTimeEntry& entry);
// Takes fields given as shown.
void SetShownTime(DateTimeEntry& entry, const CalendarDateTime& shown);
// The Julian Date (UT) of the entry.
double EntryJulianDay(const DateTimeEntry& entry);
// Whether the entry lies in the range a typed Julian Date may take (years 0 to 2199).
bool EntryInRange(const DateTimeEntry& entry);
// A typed Julian Date taken as UT; false, the entry untouched, outside years 0 to 2199.
bool SetJulianDay(DateTimeEntry& entry, double jd);
// One field of the shown time moved by `delta`, carried into the others; a day that the new
// month lacks becomes its last day.
void StepField(DateTimeEntry& entry, DateField field, int delta);
// "Sunday" for the shown date.
std::string WeekdayName(const CalendarDateTime& shown);

}  // namespace vsp
