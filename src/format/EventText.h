#pragma once
// The texts of event instants and durations that the eclipse and phase lists and the
// ephemeris tables show. Narrow, in the device code page.

#include <string>

#include "ephemeris/LocalEclipse.h"

namespace vsp {

// The UT clock time of a contact given as a JD, "HH:MM:SS"; "--:--:--" when the contact does
// not happen.
std::string ContactClockText(double jd);
// A duration in seconds, "%dh%02dm%02ds".
std::string EclipseDurationText(int seconds);
// Hours of a day as a clock time to the minute, "HH:MM" (rounded; 24:00 shows as 00:00).
std::string ClockMinutesText(double hours);
// A position on a 12-hour clock face given in clock hours, "h:mm" to the minute (rounded),
// the top of the face shown as 12: 0 and 11.999 both give "12:00", 6.5 gives "6:30".
std::string ClockFaceText(double clockHours);

// An eclipse at the site, one line each: "C1  17:33:26  alt  18.4  az 273.5" for every contact
// that happens (the clock time local, offset in minutes: local = UT + offset; altitude and
// azimuth in degrees), then "Magnitude 1.014  obscuration 1.000" (the Moon: the magnitude
// alone); or "not visible from here" when no part of it happens above the horizon. Every
// line ends with '\n'; `indent` goes before each.
std::string LocalEclipseText(const LocalEclipse& eclipse, int offsetMinutes, const std::string& indent = {});

}  // namespace vsp
