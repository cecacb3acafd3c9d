#include "catalog/ConstellationBorders.h"

#include <algorithm>
#include <cmath>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/tables/ConstellationBoundaries.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"

namespace vsp {

namespace {

constexpr int32_t kFullTurnSeconds = 86400;
constexpr int32_t kPoleArcsec = 90 * 3600;

// The RA (seconds of time) and Dec (arcseconds) edges of the table's rectangles, sorted.
struct BorderGrid {
    std::vector<int32_t> ra;   // 0 .. 86400
    std::vector<int32_t> dec;  // -90° .. +90°
    std::vector<int> owner;    // per cell, row-major by dec: cell (i, j) spans ra[i..i+1], dec[j..j+1]
    int At(size_t i, size_t j) const { return owner[j * (ra.size() - 1) + i]; }
};

std::vector<int32_t> Sorted(std::vector<int32_t> values) {
    std::ranges::sort(values);
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

BorderGrid MakeGrid() {
    BorderGrid grid;
    std::vector<int32_t> ra{0, kFullTurnSeconds}, dec{-kPoleArcsec, kPoleArcsec};
    for (const ConstellationBoundary& row : kConstellationBoundaries) {
        ra.push_back(row.raLowSeconds);
        ra.push_back(row.raHighSeconds);
        dec.push_back(std::clamp(row.decLowArcsec, -kPoleArcsec, kPoleArcsec));
    }
    grid.ra = Sorted(std::move(ra));
    grid.dec = Sorted(std::move(dec));
    for (size_t j = 0; j + 1 < grid.dec.size(); ++j) {
        for (size_t i = 0; i + 1 < grid.ra.size(); ++i) {
            grid.owner.push_back(ConstellationOfPosition1875(0.5 * (grid.ra[i] + grid.ra[i + 1]),
                                                             0.5 * (grid.dec[j] + grid.dec[j + 1])));
        }
    }
    return grid;
}

// An arc of 1875.0 from (ra0, dec0) to (ra1, dec1), along a parallel or a meridian, sampled
// and precessed.
std::vector<BorderPoint> SampledArc(double ra0Sec, double dec0Sec, double ra1Sec, double dec1Sec) {
    const double spanDeg = std::max(std::abs(ra1Sec - ra0Sec) / 240.0, std::abs(dec1Sec - dec0Sec) / 3600.0);
    const int steps = std::max(1, int(std::ceil(spanDeg / kBorderStepDeg)));
    static const Mat3 toJ2000 = PrecessionMatrix(kBoundaryEquinoxJd, kJ2000Jd);
    std::vector<BorderPoint> points;
    for (int k = 0; k <= steps; ++k) {
        const double t = double(k) / steps;
        const double raHours = (ra0Sec + t * (ra1Sec - ra0Sec)) / 3600.0;
        const double decDeg = (dec0Sec + t * (dec1Sec - dec0Sec)) / 3600.0;
        BorderPoint p;
        VectorToRaDec(MatMulVec(toJ2000, RaDecToVector(raHours, decDeg)), p.raHours, p.decDeg);
        points.push_back(p);
    }
    return points;
}

std::vector<std::vector<BorderPoint>> MakeBorders() {
    const BorderGrid grid = MakeGrid();
    const size_t columns = grid.ra.size() - 1, rows = grid.dec.size() - 1;
    std::vector<std::vector<BorderPoint>> borders;
    // Parallels: between cell rows j - 1 and j, runs of differing columns joined.
    for (size_t j = 1; j < rows; ++j) {
        for (size_t i = 0; i < columns;) {
            if (grid.At(i, j - 1) == grid.At(i, j)) {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < columns && grid.At(end, j - 1) != grid.At(end, j)) ++end;
            borders.push_back(SampledArc(grid.ra[i], grid.dec[j], grid.ra[end], grid.dec[j]));
            i = end;
        }
    }
    // Meridians: between columns i - 1 and i (column 0 meets the last one across 0h).
    for (size_t i = 0; i < columns; ++i) {
        const size_t west = i == 0 ? columns - 1 : i - 1;
        for (size_t j = 0; j < rows;) {
            if (grid.At(west, j) == grid.At(i, j)) {
                ++j;
                continue;
            }
            size_t end = j;
            while (end < rows && grid.At(west, end) != grid.At(i, end)) ++end;
            borders.push_back(SampledArc(grid.ra[i], grid.dec[j], grid.ra[i], grid.dec[end]));
            j = end;
        }
    }
    return borders;
}

}  // namespace

const std::vector<std::vector<BorderPoint>>& ConstellationBordersJ2000() {
    static const std::vector<std::vector<BorderPoint>> borders = MakeBorders();
    return borders;
}

}  // namespace vsp
