#pragma once
// The chart view: which kind of chart is shown, where it looks, how far it is zoomed and how
// it is mirrored, and the conversions between sky positions and chart pixels both ways.
// Rendering and taps never project anything themselves; they ask the view, which asks the
// projection of its chart type (ChartProjection.h), chosen when the type is set.
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
#include <utility>

#include "chart/ChartProjection.h"
#include "chart/FixedPoint.h"
#include "chart/FixedTrig.h"
#include "chart/OrthographicProjection.h"
#include "chart/PanoramaProjection.h"
#include "chart/StereographicProjection.h"
#include "chart/ZoomLevels.h"
#include "ephemeris/Matrix.h"
#include "settings/Preferences.h"

namespace vsp {

enum ChartType : int {
    kChartSkyMap = 0,         // "Sky Map": zenith-centred stereographic disc
    kChartHorizonView = 1,    // "Horizon View": azimuth/altitude panorama
    kChartWholeSky = 2,       // "Whole Sky": orthographic, any centre
    kChartVisibleSky = 3,     // "Visible Sky": as Whole Sky, below-horizon bodies skipped
    kChartEquatorialSky = 4,  // "Equatorial Sky": orthographic in right ascension/declination
};
inline constexpr int kChartTypeCount = 5;

inline bool IsHorizontalChart(int type) { return type == kChartSkyMap || type == kChartHorizonView; }

// A rotation matrix in Unit24, so that per-body rotations stay integer.
struct Matrix24 {
    Unit24 m[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
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

// The projections of the chart types, one of each kind, each keeping its own settings (the
// disc's turn, the centre direction) while another kind is shown.
struct ChartProjections {
    enum class Kind { Stereographic, Panorama, Orthographic };

private:
    template <class Self, class Body>
    static decltype(auto) VisitOf(Self& self, Body& body) {
        switch (self.chosen) {
            case Kind::Stereographic: return body(self.skyMap);
            case Kind::Panorama: return body(self.panorama);
            case Kind::Orthographic: break;
        }
        return body(self.orthographic);
    }

public:
    // Runs body(projection) with the chosen projection as its own class.
    template <class Body>
    decltype(auto) Visit(Body&& body) {
        return VisitOf(*this, body);
    }
    template <class Body>
    decltype(auto) Visit(Body&& body) const {
        return VisitOf(*this, body);
    }
    ChartProjection& Current() { return Visit([](ChartProjection& p) -> ChartProjection& { return p; }); }
    const ChartProjection& Current() const {
        return Visit([](const ChartProjection& p) -> const ChartProjection& { return p; });
    }

    Kind chosen = Kind::Stereographic;
    StereographicProjection skyMap;
    PanoramaProjection panorama;
    OrthographicProjection orthographic;
};

class ChartView {
public:
    // ---- set-up ----
    // Pixel unit `pu` (logical pixels per inch / 48) and the chart area in pixels.
    void SetDisplay(int pixelUnit, int widthPx, int heightPx);
    // Switches the chart type, with it the projection and the remembered zoom level of that type.
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
    int32_t CenterX() const { return Projection().CenterX(); }
    int32_t CenterY() const { return Projection().CenterY(); }
    // 16.16 signed magnification (horizontal charts) or signed pixels per plane unit.
    int32_t ScaleX() const { return Projection().ScaleX(); }
    int32_t ScaleY() const { return Projection().ScaleY(); }
    // Pixels per degree of sky at the projection's centre (everywhere on "Horizon View").
    double PixelsPerDegree() const { return Projection().PixelsPerDegree(); }
    // One turn of azimuth in pixels on "Horizon View", where the panorama repeats; else 0.
    int32_t TurnPixels() const { return Projection().TurnPixels(); }
    bool UsesHorizontalFrame() const;
    const ChartSky& Sky() const { return sky_; }
    // Bumped by every SetSky and frame change, so holders of cached vectors know to rebuild.
    uint32_t FrameGeneration() const { return frameGeneration_; }

    // ---- sky to pixels ----
    // The projection of the chart type; Prepare has set it up for the current level.
    const ChartProjection& Projection() const { return projections_.Current(); }
    // Runs body(projection) with that projection as its own class (StereographicProjection,
    // PanoramaProjection or OrthographicProjection), so that a loop inside placing thousands
    // of bodies makes no virtual call for each.
    template <class Body>
    decltype(auto) WithProjection(Body&& body) const {
        return projections_.Visit(std::forward<Body>(body));
    }
    // A vector of the chart's frame to pixels, as the chart type projects: not placed below the
    // horizon ("Sky Map", "Horizon View", "Visible Sky"), on the far hemisphere or beyond the
    // culling bounds (the centred charts). The "Horizon View" wrap is the caller's (TurnPixels).
    ScreenPoint Project(const ChartVector& v) const { return Projection().Forward(v); }
    // A J2000 catalog place (Angle24) to pixels on the horizontal charts.
    ScreenPoint ProjectHorizontal(Angle24 ra, Angle24 dec) const;
    // The same from a place in radians, rotated in floating point: J2000, or the true equator
    // of date (bodies) with `ofDate`.
    ScreenPoint ProjectHorizontalFloat(double raRad, double decRad, bool ofDate) const;
    // A direction of the chart's frame in degrees (azimuth and altitude but on "Equatorial
    // Sky") to pixels in floating point; "Sky Map" and "Horizon View" place it even below the
    // horizon, the centred charts as Project places its FrameVector.
    ScreenPoint HorizontalToScreen(double azDeg, double altDeg) const;
    // A J2000 place as a unit vector in the chart's frame; `ofDate` for places in the true
    // equator of date (the Sun, the Moon, the planets).
    ChartVector PrecomputeVector(double raHours, double decDeg, bool ofDate) const;
    // The same for a J2000 place held as Angle24 (the extended star catalogs), all in fixed
    // point: CORDIC sine/cosine and a Unit24 copy of the frame matrix.
    ChartVector CatalogVector(Angle24 ra, Angle24 dec) const;

    // ---- pixels to sky ----
    // A bitmap pixel (not a tap's logical unit: no `pu` factor; fractions allowed) back to
    // J2000 right ascension (hours) and declination (degrees) on any chart type; what
    // `chart at` prints and what the star-field culling samples. A pixel off the sphere of a
    // centred chart snaps to its rim.
    SkyDirection PixelToCatalog(double x, double y) const;
    // Pixels in logical units (multiplied by `pu` here) back to the chart's frame, degrees:
    // azimuth/altitude on the horizontal charts.
    SkyDirection ScreenToHorizontal(int32_t x, int32_t y) const;
    // Pixels in logical units back to J2000 right ascension (hours) and declination (degrees).
    SkyDirection ScreenToEquatorial(int32_t x, int32_t y) const;
    // Chart pixels (not logical units) back to the chart's frame (azimuth/altitude or right
    // ascension/declination) as Angle24 in [0, 2*pi) and [-pi/2, pi/2].
    void ScreenToSkyCentred(int32_t x, int32_t y, Angle24& first, Angle24& second) const;

    // ---- frames and centring ----
    // A J2000 place to azimuth and altitude (degrees) at the chart's instant, geometric.
    SkyDirection CatalogToHorizontal(double raHours, double decDeg) const;
    // Horizontal frame to J2000 right ascension (hours) and declination (degrees).
    SkyDirection HorizontalToEquatorial(double azDeg, double altDeg) const;
    // Re-centres a centred chart on a vector of its frame.
    void CentreOnVector(const ChartVector& v);
    // Moves the origin of the horizontal charts so that this direction lies at the middle of
    // the chart area (runs Prepare first, since the origin depends on the scales).
    void CentreHorizontalOn(double azDeg, double altDeg);

private:
    int chartType_ = kChartSkyMap;
    int zoomLevel_ = 0;
    int zoomLevelHorizon_ = 2;
    int zoomLevelOther_ = 0;
    int pixelUnit_ = 1;
    int widthPx_ = 240;
    int heightPx_ = 320;
    std::array<int32_t, 10> flips_{};
    bool originSet_ = false;
    ChartProjections projections_;
    ChartSky sky_;
    Matrix24 catalogToHorizontal24_;  // for ProjectHorizontal on any frame
    Matrix24 catalogToFrame24_;       // J2000 -> the chart's frame
    Matrix24 ofDateToFrame24_;        // true equator of date -> the chart's frame
    uint32_t frameGeneration_ = 0;

    void BuildFrameMatrices();
    ChartVector RotateToFrame(const Matrix24& m, Angle24 ra, Angle24 dec) const;
    void PutAtMiddle(double azDeg, double altDeg);
};

// The star and object limits the "SkyChart Zoom Settings" rows of the preferences choose for a
// level (levels above 9 use the <10° row; a negative level gives 13 and "All"), with the
// telescope's and the naked eye's limits behind "Scope" and "Eyes".
MagnitudeLimits GetMagnitudeLimits(int level, const Preferences& prefs, float scopeLimit, float eyeLimit);
// Applies the flip preference of `level` (levels above 9 use 9) to the signs in place.
void GetFlipSigns(int level, const std::array<int32_t, 10>& flipPerLevel, int& signX, int& signY);

}  // namespace vsp
