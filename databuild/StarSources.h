#pragma once
// The star inputs as read from their packages: d3-celestial's Hipparcos stars and star names,
// stellarium's HIP-to-HR cross-identifications and the two constellation figure sets. Each
// reader takes the path of its one file and returns true when read, false with `problem` naming the
// file and the fault.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "databuild/DataBuild.h"

namespace vsp::databuild {

struct HipStar {
    int32_t hip = 0;
    double raHours = 0;  // J2000, 0 .. 24
    double decDeg = 0;   // J2000
    double magnitude = 0;  // V
    double colour = 0;     // B-V
    bool hasColour = false;
};

// Ascending HIP, one star per number.
struct HipStarTable {
    std::vector<HipStar> stars;
    const HipStar* Find(int32_t hip) const;
};

// One line of cross-id.dat that names an HR star.
struct CrossId {
    int32_t hip = 0;
    std::string component;  // "", "A", "B", ...
    int32_t hr = 0;
};

struct StarName {
    std::string name;   // proper name, UTF-8, may be empty
    std::string bayer;  // "α", "π1", "b", or empty
    int flamsteed = 0;  // 0: none
};

struct FigureSegment {
    int32_t fromHip = 0;
    int32_t toHip = 0;
};

struct Figure {
    std::string abbreviation;  // "UMa"
    size_t lineNumber = 0;     // in its file, for messages
    std::vector<FigureSegment> segments;
};

struct StarSources {
    HipStarTable hipStars;
    std::vector<CrossId> crossIds;          // file order
    std::map<int32_t, StarName> names;      // by HIP
    std::vector<Figure> figureSets[2];      // 0 western ("Classic"), 1 western_rey ("Rey Lines")
    std::string figurePaths[2];
    std::string provenanceStars;            // one line each, for the files' sources
    std::string provenanceCrossIds;
    std::string provenanceNames;
    std::string provenanceFigures;
};

// Every star input below the package folders of the build options.
bool ReadStarSources(const BuildOptions& options, StarSources& out, std::string& problem);

// d3-celestial data/stars.14.json.
bool ReadD3Stars(const std::string& path, HipStarTable& out, std::string& problem);
// d3-celestial data/starnames.json.
bool ReadD3StarNames(const std::string& path, std::map<int32_t, StarName>& out, std::string& problem);
// stellarium stars/default/cross-id.dat: the lines that carry an HR number, file order.
bool ReadCrossIds(const std::string& path, std::vector<CrossId>& out, std::string& problem);
// stellarium skycultures/*/constellationship.fab: the main figures, file order; the sub-figures
// (names starting with '.') only repeat segments of their figure and are left out.
bool ReadFigures(const std::string& path, std::vector<Figure>& out, std::string& problem);

}  // namespace vsp::databuild
