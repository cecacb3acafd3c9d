#pragma once
// Tap identification: what the observer points at on the chart, found among the screen places
// the last redraw left behind (the deep-sky and body table, then its comets and minor planets,
// the default stars and the star hit list of the catalog walk).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "catalog/StarRecord.h"
#include "chart/ChartRenderer.h"

namespace vsp {

// Kinds of a selected star besides the default stars' (kKindBrightStar with a proper name,
// kKindHrStar without): the catalog rows of the walked stars.
inline constexpr int kKindTychoStar = 60;   // of a Tycho catalog
inline constexpr int kKindHipStar = 26;     // of a smaller catalog
inline constexpr size_t kSelectionNameLength = 19;

// The chart's selected object.
struct ChartSelection {
    int32_t kind = 0;         // catalog row
    int32_t number = 0;       // catalog number (HR, HIP, Tycho region x 100000 + number)
    int32_t displayType = 0;  // object-type row
    double raHours = 0.0;
    double decDeg = 0.0;
    float magnitude = 0.0f;
    std::string name;         // at most kSelectionNameLength characters, device code page
    int tableIndex = -1;      // into the deep-sky table; -1 for stars
    std::optional<StarRecord> star = std::nullopt;  // a star's own record, for its information screen
};

// True when the selection's place is an apparent place of date: a body's, or a comet's or
// minor planet's of the object table (a list entry of either carries J2000).
inline bool SelectionOfDate(const ChartSelection& s) {
    return s.kind == kKindPlanet || (s.kind == kKindMinorBody && s.tableIndex >= 0);
}

// The catalog row and name of a tapped star of the extended catalog: "TYC%d-%d-1" (kind 60)
// from a catalog of 120000 stars up, else "HIP%d" (kind 26).
std::pair<int32_t, std::string> TappedStarIdentity(int32_t number, int32_t catalogStarCount);

// The object under chart pixel (x, y) of a chart `chartWidth` pixels wide, as the redraw of
// `view` and `scene` left it; nothing when no source holds anything near enough.
std::optional<ChartSelection> IdentifyAt(const ChartView& view, ChartScene& scene, int chartWidth, int x, int y);

}  // namespace vsp
