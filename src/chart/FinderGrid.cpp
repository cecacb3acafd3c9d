// The finder chart's RA/Dec grid: parallels and hour circles sampled along their length and
// joined (they bend in the tangent plane), each labelled where it leaves the chart, hour
// circles preferably at the bottom edge, parallels at the left.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

#include "chart/FinderChart.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

constexpr Colour kGridColour = MakeColour(185, 185, 185);
constexpr Colour kLabelColour = MakeColour(70, 70, 70);
constexpr int kSamples = 96;
constexpr int kLinesWanted = 5;

enum Edge { kBottom, kTop, kLeft, kRight };

struct Crossing {
    Edge edge;
    PointF at;
};

// Where the path crosses the edges of `box`, in the order of the path.
std::vector<Crossing> EdgeCrossings(const std::vector<PointF>& path, const Rect& box) {
    std::vector<Crossing> out;
    const double x0 = box.left, x1 = box.right, y0 = box.top, y1 = box.bottom;
    for (size_t i = 1; i < path.size(); ++i) {
        const PointF a = path[i - 1], b = path[i];
        const auto cross = [&](double ta, double tb, double at, Edge edge, bool vertical) {
            if ((ta - at) * (tb - at) > 0.0 || ta == tb) return;
            const double t = (at - ta) / (tb - ta);
            const PointF p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            const double along = vertical ? p.y : p.x;
            if (along < (vertical ? y0 : x0) || along > (vertical ? y1 : x1)) return;
            out.push_back({edge, p});
        };
        cross(a.y, b.y, y1, kBottom, false);
        cross(a.y, b.y, y0, kTop, false);
        cross(a.x, b.x, x0, kLeft, true);
        cross(a.x, b.x, x1, kRight, true);
    }
    return out;
}

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct GridLabels {
    DrawSurface& surface;
    const Rect& box;
    std::vector<Rect> taken;
    std::vector<std::string>& texts;

    // At the first crossing on the most preferred edge, inside the chart against that edge.
    void Put(const std::vector<PointF>& path, const std::array<Edge, 4>& preference, const std::string& text) {
        const std::vector<Crossing> crossings = EdgeCrossings(path, box);
        const TextExtent size = surface.MeasureText(text, FontId::Small);
        const int gap = 3;
        for (const Edge edge : preference) {
            for (const Crossing& c : crossings) {
                if (c.edge != edge) continue;
                int x = int(std::lround(c.at.x)) - size.width / 2, y = int(std::lround(c.at.y)) - size.height / 2;
                if (edge == kBottom) y = box.bottom - gap - size.height;
                if (edge == kTop) y = box.top + gap;
                if (edge == kLeft) x = box.left + gap;
                if (edge == kRight) x = box.right - gap - size.width;
                const Rect r = MakeRect(x - 1, y, size.width + 2, size.height);
                if (r.left < box.left || r.right > box.right || r.top < box.top || r.bottom > box.bottom) continue;
                if (std::any_of(taken.begin(), taken.end(), [&](const Rect& t) { return Overlaps(t, r); })) continue;
                taken.push_back(r);
                surface.DrawText(x, y, text, FontId::Small, TextBackground::Opaque);
                texts.push_back(text);
                return;
            }
        }
    }
};

// The field's extent on the sky: declinations and right ascensions (hours from the centre's).
struct SkySpan {
    double decLow = 90.0, decHigh = -90.0;
    double raLow = 12.0, raHigh = -12.0;
};

SkySpan SpanOf(const FinderFrame& frame, double centreRaHours) {
    SkySpan span;
    const Rect& box = frame.Box();
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps; ++i) {
        for (int j = 0; j <= kSteps; ++j) {
            const SkyDirection d = frame.Sky(box.left + (box.right - box.left) * i / double(kSteps),
                                             box.top + (box.bottom - box.top) * j / double(kSteps));
            const double offset = std::remainder(d.first - centreRaHours, 24.0);
            span.decLow = std::min(span.decLow, d.second), span.decHigh = std::max(span.decHigh, d.second);
            span.raLow = std::min(span.raLow, offset), span.raHigh = std::max(span.raHigh, offset);
        }
    }
    // A pole inside the field: every hour circle meets there.
    for (const double pole : {90.0, -90.0}) {
        const std::optional<PointF> p = frame.Place(0.0, pole);
        if (!p || p->x < box.left || p->x > box.right || p->y < box.top || p->y > box.bottom) continue;
        (pole > 0 ? span.decHigh : span.decLow) = pole;
        span.raLow = -12.0, span.raHigh = 12.0;
    }
    return span;
}

}  // namespace

