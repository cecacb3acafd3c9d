#pragma once
// Builds the description file from the NGC 2000.0 table (Sinnott 1988, CDS VII/118): one
// record per NGC or IC object that has a description, sorted IC then NGC by number, behind a
// sentinel record 0 (catalog 0, number 0, no text) that the search never looks at.
//
// Two line layouts are read: the CDS table itself (name in columns 1-5, "I" before an IC
// number; description from column 47) and the copy whose name is spelled out in columns 1-8
// ("NGC 7000", "IC  434"), which moves every later column 3 places right (description from
// column 50). Descriptions are taken as they stand, trailing blanks removed.
//
// A failed build leaves the previous file; the same input always gives the same bytes.

#include <cstdint>
#include <string>

namespace vsp::databuild {

struct DescriptionBuildResult {
    int32_t records = 0;  // records written, the sentinel included
    std::string problem;  // why the build failed (file, line and what is wrong)
};

// False on failure (nothing written at outputPath then).
bool DescriptionFileBuild(const std::string& ngc2000Path, const std::string& outputPath,
                         DescriptionBuildResult& result);

}  // namespace vsp::databuild
