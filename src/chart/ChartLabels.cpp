#include "chart/ChartLabels.h"

#include <cstdio>

namespace vsp {
namespace {

constexpr float kAllObjects = 100.0f;

}  // namespace

std::string FieldOfViewLabel(int level) {
    if (level < 0 || level >= kZoomLevelCount - 1) return {};
    const int tenths = FieldOfViewTenths(level);
    char text[24];
    if (tenths % 10 != 0) {
        std::snprintf(text, sizeof text, "FOV %d.%d\xB0", tenths / 10, tenths % 10);
    } else {
        std::snprintf(text, sizeof text, "FOV %d\xB0", tenths / 10);
    }
    return text;
}

std::string LimitsLabel(const MagnitudeLimits& limits) {
    char text[32];
    if (limits.object >= kAllObjects) {
        std::snprintf(text, sizeof text, "All, S<%d", int(limits.star));
    } else {
        std::snprintf(text, sizeof text, "O<%d, S<%d", int(limits.object), int(limits.star));
    }
    return text;
}

}  // namespace vsp
