#include "chart/ChartPalette.h"

#include <algorithm>

#include "settings/NightLevels.h"

namespace vsp {

namespace {

constexpr Colour kRed = MakeColour(255, 0, 0);
constexpr Colour kDarkRed = MakeColour(140, 0, 0);
constexpr Colour kLightGrey = MakeColour(238, 238, 238);
constexpr Colour kYellow = MakeColour(255, 230, 40);
constexpr Colour kViolet = MakeColour(102, 0, 204);
constexpr Colour kGrey = MakeColour(102, 102, 102);
constexpr Colour kSlate = MakeColour(51, 51, 102);
constexpr Colour kSlateOnWhite = MakeColour(130, 130, 130);
constexpr Colour kDarkBlue = MakeColour(21, 21, 70);

// The background moved `fraction` of the way towards `glow`.
Colour Towards(Colour background, Colour glow, double fraction) {
    auto mix = [fraction](uint8_t from, uint8_t to) { return uint8_t(from + (to - from) * fraction + 0.5); };
    return MakeColour(mix(ColourRed(background), ColourRed(glow)), mix(ColourGreen(background), ColourGreen(glow)),
                      mix(ColourBlue(background), ColourBlue(glow)));
}

void SetMilkyWay(ChartPalette& p, Colour glow, double step) {
    for (size_t level = 0; level < p.milkyWay.size(); ++level)
        p.milkyWay[level] = Towards(p.background, glow, step * double(level + 1));
}

ChartPalette NightPalette(int intensity) {
    const Colour main = MakeColour(uint8_t(intensity), 0, 0);
    const Colour secondary = MakeColour(uint8_t(std::max(0, intensity - 50)), 0, 0);
    const Colour faint = MakeColour(uint8_t(std::max(0, intensity - 70)), 0, 0);
    ChartPalette p;
    p.background = kColourBlack;
    p.text = p.compass = p.objectName = p.selection = p.sunDisc = p.bodyOutline = p.scope = p.overlay = main;
    p.horizon = p.constellationName = secondary;
    p.grid = p.constellationLine = p.ecliptic = p.border = faint;
    p.starName = secondary;
    // Steps of 8 or more in red, so that the 16-bit screen keeps every level apart.
    SetMilkyWay(p, main, std::max(0.05, 8.0 / intensity));
    return p;
}

}  // namespace

int NightRedIntensity(int nightLevel) {
    return kNightRedIntensity[size_t(std::clamp(nightLevel, 0, kNightLevelCount - 1))];
}

ChartPalette MakeChartPalette(int background, int nightLevel) {
    if (nightLevel > 0) return NightPalette(NightRedIntensity(nightLevel));
    ChartPalette p;
    const bool white = background == 2;
    p.background = white ? kColourWhite : background == 1 ? kDarkBlue : kColourBlack;
    p.text = white ? kColourBlack : kLightGrey;
    p.horizon = white ? kDarkRed : kRed;
    p.grid = white ? kSlateOnWhite : kSlate;
    p.constellationLine = white ? kSlateOnWhite : MakeColour(70, 90, 150);
    p.constellationName = white ? kViolet : MakeColour(140, 140, 200);
    p.ecliptic = white ? kDarkRed : kYellow;
    p.compass = white ? kDarkRed : kYellow;
    p.objectName = white ? kGrey : MakeColour(170, 170, 170);
    p.selection = white ? kRed : kYellow;
    p.bodyOutline = white ? kGrey : kLightGrey;
    p.sunDisc = kYellow;
    // Borders sit beneath the figures: warm and dim, so that they never read as figure lines.
    p.border = white ? MakeColour(205, 170, 150) : MakeColour(95, 70, 60);
    p.starName = white ? MakeColour(60, 60, 140) : MakeColour(150, 190, 230);
    SetMilkyWay(p, white ? MakeColour(120, 130, 170) : MakeColour(170, 185, 230), 0.06);
    // A finder's red reads on black, dark blue and white alike.
    p.overlay = kRed;
    // Green is used by nothing else on the chart, so the marker stands out among yellow and
    // grey names and blue figures.
    p.scope = white ? MakeColour(0, 140, 40) : MakeColour(60, 255, 110);
    return p;
}

}  // namespace vsp