double FinderRaStepMinutes(double fovDeg, double decDeg) {
    constexpr double kSteps[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 180};
    const double across = fovDeg * 4.0 / std::max(0.01, std::cos(decDeg * kDegToRad));
    for (const double step : kSteps)
        if (step * kLinesWanted >= across) return step;
    return kSteps[std::size(kSteps) - 1];
}

double FinderDecStepDeg(double fovDeg) {
    constexpr double kSteps[] = {0.25, 0.5, 1, 2, 5, 10, 15, 30};
    for (const double step : kSteps)
        if (step * kLinesWanted >= fovDeg) return step;
    return kSteps[std::size(kSteps) - 1];
}

std::string FinderRaLabel(double minutes) {
    const int whole = int(std::lround(minutes)) % 1440;
    const int wrapped = whole < 0 ? whole + 1440 : whole;
    char text[16];
    std::snprintf(text, sizeof text, "%dh %02dm", wrapped / 60, wrapped % 60);
    return text;
}

std::string FinderDecLabel(double degrees, double stepDeg) {
    const int arcmin = int(std::lround(std::abs(degrees) * 60.0));
    char text[24];
    if (stepDeg >= 1.0 || arcmin % 60 == 0) {
        std::snprintf(text, sizeof text, "%c%d\xB0", degrees < 0 ? '-' : '+', arcmin / 60);
    } else {
        std::snprintf(text, sizeof text, "%c%d\xB0 %02d'", degrees < 0 ? '-' : '+', arcmin / 60, arcmin % 60);
    }
    return text;
}

void DrawFinderGrid(DrawSurface& surface, const FinderFrame& frame, std::vector<std::string>& labels,
                    std::vector<Rect>& boxes) {
    const SkyDirection centre = frame.Sky(frame.Middle().x, frame.Middle().y);
    const SkySpan span = SpanOf(frame, centre.first);
    const double decStep = FinderDecStepDeg(frame.FieldDeg());
    const double raStep = FinderRaStepMinutes(frame.FieldDeg(), centre.second);
    const Rect& box = frame.Box();
    surface.SetClip(box);
    std::vector<std::pair<std::vector<PointF>, std::string>> parallels, circles;
    const auto pathOf = [&](auto&& placeAt) {
        std::vector<PointF> path;
        for (int i = 0; i <= kSamples; ++i)
            if (const std::optional<PointF> p = placeAt(i / double(kSamples))) path.push_back(*p);
        return path;
    };
    for (double dec = std::ceil(span.decLow / decStep) * decStep; dec <= span.decHigh; dec += decStep) {
        if (std::abs(dec) >= 89.999) continue;
        parallels.emplace_back(pathOf([&](double t) {
            return frame.Place(centre.first + span.raLow + t * (span.raHigh - span.raLow), dec);
        }), FinderDecLabel(dec, decStep));
    }
    const double lowMinutes = (centre.first + span.raLow) * 60.0, highMinutes = (centre.first + span.raHigh) * 60.0;
    const double top = std::min(span.decHigh, 89.999), bottom = std::max(span.decLow, -89.999);
    for (double m = std::ceil(lowMinutes / raStep) * raStep; m < highMinutes + (span.raHigh >= 12.0 ? 0 : 1e-9);
         m += raStep) {
        circles.emplace_back(pathOf([&](double t) { return frame.Place(m / 60.0, bottom + t * (top - bottom)); }),
                             FinderRaLabel(m));
    }
    for (const auto* lines : {&parallels, &circles})
        for (const auto& [path, text] : *lines) surface.StrokePath(path, false, 1.0, kGridColour);
    surface.SetTextColour(kLabelColour);
    surface.SetBackColour(kColourWhite);
    GridLabels put{surface, box, {}, labels};
    for (const auto& [path, text] : circles) put.Put(path, {kBottom, kTop, kRight, kLeft}, text);
    for (const auto& [path, text] : parallels) put.Put(path, {kLeft, kRight, kTop, kBottom}, text);
    boxes = std::move(put.taken);
    surface.ResetClip();
}

}  // namespace vsp
