#pragma once
// One body as the observer sees it at a local clock time: the record every screen that shows
// the Sun, the Moon or a planet reads.

#include "ephemeris/BodyPosition.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"

namespace vsp {

struct BodyHorizon {
    double altitude = 0.0;  // degrees, refracted in chart modes 1 and 3
    double azimuth = 0.0;   // degrees from north through east
};

// Fills `record` for body `code` at an instant (LocalInstant of the observing time), for the
// settings' observer and chart mode: the planets (codes 2-8, the Earth 10) by the vector
// reduction, geocentric in chart modes 0 and 1 and topocentric in 2 and 3; the Sun (0, 13),
// the Moon (1) and Pluto (9) by their series. Chart modes 1 and 3 refract the final place.
// `horizon`, when given, gets the altitude and azimuth of that place for the observer.
// Returns 0; kEphemerisOutOfRange when the TT lies outside the Earth ephemeris (never for the
// Moon), kEphemerisUnknownBody for a code without a theory; on any failure the record and
// horizon are all zeros. Right ascension in hours, declination in degrees, apparent, true
// equator and equinox of date. Measured in chart mode 0 against PyEphem (22 dates 1900-2100):
// Sun 0.56", Mercury 1.4", Venus 3.6", Mars 29", Jupiter 41", Saturn 66", Uranus 70", Neptune
// 8.5", Pluto 64" (PyEphem's own theories part from Simon 1994 by as much); the Moon 1.56"
// (200 dates).
int ComputeBody(BodyPosition& record, int code, const Instant& when, const EphemerisSettings& settings,
                BodyHorizon* horizon = nullptr);

// The bodies with their own series: the Sun (0 and 13), the Moon (1, MoonPrecise) and
// Pluto (9), topocentric by the classical parallax in chart modes 2 and 3; no refraction. The
// Moon's distance stays geocentric. Other codes: kEphemerisUnknownBody. Failures zero the record.
int ComputeSunMoonPluto(BodyPosition& record, int code, const Instant& when, const EphemerisSettings& settings);

// Fields 10 and 11 of the record from its RA and Dec, with the mean obliquity of the instant.
void SetEclipticCoordinates(BodyPosition& record, const Instant& when);

}  // namespace vsp
