#pragma once
// Common names and class texts of merged objects, looked up under every designation the
// sources know an object by.

#include <vector>

#include "databuild/DsoMerge.h"
#include "databuild/DsoSources.h"

namespace vsp::databuild {

// Common name: the first names.dat line naming the object, else d3's name, else the first
// part of OpenNGC's long name that is not a designation. Class text: stellarium's morphology,
// else d3's, kept only for galaxies, clusters and nebulae.
void SetNamesAndClassTexts(const DsoSources& sources, std::vector<DsoObject>& objects);

}  // namespace vsp::databuild
