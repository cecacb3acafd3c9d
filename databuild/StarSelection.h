#pragma once
// Which stars go into which star file. HR numbers come from stellarium's cross-identifications
// and positions from the Hipparcos stars: an HR number on two HIP stars (the components of a
// double) takes the brighter one; a HIP star carrying two HR numbers is one star of the
// default file, filed under its primary's HR number.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "databuild/StarSources.h"

namespace vsp::databuild {

// A star of a file: the number it is filed under (HR or HIP) and its Hipparcos data.
struct ChosenStar {
    int32_t number = 0;
    const HipStar* star = nullptr;
};

// Keeps pointers into `sources`, which must outlive it.
class HrSelection {
public:
    explicit HrSelection(const StarSources& sources);

    // Every HR number with a Hipparcos star, ascending HR.
    const std::vector<ChosenStar>& Stars() const { return stars_; }
    // HR numbers named in the cross-identifications whose HIP star is missing.
    int32_t NumbersWithoutStar() const { return withoutStar_; }
    // The one HR number standing for each HIP star, by HIP.
    const std::map<int32_t, int32_t>& HrOfHip() const { return hrOfHip_; }
    // The HR number that stands for a figure's HIP star; 0 when the star has none.
    int32_t FigureHr(int32_t hip) const;
    // The star filed under an HR number; null when there is none.
    const HipStar* StarOfHr(int32_t hr) const;

private:
    std::vector<ChosenStar> stars_;
    int32_t withoutStar_ = 0;
    std::map<int32_t, int32_t> hrOfHip_;
    std::multimap<int32_t, const CrossId*> linesOfHip_;
};

struct DefaultSelection {
    std::vector<ChosenStar> stars;  // ascending HR
    int32_t figureStars = 0;        // how many of them the figures asked for
    double faintestOther = 0;       // V of the faintest star added for its brightness
    std::vector<int32_t> figureHipsWithoutHr;  // ascending, their lines cannot be drawn
};

// The stars of both figure sets, then the brightest other HR stars, `count` in all.
// False with `problem` when there are too few or too many.
bool SelectDefaultStars(const StarSources& sources, const HrSelection& hr, int count,
                       DefaultSelection& out, std::string& problem);

// The `count` brightest Hipparcos stars (V, then HIP), filed under their HIP numbers.
std::vector<ChosenStar> SelectBrightestHip(const HipStarTable& table, size_t count);

}  // namespace vsp::databuild
