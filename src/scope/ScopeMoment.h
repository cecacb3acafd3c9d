#pragma once
// The clock time and site a telescope operation refers to, read afresh at each operation, and
// the sky arithmetic the protocols and forms do with it. Right ascension in hours, declination,
// azimuth (from north through east) and altitude in degrees.

#include <functional>
#include <string_view>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"
#include "scope/EmulatedMount.h"

namespace vsp {

struct ScopeMoment {
    CalendarDateTime local;
    EphemerisSettings settings;
    TextFormats formats;  // for the positions shown by drives that cannot slew
};
using ScopeClock = std::function<ScopeMoment()>;

// A question put to the user with Yes and No buttons; true for Yes.
using ScopeQuestion = std::function<bool(std::string_view question)>;

// Local mean sidereal time (hours) of the moment at its site.
double LocalSiderealHours(const ScopeMoment& moment);
// Julian Date (UT) of the moment.
double JulianDayOf(const ScopeMoment& moment);

struct HorizontalPlace {
    double azimuth = 0.0;   // degrees from north through east
    double altitude = 0.0;  // degrees
};
// Where a place of date stands in the moment's sky (no refraction).
HorizontalPlace HorizontalOf(const ScopeMoment& moment, const EquatorialPosition& place);
// The place of date (RA hours in [0, 24), Dec degrees) of a direction in the moment's sky.
EquatorialPosition EquatorialOf(const ScopeMoment& moment, const HorizontalPlace& place);

}  // namespace vsp
