#include "catalog/DescriptionFileBuild.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>
#include <tuple>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/DescriptionFile.h"
#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp {

namespace {

struct DescriptionEntry {
    int32_t catalogIndex = 0;
    int32_t number = 0;
    std::string text;  // device code page
};

bool IsBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view TrimRight(std::string_view text) {
    const size_t end = text.find_last_not_of(" \t");
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

bool ReadNumber(std::string_view digits, int32_t& number) {
    digits = TrimRight(digits.substr(std::min(digits.find_first_not_of(' '), digits.size())));
    if (digits.empty() || digits.size() > 5) return false;
    number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    return number > 0;
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
    const std::string_view text = line.size() > column ? TrimRight(line.substr(column)) : "";
    entry.text = Utf8ToCp1252(text);
    if (entry.text.size() > kDescriptionTextLength) {
        problem = "description longer than " + std::to_string(kDescriptionTextLength) + " characters";
        return false;
    }
    return true;
}

bool ReadTable(const std::string& path, std::vector<DescriptionEntry>& entries, std::string& problem) {
    std::ifstream input(path, std::ios::binary);
    if (!input) {
        problem = path + ": cannot be read";
        return false;
    }
    std::string line;
    for (int lineNumber = 1; std::getline(input, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (IsBlankText(line)) continue;
        DescriptionEntry entry;
        std::string lineProblem;
        if (!ReadLine(line, entry, lineProblem)) {
            problem = path + ":" + std::to_string(lineNumber) + ": " + lineProblem;
            return false;
        }
        if (!entry.text.empty()) entries.push_back(std::move(entry));
    }
    if (input.bad()) {
        problem = path + ": read error";
        return false;
    }
    return true;
}

void EncodeRecord(const DescriptionEntry& entry, uint8_t (&record)[kDescriptionRecordSize]) {
    std::memset(record, 0, sizeof record);
    WriteI32(record, entry.catalogIndex);
    WriteI32(record + 4, entry.number);
    std::memcpy(record + kDescriptionTextOffset, entry.text.data(), entry.text.size());
}

bool WriteFile(const std::string& path, const std::vector<DescriptionEntry>& entries) {
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (!stream) return false;
    uint8_t header[kRecordHeaderSize] = {};
    WriteU32(header, kDescriptionFileVersion);
    WriteU32(header + 4, kDescriptionTypeCode);
    WriteI32(header + 8, int32_t(entries.size()));
    WriteI32(header + 12, kDescriptionRecordSize);
    bool ok = std::fwrite(header, 1, sizeof header, stream) == sizeof header;
    uint8_t record[kDescriptionRecordSize];
    for (const DescriptionEntry& entry : entries) {
        if (!ok) break;
        EncodeRecord(entry, record);
        ok = std::fwrite(record, 1, sizeof record, stream) == sizeof record;
    }
    ok = std::fflush(stream) == 0 && ok;
    ok = std::fclose(stream) == 0 && ok;
    return ok;
}

}  // namespace

int DescriptionFileBuild(const std::string& ngc2000Path, const std::string& outputPath,
                         DescriptionBuildResult& result) {
    result = {};
    std::vector<DescriptionEntry> entries;
    entries.push_back({});  // record 0: the sentinel that sorts first
    if (!ReadTable(ngc2000Path, entries, result.problem)) return 0;

    const auto key = [](const DescriptionEntry& e) { return std::tie(e.catalogIndex, e.number); };
    std::sort(entries.begin() + 1, entries.end(),
              [&](const DescriptionEntry& a, const DescriptionEntry& b) { return key(a) < key(b); });
    const auto duplicate = std::adjacent_find(
        entries.begin() + 1, entries.end(),
        [&](const DescriptionEntry& a, const DescriptionEntry& b) { return key(a) == key(b); });
    if (duplicate != entries.end()) {
        result.problem = ngc2000Path + ": " + (duplicate->catalogIndex == kCatalogIc ? "IC " : "NGC ") +
                         std::to_string(duplicate->number) + " has two descriptions";
        return 0;
    }
    // The reader addresses records with 16 bits.
    if (entries.size() > 65535) {
        result.problem = ngc2000Path + ": more descriptions than a record file can address";
        return 0;
    }

    const std::string temporary = outputPath + ".tmp";
    if (!WriteFile(temporary, entries) || std::rename(temporary.c_str(), outputPath.c_str()) != 0) {
        std::remove(temporary.c_str());
        result.problem = outputPath + ": cannot be written";
        return 0;
    }
    result.records = int32_t(entries.size());
    return 1;
}

}  // namespace vsp
