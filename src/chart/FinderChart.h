#pragma once
// A printable finder chart: the field about one target in the tangent (gnomonic) plane of
// J2000, black stars sized by magnitude and dark deep-sky symbols on white, an RA/Dec grid
// labelled at the chart's edges, the finder overlays about the target, and beside or below the
// chart the target's data, a magnitude legend, a scale bar and a footer of when, where and with
// what. Great circles come out straight, as a ruler laid on the sky expects.
//
// Units: places J2000, right ascension in hours, declination and fields in degrees, sizes in
// arcminutes; drawing in pixels of the surface, which the caller makes at kFinderDpi (half a
// PDF point each). Texts are in the device code page.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/StarCatalog.h"
#include "chart/ChartObjects.h"
#include "chart/SkyProjection.h"
#include "platform/DrawSurface.h"

namespace vsp {

inline constexpr int kFinderDpi = 144;

// How the field is turned: as the sky looks (north up, east left), as an eyepiece without a
// diagonal shows it (turned 180 degrees), or as a star diagonal shows it (east and west swapped).
enum class FinderView { Sky, Inverted, Mirrored };

// The field's tangent plane laid on a square of the surface: `fovDeg` across the square.
class FinderFrame {
public:
    FinderFrame(const SkyDirection& centreRaHoursDecDeg, double fovDeg, const Rect& box, FinderView view);
    // The pixel of a place; nullopt on the far hemisphere.
    std::optional<PointF> Place(double raHours, double decDeg) const;
    // The place (right ascension hours, declination) under a pixel.
    SkyDirection Sky(double x, double y) const;
    double PixelsPerDegree() const;  // at the centre
    const Rect& Box() const { return box_; }
    PointF Middle() const { return {box_.left + half_, box_.top + half_}; }
    double FieldDeg() const { return fovDeg_; }
    // +1 where the view draws east to the left, -1 where it is flipped to the right.
    int EastLeft() const { return view_ == FinderView::Sky ? 1 : -1; }
    int NorthUp() const { return view_ == FinderView::Inverted ? -1 : 1; }

private:
    SkyDirection centreDeg_;
    double fovDeg_;
    Rect box_;
    FinderView view_;
    double half_;
    double pixelsPerTangent_;
};

struct FinderOverlays {
    std::optional<std::array<float, 3>> telradDeg;  // ring diameters
    std::optional<double> eyepieceFieldArcmin;      // true field across
    std::optional<std::pair<double, double>> ccdArcmin;  // width and height of the frame
    double ccdRotationDeg = 0.0;                    // position angle of the frame's upper side
};

struct FinderSheet {
    double raHours = 0.0;  // the target, at the middle of the chart
    double decDeg = 0.0;
    double fovDeg = 10.0;
    float starLimit = 9.0f;
    float objectLimit = 13.0f;
    FinderView view = FinderView::Sky;
    FinderOverlays overlays;
    std::string title;                 // name and common name
    std::vector<std::string> data;     // the target's lines
    std::vector<std::string> footer;   // date, place, instrument
};

struct FinderStarPlaced {
    double raHours = 0.0;
    double decDeg = 0.0;
    float magnitude = 0.0f;
    PointF at;  // surface pixels
    std::string name;  // a bright star's proper name, "" for others
};

struct FinderDrawn {
    Rect chart;                // the chart's square on the surface
    double pixelsPerDegree = 0.0;
    std::vector<FinderStarPlaced> stars;
    std::vector<std::string> gridLabels;
    std::string scaleLabel;
};

// The field alone: grid, objects, stars, overlays and the chart's frame in `frame`'s box.
void DrawFinderField(DrawSurface& surface, StarCatalog& stars, const std::vector<std::string>& starNames,
                     const std::vector<ChartObject>& objects, const FinderSheet& sheet, const FinderFrame& frame,
                     FinderDrawn& drawn);
// A star disc's radius in pixels: the same for the chart and its legend.
double FinderStarRadius(float magnitude, float limit);

// The whole page on `surface`: the chart as large a square as leaves room for the data (below
// it on an upright page, beside it on a wide one).
void DrawFinderSheet(DrawSurface& surface, StarCatalog& stars, const std::vector<std::string>& starNames,
                     const std::vector<ChartObject>& objects, const FinderSheet& sheet, FinderDrawn& drawn);

// Grid spacings for a field: right ascension in minutes of time, declination in degrees, so that
// a few lines (about five) cross the field at declination `decDeg`.
double FinderRaStepMinutes(double fovDeg, double decDeg);
double FinderDecStepDeg(double fovDeg);
// "12h 30m" and "+54°" (with "30'" for half degrees and finer), device code page.
std::string FinderRaLabel(double minutes);
std::string FinderDecLabel(double degrees, double stepDeg);

// The grid with its labels inside the frame's box (FinderGrid.cpp); `boxes` gets the room each
// label took, which the object labels keep off.
void DrawFinderGrid(DrawSurface& surface, const FinderFrame& frame, std::vector<std::string>& labels,
                    std::vector<Rect>& boxes);

}  // namespace vsp
