// The object layers: placing the deep-sky table and the bodies, their symbols, the objects
// drawn to scale (discs, the Moon's image, ellipses), their names and the selection.
#include <algorithm>
#include <cmath>

#include "chart/ChartRedraw.h"
#include "chart/ZoomLevels.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"

namespace vsp {

namespace {

// Objects of this catalog row keep their symbol at every zoom level, never an outline.
constexpr int kKindSymbolOnly = 5;
constexpr int kEllipsePoints = 22;
constexpr double kEllipseStep = 0.3;  // radians; the 22nd point passes a full turn and closes it
// A comet's tail line at fields wider than 10 degrees, pixels (scaled).
constexpr int kTailLinePixels = 22;
constexpr int kWideFieldTenths = 100;

// Deep-sky symbol cell of a display type, -1 when it has a picture of its own or none.
int SymbolCell(int displayType) {
    switch (displayType) {
        case 2: return 3;    // globular cluster
        case 6: return 2;    // open cluster
        case 16: return 1;   // galaxy
        case 25: return 5;   // planetary nebula
        case 31: case 32: case 33: case 34: case 36: case 37: return 7;  // multiple stars
        case 13: case 18: case 15: case 27: case 29: case 14: case 30: return -1;
        default: return 4;
    }
}

// The outline an object of a display type is drawn to its size with, when outlines are asked for.
enum class OutlineShape { None, Circle, Ellipse };
OutlineShape OutlineOf(const ChartObject& object) {
    if (object.kind == kKindSymbolOnly || IsMinorBodyEntry(object)) return OutlineShape::None;
    switch (object.displayType) {
        case 6: case 7: case 8: return OutlineShape::Circle;  // open clusters
        // Nebulae, clusters in nebulosity, planetary nebulae and supernova remnants.
        case 9: case 10: case 11: case 12: case 19: case 20: case 21: case 22: case 23: case 24: case 25: case 39:
            return OutlineShape::Ellipse;
        default: return OutlineShape::None;
    }
}

// Points around an outline, and the radius (pixels) it must pass to show beside its symbol.
constexpr int kOutlinePoints = 48;
constexpr int kSymbolReach = kSymbolCell / 2;

bool IsBody(const ChartObject& object) { return object.kind == kKindPlanet; }

PlacedKind PlacedKindOf(const ChartObject& object) {
    if (IsBody(object)) return PlacedKind::Body;
    if (!IsMinorBodyEntry(object)) return PlacedKind::Object;
    return object.displayType == kDisplayComet ? PlacedKind::Comet : PlacedKind::MinorPlanet;
}

// The place `degrees` away from (ra, dec) towards the position angle `paDeg` (north through east).
std::pair<double, double> OffsetTowards(double raHours, double decDeg, double paDeg, double degrees) {
    const double dec = decDeg * kDegToRad, pa = paDeg * kDegToRad, d = degrees * kDegToRad;
    const double sinDec2 = std::sin(dec) * std::cos(d) + std::cos(dec) * std::sin(d) * std::cos(pa);
    const double dRa = std::atan2(std::sin(pa) * std::sin(d) * std::cos(dec), std::cos(d) - std::sin(dec) * sinDec2);
    return {raHours + dRa / kDegToRad / 15.0, std::asin(std::clamp(sinDec2, -1.0, 1.0)) / kDegToRad};
}

}  // namespace

void ChartRedraw::PlaceObjects() {
    if (!scene_.objects) return;
    std::vector<ChartObject>& objects = *scene_.objects;
    // A lone record (a finder chart's object) is always shown.
    const int limitTenths = int(limits_.object * (objects.size() < 2 ? 100.0f : 10.0f));
    // Minor planets look like the stars about them and keep to the star limit; comets are
    // diffuse, like the deep-sky objects, and keep to theirs.
    const int starLimitTenths = int(std::lround(limits_.star * 10.0f));
    view_.WithProjection([&](const auto& projection) {
        for (ChartObject& object : objects) {
            object.screen.visible = false;
            const bool minorPlanet = IsMinorBodyEntry(object) && object.displayType == kDisplayMinorPlanet;
            const bool shown = object.displayType == kTypeSolarSystem || object.alwaysShow ||
                               object.magnitudeTenths <= (minorPlanet ? starLimitTenths : limitTenths);
            if (!shown) continue;
            const ScreenPoint p = PlaceWith(projection, ObjectVector(object));
            if (!Inside(p)) continue;
            object.screen = p;
            AddPlaced(PlacedKindOf(object), ChartDesignation(object), ChartLabel(object), p, object.raHours, object.decDeg,
                      object.magnitudeTenths < kUnknownMagnitudeTenths ? std::optional(object.magnitudeTenths / 10.0)
                                                                        : std::nullopt);
        }
    });
}

void ChartRedraw::DrawObjectSymbols() {
    if (!scene_.objects) return;
    for (const ChartObject& object : *scene_.objects) {
        if (object.screen.visible) DrawObjectSymbol(object);
    }
}

void ChartRedraw::DrawObjectSymbol(const ChartObject& object) {
    const int x = object.screen.x, y = object.screen.y;
    if (IsMinorBodyEntry(object) && object.displayType == kDisplayComet) {
        DrawComet(object);
        return;
    }
    const int cell = SymbolCell(object.displayType);
    if (cell >= 0) {
        pictures_.DrawSymbol(canvas_, x, y, cell);
        return;
    }
    switch (object.displayType) {
        case 13: pictures_.DrawSpecial(canvas_, x, y, 11); break;
        case 18: pictures_.DrawSpecial(canvas_, x, y, 12); break;
        case 15: pictures_.DrawSatellite(canvas_, x, y); break;
        case 29: pictures_.DrawMeteorShower(canvas_, x, y); break;
        case kTypeSolarSystem:
            if (object.number == kBodyMoon) {
                pictures_.DrawMoon(canvas_, x, y, Scaled(7), MoonPhase());
            } else if (!FaceShown(object)) {
                pictures_.DrawSpecial(canvas_, x, y, object.number);
            }
            break;
        case kTypeSingleStar:
            if (object.kind != kKindBrightStar) {
                DrawStarSprite(x, y, object.magnitudeTenths / 10, object.colour, 0);
            }
            break;
        default: break;
    }
}

void ChartRedraw::DrawComet(const ChartObject& object) {
    const bool wide = FieldOfViewTenths(level_) > kWideFieldTenths;
    const int tail = wide ? Scaled(kTailLinePixels) : 0;
    const auto [dx, dy] = ScreenDirection(object, object.positionAngle, std::max(tail, Scaled(kTailLinePixels) / 2));
    pictures_.DrawComet(canvas_, object.screen.x, object.screen.y, dx, dy, tail);
}

std::pair<double, double> ChartRedraw::ScreenDirection(const ChartObject& object, double paDeg, int pixels) const {
    const double pixelsPerDegree = view_.PixelsPerDegree();
    if (!(pixelsPerDegree > 0.0)) return {0.0, 0.0};
    const auto [ra, dec] = OffsetTowards(object.raHours, object.decDeg, paDeg, std::min(30.0, pixels / pixelsPerDegree));
    const ScreenPoint end = Place(view_.PrecomputeVector(ra, dec, IsPlaceOfDate(object.kind)));
    if (!end.visible || CrossesSeam(end, object.screen)) return {0.0, 0.0};
    const double dx = end.x - object.screen.x, dy = end.y - object.screen.y;
    const double length = std::hypot(dx, dy);
    return length > 0.0 ? std::pair{dx / length, dy / length} : std::pair{0.0, 0.0};
}

double ChartRedraw::MoonPhase() const { return ((scene_.moonAgeDays + 14) % 28) / 28.0; }

void ChartRedraw::DrawExtendedObjects() {
    if (!scene_.objects) return;
    for (const ChartObject& object : *scene_.objects) {
        // Objects with outlines of their own keep to those.
        if (prefs_.objOutlines && OutlineOf(object) != OutlineShape::None) continue;
        if (object.screen.visible && object.sizeMajor > 0.0f) DrawExtendedObject(object);
    }
}

void ChartRedraw::DrawObjectOutlines() {
    if (!scene_.objects) return;
    canvas_.SetForeColour(palette_.objectName);
    for (const ChartObject& object : *scene_.objects) {
        const OutlineShape shape = OutlineOf(object);
        if (!object.screen.visible || object.sizeMajor <= 0.0f || shape == OutlineShape::None) continue;
        // Too small to show round its symbol even where the projection stretches twice the
        // middle's scale: nothing to project.
        if (object.sizeMajor / 120.0 * view_.PixelsPerDegree() * 2.0 <= kSymbolReach) continue;
        DrawOutline(object, shape == OutlineShape::Circle);
    }
}

void ChartRedraw::DrawOutline(const ChartObject& object, bool circle) {
    // Each point projected from the sky, so that the outline keeps its true size and turn
    // wherever the projection stretches it.
    const double a = object.sizeMajor / 120.0;  // semi-axes, degrees
    const double b = circle || object.sizeMinor <= 0.0f ? a : object.sizeMinor / 120.0;
    std::vector<ScreenPoint> points;
    int reach = 0;
    for (int i = 0; i < kOutlinePoints; ++i) {
        const double t = i * kTwoPi / kOutlinePoints;
        const double along = a * std::cos(t), across = b * std::sin(t);
        const double pa = object.positionAngle + std::atan2(across, along) / kDegToRad;
        const auto [ra, dec] = OffsetTowards(object.raHours, object.decDeg, pa, std::hypot(along, across));
        const ScreenPoint p = Place(view_.PrecomputeVector(ra, dec, IsPlaceOfDate(object.kind)));
        if (!p.visible || CrossesSeam(p, object.screen)) return;
        reach = std::max(reach, std::max(std::abs(p.x - object.screen.x), std::abs(p.y - object.screen.y)));
        points.push_back(p);
    }
    if (reach <= kSymbolReach) return;
    for (size_t i = 0; i < points.size(); ++i) {
        const ScreenPoint& from = points[i];
        const ScreenPoint& to = points[(i + 1) % points.size()];
        canvas_.DrawLine(from.x, from.y, to.x, to.y);
    }
}

const ChartObject* ChartRedraw::Selected() const {
    return scene_.selected >= 0 && scene_.objects ? &(*scene_.objects)[size_t(scene_.selected)] : nullptr;
}

double ChartRedraw::PixelsPerArcminute() const { return int(scale_) * GetSizeFactor(level_); }

int ChartRedraw::NameOffset(const ChartObject& object) const {
    // A body drawn to scale pushes its name clear of its disc.
    const bool disc = object.displayType == kTypeSolarSystem && level_ >= (horizontal_ ? 8 : 9);
    return Scaled(5) + (disc ? int(object.sizeMajor * PixelsPerArcminute()) : 0);
}

ScreenPoint ChartRedraw::NamePlace(const ChartObject& object, int top, std::string_view label, FontId font) const {
    ScreenPoint at{true, object.screen.x + NameOffset(object), top};
    // Only names that may reach an edge are measured: the crowd of short names costs nothing.
    const int reach = Scaled(8) * int(label.size());
    if (at.x + reach <= width_ && top + Scaled(16) <= height_) return at;
    const TextExtent extent = canvas_.MeasureText(label, font);
    if (at.x + extent.width > width_) {
        // The other side of the object, else as far right as the whole name still shows.
        const int left = object.screen.x - NameOffset(object) - extent.width;
        at.x = left >= 0 ? left : std::max(0, width_ - extent.width);
    }
    at.y = std::min(top, height_ - extent.height);
    return at;
}

void ChartRedraw::DrawExtendedObject(const ChartObject& object) {
    const double k = PixelsPerArcminute();
    const int x = object.screen.x, y = object.screen.y;
    if (object.displayType == kTypeSolarSystem) {
        const int r = int(object.sizeMajor * k);
        if (object.number == kBodySun) {
            canvas_.SetForeColour(palette_.sunDisc);
            canvas_.FillCircle(x, y, r);
        } else if (object.number == kBodyMoon) {
            pictures_.DrawMoon(canvas_, x, y, r, MoonPhase());
        } else if (!DrawPlanetFace(object, r)) {
            canvas_.SetForeColour(palette_.bodyOutline);
            canvas_.DrawCircle(x, y, r);
            if (pu_ >= 2 && r > 1) canvas_.DrawCircle(x, y, r - 1);
        }
        return;
    }
    if (object.kind == kKindSymbolOnly || object.sizeMajor * k <= 4.0) return;
    const double minor = object.sizeMinor > 0.0f ? object.sizeMinor : object.sizeMajor;
    DrawEllipse(object, object.sizeMajor * k, minor * k);
}

bool ChartRedraw::FaceShown(const ChartObject& object) const {
    constexpr int kFaceFromRadius = 4;  // pixels: below this the belts and rings are a smudge
    return level_ >= (horizontal_ ? 8 : 9) && scene_.planetFaces.count(object.number) > 0 &&
           int(object.sizeMajor * PixelsPerArcminute()) >= kFaceFromRadius;
}

bool ChartRedraw::DrawPlanetFace(const ChartObject& object, int radius) {
    if (!FaceShown(object)) return false;
    const auto [northX, northY] = ScreenDirection(object, 0.0, radius);
    const auto [eastX, eastY] = ScreenDirection(object, 90.0, radius);
    if ((northX == 0.0 && northY == 0.0) || (eastX == 0.0 && eastY == 0.0)) return false;
    const int night = prefs_.nightLevel > 0 ? NightRedIntensity(prefs_.nightLevel) : 0;
    // The moons without their letters: the chart names what it labels itself.
    PlanetPictureInput picture = scene_.planetFaces.at(object.number).picture;
    for (PictureSatellite& moon : picture.satellites) moon.label.clear();
    const SkyAxes axes{eastX, eastY, northX, northY};
    if (auto* raster = dynamic_cast<Canvas*>(&canvas_)) {
        DrawPlanetPicture(*raster, object.screen.x, object.screen.y, radius, picture, axes, night);
        return true;
    }
    // The face is shaded pixel by pixel: a vector page takes it as an image of its pixels.
    constexpr Colour kKey = MakeColour(255, 0, 255);
    Canvas face;
    if (!face.Create(width_, height_)) return false;
    face.SetBackColour(kKey);
    face.FillRect(MakeRect(0, 0, width_, height_));
    DrawPlanetPicture(face, object.screen.x, object.screen.y, radius, picture, axes, night);
    Rect inked{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (face.At(x, y) == PackRgb565(kKey)) continue;
            inked = Rect{std::min(inked.left, x), std::min(inked.top, y), std::max(inked.right, x + 1),
                         std::max(inked.bottom, y + 1)};
        }
    }
    if (inked.left < inked.right) canvas_.CopySprite(face, inked, inked.left, inked.top, kKey);
    return true;
}

