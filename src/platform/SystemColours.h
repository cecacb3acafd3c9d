#pragma once
// The device's system colour table: 29 indexed colours read and written through lists of
// indices, as the handheld's own calls do.

#include <array>
#include <span>

#include "platform/Colour.h"

namespace vsp {

inline constexpr int kSystemColourCount = 29;

// Indices the rest of the program names.
inline constexpr int kColourIndexMenu = 4;
inline constexpr int kColourIndexButtonFace = 15;

using SystemColourArray = std::array<Colour, kSystemColourCount>;

// Colours a freshly booted device shows (grey faces, white windows, dark-blue highlight).
SystemColourArray DeviceDefaultSystemColours();

class SystemColourTable {
public:
    SystemColourTable() : values_(DeviceDefaultSystemColours()) {}
    explicit SystemColourTable(const SystemColourArray& values) : values_(values) {}

    // 0 for an index outside the table.
    Colour Get(int index) const;
    // Fills `out[i]` with the colour of `indices[i]`; false (nothing written) when the spans
    // differ in length or an index is outside the table.
    bool Get(std::span<const int> indices, std::span<Colour> out) const;
    // Applies the pairs in order, so a repeated index keeps its last value; false (nothing
    // changed) when the spans differ in length or an index is outside the table.
    bool Set(std::span<const int> indices, std::span<const Colour> values);

    const SystemColourArray& Values() const { return values_; }
    // How many successful Set calls there were (a real display repaints on each).
    int ChangeCount() const { return changes_; }

private:
    static bool Valid(std::span<const int> indices);

    SystemColourArray values_;
    int changes_ = 0;
};

}  // namespace vsp
