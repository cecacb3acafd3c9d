#include "records/RecordLayout.h"

#include <charconv>
#include <cstdio>
#include <filesystem>

#include "records/RecordFile.h"

namespace vsp {

namespace {

void AppendEscaped(std::string& out, uint8_t byte) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += hex;
}

template <typename Float>
std::string ShortestFloat(Float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string DecodeText(const uint8_t* p, int32_t length) {
    std::string out;
    for (int32_t i = 0; i < length && p[i] != 0; ++i) {
        if (p[i] < 0x20 || p[i] == 0x7F)
            AppendEscaped(out, p[i]);
        else
            out += char(p[i]);
    }
    return out;
}

std::string DecodeField(const RecordField& field, const uint8_t* p) {
    switch (field.type) {
        case FieldType::U8: return std::to_string(p[0]);
        case FieldType::I8: return std::to_string(int8_t(p[0]));
        case FieldType::U16: return std::to_string(ReadU16(p));
        case FieldType::I16: return std::to_string(ReadI16(p));
        case FieldType::U32: return std::to_string(ReadU32(p));
        case FieldType::I32: return std::to_string(ReadI32(p));
        case FieldType::F32: return ShortestFloat(ReadF32(p));
        case FieldType::F64: return ShortestFloat(ReadF64(p));
        case FieldType::Text: return DecodeText(p, field.length);
        case FieldType::FourCC: return FourCharCodeToString(ReadU32(p));
    }
    return "?";
}

bool Fail(std::string* problem, std::string why) {
    if (problem) *problem = std::move(why);
    return false;
}

}  // namespace

int32_t FieldSize(const RecordField& field) {
    switch (field.type) {
        case FieldType::U8:
        case FieldType::I8: return 1;
        case FieldType::U16:
        case FieldType::I16: return 2;
        case FieldType::U32:
        case FieldType::I32:
        case FieldType::F32:
        case FieldType::FourCC: return 4;
        case FieldType::F64: return 8;
        case FieldType::Text: return field.length;
    }
    return 0;
}

bool CheckRecordLayout(const RecordLayout& layout, std::string* problem) {
    if (layout.name.empty()) return Fail(problem, "layout without a name");
    if (layout.recordSize < 1) return Fail(problem, layout.name + ": record size below 1");
    if (layout.filePattern.empty() && layout.headerTag == 0)
        return Fail(problem, layout.name + ": neither a file pattern nor a header tag");
    for (const RecordField& field : layout.fields) {
        const std::string where = layout.name + "." + field.name;
        if (field.name.empty()) return Fail(problem, layout.name + ": field without a name");
        if (field.type == FieldType::Text && field.length < 1)
            return Fail(problem, where + ": text length below 1");
        if (field.offset < 0 || int64_t(field.offset) + FieldSize(field) > layout.recordSize)
            return Fail(problem, where + ": outside the record");
    }
    return true;
}

bool MatchFileName(std::string_view pattern, std::string_view name) {
    // Iterative wildcard match with backtracking to the last '*'.
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string FourCharCodeToString(uint32_t code) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        const auto byte = uint8_t(code >> (8 * i));
        if (byte < 0x20 || byte > 0x7E)
            AppendEscaped(out, byte);
        else
            out += char(byte);
    }
    return out;
}

bool RecordLayoutRegistry::Add(RecordLayout layout, std::string* problem) {
    if (!CheckRecordLayout(layout, problem)) return false;
    layouts_.push_back(std::move(layout));
    return true;
}

const RecordLayout* RecordLayoutRegistry::Find(std::string_view fileName, int32_t recordSize,
                                               uint32_t headerTag) const {
    const std::string base = std::filesystem::path(fileName).filename().string();
    const RecordLayout* byTag = nullptr;
    for (const RecordLayout& layout : layouts_) {
        if (layout.recordSize != recordSize) continue;
        if (!layout.filePattern.empty() && MatchFileName(layout.filePattern, base)) return &layout;
        if (!byTag && layout.headerTag != 0 && layout.headerTag == headerTag) byTag = &layout;
    }
    return byTag;
}

std::vector<std::pair<std::string, std::string>> DecodeRecord(const RecordLayout& layout,
                                                              const uint8_t* record,
                                                              size_t length) {
    std::vector<std::pair<std::string, std::string>> out;
    out.reserve(layout.fields.size());
    for (const RecordField& field : layout.fields) {
        const bool fits = record && field.offset >= 0 &&
                          uint64_t(field.offset) + uint64_t(FieldSize(field)) <= length;
        out.emplace_back(field.name, fits ? DecodeField(field, record + field.offset) : "?");
    }
    return out;
}

}  // namespace vsp
