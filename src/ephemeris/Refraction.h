#pragma once
// Atmospheric refraction (G. G. Bennett, J. Navigation 35, 255 (1982), with Meeus's scaling
// for pressure and temperature, ch. 16) and the step from true RA/Dec to the observer's
// horizon.

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Instant.h"
#include "ephemeris/ObserverPlace.h"

namespace vsp {

// Refraction options: none, a standard atmosphere for the place's height, or the place's own
// temperature and pressure.
inline constexpr int kRefractionNone = 0;
inline constexpr int kRefractionStandard = 1;
inline constexpr int kRefractionLocal = 2;

// Degrees to subtract from the zenith distance (degrees) of an observed direction; 0 outside
// 0.1..91 degrees.
double Refraction(const ObserverPlace& place, int option, double zenithDeg);

struct HorizonPlace {
    double zenithDistance = 0.0;  // degrees, refracted when an option asks for it
    double azimuth = 0.0;         // degrees from north through east, [0, 360)
    double raHours = 0.0;         // the direction after refraction (unchanged without it)
    double decDeg = 0.0;
};

// raHours, decDeg: true equator and equinox of date; the Earth turned by the instant's UT.
HorizonPlace EquToHor(const Instant& when, const ObserverPlace& place, double raHours, double decDeg, int option,
                      EarthOrientationCache& cache);

}  // namespace vsp
