#pragma once
// One artificial satellite as the program computes it: the mean elements of its two-line
// element set (TLE), what the SGP and near-Earth SGP4 models of Spacetrack Report No. 3 derive
// from them once, and the last computed state (position, look angles, sub-satellite point,
// shadow). Frames: position and velocity in the models' true-equator, mean-equinox frame (km,
// km/s); look angles topocentric on the WGS-72 ellipsoid. Times are Julian Dates (UT).
// Accuracy: the models' own (SGP4 within a few km of the published verification output over a
// few days for near-Earth orbits). Orbits of 225 minutes or more also carry the terms of the
// deep-space branch (SDP4), used where the "Deep-space orbits" setting asks for it.

#include <cstdint>
#include <string>

#include "satellites/DeepSpaceTerms.h"

namespace vsp {

// A vector of the models: x, y, z and the magnitude, refreshed by every operation that changes it.
struct SatelliteVector {
    double x = 0.0, y = 0.0, z = 0.0;
    double w = 0.0;
};

enum class SatelliteModel { Sgp, Sgp4, Sdp4 };

// The "Deep-space orbits" setting: orbits of 225 minutes or more by the near-Earth formulas (as
// every orbit) or by SGP4 with its deep-space branch at every age.
enum class DeepSpaceOrbits { NearEarthFormulas, Sdp4 };

// The observer of the satellite computations: geodetic latitude and east longitude in degrees,
// height above the ellipsoid in km; and how the computations propagate deep-space orbits.
struct SatelliteObserver {
    double latitudeDeg = 0.0;
    double longitudeEastDeg = 0.0;
    double heightKm = 0.0;
    DeepSpaceOrbits deepSpaceOrbits = DeepSpaceOrbits::NearEarthFormulas;
};

// What near-Earth SGP4 derives from the elements once (the symbols of Spacetrack Report No. 3):
// the recovered semi-major axis and mean motion, the drag and gravity coefficients and the
// secular rates (radians per minute).
struct Sgp4Terms {
    double aodp = 0.0, xnodp = 0.0, eta = 0.0;
    double c1 = 0.0, c4 = 0.0, c5 = 0.0, d2 = 0.0, d3 = 0.0, d4 = 0.0;
    double t2cof = 0.0, t3cof = 0.0, t4cof = 0.0, t5cof = 0.0;
    double omgcof = 0.0, xmcof = 0.0, xnodcf = 0.0, delmo = 0.0, sinmo = 0.0;
    double xmdot = 0.0, omgdot = 0.0, xnodot = 0.0;
    double xlcof = 0.0, aycof = 0.0, x3thm1 = 0.0, x1mth2 = 0.0, x7thm1 = 0.0;
    bool simpleDrag = false;  // perigee below 220 km: the drag terms beyond C1 are left out
};

struct SatelliteElements {
    // ---- read from the element set (angles in radians, rates per minute) ----
    double epoch = 0.0;          // YYDDD.DDDDDDDD as written
    double epochJd = 0.0;
    double meanMotion = 0.0;     // n0, radians per minute
    double meanMotionRevPerDay = 0.0;
    double nDot2 = 0.0;          // first derivative / 2, radians per minute²
    double nDdot6 = 0.0;         // second derivative / 6, radians per minute³
    double bstar = 0.0;
    double inclination = 0.0;
    double node = 0.0;
    double eccentricity = 0.0;
    double perigee = 0.0;        // argument of perigee
    double meanAnomaly = 0.0;
    // ---- derived once by ConvertSatelliteRecord ----
    double keOverN0 = 0.0, a1 = 0.0, cosI0 = 0.0, sinI0 = 0.0, delta1 = 0.0;
    double a0 = 0.0, p0 = 0.0, q0 = 0.0, l0 = 0.0;  // Earth radii; L0 = M0 + ω0 + Ω0
    double nodeRate = 0.0, perigeeRate = 0.0;       // radians per minute
    double modelMeanMotion = 0.0;                   // n0″, radians per minute
    double periodMin = 0.0;
    bool deepSpace = false;                         // period >= 225 minutes
    Sgp4Terms sgp4;
    DeepSpaceTerms deep;                            // deepSpace orbits only
    // ---- the last computation ----
    SatelliteModel model = SatelliteModel::Sgp4;
    double minutesSinceEpoch = 0.0;
    SatelliteVector position;    // km
    SatelliteVector velocity;    // km/s
    double azimuthDeg = 0.0, elevationDeg = 0.0;
    double rangeKm = 0.0, rangeRateKmS = 0.0;
    double raHours = 0.0, decDeg = 0.0;             // topocentric
    double subLatitudeDeg = 0.0, subLongitudeDeg = 0.0, heightKm = 0.0;  // east positive
    bool eclipsed = false;
    double eclipseDepth = 0.0;   // radians
};

// The 213-byte database record: name (71 bytes), line 1 (71), line 2 (71), each NUL-terminated
// (SatelliteDatabase.h has the layout).
struct SatelliteRecord {
    std::string name;
    std::string line1;
    std::string line2;
    // 340000 to 999999999: the catalog number the lines cannot hold (their catalog columns then
    // hold kLargeNumberPlaceholder); 0 when the lines hold it.
    int64_t largeCatalogNumber = 0;
};

}  // namespace vsp
