// The chart's lines of reference: the horizon, the azimuth and altitude scale, the grids, the
// ecliptic and the compass points.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/ChartRedraw.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Spherical.h"

namespace vsp {

namespace {


struct CompassPoint {
    const char* letters;
    double azimuth;
};
constexpr CompassPoint kCompassPoints[] = {{"N", 0},   {"NE", 45},  {"E", 90},  {"SE", 135},
                                           {"S", 180}, {"SW", 225}, {"W", 270}, {"NW", 315}};
// Where the azimuth scale writes its letters.
constexpr CompassPoint kScaleLetters[] = {{"N", 0},    {"NE", 50},  {"E", 90},  {"SE", 140}, {"S", 180},
                                          {"SW", 230}, {"W", 270},  {"NW", 320}, {"N", 360}};

// Tick step in degrees for a span of `degrees` over a fifth of the chart.
int TickStep(double degrees) {
    if (degrees < 3) return 1;
    if (degrees < 11) return 5;
    if (degrees < 21) return 10;
    if (degrees < 31) return 20;
    return 30;
}

std::string DegreeText(int degrees) {
    char text[16];
    std::snprintf(text, sizeof text, "%d\xB0", degrees);
    return text;
}

}  // namespace

void ChartRedraw::DrawCurve(int steps, const std::function<ChartVector(int)>& point) {
    view_.WithProjection([&](const auto& projection) {
        bool penDown = false;
        ScreenPoint last;
        for (int i = 0; i <= steps; ++i) {
            const ScreenPoint p = PlaceWith(projection, point(i));
            if (p.visible && penDown && !CrossesSeam(last, p)) canvas_.DrawLine(last.x, last.y, p.x, p.y);
            penDown = p.visible;
            last = p;
        }
    });
}

void ChartRedraw::DrawCentredText(int x, int y, std::string_view text, FontId font) {
    const TextExtent extent = canvas_.MeasureText(text, font);
    DrawFixedText(x - extent.width / 2, y - extent.height / 2, text, font);
}

void ChartRedraw::DrawHorizonAndFrame() {
    if (horizonView_ || level_ >= 8) {
        DrawAltAzScale();
        return;
    }
    DrawHorizonCircle();
    DrawEquatorialGrid(true);
}

void ChartRedraw::DrawHorizonCircle() {
    const ScreenPoint north = view_.HorizontalToScreen(0.0, 0.0);
    const int radius = int(std::lround(std::hypot(north.x - view_.CenterX(), north.y - view_.CenterY())));
    canvas_.SetForeColour(palette_.horizon);
    canvas_.DrawCircle(view_.CenterX(), view_.CenterY(), radius);
}

void ChartRedraw::DrawAltAzScale() {
    if (!horizonView_) {
        // The disc at high zoom is no longer linear in azimuth: a grid of circles serves.
        DrawAltAzGrid();
        return;
    }
    const double pixelsPerDegree = view_.PixelsPerDegree();
    if (pixelsPerDegree <= 0.0) return;
    DrawAltitudeLines(pixelsPerDegree);
    DrawAzimuthTicks(pixelsPerDegree);
}

void ChartRedraw::DrawAzimuthTicks(double pixelsPerDegree) {
    const int step = TickStep(width_ * 0.2 / pixelsPerDegree);
    // x of an azimuth is linear on the panorama: x0 + slope * azimuth.
    const double x0 = view_.HorizontalToScreen(0.0, 0.0).x;
    const double slope = (view_.HorizontalToScreen(100.0, 0.0).x - x0) / 100.0;
    if (std::abs(slope) < 0.01) return;
    const double left = std::min(-x0 / slope, (width_ - x0) / slope);
    const double right = std::max(-x0 / slope, (width_ - x0) / slope);
    // Ticks on multiples of the step, so that the compass azimuths they reach carry letters.
    const int first = std::max(-60, int(std::floor(left / step)) * step);
    canvas_.SetForeColour(palette_.horizon);
    for (int az = first; az <= right; az += step) {
        const int x = int(std::lround(x0 + slope * az));
        const int top = Scaled(21);
        canvas_.DrawLine(x, top, x, top + Scaled(13));
        canvas_.SetTextColour(palette_.text);
        DrawFixedText(x + Scaled(2), top, DegreeText(((az % 360) + 360) % 360), FontId::Small);
        for (const CompassPoint& point : kScaleLetters) {
            if (int(point.azimuth) != az && int(point.azimuth) != az + 360) continue;
            const int offset = Scaled(point.letters[1] ? 11 : 5);
            canvas_.SetTextColour(palette_.compass);
            DrawFixedText(x - offset, Scaled(3), point.letters, FontId::Bold);
        }
    }
}

void ChartRedraw::DrawAltitudeLines(double pixelsPerDegree) {
    const int step = TickStep(height_ * 0.2 / pixelsPerDegree);
    canvas_.SetForeColour(palette_.horizon);
    canvas_.SetTextColour(palette_.text);
    for (int alt = 0; alt < 90; alt += step) {
        const int y = view_.HorizontalToScreen(0.0, alt).y;
        if (y <= Scaled(18) || y >= height_) continue;
        canvas_.DrawLine(0, y, width_, y);
        DrawFixedText(Scaled(2), y + Scaled(1), DegreeText(alt), FontId::Small);
        canvas_.SetForeColour(palette_.grid);
    }
}

void ChartRedraw::DrawEquatorialGrid(bool hourLabels) {
    canvas_.SetForeColour(palette_.grid);
    for (int dec = -60; dec <= 60; dec += 30) {
        DrawCurve(144, [&](int i) { return view_.PrecomputeVector(i / 6.0, dec, false); });
    }
    // Every second hour circle: all 24 would crowd about the pole.
    for (int hour = 0; hour < 24; hour += 2) {
        DrawCurve(80, [&](int i) { return view_.PrecomputeVector(hour, -80.0 + i * 2.0, false); });
    }
    if (!hourLabels) return;
    canvas_.SetTextColour(palette_.grid);
    for (int hour = 0; hour < 24; ++hour) {
        const ScreenPoint p = Place(view_.PrecomputeVector(hour, 0.0, false));
        if (!Inside(p)) continue;
        DrawFixedText(p.x + Scaled(2), p.y + Scaled(1), std::to_string(hour) + "h", FontId::Small);
    }
}

void ChartRedraw::DrawAltAzGrid() {
    canvas_.SetForeColour(palette_.grid);
    for (int alt = 0; alt < 90; alt += 10) {
        if (alt == 0) canvas_.SetForeColour(palette_.horizon);
        DrawCurve(180, [&](int i) { return FrameVector(i * 2.0, alt); });
        canvas_.SetForeColour(palette_.grid);
    }
    for (int az = 0; az < 360; az += 30) {
        DrawCurve(45, [&](int i) { return FrameVector(az, i * 2.0); });
    }
}

void ChartRedraw::DrawEcliptic() {
    const double e = kJ2000ObliquityArcsec * kArcsecToRad;
    canvas_.SetForeColour(palette_.ecliptic);
    DrawCurve(180, [&](int i) {
        double ra = 0.0, dec = 0.0;
        EclipticToEquatorial(i * 2.0 * kDegToRad, 0.0, e, ra, dec);
        return view_.PrecomputeVector(ra / kDegToRad / 15.0, dec / kDegToRad, false);
    });
}

void ChartRedraw::DrawCompass() {
    canvas_.SetTextColour(palette_.compass);
    for (const CompassPoint& point : kCompassPoints) {
        if (horizonView_) {
            const ScreenPoint p = view_.HorizontalToScreen(point.azimuth, 0.0);
            for (int x : {p.x, p.x - turnPixels_, p.x + turnPixels_}) {
                if (x >= 0 && x <= width_) DrawCentredText(x, p.y - Scaled(8), point.letters, FontId::Bold);
            }
            continue;
        }
        if (!view_.UsesHorizontalFrame()) return;
        ScreenPoint p = view_.HorizontalToScreen(point.azimuth, 0.0);
        if (!p.visible) continue;
        if (horizontal_) {
            // Just outside the horizon circle.
            const double dx = p.x - view_.CenterX(), dy = p.y - view_.CenterY();
            const double length = std::max(1.0, std::hypot(dx, dy));
            p.x += int(dx / length * Scaled(9));
            p.y += int(dy / length * Scaled(9));
        }
        DrawCentredText(p.x, p.y, point.letters, FontId::Bold);
    }
}

}  // namespace vsp
