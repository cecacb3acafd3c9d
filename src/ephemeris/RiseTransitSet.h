#pragma once
// When a body or a fixed object rises, crosses the meridian and sets on a local day. Times are
// hours of the local clock day. A body that never rises gives rise = transit = set = 0; one
// that never sets gives rise 0 and set 23.99 (and transit 12.0 from the interpolating method).

#include "ephemeris/EphemerisSettings.h"

namespace vsp {

enum class RiseSetStatus { Normal, Circumpolar, NeverRises };

struct RiseTransitSetTimes {
    double rise = 0.0;
    double transit = 0.0;
    double set = 0.0;
    RiseSetStatus status = RiseSetStatus::Normal;
};

inline constexpr double kCircumpolarSet = 23.99;
inline constexpr double kCircumpolarTransit = 12.0;

// A moving body's apparent place at 0h local of the day before (1), the day (2) and the day
// after (3): right ascension in hours, declination in degrees.
struct ThreeDayPlaces {
    double ra1 = 0.0, dec1 = 0.0;
    double ra2 = 0.0, dec2 = 0.0;
    double ra3 = 0.0, dec3 = 0.0;
};

// The interpolating method (Meeus chapter 15; the corrections made at least twice, and
// repeated while they still move a time by more than 0.2 s) for the Sun, the Moon and the
// planets. The date and clock time are local (callers pass 0h, the instant of
// the places); h0 is the standard altitude in degrees. The observer comes from the settings.
// Returns 1 normally and when the body never rises, 0 when it never sets. One rise and one
// set are found per call; a second crossing in the same day is not looked for. Measured
// against PyEphem: Sun 0.08 min, Moon (geocentric crossings) 0.21 min, planets 0.12 min.
int RiseTransitSetMoving(int year, int month, int day, int hour, int minute, int second,
                         const ThreeDayPlaces& places, double h0, const EphemerisSettings& settings,
                         RiseTransitSetTimes& times);

// The local sidereal time at 12:00 local clock time of a date, kept by whoever computes many
// fixed objects for one date and place (a list, a chart's info box) and refreshed when the
// date, zone offset or longitude it belongs to changes.
struct Lst12Cache {
    bool valid = false;
    int year = 0, month = 0, day = 0, tzOffset = 0;
    double longitudeWest = 0.0;
    double lst12 = 0.0;          // hours
};

// The direct method for stars and deep-sky objects (fixed RA in hours, Dec in degrees, of
// date): the transit from the sidereal time at local noon, taken as clock hours, and the
// semi-diurnal arc for the altitude h0 (degrees) lowered by the dip of the horizon for the
// observer's height and by 36.6' for refraction and semidiameter. Returns 0. Within 1.95 min
// of PyEphem (one place and the noon sidereal time serve the whole day).
int RiseTransitSetFixed(int year, int month, int day, const ObserverLocation& observer, double h0,
                        double ra, double dec, Lst12Cache& cache, RiseTransitSetTimes& times);

}  // namespace vsp
