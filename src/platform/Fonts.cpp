#include "platform/Fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/Text.h"

namespace vsp {
namespace {

constexpr const char* kRegularFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kBoldFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Pixel sizes on the 96-dpi screen, near the handheld's 8-point system font.
constexpr int kNormalPixels = 11;
constexpr int kSmallPixels = 9;

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// The symbol font's bytes 1..24 are the Greek small letters alpha..omega (final sigma left
// out), the order in which the star files number Bayer letters.
char32_t SymbolCodePoint(unsigned char byte) {
    if (byte < 1 || byte > 24) return 0;
    const char32_t letter = U'\u03B1' + (byte - 1);
    return letter >= U'\u03C2' ? letter + 1 : letter;
}


GlyphImage RenderGlyph(FT_Face face, char32_t codePoint) {
    GlyphImage glyph;
    if (codePoint == 0 || FT_Load_Char(face, codePoint, FT_LOAD_RENDER) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.rows));
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
        std::copy(source, source + glyph.width, glyph.coverage.begin() + ptrdiff_t(row) * glyph.width);
    }
    return glyph;
}

std::unique_ptr<Font> LoadFont(FT_Library library, FontId id, const char* path, int pixels) {
    FT_Face raw = nullptr;
    if (FT_New_Face(library, path, 0, &raw) != 0) return nullptr;
    const FaceHandle face(raw);
    if (FT_Set_Pixel_Sizes(raw, 0, FT_UInt(pixels)) != 0) return nullptr;
    auto font = std::make_unique<Font>();
    const FT_Size_Metrics& metrics = raw->size->metrics;
    font->ascent = int((metrics.ascender + 32) >> 6);
    font->height = int((metrics.ascender - metrics.descender + 32) >> 6);
    // Control bytes of the code page draw nothing and take no room.
    const int first = id == FontId::Symbol ? 1 : 0x20;
    for (int byte = first; byte < 256; ++byte) font->glyphs[byte] = RenderGlyph(raw, FontCodePoint(id, uint8_t(byte)));
    return font;
}

}  // namespace

Rect TextInkBox(const Font& face, int x, int y, std::string_view text) {
    Rect ink{x, y, x, y};
    bool any = false;
    const int baseline = y + face.ascent;
    for (unsigned char byte : text) {
        const GlyphImage& glyph = face.glyphs[byte];
        if (glyph.width > 0 && glyph.rows > 0) {
            const Rect g = MakeRect(x + glyph.left, baseline - glyph.top, glyph.width, glyph.rows);
            ink = any ? Rect{std::min(ink.left, g.left), std::min(ink.top, g.top), std::max(ink.right, g.right),
                             std::max(ink.bottom, g.bottom)}
                      : g;
            any = true;
        }
        x += glyph.advance;
    }
    return ink;
}

char32_t FontCodePoint(FontId id, unsigned char byte) {
    if (id != FontId::Symbol && byte < 0x20) return 0;
    return id == FontId::Symbol ? SymbolCodePoint(byte) : Cp1252CodePoint(byte);
}

FontFace FontFaceOf(FontId id, double scale) {
    const int basePixels = id == FontId::Small || id == FontId::Symbol ? kSmallPixels : kNormalPixels;
    // truncated like layout lengths
    return FontFace{id == FontId::Bold ? kBoldFace : kRegularFace, std::max(1, int(basePixels * scale))};
}

const Font* FindFont(FontId id, double scale) {
    static std::mutex mutex;
    static FT_Library library = nullptr;
    static std::map<std::pair<FontId, int>, std::unique_ptr<Font>> fonts;

    const FontFace face = FontFaceOf(id, scale);
    const std::lock_guard lock(mutex);
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    auto [entry, added] = fonts.try_emplace({id, face.pixels});
    // A face that failed to load stays null, so it is not retried on every string.
    if (added) entry->second = LoadFont(library, id, face.path, face.pixels);
    return entry->second.get();
}

}  // namespace vsp
