#pragma once
// Paints a modal message box (caption strip, wrapped message, OK or Yes/No buttons) centred
// over whatever the canvas already shows.

#include <string_view>

#include "platform/Canvas.h"
#include "platform/MessageBox.h"
#include "platform/SystemColours.h"

namespace vsp {

void PaintMessageBox(Canvas& canvas, const SystemColourTable& colours, double scale, std::string_view caption,
                     std::string_view text, MessageBoxButtons buttons);

}  // namespace vsp
