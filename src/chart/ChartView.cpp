#include "chart/ChartView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "ephemeris/Constants.h"
#include "shell/PreferenceTable.h"

namespace vsp {
namespace {

constexpr std::array<int, kZoomLevelCount> kFieldOfViewTenths = {1800, 1500, 1200, 900, 600, 450, 300,
                                                                 200,  100,  50,   25,  15,  10,  5};
constexpr std::array<int32_t, kZoomLevelCount> kMagnification16 = {
    65536,   91750,   115015,  153354,  230031,   306708,   458752,
    688128,  1376256, 2752512, 5505024, 9175000, 13762560, 16500000};
constexpr std::array<double, kZoomLevelCount> kProjectionAngleDeg = {110,   100,  92,  87,   70,   61.1, 40.1,
                                                                     26.65, 13.4, 6.7, 3.55, 2.05, 1.35, 0.7};

// The panorama's plane units per radian (0.8952465548 in Unit24): one degree is 2^18 units,
// so that a 16.16 magnification of 1.0 gives one pixel per degree.
constexpr Unit24 kPanoramaPlanePerRadian = 15019745;
// The panorama is drawn at 0.8 of the magnification.
constexpr int64_t kPanoramaShrink = 13421772;
// Where a panorama looks until it is moved: south, with the horizon in the lower part.
constexpr double kPanoramaMiddleAzDeg = 180.0;
constexpr double kPanoramaMiddleAltDeg = 20.0;
// Bodies this many pixels beyond the chart area are still placed (their symbols reach in).
constexpr int kCullMarginPx = 30;

int ClampLevel(int level) { return std::clamp(level, 0, kZoomLevelCount - 1); }

Unit24 RoundToUnit24(double value) {
    constexpr double kLimit = std::numeric_limits<Unit24>::max();
    return static_cast<Unit24>(std::llround(std::clamp(value * kUnit24One, -kLimit, kLimit)));
}

Matrix24 ToMatrix24(const Mat3& m) {
    Matrix24 out;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) out.m[i][j] = RoundToUnit24(m.m[i][j]);
    }
    return out;
}

double ReduceDegrees(double degrees) {
    const double reduced = std::fmod(degrees, 360.0);
    return reduced < 0.0 ? reduced + 360.0 : reduced;
}

Angle24 ReduceToTurn(double radians) {
    Angle24 angle = RadiansToAngle24(std::fmod(radians + kTwoPi, kTwoPi));
    return angle >= kFullTurn ? angle - kFullTurn : angle;
}

int32_t PixelOffset(Unit24 plane, int32_t scale16) {
    return static_cast<int32_t>((static_cast<int64_t>(plane) * scale16) >> 24 >> 10);
}

}  // namespace

int FieldOfViewTenths(int level) { return kFieldOfViewTenths[size_t(ClampLevel(level))]; }

int32_t Magnification16(int level) { return kMagnification16[size_t(ClampLevel(level))]; }

double ProjectionAngleDeg(int level) { return kProjectionAngleDeg[size_t(ClampLevel(level))]; }

float GetSizeFactor(int level) {
    if (level < 0 || level >= kZoomLevelCount) return 0.0f;
    return static_cast<float>(1.0 / (0.375 * kFieldOfViewTenths[size_t(level)] / 10.0));
}

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
    for (int level = 0; level < kZoomLevelCount; ++level) magnification_[size_t(level)] = Magnification16(level) * pixelUnit_;
    originSet_ = false;
}

void ChartView::SetChartType(int type) {
    const bool wasHorizontalFrame = UsesHorizontalFrame();
    chartType_ = std::clamp(type, 0, kChartTypeCount - 1);
    zoomLevel_ = chartType_ == kChartHorizonView ? zoomLevelHorizon_ : zoomLevelOther_;
    originSet_ = false;
    if (wasHorizontalFrame != UsesHorizontalFrame()) BuildFrameMatrices();
}

