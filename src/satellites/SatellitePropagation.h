#pragma once
// Element sets to mean elements, propagation with SGP, near-Earth SGP4 and SGP4 with its
// deep-space branch (SDP4), and what the observer sees. The pass and flare searches call these
// thousands of times per search.
// Accuracy (measured): SGP4 within 20 m and 0.02 m/s of Vallado's revision over ±5 days of the
// near-Earth verification cases; SDP4 within 1.8 m and 3 mm/s of python3-sgp4 (Vallado's
// revision) over the time spans of the deep-space verification cases; SGP within 4 m of Spacetrack
// Report No. 3's published output; look angles within 0.001° of PyEphem.

#include <optional>
#include <string>

#include "ephemeris/Vec3.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

// Parses the two element lines of `record` (columns as the TLE format fixes them; digits,
// point and sign read, blanks skipped, nothing rejected) and derives the model constants.
// Elements that FindElementValueFault refuses give meaningless (NaN) states, never a crash.
void ConvertSatelliteRecord(const SatelliteRecord& record, SatelliteElements& elements);

// A number of the element lines that no orbit the models can follow has: an angle outside its
// range, a mean motion not above 0, a perigee below the Earth's surface, a derivative or
// exponent outside what the format can write. `line` is the element line (1 or 2) holding it.
struct ElementValueFault {
    int line = 0;
    std::string reason;
};
std::optional<ElementValueFault> FindElementValueFault(const SatelliteRecord& record);

// Epoch YYDDD.DDDDDDDD to a Julian Date: years 57..99 are 19xx, 00..56 are 20xx; NaN for a
// field that is not a two-digit year and a day.
double SatelliteEpochToJd(double epoch);

// Position and velocity (km, km/s) at `minutes` from the epoch by one model, into elements.
void PropagateSgp(SatelliteElements& elements, double minutes);
void PropagateSgp4(SatelliteElements& elements, double minutes);
// SGP4 with the deep-space branch for an orbit of 225 minutes or more; plain SGP4 for others.
// Past a century from the epoch the state is NaN.
void PropagateSdp4(SatelliteElements& elements, double minutes);
// The model the full computation chooses: SGP when |minutes| is under 5 days, SGP4 otherwise.
void PropagateByAge(SatelliteElements& elements, double minutes);

// The near-Earth model of a computation: the full computation's age rule, SGP, or SGP4.
enum class NearEarthRule { ByAge, Sgp, Sgp4 };
// Every computation propagates through this: SDP4 for a deep-space orbit when the setting asks
// for it, the computation's own rule otherwise.
void Propagate(SatelliteElements& elements, double minutes, NearEarthRule rule, DeepSpaceOrbits deepSpaceOrbits);
// Whether the last state is of a deep-space orbit by the near-Earth formulas, and the warning
// the outputs give then.
bool DeepSpaceByNearEarthFormulas(const SatelliteElements& elements);
inline constexpr char kDeepSpaceByNearEarthFormulas[] = "Deep-space orbit: near-Earth formulas";

// The computations below propagate deep-space orbits as the observer's deepSpaceOrbits says.
// The full computation at `jdUt`: SGP within 5 days of the epoch, SGP4 beyond; position,
// velocity, topocentric right ascension and declination, sub-satellite point, look angles and
// range rate. The observer's height is taken as 0.
void ComputeSatellite(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements);
// SGP position and the look angles, range and range rate (the observer at its height), for the
// searches' steps: the topocentric right ascension and declination and the sub-satellite point
// keep what the last computation left there.
void ComputeSatelliteQuick(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements);
// SGP4 always, with the look angles and the sub-satellite point (the observer at its height).
void ComputeSatelliteSgp4(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements);
// ComputeSatelliteSgp4 and the Earth's shadow: eclipsed and eclipseDepth; ΔT in seconds.
void ComputeSatelliteVisibility(double jdUt, double deltaTSeconds, const SatelliteObserver& observer,
                                SatelliteElements& elements);

// The Sun's geocentric equatorial vector (km) by the low-precision solar theory, ΔT in seconds
// added to the time.
Vec3 SunPosition(double jdUt, double deltaTSeconds);

struct SatelliteShadow {
    bool eclipsed = false;
    double depth = 0.0;  // radians; not negative while eclipsed
};
SatelliteShadow IsEclipsed(const Vec3& satelliteKm, const Vec3& sunKm);

bool CanEverRise(const SatelliteElements& elements, double observerLatitudeDeg);
bool IsGeostationary(const SatelliteElements& elements);

// The observer at its height on the WGS-72 ellipsoid in the models' frame at `jdUt`: position
// (km) and the unit vector of its zenith (the ellipsoid's normal).
struct ObserverPlace {
    Vec3 positionKm;
    Vec3 zenith;
};
ObserverPlace PlaceObserver(double jdUt, const SatelliteObserver& observer);

// Greenwich mean sidereal angle, radians.
double SiderealAngle(double jdUt);

}  // namespace vsp
