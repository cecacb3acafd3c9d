#pragma once
// The button icons: monochrome coverage maps drawn at a 96-dpi size and at twice that.

#include <cstdint>

#include "platform/tables/IconIds.h"

namespace vsp {

struct IconImage {
    int side = 0;                       // the map is side x side; 0 for no icon
    const uint8_t* coverage = nullptr;  // 0 none .. 255 full ink, row after row
};

// The drawing of `id` for the display scale factor `scale` (1.0 on a 96-dpi screen), at most
// `maxSide` across: the large one from scale 1.5 up, else the small one; side 0 for
// IconId::None or when neither fits.
IconImage FindIcon(IconId id, double scale, int maxSide);

}  // namespace vsp
