#pragma once
// The night levels of the "Night Mode" setting (0 Off, 1 Dark, 2 Medium, 3 Bright) and the red
// each draws with, for the shell's night mode and the chart's night palette alike.

#include <array>

namespace vsp {

inline constexpr int kNightLevelCount = 4;
// The red of each night level (0 is normal light).
inline constexpr std::array<int, kNightLevelCount> kNightRedIntensity{255, 102, 140, 204};

}  // namespace vsp
