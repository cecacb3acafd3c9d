#pragma once
// The observer as the reduction sees it, and the observer's position on the rotating Earth.

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Vec3.h"

namespace vsp {

struct ObserverPlace {
    double latitude = 0.0;      // degrees, north positive
    double longitude = 0.0;     // degrees, EAST positive (the location record is west positive)
    double height = 0.0;        // metres
    double temperature = 10.0;  // degrees Celsius
    double pressure = 1013.0;   // millibars
};

ObserverPlace ObserverPlaceFromLocation(const ObserverLocation& location);

struct ObserverState {
    Vec3 position;  // AU
    Vec3 velocity;  // AU/day
};

// Geocentric position and velocity of the observer in the frame of the true equator and
// equinox of date; gastHours is the Greenwich apparent sidereal time (the place's longitude is
// added here).
ObserverState ObserverVector(const ObserverPlace& place, double gastHours);

}  // namespace vsp
