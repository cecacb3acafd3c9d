// The finder chart's field: stars, deep-sky objects and the overlays about the target, placed
// in the tangent plane of J2000.
#include "chart/FinderChart.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "catalog/ObjectTypeTable.h"
#include "catalog/StarAngle.h"
#include "chart/GnomonicProjection.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

constexpr Colour kInk = kColourBlack;
constexpr Colour kObjectInk = MakeColour(40, 40, 90);
constexpr Colour kOverlayInk = MakeColour(150, 30, 30);
constexpr double kPoint = kFinderDpi / 72.0;  // pixels per PDF point
// Star discs: radius in points at the limit, growth per magnitude brighter, the largest.
constexpr double kFaintestRadius = 0.55;
constexpr double kRadiusPerMagnitude = 0.5;
constexpr double kLargestRadius = 5.0;
constexpr double kHaloPoints = 0.6;  // white ring that keeps touching stars apart

bool Inside(const Rect& box, PointF p, double reach) {
    return p.x + reach >= box.left && p.x - reach <= box.right && p.y + reach >= box.top && p.y - reach <= box.bottom;
}

// The walk's band of the sky: declinations and right-ascension minutes within `radiusDeg`.
StarWalkView WalkAround(double raHours, double decDeg, double radiusDeg, float limit) {
    StarWalkView walk;
    walk.limitingMagnitude = limit;
    walk.lowestDec = float(std::max(-90.0, decDeg - radiusDeg - 1.0));
    walk.highestDec = float(std::min(90.0, decDeg + radiusDeg + 1.0));
    const double sinReach = std::sin(radiusDeg * kDegToRad), cosDec = std::cos(decDeg * kDegToRad);
    if (sinReach >= cosDec) {
        walk.windows[0] = {0, 1440};
        return walk;
    }
    const double halfMinutes = std::asin(sinReach / cosDec) * kRadToDeg * 4.0 + 2.0;
    const int low = int(std::floor(raHours * 60.0 - halfMinutes)), high = int(std::ceil(raHours * 60.0 + halfMinutes));
    const int from = (low % 1440 + 1440) % 1440, length = high - low;
    walk.windows[0] = {from, std::min(1440, from + length)};
    walk.windows[1] = {0, std::max(0, from + length - 1440)};
    return walk;
}

class StarLayer final : public StarWalkTarget {
public:
    StarLayer(DrawSurface& surface, const FinderFrame& frame, float limit, FinderDrawn& drawn)
        : surface_(surface), frame_(frame), limit_(limit), drawn_(drawn) {}

    double Radius(float magnitude) const { return FinderStarRadius(magnitude, limit_); }
    // False when off the chart, fainter than the limit, or already drawn from the default stars.
    bool Draw(double raHours, double decDeg, float magnitude, const std::string& name, bool walked) {
        if (magnitude > limit_) return false;
        const std::optional<PointF> at = frame_.Place(raHours, decDeg);
        const double radius = Radius(magnitude);
        if (!at || !Inside(frame_.Box(), *at, radius)) return false;
        if (walked && magnitude < brightestWalkSkip_) {
            for (size_t i = 0; i < defaults_; ++i) {
                const PointF d = drawn_.stars[i].at;
                if (std::hypot(d.x - at->x, d.y - at->y) < 1.5 * kPoint) return false;
            }
        }
        surface_.FillDisc(at->x, at->y, radius + kHaloPoints * kPoint, kColourWhite);
        surface_.FillDisc(at->x, at->y, radius, kInk);
        drawn_.stars.push_back({raHours, decDeg, magnitude, *at, name});
        return true;
    }
    // The default stars end here: walked stars as bright as the faintest of them may repeat one.
    void EndDefaults(float faintest) {
        defaults_ = drawn_.stars.size();
        brightestWalkSkip_ = faintest + 0.05f;
    }
    bool DrawStar(const StarRecord& star, int, int, int16_t& x, int16_t& y) override {
        if (!Draw(AngleToHours(star.ra), AngleToDegrees(star.dec), star.magnitude / 16.0f, "", true)) return false;
        x = int16_t(std::clamp(drawn_.stars.back().at.x, -32000.0, 32000.0));
        y = int16_t(std::clamp(drawn_.stars.back().at.y, -32000.0, 32000.0));
        return true;
    }

private:
    DrawSurface& surface_;
    const FinderFrame& frame_;
    float limit_;
    FinderDrawn& drawn_;
    size_t defaults_ = 0;
    float brightestWalkSkip_ = -100.0f;
};

