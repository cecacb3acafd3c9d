#include "databuild/DescriptionFileBuild.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <tuple>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/DescriptionFile.h"
#include "databuild/InputFiles.h"
#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

struct DescriptionEntry {
    int32_t catalogIndex = 0;
    int32_t number = 0;
    std::string text;  // device code page
};

bool ReadNumber(std::string_view digits, int32_t& number) {
    return ParseWhole(TrimBlanks(digits), number) && number > 0;
}

// The catalog and number of a line, and the column (zero-based) where its description starts.
bool ReadName(std::string_view line, DescriptionEntry& entry, size_t& descriptionColumn) {
    if (line.starts_with("NGC") || line.starts_with("IC")) {
        const bool ic = line.starts_with("IC");
        entry.catalogIndex = ic ? kCatalogIc : kCatalogNgc;
        descriptionColumn = 49;
        return ReadNumber(line.substr(ic ? 2 : 3, ic ? 6 : 5), entry.number);
    }
    const bool ic = line.starts_with("I");
    entry.catalogIndex = ic ? kCatalogIc : kCatalogNgc;
    descriptionColumn = 46;
    return ReadNumber(line.substr(ic ? 1 : 0, ic ? 4 : 5), entry.number);
}

bool ReadLine(std::string_view line, DescriptionEntry& entry, std::string& problem) {
    size_t column = 0;
    if (!ReadName(line, entry, column)) {
        problem = "unreadable NGC or IC name";
        return false;
    }
    const std::string_view text = line.size() > column ? TrimTrailingBlanks(line.substr(column)) : "";
    entry.text = Utf8ToCp1252(text);
    if (entry.text.size() > kDescriptionTextLength) {
        problem = "description longer than " + std::to_string(kDescriptionTextLength) + " characters";
        return false;
    }
    return true;
}

bool ReadTable(const std::string& path, std::vector<DescriptionEntry>& entries, std::string& problem) {
    std::string table;
    if (!ReadWholeFile(path, table, problem)) return false;
    const std::vector<std::string_view> lines = SplitLines(table);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (TrimBlanks(lines[i]).empty()) continue;
        DescriptionEntry entry;
        std::string why;
        if (!ReadLine(lines[i], entry, why)) {
            problem = InputLineProblem(path, i + 1, why);
            return false;
        }
        if (!entry.text.empty()) entries.push_back(std::move(entry));
    }
    return true;
}

std::string EncodeRecords(const std::vector<DescriptionEntry>& entries) {
    std::string records(entries.size() * kDescriptionRecordSize, '\0');
    auto* record = reinterpret_cast<uint8_t*>(records.data());
    for (const DescriptionEntry& entry : entries) {
        WriteI32(record, entry.catalogIndex);
        WriteI32(record + 4, entry.number);
        std::memcpy(record + kDescriptionTextOffset, entry.text.data(), entry.text.size());
        record += kDescriptionRecordSize;
    }
    return records;
}

}  // namespace

bool DescriptionFileBuild(const std::string& ngc2000Path, const std::string& outputPath,
                         DescriptionBuildResult& result) {
    result = {};
    std::vector<DescriptionEntry> entries;
    entries.push_back({});  // record 0: the sentinel that sorts first
    if (!ReadTable(ngc2000Path, entries, result.problem)) return false;

    const auto key = [](const DescriptionEntry& e) { return std::tie(e.catalogIndex, e.number); };
    std::sort(entries.begin() + 1, entries.end(),
              [&](const DescriptionEntry& a, const DescriptionEntry& b) { return key(a) < key(b); });
    const auto duplicate = std::adjacent_find(
        entries.begin() + 1, entries.end(),
        [&](const DescriptionEntry& a, const DescriptionEntry& b) { return key(a) == key(b); });
    if (duplicate != entries.end()) {
        result.problem = ngc2000Path + ": " + (duplicate->catalogIndex == kCatalogIc ? "IC " : "NGC ") +
                         std::to_string(duplicate->number) + " has two descriptions";
        return false;
    }
    // The reader addresses records with 16 bits.
    if (entries.size() > 65535) {
        result.problem = ngc2000Path + ": more descriptions than a record file can address";
        return false;
    }

    const RecordHeader header{kDescriptionFileVersion, kDescriptionTypeCode, int32_t(entries.size()),
                              kDescriptionRecordSize};
    if (!RecordFileWriteWhole(outputPath, header, EncodeRecords(entries))) {
        result.problem = outputPath + ": cannot be written";
        return false;
    }
    result.records = int32_t(entries.size());
    return true;
}

}  // namespace vsp::databuild
