// The finder overlays about the selection: Telrad rings, the CCD frame and the eyepiece field.
// Each is measured with k, the factor the objects drawn to scale use, so that an eyepiece
// field and a galaxy of the same size in arcminutes come out the same size on the chart.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/ChartLabels.h"
#include "chart/ChartRedraw.h"

namespace vsp {
namespace {

constexpr int kCcdFromLevel = 7;
constexpr double kMillimetresPerSensorPixel = 0.005;
constexpr double kCcdArcminutesPerRadian = 6875.493541569878;  // twice 10800 / pi
constexpr int kEyepieceLabelRise = 8;
constexpr int kCcdLabelGap = 2;

double CcdFieldArcminutes(int sensorPixels, int focalMm) {
    return std::atan(sensorPixels * kMillimetresPerSensorPixel / focalMm) * kCcdArcminutesPerRadian;
}

}  // namespace

void ChartRedraw::DrawOverlays() {
    const std::optional<ScreenPoint> at = SelectionPoint();
    if (!at) return;
    canvas_.SetForeColour(palette_.overlay);
    canvas_.SetTextColour(palette_.overlay);
    if (prefs_.telrad) DrawTelradRings(*at);
    if (prefs_.fovCcd && level_ >= kCcdFromLevel && prefs_.ccdFocalLength > 0) DrawCcdFrame(*at);
    if (prefs_.fovEyepiece && scene_.eyepiece) DrawEyepieceField(*at, *scene_.eyepiece);
}

void ChartRedraw::DrawTelradRings(const ScreenPoint& at) {
    const double k = PixelsPerArcminute();
    for (const float degrees : prefs_.telradRings) {
        const int radius = int(degrees * 60.0 * k);
        canvas_.DrawCircle(at.x, at.y, radius);
        drawn_.overlays.telradPx.push_back(radius);
    }
    const int reach = drawn_.overlays.telradPx.back();
    canvas_.DrawLine(at.x - reach, at.y, at.x + reach, at.y);
    canvas_.DrawLine(at.x, at.y - reach, at.x, at.y + reach);
}

void ChartRedraw::DrawCcdFrame(const ScreenPoint& at) {
    const double width = CcdFieldArcminutes(prefs_.ccdWidth, prefs_.ccdFocalLength);
    const double height = CcdFieldArcminutes(prefs_.ccdHeight, prefs_.ccdFocalLength);
    const double k = PixelsPerArcminute();
    const int halfWidth = int(width * k), halfHeight = int(height * k);
    const int left = at.x - halfWidth, right = at.x + halfWidth, top = at.y - halfHeight, bottom = at.y + halfHeight;
    canvas_.DrawLine(left, top, right, top);
    canvas_.DrawLine(right, top, right, bottom);
    canvas_.DrawLine(right, bottom, left, bottom);
    canvas_.DrawLine(left, bottom, left, top);
    const std::string widthLabel = FieldSizeLabel(width), heightLabel = FieldSizeLabel(height);
    const int textHeight = canvas_.MeasureText(heightLabel, FontId::Small).height;
    canvas_.DrawText(right + Scaled(kCcdLabelGap), at.y - textHeight / 2, heightLabel, FontId::Small,
                     TextBackground::Transparent);
    const int textWidth = canvas_.MeasureText(widthLabel, FontId::Small).width;
    canvas_.DrawText(at.x - textWidth / 2, bottom + Scaled(kCcdLabelGap), widthLabel, FontId::Small,
                     TextBackground::Transparent);
    drawn_.overlays.ccdHalfPx = std::pair{halfWidth, halfHeight};
    drawn_.overlays.ccdLabels = {widthLabel, heightLabel};
}

void ChartRedraw::DrawEyepieceField(const ScreenPoint& at, const Eyepiece& eyepiece) {
    if (eyepiece.focalMm <= 0.0f || scene_.telescopeFocalMm <= 0.0) return;
    const double magnification = scene_.telescopeFocalMm / eyepiece.focalMm;
    const double trueFieldArcmin = eyepiece.apparentFieldDeg * 60.0 / magnification;
    const int radius = int(trueFieldArcmin * PixelsPerArcminute());
    canvas_.DrawCircle(at.x, at.y, radius);
    char power[16];
    std::snprintf(power, sizeof power, " %d", int(magnification));
    const std::string label = eyepiece.name + power;
    // 8 pixels above the circle, or higher when the font would reach down into it.
    const int rise = std::max(Scaled(kEyepieceLabelRise), canvas_.MeasureText(label, FontId::Small).height + 1);
    canvas_.DrawText(at.x + int(label.size()) / 10, at.y - radius - rise, label, FontId::Small,
                     TextBackground::Transparent);
    drawn_.overlays.eyepiecePx = radius;
    drawn_.overlays.eyepieceLabel = label;
}

}  // namespace vsp
