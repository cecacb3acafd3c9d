#pragma once
// Draws the sky chart into an offscreen canvas: background, horizon or rim, scales and grids,
// constellation figures and names, stars sized by brightness, deep-sky symbols, the Sun, the
// Moon and the planets, names, compass points and the information lines. It uses the view's
// projections only, and leaves behind the screen place of everything it drew for taps.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/Eyepieces.h"
#include "catalog/MilkyWay.h"
#include "catalog/StarCatalog.h"
#include "chart/ChartMinorBodies.h"
#include "chart/ChartObjects.h"
#include "chart/ChartPalette.h"
#include "chart/ChartPictures.h"
#include "chart/ChartView.h"
#include "chart/PlanetFaceScene.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"
#include "platform/Canvas.h"
#include "settings/Preferences.h"

namespace vsp {

// A place marked on the chart apart from the object table: a selected star, the telescope.
struct ChartMark {
    double raHours = 0.0;
    double decDeg = 0.0;
    bool ofDate = false;      // true equator and equinox of date; else J2000
    float magnitude = 0.0f;
    std::string name = {};    // device code page; drawn beside a selected star
};

// What one redraw shows besides the view: the catalogs and the instant.
struct ChartScene {
    StarCatalog* stars = nullptr;               // default stars loaded; extended catalog optional
    std::vector<ChartObject>* objects = nullptr;  // deep-sky table, bodies, comets and minor planets
    std::vector<ChartMinorBody> minorBodies;    // what the kKindMinorBody entries' numbers index
    std::vector<std::string> brightStarNames;   // per default star, "" when unnamed
    MilkyWayOutline milkyWay;                   // empty when the data holds none
    int selected = -1;                          // index into *objects, -1 none
    std::optional<ChartMark> selectedStar;      // a star selection (selected is then -1)
    // While set, each redraw brings the selection to the middle (a centred chart turns to it, a
    // horizontal one shifts); the window clears it once the user moves the chart away.
    bool centreOnSelection = true;
    std::optional<ChartMark> scope;             // where the followed telescope points
    std::optional<Eyepiece> eyepiece;           // the field circle's eyepiece, none when not chosen
    double telescopeFocalMm = 0.0;
    // Default-star vectors in the view's frame, rebuilt when the frame generation changes.
    std::vector<ChartVector> brightVectors;
    uint32_t brightGeneration = 0xFFFFFFFFu;
    int moonAgeDays = 0;
    // What the "Scope" and "Eyes" rows of the magnitude limits stand for.
    float scopeLimit = 10.0f;
    float eyeLimit = 6.0f;
    CalendarDateTime local;                     // the chart's local clock time
    TextFormats formats;
    // Jupiter's, Saturn's and Mars's faces at `local`, by body code, drawn in place of their
    // discs once those are large enough to show them.
    std::map<int, PlanetFaceScene> planetFaces;
};

enum class PlacedKind { BrightStar, Star, Object, Body, Comet, MinorPlanet };

struct PlacedEntry {
    PlacedKind kind = PlacedKind::Object;
    std::string designation;  // "HR7001", "HIP32349", "NGC 224", "moon", "C/2023 A3"
    std::string name;         // device code page
    int x = 0, y = 0;
    double raHours = 0.0;     // the place it was projected from
    double decDeg = 0.0;
    std::optional<double> magnitude = std::nullopt;  // entries of the object table
};

// The finder overlays as drawn around the selection, in pixels; empty or nullopt when absent.
struct ChartOverlays {
    std::vector<int> telradPx;                // the three rings' radii
    std::optional<int> eyepiecePx;            // the field circle's radius
    std::string eyepieceLabel;                // device code page
    std::optional<std::pair<int, int>> ccdHalfPx;  // the frame's half-width and half-height
    std::vector<std::string> ccdLabels;       // width, height; device code page
};

// A name as drawn on the chart: its text (device code page) and the pixels its glyphs ink.
struct DrawnLabel {
    std::string text;
    Rect box;
};

struct ChartDrawn {
    int starsDrawn = 0;       // sprites of both star layers
    int starsListed = 0;      // entries of the star hit list
    std::string fovLabel;
    std::string limitsLabel;
    std::vector<std::string> infoLines;
    std::vector<PlacedEntry> placed;  // filled only when asked for
    // Every name drawn: objects, the selection, bright stars and constellations.
    std::vector<DrawnLabel> labels;
    std::optional<ScreenPoint> selectionAt;  // the selection, when it lies on the chart
    std::optional<ScreenPoint> scopeAt;      // the telescope marker, when drawn
    ChartOverlays overlays;
    bool stopped = false;                    // ended early by ChartRenderOptions::stopRequested
};

struct ChartRenderOptions {
    double scale = 1.0;        // display scale factor
    bool listPlaced = false;   // fill ChartDrawn::placed
    // Polled between blocks of the star catalog: true (a key or tap waits) ends the redraw
    // there, so that the window answers at once and draws again afterwards.
    std::function<bool()> stopRequested = nullptr;
};

// A plane that repeats every `turnPixels` across (ChartView::TurnPixels: the "Horizon View"
// panorama wraps at north): an x beyond either edge of a chart `width` pixels wide comes back
// one turn over. Unchanged when turnPixels is 0.
int WrapIntoTurn(int x, int width, int turnPixels);

// One full redraw of the view's current type and level into `canvas` (already of the chart
// area's size). The view must have its display, sky and centre set; the renderer prepares it.
void RenderChart(DrawSurface& canvas, ChartView& view, ChartPictures& pictures, const Preferences& prefs,
                 ChartScene& scene, const ChartRenderOptions& options, ChartDrawn& drawn);

}  // namespace vsp
