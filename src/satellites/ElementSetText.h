#pragma once
// Element sets as text: three lines per satellite (a name line, then lines 1 and 2 of the
// two-line element format, 69 characters each). CR/LF line ends, blank lines, lines
// beginning with '#' and blanks after the element lines are tolerated.

#include <string>
#include <string_view>
#include <vector>

#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr size_t kElementLineLength = 69;
inline constexpr size_t kSatelliteNameLength = 70;

struct ElementSetReject {
    int line = 0;    // 1-based line number in the text; 0 for a record of a JSON or XML text
    std::string reason;
    int record = 0;  // 1-based record number of a JSON or XML text, else 0
};

struct ParsedElementSets {
    std::vector<SatelliteRecord> records;   // the valid sets, in text order
    std::vector<ElementSetReject> rejects;  // one per set skipped
};

// The modulo-10 check digit of an element line: digits count their value, '-' counts 1.
int ElementLineChecksum(std::string_view line);

ParsedElementSets ParseElementSets(std::string_view text);

}  // namespace vsp
