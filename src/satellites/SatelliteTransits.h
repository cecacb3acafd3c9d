#pragma once
// A satellite crossing the disc of the Sun or the Moon as seen from the site, or passing within
// a margin of the disc's edge. Both directions are compared in the observer's horizon frame:
// the satellite's geometric look angles (near-Earth SGP4 at every age, TEME turned by the
// Greenwich mean sidereal time), the body's topocentric apparent place of date turned by the
// apparent sidereal time (the ephemeris's Sun and Moon, no refraction), so the two equinoxes
// never meet. Accuracy (measured against skyfield and PyEphem, tests/data/satellites/README.md):
// closest approach within 0.002 s, separation within 0.0011 degrees, centre line within 0.15 km.

#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

enum class TransitBody { Sun, Moon };

struct TransitEvent {
    TransitBody body = TransitBody::Sun;
    double jdUt = 0.0;            // closest approach, Julian Date (UT)
    double separationDeg = 0.0;   // centre of the disc to the satellite
    double bodyRadiusDeg = 0.0;   // topocentric apparent radius
    double durationS = 0.0;       // inside the disc; 0 for a near pass
    double bodyAltitudeDeg = 0.0; // geometric
    double centreLineKm = 0.0;    // how far to move on the ground to see the satellite cross the centre
    bool near = false;            // outside the disc, within the margin of its edge
};

// One site twice: as the ephemeris takes it for the body and as the satellite computations take
// it (SearchObserver of the same location, with its propagation choices).
struct TransitSite {
    EphemerisSettings ephemeris;  // west-positive longitude, height in metres
    SatelliteObserver observer;   // east-positive longitude, height in km
    double deltaTSeconds = 0.0;
};

// The transits and near passes (closest approach within `marginDeg` of the disc's edge) of one
// body while the satellite is above the horizon between riseJd and setJd (UT), the body above
// the horizon at the closest approach, by time.
std::vector<TransitEvent> FindTransitsInPass(const SatelliteElements& elements, const TransitSite& site,
                                             TransitBody body, double riseJd, double setJd, double marginDeg);

}  // namespace vsp
