#pragma once
// A colour as the device stores it: 0x00BBGGRR.

#include <cstdint>

namespace vsp {

using Colour = uint32_t;

constexpr Colour MakeColour(uint8_t red, uint8_t green, uint8_t blue) {
    return Colour(red) | Colour(green) << 8 | Colour(blue) << 16;
}
constexpr uint8_t ColourRed(Colour c) { return uint8_t(c & 0xFF); }
constexpr uint8_t ColourGreen(Colour c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t ColourBlue(Colour c) { return uint8_t((c >> 16) & 0xFF); }

inline constexpr Colour kColourBlack = 0x000000;
inline constexpr Colour kColourWhite = 0xFFFFFF;

}  // namespace vsp
