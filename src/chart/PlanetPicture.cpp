#include "chart/PlanetPicture.h"

#include <algorithm>

#include "ephemeris/Constants.h"

namespace vsp {
namespace {

// Saturn's rings, inner and outer edges in equatorial radii (C, B, then A beyond the Cassini
// division).
constexpr double kRingC = 1.24, kRingB = 1.53, kCassini = 1.95, kRingA = 2.03, kRingOuter = 2.27;
// The Great Red Spot's planetographic latitude and half sizes, degrees.
constexpr double kGrsLat = -22.5, kGrsHalfLon = 12.0, kGrsHalfLat = 5.5;

struct Rgb {
    double r, g, b;
};

Rgb Scaled(Rgb c, double f) { return {c.r * f, c.g * f, c.b * f}; }

Colour Shown(Rgb c, int nightRed) {
    auto clamp = [](double v) { return std::clamp(int(std::lround(v)), 0, 255); };
    if (nightRed <= 0) return MakeColour(clamp(c.r), clamp(c.g), clamp(c.b));
    const double brightness = 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
    return MakeColour(clamp(brightness * nightRed / 255.0), 0, 0);
}

// Sky offsets (radii) of a picture offset (pixels over the radius): the axes' inverse.
void SkyOf(const SkyAxes& a, double dx, double dy, double& x, double& y) {
    const double det = a.eastX * a.northY - a.northX * a.eastY;
    x = (dx * a.northY - dy * a.northX) / det;
    y = (dy * a.eastX - dx * a.eastY) / det;
}

// The sky and the body's own frame: u along the equator (east when the pole points north), v
// along the projected pole, w toward the Earth; `squash` is the apparent polar ratio.
struct BodyFrame {
    double cosP, sinP, cosD, sinD, squash;