void ChartRedraw::DrawEllipse(const ChartObject& object, double major, double minor) {
    // The major axis as a screen direction carries the position angle whatever the projection
    // and its mirrors do.
    const auto [ax, ay] = ScreenDirection(object, object.positionAngle, std::clamp(int(major), Scaled(10), Scaled(40)));
    if (ax == 0.0 && ay == 0.0) return;
    canvas_.SetForeColour(palette_.objectName);
    int lastX = 0, lastY = 0;
    for (int i = 0; i < kEllipsePoints; ++i) {
        const double t = i * kEllipseStep;
        const double u = major * std::cos(t), w = minor * std::sin(t);
        const int px = object.screen.x + int(std::lround(u * ax - w * ay));
        const int py = object.screen.y + int(std::lround(u * ay + w * ax));
        if (i > 0) canvas_.DrawLine(lastX, lastY, px, py);
        lastX = px;
        lastY = py;
    }
}

void ChartRedraw::DrawObjectNames() {
    if (!scene_.objects) return;
    // Names of the crowd stay small; the selection and the constellations use the label font.
    const FontId font = FontId::Small;
    if (Prioritised()) {
        // Where each name goes is settled once every layer is down.
        for (const ChartObject& object : *scene_.objects) {
            if (object.screen.visible && &object != Selected()) RequestName(ObjectName(object, font));
        }
        return;
    }
    // Earlier placed objects by cells of the clearance box, so each test looks at few.
    const int columns = width_ / kNameClearX + 2, rows = height_ / kNameClearY + 2;
    std::vector<std::vector<const ChartObject*>> cells(size_t(columns) * size_t(rows));
    auto cellOf = [&](int x, int y) {
        return size_t(std::clamp(y / kNameClearY, 0, rows - 1)) * size_t(columns) +
               size_t(std::clamp(x / kNameClearX, 0, columns - 1));
    };
    for (const ChartObject& object : *scene_.objects) {
        if (!object.screen.visible) continue;
        const int x = object.screen.x, y = object.screen.y;
        bool crowded = false;
        for (int dy = -1; dy <= 1 && !crowded; ++dy) {
            for (int dx = -1; dx <= 1 && !crowded; ++dx) {
                for (const ChartObject* other : cells[cellOf(x + dx * kNameClearX, y + dy * kNameClearY)]) {
                    if (std::abs(other->screen.x - x) < kNameClearX && std::abs(other->screen.y - y) < kNameClearY) {
                        crowded = true;
                        break;
                    }
                }
            }
        }
        cells[cellOf(x, y)].push_back(&object);
        // The selection's name comes last, in its own colour and font.
        if (crowded || &object == Selected()) continue;
        RequestName(ObjectName(object, font));
    }
}

