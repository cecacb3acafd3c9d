#pragma once
// The pieces forms and message boxes are painted from: the colours taken from the system
// colour table, bevelled frames, push buttons and text wrapped to a width.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace vsp {

// The system colours a painted window uses. Night mode sets every one of them to a red, so a
// window painted from them is red only.
struct PaintPalette {
    Colour window;       // form, edit and list backgrounds
    Colour windowText;
    Colour windowFrame;  // list and message-box borders
    Colour face;         // button faces
    Colour buttonText;
    Colour light;        // the lit edges of a bevel
    Colour shadow;       // the inner shaded edge
    Colour darkShadow;   // the outer shaded edge, and scroll-bar thumbs
    Colour highlight;    // selected list rows
    Colour highlightText;
    Colour caption;      // title strips
    Colour captionText;
    Colour scrollBar;    // scroll-bar troughs
};

PaintPalette PaletteOf(const SystemColourTable& colours);

// A layout length of the 96-dpi screen at the display scale, truncated.
inline int Scaled(int length, double scale) { return int(length * scale); }

void FillRect(Canvas& canvas, const Rect& rect, Colour colour);
// Two-pixel bevel: raised lights the top-left edges, sunken the bottom-right ones.
enum class Bevel { Raised, Sunken };
void DrawBevel(Canvas& canvas, const Rect& rect, Bevel bevel, const PaintPalette& palette);
// A one-pixel outline just inside `rect`.
void DrawFrame(Canvas& canvas, const Rect& rect, Colour colour);

// A button's face and bevel, without text: raised, or sunken and shaded while it is held.
void PaintButtonFace(Canvas& canvas, const Rect& rect, const PaintPalette& palette, bool pressed = false);
// A button with its text centred, clipped to the button.
void PaintPushButton(Canvas& canvas, const Rect& rect, std::string_view text, const PaintPalette& palette,
                     bool pressed = false);

// Draws `text` with the clip narrowed to `box` (and restored after).
void DrawClippedText(Canvas& canvas, const Rect& box, int x, int y, std::string_view text, FontId font);
// The text when it fits `width` pixels, else its longest beginning that fits with an ellipsis
// (Windows-1252 byte 0x85) after it.
std::string FittedText(const Canvas& canvas, std::string_view text, FontId font, int width);

// `text` broken into lines no wider than `width`: at line breaks, and at blanks where a line
// would grow too wide. A single word wider than `width` keeps a line of its own.
std::vector<std::string> WrapText(const Canvas& canvas, std::string_view text, FontId font, int width);

}  // namespace vsp