void DrawStars(DrawSurface& surface, StarCatalog& stars, const std::vector<std::string>& names,
               const FinderFrame& frame, float limit, FinderDrawn& drawn) {
    StarLayer layer(surface, frame, limit, drawn);
    const std::vector<StarRecord>& defaults = stars.DefaultStars();
    float faintest = -100.0f;
    for (int i = 0; i < stars.DefaultStarsRead(); ++i) {
        const StarRecord& s = defaults[size_t(i)];
        faintest = std::max(faintest, s.magnitude / 16.0f);
        layer.Draw(AngleToHours(s.ra), AngleToDegrees(s.dec), s.magnitude / 16.0f,
                   size_t(i) < names.size() ? names[size_t(i)] : "", false);
    }
    layer.EndDefaults(faintest);
    const SkyDirection centre = frame.Sky(frame.Middle().x, frame.Middle().y);
    const double reach = std::atan(std::tan(frame.FieldDeg() / 2.0 * kDegToRad) * std::sqrt(2.0)) * kRadToDeg;
    if (stars.ExtendedOpen()) stars.WalkRegion(WalkAround(centre.first, centre.second, reach, limit), layer);
}

bool IsDeepSky(const ChartObject& o, const ObjectTypeTable& types) {
    if (o.recordIndex < 0 || o.kind == kKindPlanet || o.kind == kKindMinorBody) return false;
    if (o.displayType < 0 || o.displayType >= kObjectTypeCount) return false;
    const uint8_t group = types[size_t(o.displayType)].group;
    return group == kGroupCluster || group == kGroupRemnant || group == kGroupGalaxy || group == kGroupNebula ||
           group == kGroupOther;
}

// A unit step on the page towards north and one towards east at `at`: the meridians converge
// in the tangent plane, and the view may flip either.
std::pair<PointF, PointF> SkyAxes(const FinderFrame& frame, const ChartObject& o, PointF at) {
    constexpr double kStepDeg = 0.01;
    const double north = o.decDeg > 89.0 ? -kStepDeg : kStepDeg;
    const double eastHours = kStepDeg / 15.0 / std::max(0.01, std::cos(o.decDeg * kDegToRad));
    const auto unit = [&](std::optional<PointF> p, double sign) {
        if (!p) return PointF{0.0, 0.0};
        const double dx = p->x - at.x, dy = p->y - at.y, length = std::max(1e-9, std::hypot(dx, dy));
        return PointF{sign * dx / length, sign * dy / length};
    };
    return {unit(frame.Place(o.raHours, o.decDeg + north), north > 0 ? 1.0 : -1.0),
            unit(frame.Place(o.raHours + eastHours, o.decDeg), 1.0)};
}

// An outline turned by the position angle, measured from north through east.
std::vector<PointF> Ellipse(const FinderFrame& frame, const ChartObject& o, PointF at, double major, double minor) {
    const auto [north, east] = SkyAxes(frame, o, at);
    const double pa = o.positionAngle * kDegToRad;
    // The major axis' direction on the page and the minor axis', a quarter turn on the sky.
    const PointF along{north.x * std::cos(pa) + east.x * std::sin(pa), north.y * std::cos(pa) + east.y * std::sin(pa)};
    const PointF across{east.x * std::cos(pa) - north.x * std::sin(pa), east.y * std::cos(pa) - north.y * std::sin(pa)};
    std::vector<PointF> points;
    for (int i = 0; i < 48; ++i) {
        const double t = i * kTwoPi / 48.0, a = major * std::cos(t), b = minor * std::sin(t);
        points.push_back({at.x + a * along.x + b * across.x, at.y + a * along.y + b * across.y});
    }
    return points;
}

