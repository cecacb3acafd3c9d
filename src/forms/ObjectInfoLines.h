#pragma once
// What the object information form shows, line by line: the names, the facts as labelled
// values (two side by side where they are short), where the object stands for the observing
// time and site, and its short description with the expansion. A star has no description.

#include <string>
#include <vector>

#include "catalog/ObjectFacts.h"
#include "catalog/ObjectRecord.h"
#include "catalog/StarLookup.h"
#include "format/FixedPositionSky.h"
#include "format/TextFormats.h"

namespace vsp {

inline constexpr char kDreyerHeading[] = "Dreyer desc.";
inline constexpr char kTranslationHeading[] = "Translation";

// A line with an empty label is one text across the width (wrapped); `indent` sets it in
// under a heading. A second label and value stand in the right half. `gapBefore` starts a
// group of lines.
struct InfoLine {
    std::string label, value;
    std::string label2 = {}, value2 = {};
    bool indent = false;
    bool gapBefore = false;
};

// `sky` is null when the observing date lies outside the ephemeris: then the lines of where the
// object stands are left out.
std::vector<InfoLine> ObjectInfoLines(const ObjectFacts& facts, const ObjectRecord& record,
                                      const FixedPositionSky* sky, const TextFormats& formats);

// A star as the form shows it.
struct StarFacts {
    FoundStar star;
    std::vector<std::string> others;  // its other designations
    std::string constellationName;    // empty when unknown
};

std::vector<InfoLine> StarInfoLines(const StarFacts& facts, const FixedPositionSky* sky, const TextFormats& formats);

}  // namespace vsp
