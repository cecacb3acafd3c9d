#pragma once
// Lines of the Minor Planet Center's one-line element files read into records.
//
// MPCORB.DAT (minor planets), columns counted from 1: packed number or provisional
// designation 1-7, H 9-13, G 15-19, packed epoch 21-25, mean anomaly M 27-35, argument of
// perihelion 38-46, node 49-57, inclination 60-68 (degrees, J2000), e 71-79, n 81-91, a 93-103
// (AU), the readable designation and name from 167. The mean anomaly and a are turned into a
// perihelion time and q with the Gaussian constant (n = k / a^1.5 rad/day): the time of the
// perihelion before the epoch, q = a (1 - e).
//
// CometEls.txt and Soft00Cmt.txt (comets): periodic number 1-4, orbit type 5, packed
// provisional designation 6-12, perihelion time 15-29 (year, month, day.dddd TT), q 31-39,
// e 42-49, argument of perihelion 52-59, node 62-69, inclination 72-79, epoch 82-89
// (YYYYMMDD, blank: the perihelion time), g 92-95, k 97-100, designation and name from 103.
//
// A blank H, G, g or k reads as NaN (no magnitude).

#include <string>
#include <string_view>

#include "solarsystem/MinorBodyRecord.h"

namespace vsp {

enum class ElementLineFormat { None, MinorPlanet, Comet };

// The format a line's layout says it is in (None: header, blank or neither).
ElementLineFormat RecogniseElementLine(std::string_view line);

// The line into `out`, or false with why not in `reason`.
bool ReadMinorPlanetLine(std::string_view line, MinorBodyRecord& out, std::string& reason);
bool ReadCometLine(std::string_view line, MinorBodyRecord& out, std::string& reason);

}  // namespace vsp
