// The information lines under the chart: the selected object's place and magnitude, the date
// with the local and sidereal times, and the field-of-view and magnitude-limit lines.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/ChartRedraw.h"
#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"

namespace vsp {

FontId ChartRedraw::LabelFont() const {
    if (pu_ == 1) return FontId::Small;
    static constexpr FontId kFonts[] = {FontId::Small, FontId::Normal, FontId::Bold};
    return kFonts[std::clamp(prefs_.fontSize, 0, 2)];
}

std::string ChartRedraw::SelectionLine() {
    const ChartObject* object = Selected();
    const ChartMark* star = object ? nullptr : (scene_.selectedStar ? &*scene_.selectedStar : nullptr);
    if (!object && !star) return {};
    std::string first, second;
    if (view_.ChartTypeValue() == kChartEquatorialSky) {
        first = HMSToStr(object ? object->raHours : star->raHours, scene_.formats);
        second = DmsToStr(object ? object->decDeg : star->decDeg, scene_.formats);
    } else {
        const ChartVector v = *SelectionVector();
        const double altitude = std::asin(Unit24ToDouble(v.z)) / kDegToRad;
        const double azimuth = ReduceAngle(std::atan2(Unit24ToDouble(v.y), Unit24ToDouble(v.x)) / kDegToRad, 360.0);
        first = DmsToStr(azimuth, scene_.formats);
        second = DmsToStr(altitude, scene_.formats);
    }
    char magnitude[16];
    std::snprintf(magnitude, sizeof magnitude, "%0.1f", object ? object->magnitudeTenths / 10.0 : star->magnitude);
    const char* separator = horizontal_ ? " " : "  ";
    return first + separator + second + separator + magnitude;
}

std::string ChartRedraw::TimeLine() const {
    const CalendarDateTime& t = scene_.local;
    const int lstMinutes = int(view_.Sky().lstHours * 60.0) % 1440;
    const std::string lst = "LST:" + ClockMinutes(lstMinutes / 60, lstMinutes % 60);
    return NumericDate(t.year, t.month, t.day, true) + " " + ClockMinutes(t.hour, t.minute) +
           (horizontal_ ? " " + lst + "  " : "  " + lst);
}

void ChartRedraw::DrawInfoLines() {
    const std::string selection = SelectionLine();
    if (!selection.empty()) drawn_.infoLines.push_back(selection);
    drawn_.infoLines.push_back(TimeLine());
    canvas_.SetTextColour(palette_.text);
    const int lineHeight = canvas_.MeasureText("0", FontId::Small).height;
    int y = height_ - Scaled(2) - lineHeight * int(drawn_.infoLines.size());
    for (const std::string& line : drawn_.infoLines) {
        DrawFixedText(Scaled(3), y, line, FontId::Small);
        y += lineHeight;
    }
    const int right = width_ - Scaled(3);
    const int limitsTop = height_ - Scaled(2) - lineHeight;
    const int fovTop = limitsTop - Scaled(10);
    if (!drawn_.fovLabel.empty()) {
        DrawFixedText(right - canvas_.MeasureText(drawn_.fovLabel, FontId::Small).width, fovTop, drawn_.fovLabel,
                      FontId::Small);
    }
    DrawFixedText(right - canvas_.MeasureText(drawn_.limitsLabel, FontId::Small).width, limitsTop,
                  drawn_.limitsLabel, FontId::Small);
}

}  // namespace vsp
