#pragma once
// What the ephemeris reads from the settings at every call: the observer's location, the
// correction (chart) mode, the ΔT setting and the program's current date.
// The caller builds it from the preferences, so this library knows nothing of the shell.

namespace vsp {

struct ObserverLocation {
    double latitude = 51.0;       // degrees, north positive
    double longitudeWest = 0.0;   // degrees, WEST positive, as the location record keeps it
    double height = 0.0;          // metres
    int tzOffset = 0;             // minutes, local clock = UT + offset
    double temperature = 10.0;    // degrees Celsius
    double pressure = 1013.0;     // millibars
};

struct EphemerisSettings {
    ObserverLocation location;
    int chartMode = 0;            // 0 Geocentric, 1 Geoc. + Refract, 2 Topocentric, 3 Topo + Refract
    double deltaT = 66.184;       // the ΔT setting, seconds
    int currentYear = 0;          // year of the program's current (observing) date
};

}  // namespace vsp
