#pragma once
// The chart view: which kind of chart is shown, where it looks, how far it is zoomed and how
// it is mirrored, and the conversions between sky positions and chart pixels both ways.
// Rendering and taps never project anything themselves; they ask the view.
//
// Frames and units: catalog positions are J2000 right ascension and declination; the
// horizontal frame is azimuth from north through east and altitude, geometric (no
// refraction). Per-body work is Angle24/Unit24 fixed point (FixedPoint.h); floating point
// appears only when a view is set up and in the inverse conversions a tap runs.
//
// Pixels: one plane unit of the horizontal charts is 64 pixels at magnification 1.0 before the
// pixel unit `pu` (so the "Sky Map" horizon at level 0 has a radius of 64 * pu pixels); the
// centred charts are orthographic with (81920 * pu / tan(F/2)) / 1024 pixels per unit of the
// unit sphere, truncated to whole pixels, F the projection angle of the zoom level.
#include <array>
#include <cstdint>

#include "chart/FixedPoint.h"
#include "chart/FixedTrig.h"
#include "ephemeris/Matrix.h"
#include "shell/Preferences.h"

namespace vsp {

enum ChartType : int {
    kChartSkyMap = 0,         // "Sky Map": zenith-centred stereographic disc
    kChartHorizonView = 1,    // "Horizon View": azimuth/altitude panorama
    kChartWholeSky = 2,       // "Whole Sky": orthographic, any centre
    kChartVisibleSky = 3,     // "Visible Sky": as Whole Sky, below-horizon bodies skipped
    kChartEquatorialSky = 4,  // "Equatorial Sky": orthographic in right ascension/declination
};
inline constexpr int kChartTypeCount = 5;
inline constexpr int kZoomLevelCount = 14;

inline bool IsHorizontalChart(int type) { return type == kChartSkyMap || type == kChartHorizonView; }

// A unit vector in the chart's frame: in the horizontal frame x to the north, y to the east,
// z to the zenith (azimuth = atan2(y, x)); in the equatorial frame (J2000) x to right
// ascension 0h, y to 6h, z to the north pole.
struct ChartVector {
    Unit24 x = 0, y = 0, z = 0;
};

// A rotation matrix in Unit24, so that per-body rotations stay integer.
struct Matrix24 {
    Unit24 m[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
};

struct ScreenPoint {
    bool visible = false;
    int32_t x = 0;
    int32_t y = 0;
};

struct SkyDirection {
    double first = 0.0;   // azimuth or right ascension, degrees or hours as the caller says
    double second = 0.0;  // altitude or declination, degrees
};

struct MagnitudeLimits {
    float star = 13.0f;
    float object = 100.0f;  // 100 means "All"
};

// Everything the view knows about the observer and the instant: the local sidereal time and
// latitude, and the rotations from the J2000 catalog frame and from the true equator of date
// into the horizontal frame.
struct ChartSky {
    double jdUt = 0.0;            // the chart's instant
    double lstHours = 0.0;        // local apparent sidereal time
    double latitudeDeg = 0.0;     // north positive
    Mat3 catalogToHorizontal;     // J2000 equator -> horizon (precession, nutation, LST, latitude)
    Mat3 ofDateToHorizontal;      // true equator of date -> horizon (LST, latitude)
    Mat3 ofDateToCatalog;         // true equator of date -> J2000 (for the equatorial frame)
};

class ChartView {
public:
    // ---- set-up ----
    // Pixel unit `pu` (logical pixels per inch / 48) and the chart area in pixels. The
    // magnification table is scaled by `pu` once.
    void SetDisplay(int pixelUnit, int widthPx, int heightPx);
    // Switches the chart type and with it the remembered zoom level of that type.
    void SetChartType(int type);
    // Clamps into 0..13, stores it as the level of the current type and returns it. On a
    // horizontal chart whose origin was set, the direction at the middle of the chart stays there.
    int SetZoomLevel(int level);
    void SetRememberedLevels(int horizonLevel, int otherLevel);
    void SetFlips(const std::array<int32_t, 10>& flipPerLevel);
    void SetSkyMapRotation(int degrees);
    // A new instant or place: sidereal time, latitude terms and both frame matrices. Every
    // cached vector becomes stale.
    void SetSky(const ChartSky& sky);
    // Centre direction of the centred charts: azimuth/altitude in degrees, or for "Equatorial
    // Sky" right ascension in degrees and declination.
    void SetCentre(double firstDeg, double secondDeg);
    // Moves the projection origin of the horizontal charts (pixels). Until it is first set
    // (and again after SetDisplay or SetChartType) Prepare puts the zenith of "Sky Map" at the
    // middle of the chart area and azimuth 180, altitude 20 at the middle of "Horizon View".
    void SetOrigin(int32_t x, int32_t y);
    // Signs, scales and culling bounds for a redraw of the current type and level. "Horizon
    // View" starts from an x sign of -1 (azimuth grows to the right) and so does "Equatorial
    // Sky" (east on the left with north up, as the sky is seen); the flip of the level is
    // applied on top.
    void Prepare();