ChartRedraw::NameRequest ChartRedraw::ObjectName(const ChartObject& object, FontId font) const {
    NameRequest name;
    name.text = object.kind == kKindHrStar ? HrDesignation(object.number) : ChartLabel(object);
    name.font = font;
    name.colour = palette_.objectName;
    name.magnitude = object.magnitudeTenths / 10.0;
    name.rank = IsBody(object)               ? kRankBody
                : IsMinorBodyEntry(object)   ? kRankMinorBody
                : object.listed              ? kRankListed
                : object.named               ? kRankNamed
                                             : kRankOther;
    name.anchor = object.screen;
    const ScreenPoint at = NamePlace(object, object.screen.y, name.text, font);
    name.x = at.x;
    name.y = at.y;
    if (Prioritised()) name.otherX = object.screen.x - NameOffset(object) - canvas_.MeasureText(name.text, font).width;
    return name;
}

void ChartRedraw::DrawSelection() {
    drawn_.selectionAt.reset();
    NameRequest name{.rank = kRankSelection, .font = LabelFont(), .colour = palette_.selection};
    if (scene_.selectedStar && !Selected()) {
        const ScreenPoint p = Place(MarkVector(*scene_.selectedStar));
        if (!Inside(p)) return;
        drawn_.selectionAt = p;
        // Above the star's right, clear of its Bayer letter and Flamsteed number.
        name.text = scene_.selectedStar->name;
        name.x = p.x + Scaled(5);
        name.y = p.y - Scaled(14);
        name.anchor = p;
        RequestName(std::move(name));
        return;
    }
    if (scene_.selected < 0 || !scene_.objects) return;
    ChartObject& object = (*scene_.objects)[size_t(scene_.selected)];
    if (!object.screen.visible) {
        const ScreenPoint p = Place(ObjectVector(object));
        if (!Inside(p)) return;
        object.screen = p;
        DrawObjectSymbol(object);
    }
    drawn_.selectionAt = object.screen;
    name.text = ChartLabel(object);
    const ScreenPoint at = NamePlace(object, object.screen.y - Scaled(1), name.text, name.font);
    name.x = at.x;
    name.y = at.y;
    name.anchor = object.screen;
    if (Prioritised()) {
        name.otherX = object.screen.x - NameOffset(object) - canvas_.MeasureText(name.text, name.font).width;
    }
    RequestName(std::move(name));
}

}  // namespace vsp
