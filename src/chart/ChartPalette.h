#pragma once
// The chart's colours for a background (black, dark blue, white) and a night level. Night mode
// keeps only pure reds of the level's intensity, on black, so that no green or blue light
// reaches a dark-adapted eye.
#include <array>

#include "platform/Colour.h"

namespace vsp {

struct ChartPalette {
    Colour background = kColourBlack;
    Colour text = kColourWhite;           // information lines, labels
    Colour horizon = kColourWhite;        // horizon circle, altitude/azimuth scale
    Colour grid = kColourWhite;           // equatorial and alt/az grid
    Colour constellationLine = kColourWhite;
    Colour constellationName = kColourWhite;
    Colour ecliptic = kColourWhite;
    Colour compass = kColourWhite;
    Colour objectName = kColourWhite;
    Colour selection = kColourWhite;      // the selected object's name
    Colour bodyOutline = kColourWhite;    // planet discs drawn to scale
    Colour sunDisc = kColourWhite;
    Colour overlay = kColourWhite;        // Telrad rings, eyepiece circle, CCD frame
    Colour scope = kColourWhite;          // the telescope's marker
    Colour border = kColourWhite;         // constellation borders, dimmer than the figures
    Colour starName = kColourWhite;       // proper names of the bright stars
    // The Milky Way's density levels 1..5: each a small step from the background towards a
    // pale glow, so that the brightest clouds stay far below the faintest star.
    std::array<Colour, 5> milkyWay{};
};

// Red intensities of night levels 1, 2, 3 (0 is normal light).
int NightRedIntensity(int nightLevel);

// `background` 0 Black, 1 Dark Blue, 2 White; `nightLevel` 0..3.
ChartPalette MakeChartPalette(int background, int nightLevel);

}  // namespace vsp
