#pragma once
// The object files and every file that depends on them: the 18k and 1k object files, the
// numbered lists, catalog ranges and class texts, the three chart indexes and the
// cross-references. All are made from one merge and one layout, so they always agree.

#include <string>

#include "catalog/CrossReference.h"
#include "databuild/DataBuild.h"
#include "databuild/DsoMerge.h"
#include "databuild/DsoSources.h"
#include "databuild/ObjectFileLayout.h"

namespace vsp::databuild {

inline constexpr int32_t kCrossReferenceNameSize = kCrossReferenceRecordSize - kCrossReferenceNameOffset;
// The chart index of the middle size: the brightest objects, every list object among them.
inline constexpr int32_t kObjectIndex2kObjects = 2000;

// Where each kind of content came from, one line each, for the report.
struct DsoProvenance {
    std::string objects;          // positions, types, magnitudes, sizes
    std::string messierCaldwell;  // the Messier and Caldwell numbers
    std::string bestNgc;          // the 110 best NGC objects
    std::string herschel;         // the Herschel 400
    std::string names;            // common names
    std::string morphology;       // class texts
};
DsoProvenance DsoProvenanceOf(const BuildOptions& options);

// Merges `sources` and writes every file below into options.dataDir; false on failure (report.problem).
bool WriteObjectFiles(const DsoSources& sources, const BuildOptions& options, BuildReport& report);

bool WriteObjectRecordFiles(const ObjectFileLayout& layout, const std::string& dataDir,
                           const DsoProvenance& provenance, BuildReport& report);
bool WriteProgramDataFiles(const ObjectFileLayout& layout, const std::string& dataDir,
                          const DsoProvenance& provenance, BuildReport& report);
bool WriteObjectIndexFiles(const DsoCatalog& catalog, const ObjectFileLayout& layout,
                          const std::string& dataDir, const DsoProvenance& provenance,
                          BuildReport& report);
bool WriteCrossReferenceFile(const DsoCatalog& catalog, const ObjectFileLayout& layout,
                            const std::string& dataDir, const DsoProvenance& provenance,
                            BuildReport& report);

}  // namespace vsp::databuild