bool IsType(const ObjectTypeTable& types, const ChartObject& o, std::initializer_list<std::string_view> codes) {
    const std::string_view code = ObjectTypeCode(types[size_t(o.displayType)]);
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Half the axes of what is drawn for an object: its size on the chart, at least a symbol
// (about the size of a star of magnitude 5). An outline larger than the field would show
// nothing of the object's shape: it shrinks to the symbol.
struct ObjectSize {
    double major, minor;
};
constexpr double kSymbol = 4.5 * kPoint;

ObjectSize SizeOf(const FinderFrame& frame, const ChartObject& o, bool galaxy) {
    const double pixelsPerArcmin = frame.PixelsPerDegree() / 60.0;
    const double minimum = kSymbol * (galaxy ? 0.5 : 1.0);
    ObjectSize size{std::max(kSymbol, o.sizeMajor * pixelsPerArcmin / 2.0),
                    std::max(minimum, (o.sizeMinor > 0 ? o.sizeMinor : o.sizeMajor) * pixelsPerArcmin / 2.0)};
    if (2.0 * size.major > frame.Box().Width()) size = {kSymbol, minimum};
    return size;
}

// Galaxies and nebulae other than planetaries show their shape.
bool DrawnAsEllipse(const ObjectTypeTable& types, const ChartObject& o) {
    const uint8_t group = types[size_t(o.displayType)].group;
    return group == kGroupGalaxy || (group == kGroupNebula && !IsType(types, o, {"PLNNB"}));
}

void DrawObject(DrawSurface& surface, const FinderFrame& frame, const ObjectTypeTable& types, const ChartObject& o,
                PointF at, ObjectSize size) {
    const uint8_t group = types[size_t(o.displayType)].group;
    const double pen = 0.8 * kPoint;
    const double major = size.major;
    if (DrawnAsEllipse(types, o)) {
        surface.StrokePath(Ellipse(frame, o, at, major, size.minor), true, pen, kObjectInk);
    } else if (IsType(types, o, {"OPNCL", "LMCOC", "SMCOC", "LMCCN", "SMCCN"})) {
        // A dashed circle: dashes of about three points, never fewer than eight.
        const int dashes = std::max(8, int(kTwoPi * major / (6.0 * kPoint)));
        for (int i = 0; i < dashes; ++i) {
            std::vector<PointF> dash;
            for (int k = 0; k <= 3; ++k) {
                const double t = (i + k / 6.0) * kTwoPi / dashes;
                dash.push_back({at.x + major * std::cos(t), at.y + major * std::sin(t)});
            }
            surface.StrokePath(dash, false, pen, kObjectInk);
        }
    } else if (group == kGroupCluster) {  // globular clusters: a circle with a cross
        surface.StrokeCircle(at.x, at.y, major, pen, kObjectInk);
        surface.StrokePath({{at.x - major, at.y}, {at.x + major, at.y}}, false, pen, kObjectInk);
        surface.StrokePath({{at.x, at.y - major}, {at.x, at.y + major}}, false, pen, kObjectInk);
    } else {  // planetary nebulae, remnants and the rest: a ring with four ticks
        surface.StrokeCircle(at.x, at.y, major, pen, kObjectInk);
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            surface.StrokePath({{at.x + dx * major, at.y + dy * major},
                                      {at.x + dx * (major + kSymbol / 2), at.y + dy * (major + kSymbol / 2)}},
                            false, pen, kObjectInk);
    }
}

struct LabelAt {
    int x, y;
    std::string text;
};

// Labels that would overlap one placed before are left out.
struct LabelPlaces {
    std::vector<Rect> taken;
    // Takes the room of `text` with its top-left at (x, y) when that is inside `box` and free.
    bool Take(DrawSurface& surface, const Rect& box, int x, int y, const std::string& text, FontId font) {
        if (text.empty()) return false;
        const TextExtent size = surface.MeasureText(text, font);
        const Rect r = MakeRect(x, y, size.width, size.height);
        if (r.left < box.left || r.right > box.right || r.top < box.top || r.bottom > box.bottom) return false;
        for (const Rect& t : taken)
            if (r.left < t.right && t.left < r.right && r.top < t.bottom && t.top < r.bottom) return false;
        taken.push_back(r);
        return true;
    }
    bool Put(DrawSurface& surface, const Rect& box, int x, int y, const std::string& text, FontId font) {
        if (!Take(surface, box, x, y, text, font)) return false;
        surface.DrawText(x, y, text, font, TextBackground::Transparent);
        return true;
    }
};

// The first free place for an object's label: right of a symbol or small outline, else below
// or left of it; beside a
// large outline's rightmost, leftmost, highest or lowest point, so that the name is seen to
// belong to the outline and not to what lies inside it.
std::optional<LabelAt> PlaceLabel(DrawSurface& surface, const FinderFrame& frame, const ObjectTypeTable& types,
                                  const ChartObject& o, PointF at, ObjectSize size, LabelPlaces& places) {
    const std::string label = ChartLabel(o);
    const TextExtent text = surface.MeasureText(label, FontId::Small);
    const double gap = 2 * kPoint;
    const double reach = std::min(size.major, 12.0 * kPoint);
    std::vector<PointF> spots = {{at.x + reach + gap, at.y - 5 * kPoint},
                                 {at.x - text.width / 2.0, at.y + reach + gap},
                                 {at.x - reach - gap - text.width, at.y - 5 * kPoint}};
    if (size.major > 12.0 * kPoint) {
        const std::vector<PointF> outline =
            DrawnAsEllipse(types, o) ? Ellipse(frame, o, at, size.major, size.minor)
                                     : std::vector<PointF>{{at.x + size.major, at.y}, {at.x - size.major, at.y},
                                                           {at.x, at.y - size.major}, {at.x, at.y + size.major}};
        const auto byX = std::minmax_element(outline.begin(), outline.end(), [](PointF a, PointF b) { return a.x < b.x; });
        const auto byY = std::minmax_element(outline.begin(), outline.end(), [](PointF a, PointF b) { return a.y < b.y; });
        spots = {{byX.second->x + gap, byX.second->y - text.height / 2.0},
                 {byX.first->x - gap - text.width, byX.first->y - text.height / 2.0},
                 {byY.first->x - text.width / 2.0, byY.first->y - gap - text.height},
                 {byY.second->x - text.width / 2.0, byY.second->y + gap},
                 spots[0]};
    }
    for (const PointF spot : spots) {
        const int x = int(std::lround(spot.x)), y = int(std::lround(spot.y));
        if (places.Take(surface, frame.Box(), x, y, label, FontId::Small)) return LabelAt{x, y, label};
    }
    return std::nullopt;
}

// The symbols now, their labels (returned) once the stars are down. An outline over half the
// field that finds no room for its name shrinks to the symbol, rather than stand unnamed.
std::vector<LabelAt> DrawObjects(DrawSurface& surface, const std::vector<ChartObject>& objects,
                                 const FinderFrame& frame, float limit, LabelPlaces& places) {
    std::vector<LabelAt> labels;
    const ObjectTypeTable types = DefaultObjectTypeTable();
    const double reach = frame.FieldDeg();
    const SkyDirection centre = frame.Sky(frame.Middle().x, frame.Middle().y);
    for (const ChartObject& o : objects) {
        if (!IsDeepSky(o, types) || std::abs(o.decDeg - centre.second) > reach) continue;
        if (o.magnitudeTenths != kUnknownMagnitudeTenths && o.magnitudeTenths / 10.0 > limit) continue;
        const std::optional<PointF> at = frame.Place(o.raHours, o.decDeg);
        if (!at || !Inside(frame.Box(), *at, 0.0)) continue;
        const bool galaxy = types[size_t(o.displayType)].group == kGroupGalaxy;
        ObjectSize size = SizeOf(frame, o, galaxy);
        std::optional<LabelAt> label = PlaceLabel(surface, frame, types, o, *at, size, places);
        if (!label && 4.0 * size.major > frame.Box().Width()) {
            size = {kSymbol, kSymbol * (galaxy ? 0.5 : 1.0)};
            label = PlaceLabel(surface, frame, types, o, *at, size, places);
        }
        DrawObject(surface, frame, types, o, *at, size);
        if (label) labels.push_back(std::move(*label));
    }
    return labels;
}

void DrawStarNames(DrawSurface& surface, const FinderDrawn& drawn, LabelPlaces& labels) {
    surface.SetTextColour(kInk);
    for (const FinderStarPlaced& s : drawn.stars) {
        if (s.name.empty()) continue;
        labels.Put(surface, drawn.chart, int(s.at.x + 6 * kPoint), int(s.at.y - 4 * kPoint), s.name, FontId::Small);
    }
}

void DrawOverlays(DrawSurface& surface, const FinderFrame& frame, const FinderOverlays& overlays) {
    const PointF at = frame.Middle();
    const double perArcmin = frame.PixelsPerDegree() / 60.0, pen = 0.9 * kPoint;
    if (overlays.telradDeg) {
        for (const float diameter : *overlays.telradDeg)
            surface.StrokeCircle(at.x, at.y, diameter * 30.0 * perArcmin, pen, kOverlayInk);
    }
    if (overlays.eyepieceFieldArcmin)
        surface.StrokeCircle(at.x, at.y, *overlays.eyepieceFieldArcmin / 2.0 * perArcmin, pen, kOverlayInk);
    if (overlays.ccdArcmin) {
        const double w = overlays.ccdArcmin->first / 2.0 * perArcmin, h = overlays.ccdArcmin->second / 2.0 * perArcmin;
        const double turn = overlays.ccdRotationDeg * kDegToRad * frame.EastLeft() * frame.NorthUp();
        const double c = std::cos(turn), s = std::sin(turn);
        std::vector<PointF> corners;
        for (const auto& [dx, dy] : {std::pair{-w, -h}, {w, -h}, {w, h}, {-w, h}})
            corners.push_back({at.x + dx * c + dy * s, at.y - dx * s + dy * c});
        surface.StrokePath(corners, true, pen, kOverlayInk);
    }
    // The target's place: a cross with a gap, so that the object itself stays visible.
    const double gap = 6 * kPoint, arm = 14 * kPoint;
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        surface.StrokePath({{at.x + dx * gap, at.y + dy * gap}, {at.x + dx * arm, at.y + dy * arm}}, false, pen,
                        kOverlayInk);
}

}  // namespace

