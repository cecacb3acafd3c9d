#pragma once
// What the pictures of Jupiter, Saturn, Mars and the Moon show at an instant, from the physical
// ephemerides (JupiterFace and GalileanMoons, SaturnRings and SaturnMoons, MarsFace, MoonFace):
// the picture's input (PlanetPicture.h) with the body's satellites, and the apparent size the
// chart draws it at. The bright limb's position angle is the Sun's as seen from the body, from
// the apparent places of both.

#include "chart/PlanetPicture.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"

namespace vsp {

struct PlanetFaceScene {
    PlanetPictureInput picture;
    double diameterArcsec = 0.0;  // the equatorial diameter of the globe
};

// `body` kBodyJupiter, kBodySaturn, kBodyMars or kBodyMoon; `grsLongitudeDeg` the Great Red
// Spot's System II longitude (Jupiter only). False for another body or outside the theories.
bool BuildPlanetFaceScene(int body, const Instant& when, const EphemerisSettings& settings, double grsLongitudeDeg,
                          PlanetFaceScene& out);

}  // namespace vsp
