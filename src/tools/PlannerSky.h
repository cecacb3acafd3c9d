#pragma once
// The sky of a planner search: where a J2000 place stands at the search time for the
// observer. Places are precessed to the date (IAU 1976) in double precision, then tested for
// height in the program's 8.24 fixed-point arithmetic, as the handheld did for its thousands
// of candidates: sin(alt) = sin(lat) sin(dec) + cos(lat) cos(dec) cos(H), H = LST - RA in
// [-12 h, +12 h]. Nutation, aberration and refraction are left out (under an arcminute
// apart from refraction; the altitude is geometric).

#include "chart/FixedPoint.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Time.h"

namespace vsp {

struct PlannerSky {
    double jdUt = 0.0;
    double localSiderealHours = 0.0;
    double latitudeDeg = 0.0;
    Mat3 fromJ2000;  // precession from J2000 to the date
    Unit24 sinLatitude = 0;
    Unit24 cosLatitude = 0;
};

PlannerSky MakePlannerSky(const CalendarDateTime& local, const ObserverLocation& site);

struct SkyPlace {
    double raHours = 0.0;
    double decDeg = 0.0;
};
SkyPlace PlaceOfDate(const PlannerSky& sky, double raJ2000, double decJ2000);
SkyPlace PlaceOfJ2000(const PlannerSky& sky, double raOfDate, double decOfDate);

// The fixed-point sine of the place's altitude.
Unit24 SineOfAltitude(const PlannerSky& sky, double raJ2000, double decJ2000);
// The fixed-point sine of an altitude threshold in whole degrees.
Unit24 SineOfThreshold(int degrees);
// Geometric altitude in degrees, in double precision, for showing.
double AltitudeDegrees(const PlannerSky& sky, double raJ2000, double decJ2000);

}  // namespace vsp
