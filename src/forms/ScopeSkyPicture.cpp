#include "forms/ScopeSkyPicture.h"

#include <algorithm>

#include "catalog/StarAngle.h"
#include "chart/GnomonicProjection.h"
#include "ephemeris/Spherical.h"
#include "platform/Canvas.h"

namespace vsp {

namespace {

struct SkyPen {
    Colour background, star, cross;
};

SkyPen PensOf(const AppState& state) {
    // Night mode keeps everything in its red.
    if (state.nightLevel > 0) return {kColourBlack, state.display.foregroundPen, state.display.foregroundPen};
    return {kColourBlack, kColourWhite, MakeColour(255, 80, 80)};
}

void DrawStars(Canvas& canvas, CatalogSession& sky, const AppState& state, const EquatorialPosition& centre,
               int side, const SkyPen& pens) {
    if (!CatalogSessionNeedStars(sky, state.prefs.constLineSet)) return;
    const std::vector<StarRecord>& stars = sky.stars.DefaultStars();
    canvas.SetForeColour(pens.star);
    const GnomonicProjection projection({centre.raHours * 15.0, centre.decDegrees}, kScopeSkyRadiusDeg, side);
    for (int i = 0; i < sky.stars.DefaultStarsRead(); ++i) {
        const StarRecord& s = stars[size_t(i)];
        const double magnitude = s.magnitude / 16.0;
        if (magnitude > kScopeSkyFaintest) continue;
        const double ra = AngleToHours(s.ra), dec = AngleToDegrees(s.dec);
        if (AngularSeparation(ra, dec, centre.raHours, centre.decDegrees) > kScopeSkyRadiusDeg * 1.5) continue;
        const ScreenPoint p = projection.Forward({ra * 15.0, dec});
        if (!p.visible) continue;
        // One pixel at the faint end, a disc growing a pixel a magnitude up to the brightest.
        const int radius = std::max(0, int((kScopeSkyFaintest - magnitude) / 1.5)) * side / 100;
        if (radius == 0) canvas.DrawLine(p.x, p.y, p.x, p.y);
        else canvas.FillCircle(p.x, p.y, radius);
    }
}

}  // namespace

void DrawScopeSky(AppState& state, CatalogSession& sky, FormWindow& window, const Rect& area,
                  const EquatorialPosition* pointing) {
    const int side = std::min(area.Width(), area.Height());
    Canvas canvas;
    if (!canvas.Create(side, side)) return;
    const SkyPen pens = PensOf(state);
    canvas.SetBackColour(pens.background);
    canvas.FillRect(MakeRect(0, 0, side, side));
    if (pointing) DrawStars(canvas, sky, state, *pointing, side, pens);
    canvas.SetForeColour(pens.cross);
    const int half = side / 2, arm = side / 10;
    canvas.DrawLine(half - arm, half, half + arm, half);
    canvas.DrawLine(half, half - arm, half, half + arm);
    canvas.SetForeColour(state.display.foregroundPen);
    canvas.DrawLine(0, 0, side - 1, 0);
    canvas.DrawLine(side - 1, 0, side - 1, side - 1);
    canvas.DrawLine(side - 1, side - 1, 0, side - 1);
    canvas.DrawLine(0, side - 1, 0, 0);
    window.SetPicture(canvas, MakeRect(area.left, area.top, side, side));
}

}  // namespace vsp
