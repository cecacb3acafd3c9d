// The finder overlays about the selection: Telrad rings, the CCD frame and the eyepiece field.
// Each is measured with k, the factor the objects drawn to scale use, so that an eyepiece
// field and a galaxy of the same size in arcminutes come out the same size on the chart.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/CcdField.h"
#include "chart/ChartLabels.h"
#include "chart/ChartRedraw.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

constexpr int kCcdFromLevel = 7;
constexpr int kEyepieceLabelRise = 8;
constexpr int kCcdLabelGap = 2;

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

// The frame is turned counter-clockwise on the screen by the rotation (with north up and east
// on the left, the position angle of its upper side), its corners about the selection. The
// labels go right of and below the turned frame's reach.
void ChartRedraw::DrawCcdFrame(const ScreenPoint& at) {
    const double pixel = prefs_.ccdPixelSize;
    const double width = CcdFieldArcminutes(prefs_.ccdWidth, pixel, prefs_.ccdFocalLength);
    const double height = CcdFieldArcminutes(prefs_.ccdHeight, pixel, prefs_.ccdFocalLength);
    const double k = PixelsPerArcminute();
    const int halfWidth = int(width * k), halfHeight = int(height * k);
    const double turn = prefs_.ccdRotation * kDegToRad;
    const double c = std::cos(turn), s = std::sin(turn);
    // Corners clockwise from the top left, unturned offsets (x right, y down).
    const int offsets[4][2] = {{-halfWidth, -halfHeight}, {halfWidth, -halfHeight}, {halfWidth, halfHeight},
                               {-halfWidth, halfHeight}};
    int corners[4][2];
    int right = at.x, bottom = at.y;
    for (int i = 0; i < 4; ++i) {
        const int dx = offsets[i][0], dy = offsets[i][1];
        corners[i][0] = turn == 0.0 ? at.x + dx : at.x + int(std::lround(dx * c + dy * s));
        corners[i][1] = turn == 0.0 ? at.y + dy : at.y + int(std::lround(-dx * s + dy * c));
        right = std::max(right, corners[i][0]);
        bottom = std::max(bottom, corners[i][1]);
    }
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        canvas_.DrawLine(corners[i][0], corners[i][1], corners[j][0], corners[j][1]);
    }
    const std::string widthLabel = FieldSizeLabel(width), heightLabel = FieldSizeLabel(height);
    const int textHeight = canvas_.MeasureText(heightLabel, FontId::Small).height;
    DrawFixedText(right + Scaled(kCcdLabelGap), at.y - textHeight / 2, heightLabel, FontId::Small);
    const int textWidth = canvas_.MeasureText(widthLabel, FontId::Small).width;
    DrawFixedText(at.x - textWidth / 2, bottom + Scaled(kCcdLabelGap), widthLabel, FontId::Small);
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
    DrawFixedText(at.x + int(label.size()) / 10, at.y - radius - rise, label, FontId::Small);
    drawn_.overlays.eyepiecePx = radius;
    drawn_.overlays.eyepieceLabel = label;
}

}  // namespace vsp
