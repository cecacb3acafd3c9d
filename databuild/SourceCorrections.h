#pragma once
// Known errors of the input packages, put right before the merge so that the objects land
// where the published catalogs have them.

#include <string>
#include <vector>

#include "databuild/DsoSources.h"

namespace vsp::databuild {

// d3-celestial's Local Group file lost the minus sign of two globular clusters within a degree
// south of the equator. A declination that is the published one with the sign flipped is
// given its sign back (one note each); a corrected package passes through untouched.
void CorrectLocalGroupSigns(std::vector<LocalGroupObject>& objects, std::vector<std::string>& notes);

}  // namespace vsp::databuild