    // ---- state ----
    int ChartTypeValue() const { return chartType_; }
    int ZoomLevel() const { return zoomLevel_; }
    int ZoomLevelHorizon() const { return zoomLevelHorizon_; }
    int ZoomLevelOther() const { return zoomLevelOther_; }
    int PixelUnit() const { return pixelUnit_; }
    int SignX() const { return signX_; }
    int SignY() const { return signY_; }
    int32_t CenterX() const { return centerX_; }
    int32_t CenterY() const { return centerY_; }
    // 16.16 signed magnification (horizontal charts) or signed pixels per plane unit.
    int32_t ScaleX() const { return scaleX_; }
    int32_t ScaleY() const { return scaleY_; }
    double CenterFirstDeg() const { return centerFirst_; }
    double CenterSecondDeg() const { return centerSecond_; }
    bool UsesHorizontalFrame() const { return chartType_ != kChartEquatorialSky; }
    const ChartSky& Sky() const { return sky_; }
    // Bumped by every SetSky and frame change, so holders of cached vectors know to rebuild.
    uint32_t FrameGeneration() const { return frameGeneration_; }

    // ---- horizontal charts ("Sky Map", "Horizon View") ----
    // J2000 catalog place (Angle24) to pixels; not visible below the horizon.
    ScreenPoint ProjectHorizontal(Angle24 ra, Angle24 dec) const;
    // The same formulas in floating point, for places given in the true equator of date
    // (bodies) or when fixed-point steps are too coarse; radians.
    ScreenPoint ProjectHorizontalFloat(double raRad, double decRad, bool ofDate) const;
    // Azimuth/altitude in degrees to pixels (no horizon test).
    ScreenPoint HorizontalToScreen(double azDeg, double altDeg) const;
    // Pixels (logical units; multiplied by `pu` here) back to azimuth/altitude in degrees.
    SkyDirection ScreenToHorizontal(int32_t x, int32_t y) const;
    // Pixels back to J2000 right ascension (hours) and declination (degrees).
    SkyDirection ScreenToEquatorial(int32_t x, int32_t y) const;

    // ---- centred charts ----
    // A J2000 place as a unit vector in the chart's frame; `ofDate` for places in the true
    // equator of date (the Sun, the Moon, the planets).
    ChartVector PrecomputeVector(double raHours, double decDeg, bool ofDate) const;
    // The same for a J2000 place held as Angle24 (the extended star catalogs), all in fixed
    // point: CORDIC sine/cosine and a Unit24 copy of the frame matrix.
    ChartVector CatalogVector(Angle24 ra, Angle24 dec) const;
    // Horizontal charts from a vector of the horizontal frame (z = sin altitude): steps 3-6 of
    // the horizontal projection with altitude = arcsin z and azimuth from (x, y); this is how
    // the renderer places everything on "Sky Map" and "Horizon View", so that precession and
    // nutation are in. Not visible below the horizon.
    ScreenPoint ProjectHorizontalVector(const ChartVector& v) const;
    // Orthographic projection with culling; "Visible Sky" skips z < 0.
    ScreenPoint ProjectCentred(const ChartVector& v) const;
    // Chart pixels (not logical units) back to the chart's frame (azimuth/altitude or right
    // ascension/declination as Angle24 in [0, 2*pi) and [-pi/2, pi/2]); a point off the sphere
    // snaps to its rim.
    void ScreenToSkyCentred(int32_t x, int32_t y, Angle24& first, Angle24& second) const;
    // Pixels (logical units, as ScreenToHorizontal) back to J2000 right ascension (hours) and
    // declination (degrees) on any chart.
    SkyDirection ScreenToCatalog(int32_t x, int32_t y) const;
    // Re-centres a centred chart on a vector of its frame.
    void CentreOnVector(const ChartVector& v);

