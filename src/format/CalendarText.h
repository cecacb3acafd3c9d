#pragma once
// The texts of calendar dates and clock times that the commands and forms show: ISO 8601
// dates ("2025-07-22", years before 1 with their sign as ISO 8601 extends them: "-0044-03-15")
// and clock times. Fields are written as given (no range check, no rounding).

#include <string>

namespace vsp {

std::string IsoDate(int year, int month, int day);
// "HH:MM:SS".
std::string IsoClock(int hour, int minute, int second);
// "HH:MM".
std::string ClockMinutes(int hour, int minute);
// A zone offset in minutes east of Greenwich, "+HH:MM" or "-HH:MM".
std::string IsoOffset(int minutes);

}  // namespace vsp
