#include "chart/ChartLabels.h"

#include <cstdio>

namespace vsp {
namespace {

constexpr float kAllObjects = 100.0f;

}  // namespace

std::string FieldOfViewText(int level) {
    const int tenths = FieldOfViewTenths(level);
    char text[24];
    if (tenths % 10 != 0) {
        std::snprintf(text, sizeof text, "%d.%d\xB0", tenths / 10, tenths % 10);
    } else {
        std::snprintf(text, sizeof text, "%d\xB0", tenths / 10);
    }
    return text;
}

std::string FieldOfViewLabel(int level) {
    if (level < 0 || level >= kZoomLevelCount - 1) return {};
    return "FOV " + FieldOfViewText(level);
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

std::string FieldSizeLabel(double arcminutes) {
    const int seconds = int(arcminutes * 60.0);
    char text[32];
    if (arcminutes <= 60.0) {
        std::snprintf(text, sizeof text, "%d'%02d''", seconds / 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%d\xB0%02d'%02d''", seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    return text;
}

}  // namespace vsp
