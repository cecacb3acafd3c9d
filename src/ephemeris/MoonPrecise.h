#pragma once
// The Moon's record for the chart and the information screens: apparent geocentric place of
// date from the long lunar theory, distance, diameter, phase, magnitude and age.

#include "ephemeris/BodyPosition.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"

namespace vsp {

// The Moon's diameter in arcminutes at a distance in AU.
double MoonDiameter(double distanceAu);

// Fills the record's fields 1-7 and the elongation, the series at the instant's TT: right
// ascension IN RADIANS [0, 2 pi) (ComputeSunMoonPluto turns it into hours), declination
// (degrees), geocentric distance (AU), the illuminated fraction from the phase angle, the
// magnitude, the illuminated fraction from the age (field 6) and the diameter (arcminutes).
// The age is taken at the local clock time of the instant (its UT and the settings' zone
// offset, to the whole second). `pictureIndex`, when given, gets the phase picture 0..28.
// Measured against PyEphem over 200 dates 1900-2100: apparent geocentric place within 1.56",
// distance within 0.4 km.
void MoonPrecise(BodyPosition& record, const Instant& when, const EphemerisSettings& settings,
                 int* pictureIndex = nullptr);

}  // namespace vsp
