#pragma once
// Writing an extended star catalog (blocks of N entries) and the number index that finds a
// star's block from its HR or HIP number.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalog/StarEntry.h"
#include "databuild/DataBuild.h"
#include "databuild/DataFileWriter.h"

namespace vsp::databuild {

struct ExtendedCatalogLayout {
    std::string_view fileName;
    int entriesPerBlock = 42;
    // Slots the file must hold at least (padding fills the rest) and at most (0: no limit):
    // the readers pick the number index by the star count, so an indexed file must land in
    // its window.
    int32_t minimumSlots = 0;
    int32_t maximumSlots = 0;
};

// The entries as records of n (a multiple of n of them, sorted and padded).
void AppendStarBlocks(const std::vector<StarEntry>& entries, int n, DataFileWriter& file);

// (star number, block) of every star written, for the number index.
using NumberBlocks = std::vector<std::pair<int32_t, int32_t>>;

// Sorts the entries by declination, fills the last block with padding and writes the file.
// False with report.problem on failure (also when the block count would make a reader take another N).
bool WriteExtendedCatalog(std::vector<StarEntry> entries, const ExtendedCatalogLayout& layout,
                         const std::string& dataDir, const std::string& source, BuildReport& report,
                         NumberBlocks* numberBlocks = nullptr);

// Records of 42 block numbers (signed 16-bit, -1 for a number without a star) covering the
// numbers 0 .. max(coverNumbers, highest number + 1) - 1. False on failure (report.problem).
bool WriteNumberIndex(std::string_view fileName, uint32_t typeCode, const NumberBlocks& numberBlocks,
                     int32_t coverNumbers, const std::string& dataDir, const std::string& source,
                     BuildReport& report);

}  // namespace vsp::databuild