double FinderStarRadius(float magnitude, float limit) {
    return std::clamp(kFaintestRadius + kRadiusPerMagnitude * (limit - magnitude), kFaintestRadius, kLargestRadius) *
           kPoint;
}

FinderFrame::FinderFrame(const SkyDirection& centre, double fovDeg, const Rect& box, FinderView view)
    : centreDeg_{centre.first * 15.0, centre.second},
      fovDeg_(fovDeg),
      box_(box),
      view_(view),
      half_((box.right - box.left) / 2.0),
      pixelsPerTangent_(half_ / std::tan(fovDeg / 2.0 * kDegToRad)) {}

std::optional<PointF> FinderFrame::Place(double raHours, double decDeg) const {
    double xi = 0.0, eta = 0.0;
    if (!GnomonicStandard(centreDeg_, {raHours * 15.0, decDeg}, xi, eta)) return std::nullopt;
    const PointF m = Middle();
    return PointF{m.x - EastLeft() * xi * pixelsPerTangent_, m.y - NorthUp() * eta * pixelsPerTangent_};
}

SkyDirection FinderFrame::Sky(double x, double y) const {
    const PointF m = Middle();
    const double xi = -(x - m.x) / pixelsPerTangent_ * EastLeft(), eta = -(y - m.y) / pixelsPerTangent_ * NorthUp();
    const SkyDirection d = GnomonicPlace(centreDeg_, xi, eta);
    return {d.first / 15.0, d.second};
}

