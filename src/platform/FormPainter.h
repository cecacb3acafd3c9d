#pragma once
// Paints a form window the way the device draws its dialogs: the background, the picture its
// owner copied into it, then every visible control by kind, each kept inside its rectangle.
// All colours come from the system colour table, so night mode reaches every pixel.

#include <string_view>

#include "platform/Canvas.h"
#include "platform/FormWindow.h"
#include "platform/SystemColours.h"

namespace vsp {

// Paints `form` with its top-left corner at the canvas's origin; `scale` is the display
// scale factor (1.0 on a 96-dpi screen) for text and layout lengths.
void PaintForm(const FormWindow& form, const SystemColourTable& colours, double scale, Canvas& canvas);

// The width of a title control's text as PaintForm draws it (in the bold font), so that a
// title sized to it plus its padding shows the whole text.
int TitleTextWidth(std::string_view text, double scale);

// A new canvas the size of the form's bounds, painted; false when it cannot be made.
bool SnapshotForm(const FormWindow& form, const SystemColourTable& colours, double scale, Canvas& out);

}  // namespace vsp
