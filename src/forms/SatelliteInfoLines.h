#pragma once
// The satellite form's information view: three blocks of labelled values computed for the
// form's time ("Earth Location", "Sky Location", "Informations"), in the device code page.

#include <string>
#include <string_view>
#include <vector>

#include "format/TextFormats.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

struct SatelliteInfoLine {
    std::string label;   // a block's heading has no value
    std::string value;
    bool heading = false;
};

inline constexpr std::string_view kSatelliteAgeLabel = "Age Of TLE";

// The lines that head a block, whatever the room: 0, 4 and 9.
inline constexpr int kSatelliteInfoHeadingRows[] = {0, 4, 9};

// `ageDays`: days from the element set's epoch to the form's time. The last two lines
// ("Inclination", "Age Of TLE") come only when `roomForAll`. A deep-space orbit by the
// near-Earth formulas says so beside the "Sky Location" heading.
std::vector<SatelliteInfoLine> SatelliteInfoLines(const SatelliteElements& elements, double ageDays,
                                                  const TextFormats& formats, bool roomForAll);

}  // namespace vsp