double FinderFrame::PixelsPerDegree() const { return pixelsPerTangent_ * kDegToRad; }

void DrawFinderField(DrawSurface& surface, StarCatalog& stars, const std::vector<std::string>& starNames,
                     const std::vector<ChartObject>& objects, const FinderSheet& sheet, const FinderFrame& frame,
                     FinderDrawn& drawn) {
    drawn.chart = frame.Box();
    drawn.pixelsPerDegree = frame.PixelsPerDegree();
    surface.SetBackColour(kColourWhite);
    surface.FillRect(frame.Box());
    std::vector<Rect> gridBoxes;
    DrawFinderGrid(surface, frame, drawn.gridLabels, gridBoxes);
    surface.SetClip(frame.Box());
    // The grid labels keep a point of white about them.
    LabelPlaces labels;
    for (const Rect& r : gridBoxes)
        labels.taken.push_back({r.left - int(kPoint), r.top - int(kPoint), r.right + int(kPoint), r.bottom + int(kPoint)});
    const std::vector<LabelAt> objectLabels = DrawObjects(surface, objects, frame, sheet.objectLimit, labels);
    DrawStars(surface, stars, starNames, frame, sheet.starLimit, drawn);
    DrawOverlays(surface, frame, sheet.overlays);
    surface.SetTextColour(kObjectInk);
    for (const LabelAt& l : objectLabels) surface.DrawText(l.x, l.y, l.text, FontId::Small, TextBackground::Transparent);
    DrawStarNames(surface, drawn, labels);
    surface.ResetClip();
    surface.StrokePath({{double(frame.Box().left), double(frame.Box().top)},
                              {double(frame.Box().right), double(frame.Box().top)},
                              {double(frame.Box().right), double(frame.Box().bottom)},
                              {double(frame.Box().left), double(frame.Box().bottom)}},
                    true, 1.2 * kPoint, kInk);
}

}  // namespace vsp