    explicit BodyFrame(const PlanetPictureInput& in) {
        const double p = in.axisPaDeg * kDegToRad, d = in.subEarthLatDeg * kDegToRad;
        cosP = std::cos(p), sinP = std::sin(p), cosD = std::cos(d), sinD = std::sin(d);
        const double q = in.polarRatio;
        squash = std::sqrt(q * q * cosD * cosD + sinD * sinD);
    }
    void ToBody(double x, double y, double& u, double& v) const {
        u = x * cosP - y * sinP;
        v = x * sinP + y * cosP;
    }
    void ToSky(double u, double v, double& x, double& y) const {
        x = u * cosP + v * sinP;
        y = -u * sinP + v * cosP;
    }
};

Rgb JupiterColour(double latDeg, double lonDeg, const PlanetPictureInput& in) {
    const Rgb zone{228, 210, 175}, belt{165, 115, 85}, polar{175, 165, 150}, spot{205, 105, 75};
    if (std::isfinite(in.grsLongitudeDeg)) {
        double dl = std::remainder(lonDeg - in.grsLongitudeDeg, 360.0) / kGrsHalfLon;
        const double db = (latDeg - kGrsLat) / kGrsHalfLat;
        if (dl * dl + db * db <= 1.0) return spot;
    }
    const double a = std::fabs(latDeg);
    if (a > 45.0) return polar;
    const bool inBelt = (latDeg > 7.0 && latDeg < 18.0) || (latDeg < -7.0 && latDeg > -20.0) ||
                        (latDeg > 24.0 && latDeg < 28.0) || (latDeg < -27.0 && latDeg > -31.0);
    return inBelt ? belt : zone;
}

Rgb SurfaceColour(const PlanetPictureInput& in, double latDeg, double lonDeg) {
    switch (in.body) {
        case PictureBody::kJupiter: return JupiterColour(latDeg, lonDeg, in);
        case PictureBody::kSaturn:
            return std::fabs(latDeg) > 8.0 && std::fabs(latDeg) < 22.0 ? Rgb{195, 165, 115} : Rgb{225, 205, 155};
        case PictureBody::kMars: return std::fabs(latDeg) > 78.0 ? Rgb{240, 240, 235} : Rgb{205, 112, 62};
        case PictureBody::kMoon: return {205, 205, 195};
    }
    return {200, 200, 200};
}

double LimbDarkening(PictureBody body, double w) {
    switch (body) {
        case PictureBody::kJupiter:
        case PictureBody::kSaturn: return 0.55 + 0.45 * w;
        case PictureBody::kMars: return 0.7 + 0.3 * w;
        case PictureBody::kMoon: return 0.9 + 0.1 * w;
    }
    return 1.0;
}

// The ring's colour at a distance from the centre, or false in a gap or beyond the ring.
bool RingColour(double r, Rgb& out) {
    if (r < kRingC || r > kRingOuter || (r > kCassini && r < kRingA)) return false;
    out = r < kRingB ? Rgb{110, 100, 85} : r < kCassini ? Rgb{225, 210, 172} : Rgb{190, 175, 140};
    return true;
}

// The globe's shaded colour at body-frame (u, v), or false off the disc; its depth toward the
// Earth in `w`.
bool GlobeColour(const PlanetPictureInput& in, const BodyFrame& f, const double sun[3], double u, double v, Rgb& out,
                 double& w) {
    const double vs = v / f.squash;
    const double rr = u * u + vs * vs;
    if (rr > 1.0) return false;
    w = std::sqrt(1.0 - rr);
    const double lat = std::asin(std::clamp(vs * f.cosD + w * f.sinD, -1.0, 1.0)) / kDegToRad;
    const double along = std::atan2(u, -vs * f.sinD + w * f.cosD) / kDegToRad;
    const double lon = in.body == PictureBody::kMoon ? in.centralMeridianDeg - along : in.centralMeridianDeg + along;
    const double light = u * sun[0] + vs * sun[1] + w * sun[2];
    const Rgb surface = SurfaceColour(in, lat, lon);
    out = light > 0.0 ? Scaled(surface, LimbDarkening(in.body, w)) : Scaled(surface, 0.12);
    return true;
}

// The Sun's direction in the body frame, from the phase angle and the bright limb.
void SunDirection(const PlanetPictureInput& in, const BodyFrame& f, double sun[3]) {
    const double i = in.phaseAngleDeg * kDegToRad, chi = in.brightLimbPaDeg * kDegToRad;
    f.ToBody(std::sin(i) * std::sin(chi), std::sin(i) * std::cos(chi), sun[0], sun[1]);
    sun[2] = std::cos(i);
}

void DrawGlobe(Canvas& canvas, int cx, int cy, int radius, const PlanetPictureInput& in, const SkyAxes& axes,
                 int nightRed) {
    const BodyFrame f(in);
    double sun[3];
    SunDirection(in, f, sun);
    const bool rings = in.body == PictureBody::kSaturn;
    const int reach = int(std::ceil(radius * (rings ? kRingOuter : 1.0))) + 1;
    for (int py = std::max(0, cy - reach); py <= std::min(canvas.Height() - 1, cy + reach); ++py) {
        for (int px = std::max(0, cx - reach); px <= std::min(canvas.Width() - 1, cx + reach); ++px) {
            double x = 0.0, y = 0.0, u = 0.0, v = 0.0, w = 0.0;
            SkyOf(axes, double(px - cx) / radius, double(py - cy) / radius, x, y);
            f.ToBody(x, y, u, v);
            Rgb globe{}, ring{};
            const bool onGlobe = GlobeColour(in, f, sun, u, v, globe, w);
            bool onRing = false, ringInFront = false;
            if (rings) {
                // The ring plane seen at tilt B: a point (u, c) of it appears at v = -c sin B.
                const double s = f.sinD;
                if (std::fabs(s) * radius < 0.5) {
                    onRing = std::fabs(v) * radius < 0.5 && RingColour(std::fabs(u), ring);
                    ringInFront = true;
                } else {
                    const double c = -v / s;
                    onRing = RingColour(std::hypot(u, c), ring);
                    ringInFront = c > 0.0;
                }
            }
            if (onRing && (ringInFront || !onGlobe)) {
                canvas.PutPixel(px, py, Shown(ring, nightRed));
            } else if (onGlobe) {
                canvas.PutPixel(px, py, Shown(globe, nightRed));
            }
        }
    }
}

bool PixelOf(int cx, int cy, int radius, const SkyAxes& a, double x, double y, int& px, int& py) {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    px = cx + int(std::lround((x * a.eastX + y * a.northX) * radius));
    py = cy + int(std::lround((x * a.eastY + y * a.northY) * radius));
    return true;
}

void DrawSatellites(Canvas& canvas, int cx, int cy, int radius, const PlanetPictureInput& in, const SkyAxes& view,
                    int nightRed) {
    const int dot = std::max(2, radius / 14);
    canvas.SetForeColour(Shown({15, 15, 15}, nightRed));
    for (const PictureSatellite& s : in.satellites) {
        int px = 0, py = 0;
        if (s.shadowOnDisc && PixelOf(cx, cy, radius, view, s.shadowX, s.shadowY, px, py)) canvas.FillCircle(px, py, dot);
    }
    canvas.SetTextColour(Shown({200, 200, 200}, nightRed));
    for (size_t i = 0; i < in.satellites.size(); ++i) {
        const PictureSatellite& s = in.satellites[i];
        int px = 0, py = 0;
        if (s.behind || !PixelOf(cx, cy, radius, view, s.x, s.y, px, py)) continue;
        if (px < 0 || py < 0 || px >= canvas.Width() || py >= canvas.Height()) continue;
        canvas.SetForeColour(Shown({235, 235, 225}, nightRed));
        if (s.eclipsed) {
            canvas.SetForeColour(Shown({120, 120, 120}, nightRed));
            canvas.DrawCircle(px, py, dot);
        } else {
            canvas.FillCircle(px, py, dot);
        }
        if (s.label.empty()) continue;
        // Labels alternate below and above so that neighbours in a row stay apart.
        const TextExtent size = canvas.MeasureText(s.label, FontId::Small);
        const int top = i % 2 == 0 ? py + dot + 1 : py - dot - 1 - size.height;
        canvas.DrawText(px - size.width / 2, top, s.label, FontId::Small, TextBackground::Transparent);
    }
}

// The marked feature: a circle of its size (at least a few pixels) where it lies on the
// Earth-facing hemisphere.
void DrawMark(Canvas& canvas, int cx, int cy, int radius, const PlanetPictureInput& in, const SkyAxes& view,
              int nightRed) {
    if (!std::isfinite(in.markLatDeg) || !std::isfinite(in.markLonDeg)) return;
    const BodyFrame f(in);
    const double lat = in.markLatDeg * kDegToRad;
    const double along = (in.body == PictureBody::kMoon ? in.centralMeridianDeg - in.markLonDeg
                                                        : in.markLonDeg - in.centralMeridianDeg) * kDegToRad;
    const double u = std::cos(lat) * std::sin(along);
    const double vs = -std::cos(lat) * std::cos(along) * f.sinD + std::sin(lat) * f.cosD;
    const double w = std::cos(lat) * std::cos(along) * f.cosD + std::sin(lat) * f.sinD;
    if (w < 0.0) return;
    double x = 0.0, y = 0.0;
    f.ToSky(u, vs * f.squash, x, y);
    int px = 0, py = 0;
    PixelOf(cx, cy, radius, view, x, y, px, py);
    const int size = std::max(4, int(std::lround(in.markRadiusDeg * kDegToRad * radius)));
    canvas.SetForeColour(Shown({255, 80, 60}, nightRed));
    canvas.DrawCircle(px, py, size);
    canvas.DrawLine(px - size - 3, py, px - size + 1, py);
    canvas.DrawLine(px + size - 1, py, px + size + 3, py);
}

}  // namespace

SkyAxes AxesOf(PictureView view) {
    switch (view) {
        case PictureView::kErect: return {-1.0, 0.0, 0.0, -1.0};
        case PictureView::kInverted: return {1.0, 0.0, 0.0, 1.0};
        case PictureView::kMirrored: return {1.0, 0.0, 0.0, -1.0};
    }
    return {};
}

void DrawPlanetPicture(Canvas& canvas, int cx, int cy, int radius, const PlanetPictureInput& input,
                       const SkyAxes& view, int nightRed) {
    if (radius < 1) return;
    DrawGlobe(canvas, cx, cy, radius, input, view, nightRed);
    DrawSatellites(canvas, cx, cy, radius, input, view, nightRed);
    DrawMark(canvas, cx, cy, radius, input, view, nightRed);
}

}  // namespace vsp
