#include "catalog/ProgramDataTables.h"

#include <cstring>

#include "catalog/ProgramDataFiles.h"
#include "records/RecordFile.h"

namespace vsp {

namespace {

// Every record of data/NAME when its header names the expected type and record size.
bool ReadTable(const ProgramDir& dir, std::string_view name, uint32_t typeCode, int32_t recordSize,
               std::vector<std::vector<uint8_t>>& records) {
    records.clear();
    RecordFileHandle file;
    if (!RecordFileOpen(dir, std::string(kDataDir) + std::string(name), RecordFileMode::ReadOnly, file)) return false;
    if (file->tag != typeCode || file->recordSize != recordSize) return false;
    std::vector<uint8_t> bytes;
    const uint32_t count = RecordFileReadLeading(file.get(), uint32_t(file->recordCount), bytes);
    if (count != uint32_t(file->recordCount)) return false;
    records.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* record = bytes.data() + size_t(i) * size_t(recordSize);
        records.emplace_back(record, record + recordSize);
    }
    return true;
}

bool ListLoad(const ProgramDir& dir, std::string_view name, uint32_t typeCode, std::vector<uint16_t>& list) {
    list.clear();
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, name, typeCode, kListRecordSize, records)) return false;
    for (const auto& record : records) list.push_back(ReadU16(record.data()));
    return true;
}

}  // namespace

bool NumberedListsLoad(const ProgramDir& dir, NumberedLists& lists) {
    const bool messier = ListLoad(dir, kMessierFile, kMessierTypeCode, lists.messier);
    const bool caldwell = ListLoad(dir, kCaldwellFile, kCaldwellTypeCode, lists.caldwell);
    const bool sac = ListLoad(dir, kSacFile, kSacTypeCode, lists.sac);
    const bool herschel = ListLoad(dir, kHerschelFile, kHerschelTypeCode, lists.herschel);
    return messier && caldwell && sac && herschel;
}

bool CatalogRangesLoad(const ProgramDir& dir, CatalogTable& catalogs) {
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, kCatalogRangesFile, kCatalogRangesTypeCode, kCatalogRangeRecordSize, records) ||
        records.size() != size_t(kCatalogCount))
        return false;
    for (size_t i = 0; i < records.size(); ++i) {
        catalogs[i].firstRecord = ReadU16(records[i].data());
        catalogs[i].endRecord = ReadU16(records[i].data() + 2);
    }
    return true;
}

bool ClassTextsLoad(const ProgramDir& dir, std::vector<std::string>& texts) {
    texts.clear();
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, kClassTextsFile, kClassTextsTypeCode, kClassTextRecordSize, records) ||
        records.size() != size_t(kClassTextCount))
        return false;
    for (const auto& record : records) {
        const char* text = reinterpret_cast<const char*>(record.data());
        texts.emplace_back(text, strnlen(text, size_t(kClassTextRecordSize - 1)));
    }
    return true;
}

bool ProgramDataTablesLoad(const ProgramDir& dir, NumberedLists& lists, CatalogTable& catalogs,
                           std::vector<std::string>& classTexts) {
    const bool listsRead = NumberedListsLoad(dir, lists);
    const bool rangesRead = CatalogRangesLoad(dir, catalogs);
    const bool textsRead = ClassTextsLoad(dir, classTexts);
    return listsRead && rangesRead && textsRead;
}

std::string ObjectClassText(const std::vector<std::string>& texts, uint32_t code) {
    std::string out = " ";
    if (code < uint32_t(kClassTextCount) && code < texts.size()) out += texts[code];
    return out;
}

}  // namespace vsp
