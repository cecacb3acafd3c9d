#include "chart/ZoomLevels.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vsp {
namespace {

constexpr std::array<int, kZoomLevelCount> kFieldOfViewTenths = {1800, 1500, 1200, 900, 600, 450, 300,
                                                                 200,  100,  50,   25,  15,  10,  5};
constexpr std::array<int32_t, kZoomLevelCount> kMagnification16 = {
    65536,   91750,   115015,  153354,  230031,   306708,   458752,
    688128,  1376256, 2752512, 5505024, 9175000, 13762560, 16500000};
constexpr std::array<double, kZoomLevelCount> kProjectionAngleDeg = {110,   100,  92,  87,   70,   61.1, 40.1,
                                                                     26.65, 13.4, 6.7, 3.55, 2.05, 1.35, 0.7};

size_t LevelIndex(int level) { return size_t(std::clamp(level, 0, kZoomLevelCount - 1)); }

}  // namespace

int FieldOfViewTenths(int level) { return kFieldOfViewTenths[LevelIndex(level)]; }

int32_t Magnification16(int level) { return kMagnification16[LevelIndex(level)]; }

double ProjectionAngleDeg(int level) { return kProjectionAngleDeg[LevelIndex(level)]; }

float GetSizeFactor(int level) {
    if (level < 0 || level >= kZoomLevelCount) return 0.0f;
    return static_cast<float>(1.0 / (0.375 * kFieldOfViewTenths[size_t(level)] / 10.0));
}

}  // namespace vsp
