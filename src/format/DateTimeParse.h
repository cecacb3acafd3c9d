#pragma once
// Dates and clock times as a user types them: "YYYY-MM-DD" (astronomical year numbering, so
// "-0500-03-01" is 501 BC) and "HH:MM[:SS]". Every date and time the program reads goes
// through these, so a day the program's calendar does not have is refused in one place.

#include <optional>
#include <string>
#include <string_view>

#include "ephemeris/Time.h"

namespace vsp {

// nullopt when the text is not a date of the program's calendar (Julian up to 1583, Gregorian
// from 1584 on); `reason` then holds a one-line message such as
// "invalid date 2023-02-31 (February has 28 days)".
std::optional<CalendarDay> ParseCalendarDay(std::string_view text, std::string& reason);
// nullopt when the text is not a clock time from 00:00:00 to 23:59:59, with `reason` as above.
std::optional<ClockTime> ParseClockTime(std::string_view text, std::string& reason);

}  // namespace vsp