int ChartView::SetZoomLevel(int level) {
    const bool keepCentre = IsHorizontalChart(chartType_) && originSet_ && scaleX_ != 0 && scaleY_ != 0;
    const SkyDirection centre = keepCentre ? PixelToHorizontal(widthPx_ / 2, heightPx_ / 2) : SkyDirection{};
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

void ChartView::SetSkyMapRotation(int degrees) {
    skyMapRotation_ = degrees;
    rotationCos_ = RoundToUnit24(std::cos(degrees * kDegToRad));
    rotationSin_ = RoundToUnit24(std::sin(degrees * kDegToRad));
}

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

void ChartView::SetCentre(double firstDeg, double secondDeg) {
    centerFirst_ = firstDeg;
    centerSecond_ = secondDeg;
    SetCentreRotation();
}

// The projection turns the frame by a quarter turn minus the centre's angle, which brings the
// centre onto the depth axis with the frame's angle growing to the right before the x sign
// (so azimuth grows to the right, and right ascension to the left once "Equatorial Sky"'s
// x sign of -1 is applied).
void ChartView::SetCentreRotation() {
    const double a = centerFirst_ * kDegToRad, b = centerSecond_ * kDegToRad;
    centreA_ = SinCos24{RoundToUnit24(std::cos(a)), RoundToUnit24(std::sin(a))};
    centreB_ = SinCos24{RoundToUnit24(std::sin(b)), RoundToUnit24(std::cos(b))};
}

void ChartView::SetOrigin(int32_t x, int32_t y) {
    originX_ = x;
    originY_ = y;
    originSet_ = true;
    if (IsHorizontalChart(chartType_)) {
        centerX_ = x;
        centerY_ = y;
    }
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
    signX_ = chartType_ == kChartHorizonView || chartType_ == kChartEquatorialSky ? -1 : 1;
    signY_ = 1;
    GetFlipSigns(zoomLevel_, flips_, signX_, signY_);
    if (IsHorizontalChart(chartType_)) {
        PrepareHorizontal();
    } else {
        PrepareCentred();
    }
}

void ChartView::PrepareHorizontal() {
    int32_t magnification = magnification_[size_t(zoomLevel_)];
    if (chartType_ == kChartHorizonView) magnification = int32_t((magnification * kPanoramaShrink) >> 24);
    scaleX_ = signX_ * magnification;
    scaleY_ = signY_ * magnification;
    if (!originSet_) {
        const bool panorama = chartType_ == kChartHorizonView;
        PutAtMiddle(panorama ? kPanoramaMiddleAzDeg : 0.0, panorama ? kPanoramaMiddleAltDeg : 90.0);
    }
    centerX_ = originX_;
    centerY_ = originY_;
}

void ChartView::PrepareCentred() {
    const double t = std::tan(ProjectionAngleDeg(zoomLevel_) * kDegToRad / 2.0);
    const double scale0 = (2621440 / std::max(1, 32 / pixelUnit_)) / t;
    centerX_ = widthPx_ / 2;
    centerY_ = heightPx_ / 2;
    boundX_ = RoundToUnit24((centerX_ + kCullMarginPx) * 1024.0 / scale0);
    boundY_ = RoundToUnit24((centerY_ + kCullMarginPx) * 1024.0 / scale0);
    const int32_t pixelsPerUnit = static_cast<int32_t>(scale0) >> 10;
    scaleX_ = signX_ * pixelsPerUnit;
    scaleY_ = signY_ * pixelsPerUnit;
}

// ---- horizontal charts ----

ScreenPoint ChartView::ProjectHorizontal(Angle24 ra, Angle24 dec) const {
    return ProjectHorizontalVector(RotateToFrame(catalogToHorizontal24_, ra, dec));
}

ScreenPoint ChartView::ProjectHorizontalFloat(double raRad, double decRad, bool ofDate) const {
    const Vec3 u{{std::cos(decRad) * std::cos(raRad), std::cos(decRad) * std::sin(raRad), std::sin(decRad)}};
    const Vec3 v = MatMulVec(ofDate ? sky_.ofDateToHorizontal : sky_.catalogToHorizontal, u);
    if (v[2] < 0.0) return {};
    return PlaceHorizontal(ReduceToTurn(std::atan2(v[1], v[0])), RadiansToAngle24(std::asin(std::min(v[2], 1.0))));
}

ScreenPoint ChartView::ProjectHorizontalVector(const ChartVector& v) const {
    if (v.z < 0) return {};
    if (chartType_ == kChartHorizonView) return PlaceHorizontal(FixedAtan2(v.y, v.x), FixedArcsin(v.z));
    // tan(z/2) (sin A, cos A) is (y, x) / (1 + sin h) for a unit vector: one division in place of
    // the arcsine, arctangent, tangent, sine and cosine of the angle route.
    const int64_t denominator = int64_t(kUnit24One) + v.z;
    return PlaceStereographic(Unit24((int64_t(v.y) << 24) / denominator), Unit24((int64_t(v.x) << 24) / denominator));
}

ScreenPoint ChartView::PlaceHorizontal(Angle24 azimuth, Angle24 altitude) const {
    if (chartType_ == kChartHorizonView) {
        return PlaneToScreen(MultiplyUnit24(azimuth, kPanoramaPlanePerRadian),
                             MultiplyUnit24(altitude, kPanoramaPlanePerRadian));
    }
    // Stereographic from the zenith: the horizon lies at r = 1.
    const Unit24 r = FixedTan((kQuarterTurn - altitude) / 2);
    const SinCos24 a = FixedSinCos(azimuth);
    return PlaceStereographic(MultiplyUnit24(r, a.sin), MultiplyUnit24(r, a.cos));
}

ScreenPoint ChartView::PlaceStereographic(Unit24 east, Unit24 north) const {
    return PlaneToScreen(MultiplyUnit24(rotationCos_, east) - MultiplyUnit24(rotationSin_, north),
                         MultiplyUnit24(rotationSin_, east) + MultiplyUnit24(rotationCos_, north));
}

ScreenPoint ChartView::PlaneToScreen(Unit24 planeX, Unit24 planeY) const {
    return ScreenPoint{true, centerX_ - PixelOffset(planeX, scaleX_), centerY_ - PixelOffset(planeY, scaleY_)};
}

ScreenPoint ChartView::HorizontalToScreen(double azDeg, double altDeg) const {
    const double az = azDeg * kDegToRad, alt = altDeg * kDegToRad;
    if (chartType_ == kChartHorizonView) {
        return PlaneToScreen(RoundToUnit24(az * kPanoramaPlanePerRadian / kUnit24One),
                             RoundToUnit24(alt * kPanoramaPlanePerRadian / kUnit24One));
    }
    const double r = std::tan((std::numbers::pi / 2.0 - alt) / 2.0);
    const double c = Unit24ToDouble(rotationCos_), s = Unit24ToDouble(rotationSin_);
    const double east = r * std::sin(az), north = r * std::cos(az);
    return PlaneToScreen(RoundToUnit24(c * east - s * north), RoundToUnit24(s * east + c * north));
}

SkyDirection ChartView::ScreenToHorizontal(int32_t x, int32_t y) const {
    return PixelToHorizontal(double(x) * pixelUnit_, double(y) * pixelUnit_);
}

SkyDirection ChartView::PixelToHorizontal(double xPx, double yPx) const {
    const double dx = centerX_ - xPx, dy = centerY_ - yPx;
    if (chartType_ == kChartHorizonView) return SkyDirection{ReduceDegrees(dx * 65536.0 / scaleX_), dy * 65536.0 / scaleY_};
    const double planeX = dx * 1024.0 / scaleX_, planeY = dy * 1024.0 / scaleY_;
    const double c = Unit24ToDouble(rotationCos_), s = Unit24ToDouble(rotationSin_);
    const double north = planeY * c - planeX * s, east = planeX * c + planeY * s;
    const double zenithDistance = 2.0 * std::atan(std::hypot(north, east));
    return SkyDirection{ReduceDegrees(std::atan2(east, north) * kRadToDeg), 90.0 - zenithDistance * kRadToDeg};
}

SkyDirection ChartView::ScreenToEquatorial(int32_t x, int32_t y) const {
    const SkyDirection h = ScreenToHorizontal(x, y);
    return HorizontalToEquatorial(h.first, h.second);
}

SkyDirection ChartView::HorizontalToEquatorial(double azDeg, double altDeg) const {
    const double az = azDeg * kDegToRad, alt = altDeg * kDegToRad;
    const Vec3 h{{std::cos(alt) * std::cos(az), std::cos(alt) * std::sin(az), std::sin(alt)}};
    const Vec3 e = MatMulVec(MatTranspose(sky_.catalogToHorizontal), h);
    const double raHours = ReduceDegrees(std::atan2(e[1], e[0]) * kRadToDeg) / 15.0;
    return SkyDirection{raHours, std::asin(std::clamp(e[2], -1.0, 1.0)) * kRadToDeg};
}

// ---- centred charts ----

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

ScreenPoint ChartView::ProjectCentred(const ChartVector& v) const {
    if (chartType_ == kChartVisibleSky && v.z < 0) return {};
    const Unit24 across = MultiplyUnit24(centreA_.cos, v.x) - MultiplyUnit24(centreA_.sin, v.y);
    if (across < -boundX_ || across > boundX_) return {};
    const Unit24 toward = MultiplyUnit24(centreA_.sin, v.x) + MultiplyUnit24(centreA_.cos, v.y);
    if (MultiplyUnit24(centreB_.cos, toward) + MultiplyUnit24(centreB_.sin, v.z) <= 0) return {};
    const Unit24 up = MultiplyUnit24(centreB_.cos, v.z) - MultiplyUnit24(centreB_.sin, toward);
    if (up < -boundY_ || up > boundY_) return {};
    return ScreenPoint{true, centerX_ - MultiplyUnit24(across, scaleX_), centerY_ - MultiplyUnit24(up, scaleY_)};
}

// The chart frame's angles (radians) of a chart pixel of a centred chart.
SkyDirection ChartView::PixelToFrame(double xPx, double yPx) const {
    double across = (centerX_ - xPx) / scaleX_, up = (centerY_ - yPx) / scaleY_;
    const double rim = across * across + up * up;
    if (rim > 1.0) {
        across /= std::sqrt(rim);
        up /= std::sqrt(rim);
    }
    const double depth = std::sqrt(std::max(0.0, 1.0 - across * across - up * up));
    const double cA = Unit24ToDouble(centreA_.cos), sA = Unit24ToDouble(centreA_.sin);
    const double cB = Unit24ToDouble(centreB_.cos), sB = Unit24ToDouble(centreB_.sin);
    const double toward = cB * depth - sB * up;
    const double z = sB * depth + cB * up;
    return SkyDirection{std::atan2(-sA * across + cA * toward, cA * across + sA * toward),
                        std::asin(std::clamp(z, -1.0, 1.0))};
}

void ChartView::ScreenToSkyCentred(int32_t x, int32_t y, Angle24& first, Angle24& second) const {
    const SkyDirection d = PixelToFrame(x, y);
    first = ReduceToTurn(d.first);
    second = RadiansToAngle24(d.second);
}

SkyDirection ChartView::ScreenToCatalog(int32_t x, int32_t y) const {
    return PixelToCatalog(double(x) * pixelUnit_, double(y) * pixelUnit_);
}

SkyDirection ChartView::PixelToCatalog(double x, double y) const {
    if (IsHorizontalChart(chartType_)) {
        const SkyDirection h = PixelToHorizontal(x, y);
        return HorizontalToEquatorial(h.first, h.second);
    }
    const SkyDirection d = PixelToFrame(x, y);
    const double firstDeg = ReduceDegrees(d.first * kRadToDeg), secondDeg = d.second * kRadToDeg;
    if (UsesHorizontalFrame()) return HorizontalToEquatorial(firstDeg, secondDeg);
    return SkyDirection{firstDeg / 15.0, secondDeg};
}

SkyDirection ChartView::CatalogToHorizontal(double raHours, double decDeg) const {
    const double ra = raHours * kHoursToRad, dec = decDeg * kDegToRad;
    const Vec3 h = MatMulVec(sky_.catalogToHorizontal,
                             Vec3{{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)}});
    return SkyDirection{ReduceDegrees(std::atan2(h[1], h[0]) * kRadToDeg), std::asin(std::clamp(h[2], -1.0, 1.0)) * kRadToDeg};
}

void ChartView::CentreOnVector(const ChartVector& v) {
    const double x = Unit24ToDouble(v.x), y = Unit24ToDouble(v.y), z = Unit24ToDouble(v.z);
    SetCentre(ReduceDegrees(std::atan2(y, x) * kRadToDeg), std::asin(std::clamp(z, -1.0, 1.0)) * kRadToDeg);
}

}  // namespace vsp
