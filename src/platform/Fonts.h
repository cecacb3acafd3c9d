#pragma once
// The canvas fonts: DejaVu faces rendered by FreeType into antialiased glyph images of every
// code-page byte, once per face and pixel size, then kept for the life of the program.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace vsp {

// Symbol holds the Greek small letters at bytes 1..24 (alpha..omega), in the small size.
enum class FontId { Normal, Bold, Small, Symbol };

// One glyph as coverage values 0..255, `width` x `rows`, placed `left` pixels right of the pen
// and `top` pixels above the baseline; the pen then moves `advance` pixels.
struct GlyphImage {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

struct Font {
    int ascent = 0;  // baseline below the top of a text line
    int height = 0;  // top of one line to the top of the next
    std::array<GlyphImage, 256> glyphs;  // indexed by code-page byte
};

// The font `id` at the display scale factor `scale` (1.0 on a 96-dpi screen), loaded on first
// use; nullptr when its face cannot be loaded (the font package is missing). Safe to call from
// any thread; the font never changes once returned.
const Font* FindFont(FontId id, double scale);

// The DejaVu file and pixel size FindFont renders `id` from at `scale`, for surfaces that draw
// the same face as outlines.
struct FontFace {
    const char* path = nullptr;
    int pixels = 0;
};
FontFace FontFaceOf(FontId id, double scale);
// The Unicode character a code-page byte stands for in `id`; 0 for bytes that draw nothing.
char32_t FontCodePoint(FontId id, unsigned char byte);

// The pixels the glyphs of `text` ink when drawn with the top-left of its line box at (x, y):
// tighter than the line box, which holds the leading and the advances. Empty, at (x, y), for a
// text that inks nothing.
Rect TextInkBox(const Font& face, int x, int y, std::string_view text);

}  // namespace vsp
