#include "platform/SystemColours.h"

namespace vsp {

SystemColourArray DeviceDefaultSystemColours() {
    const Colour face = MakeColour(212, 208, 200);
    const Colour shadow = MakeColour(128, 128, 128);
    const Colour navy = MakeColour(10, 36, 106);
    return SystemColourArray{
        face,                      // 0 scroll bar
        MakeColour(58, 110, 165),  // 1 desktop
        navy,                      // 2 active caption
        shadow,                    // 3 inactive caption
        face,                      // 4 menu
        kColourWhite,              // 5 window
        kColourBlack,              // 6 window frame
        kColourBlack,              // 7 menu text
        kColourBlack,              // 8 window text
        kColourWhite,              // 9 caption text
        face,                      // 10 active border
        face,                      // 11 inactive border
        shadow,                    // 12 application workspace
        navy,                      // 13 highlight
        kColourWhite,              // 14 highlight text
        face,                      // 15 button face
        shadow,                    // 16 button shadow
        shadow,                    // 17 grey text
        kColourBlack,              // 18 button text
        face,                      // 19 inactive caption text
        kColourWhite,              // 20 button highlight
        MakeColour(64, 64, 64),    // 21 3D dark shadow
        face,                      // 22 3D light
        kColourBlack,              // 23 tooltip text
        MakeColour(255, 255, 225), // 24 tooltip background
        face,                      // 25 static
        kColourBlack,              // 26 static text
        MakeColour(166, 202, 240), // 27 active caption gradient
        MakeColour(192, 192, 192), // 28 inactive caption gradient
    };
}

Colour SystemColourTable::Get(int index) const {
    if (index < 0 || index >= kSystemColourCount) return 0;
    return values_[size_t(index)];
}

bool SystemColourTable::Valid(std::span<const int> indices) {
    for (int index : indices) {
        if (index < 0 || index >= kSystemColourCount) return false;
    }
    return true;
}

bool SystemColourTable::Get(std::span<const int> indices, std::span<Colour> out) const {
    if (indices.size() != out.size() || !Valid(indices)) return false;
    for (size_t i = 0; i < indices.size(); ++i) out[i] = values_[size_t(indices[i])];
    return true;
}

bool SystemColourTable::Set(std::span<const int> indices, std::span<const Colour> values) {
    if (indices.size() != values.size() || !Valid(indices)) return false;
    for (size_t i = 0; i < indices.size(); ++i) values_[size_t(indices[i])] = values[i];
    ++changes_;
    return true;
}

}  // namespace vsp
