#include "databuild/StarCatalogWrite.h"

#include <algorithm>

#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataFileWriter.h"
#include "databuild/StarEntryPacking.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

void AppendStarBlocks(const std::vector<StarEntry>& entries, int n, DataFileWriter& file) {
    for (size_t first = 0; first + size_t(n) <= entries.size(); first += size_t(n)) {
        uint8_t* record = file.Append();
        for (int i = 0; i < n; ++i) WriteStarEntry(record + i * kStarEntrySize, entries[first + size_t(i)]);
    }
}

bool WriteExtendedCatalog(std::vector<StarEntry> entries, const ExtendedCatalogLayout& layout,
                         const std::string& dataDir, const std::string& source, BuildReport& report,
                         NumberBlocks* numberBlocks) {
    const std::string name(layout.fileName);
    const int n = layout.entriesPerBlock;
    if (entries.empty()) {
        report.problem = name + ": no stars to write";
        return false;
    }
    const int32_t blocks = BlocksFor(int32_t(entries.size()), n, layout.minimumSlots);
    const int32_t slots = blocks * n;
    if (blocks > kMostBlocks || (layout.maximumSlots > 0 && slots > layout.maximumSlots)) {
        report.problem = name + ": " + std::to_string(entries.size()) + " stars need " + std::to_string(slots) +
                         " slots, more than the file can hold";
        return false;
    }
    // The readers know N only from the block count; a mismatch would misplace every star.
    if (EntriesPerBlockFor(uint32_t(blocks)) != n) {
        report.problem = name + ": " + std::to_string(blocks) + " blocks would be read as blocks of " +
                         std::to_string(EntriesPerBlockFor(uint32_t(blocks))) + " entries, not " + std::to_string(n);
        return false;
    }
    SortAndPad(entries, size_t(slots));
    DataFileWriter file(name, kExtendedCatalogTypeCode, kStarFileVersion, n * kStarEntrySize);
    AppendStarBlocks(entries, n, file);
    if (numberBlocks) {
        numberBlocks->clear();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].number != 0) numberBlocks->emplace_back(entries[i].number, int32_t(i / size_t(n)));
    }
    return file.Commit(dataDir, source, report);
}

bool WriteNumberIndex(std::string_view fileName, uint32_t typeCode, const NumberBlocks& numberBlocks,
                     int32_t coverNumbers, const std::string& dataDir, const std::string& source,
                     BuildReport& report) {
    int32_t cover = coverNumbers;
    for (const auto& [number, block] : numberBlocks) {
        if (number <= 0 || number > kHighestStarNumber) {
            report.problem = std::string(fileName) + ": star number " + std::to_string(number) +
                             " is outside 1 .. " + std::to_string(kHighestStarNumber);
            return false;
        }
        cover = std::max(cover, number + 1);
    }
    const int32_t records = (cover + kNumberIndexSlots - 1) / kNumberIndexSlots;
    std::vector<int16_t> slots(size_t(records) * kNumberIndexSlots, int16_t(-1));
    for (const auto& [number, block] : numberBlocks) slots[size_t(number)] = int16_t(block);
    DataFileWriter file(std::string(fileName), typeCode, kStarFileVersion, kNumberIndexSlots * 2);
    for (int32_t r = 0; r < records; ++r) {
        uint8_t* record = file.Append();
        for (int i = 0; i < kNumberIndexSlots; ++i)
            WriteI16(record + 2 * i, slots[size_t(r) * kNumberIndexSlots + size_t(i)]);
    }
    return file.Commit(dataDir, source, report);
}

}  // namespace vsp::databuild
