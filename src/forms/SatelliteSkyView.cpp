#include "forms/SatelliteSkyView.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"

namespace vsp {
namespace {

struct PassPens {
    Colour background, frame, track, sun, moon;
};

PassPens PensOf(const AppState& state) {
    const Colour ink = state.display.foregroundPen;
    // Night mode keeps everything in its red.
    if (state.nightLevel > 0) return {kColourBlack, ink, ink, ink, ink};
    return {kColourBlack, MakeColour(150, 150, 170), MakeColour(120, 220, 255), MakeColour(255, 210, 60),
            MakeColour(230, 230, 230)};
}

int Margin(int side) { return side / 9; }

void DrawLabel(Canvas& canvas, int x, int y, const std::string& text) {
    const TextExtent size = canvas.MeasureText(text, FontId::Small);
    canvas.DrawText(x - size.width / 2, y - size.height / 2, text, FontId::Small, TextBackground::Transparent);
}

int PixelDistance(const SkyPlace& a, const SkyPlace& b, int side) {
    int ax = 0, ay = 0, bx = 0, by = 0;
    SkyPlacePixel(a, side, ax, ay);
    SkyPlacePixel(b, side, bx, by);
    return int(std::hypot(ax - bx, ay - by));
}

}  // namespace

void DrawHorizonFrame(Canvas& canvas, int side, Colour frame) {
    const int half = side / 2, radius = half - Margin(side);
    canvas.SetForeColour(frame);
    canvas.DrawCircle(half, half, radius);
    canvas.DrawCircle(half, half, radius * 2 / 3);  // 30° above the horizon
    canvas.DrawCircle(half, half, radius / 3);      // 60°
    canvas.SetTextColour(frame);
    static constexpr const char* kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (int i = 0; i < 8; ++i) {
        int x = 0, y = 0;
        SkyPlacePixel({i * 45.0, -Margin(side) * 45.0 / radius}, side, x, y);
        DrawLabel(canvas, x, y, kPoints[i]);
    }
}

namespace {

void DrawMark(Canvas& canvas, int side, const SkyPlace& place, Colour colour, const std::string& label) {
    int x = 0, y = 0;
    SkyPlacePixel(place, side, x, y);
    canvas.SetForeColour(colour);
    canvas.FillCircle(x, y, std::max(2, side / 60));
    canvas.SetTextColour(colour);
    const TextExtent size = canvas.MeasureText(label, FontId::Small);
    // Beside the mark, on the side facing the middle so that it stays inside the picture.
    const int dx = x < side / 2 ? side / 40 : -side / 40 - size.width;
    canvas.DrawText(x + dx, y - size.height, label, FontId::Small, TextBackground::Transparent);
}

}  // namespace

void SkyPlacePixel(const SkyPlace& place, int side, int& x, int& y) {
    const int half = side / 2, radius = half - Margin(side);
    const double r = radius * (90.0 - place.altitudeDeg) / 90.0;
    const double a = place.azimuthDeg * kDegToRad;
    x = half - int(std::lround(r * std::sin(a)));  // east to the left
    y = half - int(std::lround(r * std::cos(a)));  // north up
}

void DrawPassSky(Canvas& canvas, int side, const PassSky& pass, const AppState& state) {
    if (!canvas.Create(side, side)) return;
    canvas.SetTextScale(state.scaleX);
    const PassPens pens = PensOf(state);
    canvas.SetBackColour(pens.background);
    canvas.FillRect(MakeRect(0, 0, side, side));
    DrawHorizonFrame(canvas, side, pens.frame);
    if (pass.sun) DrawMark(canvas, side, *pass.sun, pens.sun, "Sun");
    if (pass.moon) DrawMark(canvas, side, *pass.moon, pens.moon, "Moon");
    if (pass.track.empty()) return;
    canvas.SetForeColour(pens.track);
    for (size_t i = 1; i < pass.track.size(); ++i) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        SkyPlacePixel(pass.track[i - 1], side, x0, y0);
        SkyPlacePixel(pass.track[i], side, x1, y1);
        canvas.DrawLine(x0, y0, x1, y1);
    }
    const auto highest = std::ranges::max_element(pass.track, {}, &SkyPlace::altitudeDeg);
    DrawMark(canvas, side, pass.track.front(), pens.track, pass.riseText);
    DrawMark(canvas, side, pass.track.back(), pens.track, pass.setText);
    // A low pass crowds its three points: the highest is labelled only clear of the ends.
    const int clearance = 2 * canvas.MeasureText(pass.highestText, FontId::Small).height;
    if (PixelDistance(*highest, pass.track.front(), side) > clearance &&
        PixelDistance(*highest, pass.track.back(), side) > clearance) {
        DrawMark(canvas, side, *highest, pens.track, pass.highestText);
    }
}

}  // namespace vsp
