#include "chart/ChartView.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "settings/PreferenceTable.h"

namespace vsp {
namespace {

// What a chart type is: its projection, its frame, how it starts mirrored and what it leaves
// out. Only here does a chart type turn into a projection.
struct ChartTypeShape {
    ChartProjections::Kind projection;
    bool horizontalFrame;  // azimuth/altitude; else J2000 right ascension/declination
    int startSignX;        // before the flip of the level
    bool horizonCut;       // nothing below the horizon (the horizontal charts cut it themselves)
    SkyDirection middle;   // where a horizontal chart looks until it is moved (azimuth, altitude)
};
constexpr std::array<ChartTypeShape, kChartTypeCount> kChartTypes = {{
    {ChartProjections::Kind::Stereographic, true, 1, true, {0.0, 90.0}},  // "Sky Map": the zenith
    {ChartProjections::Kind::Panorama, true, -1, true, {180.0, 20.0}},    // "Horizon View": south, low
    {ChartProjections::Kind::Orthographic, true, 1, false, {}},           // "Whole Sky"
    {ChartProjections::Kind::Orthographic, true, 1, true, {}},            // "Visible Sky"
    {ChartProjections::Kind::Orthographic, false, -1, false, {}},         // "Equatorial Sky"
}};

int ClampLevel(int level) { return std::clamp(level, 0, kZoomLevelCount - 1); }

Matrix24 ToMatrix24(const Mat3& m) {
    Matrix24 out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) out.m[i][j] = RoundToUnit24(m.m[i][j]);
    }
    return out;
}

}  // namespace

MagnitudeLimits GetMagnitudeLimits(int level, const Preferences& prefs, float scopeLimit, float eyeLimit) {
    return MagnitudeLimits{ZoomStarLimit(prefs, level, scopeLimit, eyeLimit),
                           ZoomObjectLimit(prefs, level, scopeLimit, eyeLimit)};
}

void GetFlipSigns(int level, const std::array<int32_t, 10>& flipPerLevel, int& signX, int& signY) {
    switch (flipPerLevel[size_t(std::clamp(level, 0, 9))]) {
        case 1: signY = -signY; break;
        case 2: signX = -signX; signY = -signY; break;
        case 3: signX = -signX; break;
        default: break;
    }
}

// ---- set-up ----

void ChartView::SetDisplay(int pixelUnit, int widthPx, int heightPx) {
    pixelUnit_ = std::max(pixelUnit, 1);
    widthPx_ = widthPx;
    heightPx_ = heightPx;
    originSet_ = false;
}

void ChartView::SetChartType(int type) {
    const bool wasHorizontalFrame = UsesHorizontalFrame();
    chartType_ = std::clamp(type, 0, kChartTypeCount - 1);
    const ChartTypeShape& shape = kChartTypes[size_t(chartType_)];
    projections_.chosen = shape.projection;
    projections_.orthographic.SetHorizonCut(shape.horizonCut);
    zoomLevel_ = chartType_ == kChartHorizonView ? zoomLevelHorizon_ : zoomLevelOther_;
    originSet_ = false;
    if (wasHorizontalFrame != UsesHorizontalFrame()) BuildFrameMatrices();
}

bool ChartView::UsesHorizontalFrame() const { return kChartTypes[size_t(chartType_)].horizontalFrame; }

int ChartView::SetZoomLevel(int level) {
    const ChartProjection& projection = projections_.Current();
    const bool keepCentre =
        IsHorizontalChart(chartType_) && originSet_ && projection.ScaleX() != 0 && projection.ScaleY() != 0;
    const SkyDirection centre = keepCentre ? projection.Backward(widthPx_ / 2, heightPx_ / 2) : SkyDirection{};
    zoomLevel_ = ClampLevel(level);
    (chartType_ == kChartHorizonView ? zoomLevelHorizon_ : zoomLevelOther_) = zoomLevel_;
    if (keepCentre) CentreHorizontalOn(centre.first, centre.second);
    return zoomLevel_;
}

void ChartView::SetRememberedLevels(int horizonLevel, int otherLevel) {
    zoomLevelHorizon_ = ClampLevel(horizonLevel);
    zoomLevelOther_ = ClampLevel(otherLevel);
    zoomLevel_ = chartType_ == kChartHorizonView ? zoomLevelHorizon_ : zoomLevelOther_;
}

void ChartView::SetFlips(const std::array<int32_t, 10>& flipPerLevel) { flips_ = flipPerLevel; }

void ChartView::SetSkyMapRotation(int degrees) { projections_.skyMap.SetRotation(degrees); }

void ChartView::SetSky(const ChartSky& sky) {
    sky_ = sky;
    catalogToHorizontal24_ = ToMatrix24(sky.catalogToHorizontal);
    BuildFrameMatrices();
}

void ChartView::BuildFrameMatrices() {
    if (UsesHorizontalFrame()) {
        catalogToFrame24_ = catalogToHorizontal24_;
        ofDateToFrame24_ = ToMatrix24(sky_.ofDateToHorizontal);
    } else {
        catalogToFrame24_ = ToMatrix24(MatIdentity());
        ofDateToFrame24_ = ToMatrix24(sky_.ofDateToCatalog);
    }
    ++frameGeneration_;
}

void ChartView::SetCentre(double firstDeg, double secondDeg) { projections_.orthographic.SetCentre(firstDeg, secondDeg); }

// The horizontal charts shift; a centred chart keeps its origin at the middle and turns.
void ChartView::SetOrigin(int32_t x, int32_t y) {
    originSet_ = true;
    if (IsHorizontalChart(chartType_)) projections_.Current().SetOrigin(x, y);
}

