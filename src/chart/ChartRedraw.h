#pragma once
// One redraw in progress: the state the layers of the chart share while they draw (palette,
// scales, placed positions). RenderChart makes one per redraw; the layers live in the
// ChartDraw*.cpp files by subject.
#include <functional>
#include <optional>
#include <string>

#include "catalog/ConstellationTable.h"
#include "chart/ChartRenderer.h"

namespace vsp {

// An object's name gives way to any object named before it that lies closer than this (pixels).
inline constexpr int kNameClearX = 30;
inline constexpr int kNameClearY = 10;

// Which names go first when they compete for room.
enum NameRank { kRankSelection, kRankBody, kRankMinorBody, kRankListed, kRankNamed, kRankConstellation, kRankOther };

class ChartRedraw {
public:
    ChartRedraw(DrawSurface& canvas, ChartView& view, ChartPictures& pictures, const Preferences& prefs,
                ChartScene& scene, const ChartRenderOptions& options, ChartDrawn& drawn);
    void Run();

private:
    // ---- view and placing (ChartRedraw.cpp) ----
    void PrepareView();
    void CentreOnSelection();
    void RunHorizontal();
    void RunCentred();
    // The view's projection, brought into the displayed turn where the plane repeats. The
    // loops over thousands of places use PlaceWith inside ChartView::WithProjection, which hands
    // them the projection as its own class: no virtual call for each place.
    ScreenPoint Place(const ChartVector& v) const { return PlaceWith(view_.Projection(), v); }
    template <class Projection>
    ScreenPoint PlaceWith(const Projection& projection, const ChartVector& v) const {
        ScreenPoint p = projection.Forward(v);
        if (p.visible && turnPixels_ > 0) p.x = WrapIntoTurn(p.x, width_, turnPixels_);
        return p;
    }
    // A line between these places would cross the seam of a repeating plane (the panorama
    // wraps at north): its ends lie 80 * pu pixels or more apart across.
    bool CrossesSeam(const ScreenPoint& a, const ScreenPoint& b) const;
    ChartVector ObjectVector(ChartObject& object) const;
    ChartVector MarkVector(const ChartMark& mark) const;
    // The selected object's or star's vector; nothing without a selection.
    std::optional<ChartVector> SelectionVector();
    const ChartVector& BrightVector(int index);
    int Scaled(int pixels) const { return int(pixels * scale_); }
    bool Inside(const ScreenPoint& p) const;
    // J2000 place under a bitmap pixel of the chart.
    SkyDirection CatalogAtPixel(int x, int y) const;
    void AddPlaced(PlacedKind kind, std::string designation, std::string name, const ScreenPoint& p,
                   double raHours, double decDeg, std::optional<double> magnitude = std::nullopt);

    // ---- lines and scales (ChartDrawFrame.cpp) ----
    void DrawHorizonAndFrame();
    void DrawHorizonCircle();
    void DrawAltAzScale();
    void DrawAzimuthTicks(double pixelsPerDegree);
    void DrawAltitudeLines(double pixelsPerDegree);
    void DrawEquatorialGrid(bool hourLabels);
    void DrawAltAzGrid();
    void DrawEcliptic();
    void DrawCompass();
    // Joins the places of `point(t)` for t = 0..steps, lifting the pen where a point is not
    // placed or where the "Horizon View" wrap would draw across the panorama.
    void DrawCurve(int steps, const std::function<ChartVector(int)>& point);
    void DrawCentredText(int x, int y, std::string_view text, FontId font);

    // ---- stars (ChartDrawStars.cpp) ----
    void PlaceBrightStars();
    void DrawBrightStars();
    void DrawConstellationLines(bool endStars);
    void DrawConstellationNames();
    void DrawCatalogStars();
    void DrawStarsLegend();
    void DrawStarSprite(int x, int y, int sizeClass, int colourTenths, int extra);
    int StarSizeIndex(int sizeClass, int extra) const;
    int StarColourRow(int colourTenths) const;

