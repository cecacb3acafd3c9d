#pragma once
// The constellation borders as lines to draw, derived from the boundary table (Roman 1987):
// the table tells which constellation holds each rectangle of RA and Dec of 1875.0, so a
// border runs wherever two neighbouring rectangles belong to different constellations. The
// borders are arcs of parallels and meridians of 1875.0; each is handed out as a polyline
// sampled at most kBorderStepDeg apart and precessed to J2000 (Precession.h, well under an
// arcsecond over 125 years), close enough to the true arc for any chart scale in use.
#include <vector>

namespace vsp {

inline constexpr double kBorderStepDeg = 0.5;

struct BorderPoint {
    double raHours = 0.0;  // J2000
    double decDeg = 0.0;
};

// Every border once, as polylines of at least two points; built on first use and kept.
const std::vector<std::vector<BorderPoint>>& ConstellationBordersJ2000();

}  // namespace vsp