void ChartView::CentreHorizontalOn(double azDeg, double altDeg) {
    if (!IsHorizontalChart(chartType_)) return;
    Prepare();
    PutAtMiddle(azDeg, altDeg);
}

// Needs the scales of the current level.
void ChartView::PutAtMiddle(double azDeg, double altDeg) {
    const int32_t middleX = widthPx_ / 2, middleY = heightPx_ / 2;
    SetOrigin(middleX, middleY);
    const ScreenPoint p = HorizontalToScreen(azDeg, altDeg);
    SetOrigin(2 * middleX - p.x, 2 * middleY - p.y);
}

void ChartView::Prepare() {
    const ChartTypeShape& shape = kChartTypes[size_t(chartType_)];
    int signX = shape.startSignX, signY = 1;
    GetFlipSigns(zoomLevel_, flips_, signX, signY);
    projections_.Current().Prepare(ProjectionSetup{zoomLevel_, pixelUnit_, widthPx_, heightPx_, signX, signY});
    if (IsHorizontalChart(chartType_) && !originSet_) PutAtMiddle(shape.middle.first, shape.middle.second);
}

// ---- sky to pixels ----

ScreenPoint ChartView::ProjectHorizontal(Angle24 ra, Angle24 dec) const {
    return Project(RotateToFrame(catalogToHorizontal24_, ra, dec));
}

ScreenPoint ChartView::ProjectHorizontalFloat(double raRad, double decRad, bool ofDate) const {
    const Vec3 u{{std::cos(decRad) * std::cos(raRad), std::cos(decRad) * std::sin(raRad), std::sin(decRad)}};
    const Vec3 v = MatMulVec(ofDate ? sky_.ofDateToHorizontal : sky_.catalogToHorizontal, u);
    return Project(ChartVector{DoubleToUnit24(v[0]), DoubleToUnit24(v[1]), DoubleToUnit24(v[2])});
}

ScreenPoint ChartView::HorizontalToScreen(double azDeg, double altDeg) const {
    return projections_.Current().ForwardDegrees(azDeg, altDeg);
}

ChartVector ChartView::RotateToFrame(const Matrix24& m, Angle24 ra, Angle24 dec) const {
    const SinCos24 a = FixedSinCos(ra), d = FixedSinCos(dec);
    const Unit24 u[3] = {MultiplyUnit24(d.cos, a.cos), MultiplyUnit24(d.cos, a.sin), d.sin};
    Unit24 v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = MultiplyUnit24(m.m[i][0], u[0]) + MultiplyUnit24(m.m[i][1], u[1]) + MultiplyUnit24(m.m[i][2], u[2]);
    }
    return ChartVector{v[0], v[1], v[2]};
}

ChartVector ChartView::PrecomputeVector(double raHours, double decDeg, bool ofDate) const {
    return RotateToFrame(ofDate ? ofDateToFrame24_ : catalogToFrame24_, HoursToAngle24(raHours),
                         DegreesToAngle24(decDeg));
}

ChartVector ChartView::CatalogVector(Angle24 ra, Angle24 dec) const {
    return RotateToFrame(catalogToFrame24_, ra, dec);
}

// ---- pixels to sky ----

SkyDirection ChartView::PixelToCatalog(double x, double y) const {
    const SkyDirection d = projections_.Current().Backward(x, y);
    if (UsesHorizontalFrame()) return HorizontalToEquatorial(d.first, d.second);
    return SkyDirection{d.first / 15.0, d.second};
}

SkyDirection ChartView::ScreenToHorizontal(int32_t x, int32_t y) const {
    return projections_.Current().Backward(double(x) * pixelUnit_, double(y) * pixelUnit_);
}

SkyDirection ChartView::ScreenToEquatorial(int32_t x, int32_t y) const {
    return PixelToCatalog(double(x) * pixelUnit_, double(y) * pixelUnit_);
}

void ChartView::ScreenToSkyCentred(int32_t x, int32_t y, Angle24& first, Angle24& second) const {
    const SkyDirection d = projections_.Current().Backward(x, y);
    first = DegreesToAngle24(d.first);
    second = DegreesToAngle24(d.second);
}

// ---- frames and centring ----

SkyDirection ChartView::HorizontalToEquatorial(double azDeg, double altDeg) const {
    const double az = azDeg * kDegToRad, alt = altDeg * kDegToRad;
    const Vec3 h{{std::cos(alt) * std::cos(az), std::cos(alt) * std::sin(az), std::sin(alt)}};
    const Vec3 e = MatMulVec(MatTranspose(sky_.catalogToHorizontal), h);
    const double raHours = ReduceAngle(std::atan2(e[1], e[0]) * kRadToDeg, 360.0) / 15.0;
    return SkyDirection{raHours, std::asin(std::clamp(e[2], -1.0, 1.0)) * kRadToDeg};
}

SkyDirection ChartView::CatalogToHorizontal(double raHours, double decDeg) const {
    const double ra = raHours * kHoursToRad, dec = decDeg * kDegToRad;
    const Vec3 h = MatMulVec(sky_.catalogToHorizontal,
                             Vec3{{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)}});
    return SkyDirection{ReduceAngle(std::atan2(h[1], h[0]) * kRadToDeg, 360.0),
                        std::asin(std::clamp(h[2], -1.0, 1.0)) * kRadToDeg};
}

void ChartView::CentreOnVector(const ChartVector& v) {
    const double x = Unit24ToDouble(v.x), y = Unit24ToDouble(v.y), z = Unit24ToDouble(v.z);
    SetCentre(ReduceAngle(std::atan2(y, x) * kRadToDeg, 360.0), std::asin(std::clamp(z, -1.0, 1.0)) * kRadToDeg);
}

}  // namespace vsp