    // ---- objects (ChartDrawObjects.cpp) ----
    void PlaceObjects();
    void DrawObjectSymbols();
    void DrawObjectSymbol(const ChartObject& object);
    void DrawExtendedObjects();
    void DrawExtendedObject(const ChartObject& object);
    void DrawEllipse(const ChartObject& object, double major, double minor);
    // Open clusters as circles and nebulae as ellipses at their position angle, to their
    // catalog size, where that reaches out of their symbols.
    void DrawObjectOutlines();
    void DrawOutline(const ChartObject& object, bool circle);
    // A comet turned so that its tail points away from the Sun; a tail line at wide fields.
    void DrawComet(const ChartObject& object);
    // The unit screen vector of a position angle (degrees, north through east) at a placed
    // object, measured over about `pixels`; (0, 0) where that way leaves the chart's plane.
    std::pair<double, double> ScreenDirection(const ChartObject& object, double paDeg, int pixels) const;
    void DrawObjectNames();
    void DrawSelection();
    // The selection's place on the chart, when it lies there (after DrawSelection).
    std::optional<ScreenPoint> SelectionPoint() const { return drawn_.selectionAt; }
    double MoonPhase() const;
    // The planet's face in place of its disc outline; false when it has none or is too small.
    bool DrawPlanetFace(const ChartObject& object, int radius);
    bool FaceShown(const ChartObject& object) const;
    const ChartObject* Selected() const;
    // Size of one arcminute on the objects drawn to scale (k of the size rules).
    double PixelsPerArcminute() const;
    // From an object to the left end of its name.
    int NameOffset(const ChartObject& object) const;
    // The top-left of an object's name: right of it, or left of it where the name would run
    // off the chart's right edge; raised clear of the bottom edge.
    ScreenPoint NamePlace(const ChartObject& object, int top, std::string_view label, FontId font) const;

    // ---- optional layers (ChartDrawLayers.cpp) ----
    // Beneath everything else: the Milky Way and the borders, each when switched on.
    void DrawBackgroundLayers();
    void DrawConstellationBorders();
    void DrawMilkyWay();
    // A ring's screen outline: the places in front of the view (a stretch behind it becomes
    // the line joining its ends, which hugs the chart's rim where the ring leaves it) and,
    // on a repeating plane, carried on across the seam instead of jumping back.
    std::vector<PointF> ScreenRing(const MilkyWayRing& ring, double sense);
    // +1 where the sky shows as on a map of RA and Dec with east to the right... -1 mirrored:
    // the way round the chart an outline's cut-off stretch comes back.
    double OutlineSense() const;
    void DrawStarNames();
    // The constellation's full name at the widest fields when asked for, else its abbreviation.
    std::string_view ConstellationLabel(const ConstellationEntry& entry) const;

    // ---- marks over everything (ChartDrawMarks.cpp) ----
    void DrawScopeMarker();

    // ---- finder overlays about the selection (ChartDrawOverlays.cpp) ----
    void DrawOverlays();
    void DrawTelradRings(const ScreenPoint& at);
    void DrawCcdFrame(const ScreenPoint& at);
    void DrawEyepieceField(const ScreenPoint& at, const Eyepiece& eyepiece);

    // ---- names (ChartDrawNames.cpp) ----
    // A name to draw: where its text's box goes (top-left) and, when the object's other side
    // can take it, where it would go there; how much it matters when names compete for room.
    struct NameRequest {
        NameRank rank = kRankOther;
        double magnitude = 0.0;  // brighter first within a rank
        std::string text = {};   // device code page
        FontId font = FontId::Small;
        Colour colour = 0;
        int x = 0, y = 0;
        std::optional<int> otherX = std::nullopt;  // the top-left's x on the object's other side
        // The object the name belongs to, kept 30 x 10 pixels clear of the ones named before it.
        std::optional<ScreenPoint> anchor = std::nullopt;
    };
    // Drawn at once in the order asked, or with the label priority kept until every other layer
    // is down (PlaceNamesByPriority).
    void RequestName(NameRequest request);
    // An object's name right of it (NamePlace), ranked by what the object is.
    NameRequest ObjectName(const ChartObject& object, FontId font) const;
    void DrawName(const NameRequest& request, int x);
    // Most important first, each where its box meets no box already taken (names, scales,
    // compass letters, the legend, the information lines) and, for an object, where no object
    // named before it lies close.
    void PlaceNamesByPriority();
    // Text names must keep off (scales, compass letters, Bayer letters and Flamsteed numbers,
    // overlay sizes, the information lines): drawn, and its box taken.
    void DrawFixedText(int x, int y, std::string_view text, FontId font);
    bool Prioritised() const { return prefs_.labelPriority; }

    // ---- text (ChartDrawText.cpp) ----
    void DrawInfoLines();
    std::string SelectionLine();
    std::string TimeLine() const;
    FontId LabelFont() const;

    DrawSurface& canvas_;
    ChartView& view_;
    ChartPictures& pictures_;
    const Preferences& prefs_;
    ChartScene& scene_;
    const ChartRenderOptions& options_;
    ChartDrawn& drawn_;
    ChartPalette palette_;
    MagnitudeLimits limits_;
    double scale_ = 1.0;
    int pu_ = 1;
    int level_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool horizontal_ = true;
    bool horizonView_ = false;
    int turnPixels_ = 0;  // one turn of a repeating plane ("Horizon View"), else 0
    std::vector<ScreenPoint> brightPlaced_;
    std::vector<NameRequest> names_;  // waiting for PlaceNamesByPriority
    std::vector<Rect> taken_;         // fixed text that names keep off
};

}  // namespace vsp
