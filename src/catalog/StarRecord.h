#pragma once
// A star as the program holds it, and the 44-byte record of the default star file:
//
//   offset 0   i32  star number (catalog number; its low 16 bits are the star's "id")
//   offset 4   f32  right ascension, hours      (in memory: fixed-point angle)
//   offset 8   f32  declination, degrees        (in memory: fixed-point angle)
//   offset 12  u16  magnitude x 16
//   offset 14  i16  colour index in tenths
//   offset 16  16   further catalog fields, carried unchanged
//   offset 32  i32  screen x of the last drawing   (run time)
//   offset 36  i32  screen y of the last drawing   (run time)
//   offset 40  i32  hidden flag, nonzero = not drawn now (run time; 0 after loading)

#include <array>
#include <cstddef>
#include <cstdint>

namespace vsp {

inline constexpr int32_t kStarRecordSize = 44;
inline constexpr size_t kStarExtraSize = 16;

struct StarRecord {
    int32_t number = 0;
    int32_t ra = 0;   // fixed-point angle (StarAngle.h)
    int32_t dec = 0;  // fixed-point angle
    uint16_t magnitude = 0;  // x 16
    int16_t colour = 0;      // tenths
    std::array<uint8_t, kStarExtraSize> extra{};
    int32_t screenX = 0;
    int32_t screenY = 0;
    int32_t hidden = 0;
};

// Decodes a default-star file record: the floats become fixed-point angles (truncated) and
// the hidden flag is cleared. False (record untouched) when fewer than 44 bytes are
// available or the place is not one of the sky (RA outside 0..24 h, Dec outside -90..90°).
bool StarRecordDecode(const uint8_t* bytes, size_t size, StarRecord& out);

// The 16 bits the lookups hand back as a star's id.
inline uint16_t StarRecordId(const StarRecord& star) { return uint16_t(uint32_t(star.number) & 0xFFFF); }

// Drawing size class: magnitude x 16 shifted right by 4, i.e. whole magnitudes.
inline int StarSizeClass(uint16_t magnitude16) { return magnitude16 >> 4; }

// Column of the star bitmap strip for a colour index in tenths (0 blue .. 6 red).
int StarColourClass(int colourTenths);

}  // namespace vsp
