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
    if (RecordFileOpen(dir, std::string(kDataDir) + std::string(name), 0, file) != 0) return false;
    if (file->tag != typeCode || file->recordSize != recordSize) return false;
    for (int32_t i = 0; i < file->recordCount; ++i) {
        const uint8_t* record = nullptr;
        if (RecordFileRead(file.get(), uint32_t(i), record) != 0) {
            records.clear();
            return false;
        }
        records.emplace_back(record, record + recordSize);
    }
    return true;
}

int ListLoad(const ProgramDir& dir, std::string_view name, uint32_t typeCode, std::vector<uint16_t>& list) {
    list.clear();
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, name, typeCode, kListRecordSize, records)) return 0;
    for (const auto& record : records) list.push_back(ReadU16(record.data()));
    return 1;
}

}  // namespace

int NumberedListsLoad(const ProgramDir& dir, NumberedLists& lists) {
    const int messier = ListLoad(dir, kMessierFile, kMessierTypeCode, lists.messier);
    const int caldwell = ListLoad(dir, kCaldwellFile, kCaldwellTypeCode, lists.caldwell);
    const int sac = ListLoad(dir, kSacFile, kSacTypeCode, lists.sac);
    const int herschel = ListLoad(dir, kHerschelFile, kHerschelTypeCode, lists.herschel);
    return messier && caldwell && sac && herschel ? 1 : 0;
}

int CatalogRangesLoad(const ProgramDir& dir, CatalogTable& catalogs) {
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, kCatalogRangesFile, kCatalogRangesTypeCode, kCatalogRangeRecordSize, records) ||
        records.size() != size_t(kCatalogCount))
        return 0;
    for (size_t i = 0; i < records.size(); ++i) {
        catalogs[i].firstRecord = ReadU16(records[i].data());
        catalogs[i].endRecord = ReadU16(records[i].data() + 2);
    }
    return 1;
}

int ClassTextsLoad(const ProgramDir& dir, std::vector<std::string>& texts) {
    texts.clear();
    std::vector<std::vector<uint8_t>> records;
    if (!ReadTable(dir, kClassTextsFile, kClassTextsTypeCode, kClassTextRecordSize, records) ||
        records.size() != size_t(kClassTextCount))
        return 0;
    for (const auto& record : records) {
        const char* text = reinterpret_cast<const char*>(record.data());
        texts.emplace_back(text, strnlen(text, size_t(kClassTextRecordSize - 1)));
    }
    return 1;
}

int ProgramDataTablesLoad(const ProgramDir& dir, NumberedLists& lists, CatalogTable& catalogs,
                          std::vector<std::string>& classTexts) {
    const int listsRead = NumberedListsLoad(dir, lists);
    const int rangesRead = CatalogRangesLoad(dir, catalogs);
    const int textsRead = ClassTextsLoad(dir, classTexts);
    return listsRead && rangesRead && textsRead ? 1 : 0;
}

std::string ObjectClassText(const std::vector<std::string>& texts, uint32_t code) {
    std::string out = " ";
    if (code < uint32_t(kClassTextCount) && code < texts.size()) out += texts[code];
    return out;
}

}  // namespace vsp