    // A bitmap pixel (not a tap's logical unit: no `pu` factor; fractions allowed) back to
    // J2000 right ascension (hours) and declination (degrees) on any chart type; what
    // `chart at` prints and what the star-field culling samples.
    SkyDirection PixelToCatalog(double x, double y) const;
    // A J2000 place to azimuth and altitude (degrees) at the chart's instant, geometric.
    SkyDirection CatalogToHorizontal(double raHours, double decDeg) const;
    // Moves the origin of the horizontal charts so that this direction lies at the middle of
    // the chart area (runs Prepare first, since the origin depends on the scales).
    void CentreHorizontalOn(double azDeg, double altDeg);

    // Horizontal frame to J2000 right ascension (hours) and declination (degrees).
    SkyDirection HorizontalToEquatorial(double azDeg, double altDeg) const;

private:
    int chartType_ = kChartSkyMap;
    int zoomLevel_ = 0;
    int zoomLevelHorizon_ = 2;
    int zoomLevelOther_ = 0;
    int pixelUnit_ = 1;
    int widthPx_ = 240;
    int heightPx_ = 320;
    std::array<int32_t, kZoomLevelCount> magnification_{};
    std::array<int32_t, 10> flips_{};
    int signX_ = 1, signY_ = 1;
    int32_t centerX_ = 0, centerY_ = 0;
    int32_t scaleX_ = 0, scaleY_ = 0;
    Unit24 boundX_ = 0, boundY_ = 0;  // culling half-widths of the centred charts
    int skyMapRotation_ = 0;
    Unit24 rotationCos_ = kUnit24One, rotationSin_ = 0;
    double centerFirst_ = 0.0, centerSecond_ = 0.0;
    // centreA_ turns the centre direction's frame angle onto the depth axis (the rotation
    // by a quarter turn minus it); centreB_ holds the centre altitude or declination.
    SinCos24 centreA_{0, kUnit24One}, centreB_{0, kUnit24One};
    int32_t originX_ = 0, originY_ = 0;
    bool originSet_ = false;
    ChartSky sky_;
    Matrix24 catalogToHorizontal24_;  // for ProjectHorizontal on any frame
    Matrix24 catalogToFrame24_;       // J2000 -> the chart's frame
    Matrix24 ofDateToFrame24_;        // true equator of date -> the chart's frame
    uint32_t frameGeneration_ = 0;

    void BuildFrameMatrices();
    void PrepareHorizontal();
    void PrepareCentred();
    void SetCentreRotation();
    ChartVector RotateToFrame(const Matrix24& m, Angle24 ra, Angle24 dec) const;
    ScreenPoint PlaceHorizontal(Angle24 azimuth, Angle24 altitude) const;
    // The "Sky Map" plane point (r sin A, r cos A), turned by the disc's rotation, in pixels.
    ScreenPoint PlaceStereographic(Unit24 east, Unit24 north) const;
    ScreenPoint PlaneToScreen(Unit24 planeX, Unit24 planeY) const;
    void PutAtMiddle(double azDeg, double altDeg);
    SkyDirection PixelToHorizontal(double xPx, double yPx) const;
    SkyDirection PixelToFrame(double xPx, double yPx) const;
};

// ---- the zoom-level tables ----
// Label field of view in tenths of a degree (1800 .. 5).
int FieldOfViewTenths(int level);
// Horizontal-chart magnification, 16.16, before the pixel-unit scaling.
int32_t Magnification16(int level);
// Projection angle F of the centred charts, degrees.
double ProjectionAngleDeg(int level);
// Z = 1 / (0.375 * label field of view); 0 outside 0..13.
float GetSizeFactor(int level);
// The star and object limits the "SkyChart Zoom Settings" rows of the preferences choose for a
// level (levels above 9 use the <10° row; a negative level gives 13 and "All"), with the
// telescope's and the naked eye's limits behind "Scope" and "Eyes".
MagnitudeLimits GetMagnitudeLimits(int level, const Preferences& prefs, float scopeLimit, float eyeLimit);
// Applies the flip preference of `level` (levels above 9 use 9) to the signs in place.
void GetFlipSigns(int level, const std::array<int32_t, 10>& flipPerLevel, int& signX, int& signY);

}  // namespace vsp
