#include "platform/SeparatedText.h"

#include <algorithm>

namespace vsp {
namespace {

constexpr char kQuote = '"';

// "\n", or "\r\n" (or a '\r' that ends the text): where a record ends, outside quotes.
bool IsLineEnd(std::string_view text, size_t at) {
    return text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] == '\n'));
}

// Reads the field that begins at `at` into `field` (when given) and returns where it ends:
// at its separator, at its record's line end, or at the end of the text.
size_t ReadField(std::string_view text, size_t at, char separator, std::string* field) {
    if (at < text.size() && text[at] == kQuote) {
        for (++at; at < text.size(); ++at) {
            if (text[at] != kQuote) {
                if (field) *field += text[at];
            } else if (at + 1 < text.size() && text[at + 1] == kQuote) {
                if (field) *field += kQuote;
                ++at;
            } else {
                ++at;
                break;
            }
        }
    }
    // After a closing quote, or in a field that never was quoted, text runs to the separator.
    for (; at < text.size() && text[at] != separator && !IsLineEnd(text, at); ++at)
        if (field) *field += text[at];
    return at;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

std::string QuotedField(std::string_view field, char separator) {
    if (field.find_first_of(std::string{separator, kQuote, '\n', '\r'}) == std::string_view::npos)
        return std::string(field);
    std::string quoted(1, kQuote);
    for (const char c : field) {
        if (c == kQuote) quoted += kQuote;
        quoted += c;
    }
    return quoted + kQuote;
}

size_t SeparatedRecordLength(std::string_view text, char separator) {
    for (size_t at = 0;;) {
        at = ReadField(text, at, separator, nullptr);
        if (at >= text.size()) return text.size();
        if (IsLineEnd(text, at)) return std::min(text.size(), at + (text[at] == '\r' ? 2 : 1));
        ++at;  // past the separator
    }
}

std::vector<std::string> SplitSeparatedRecord(std::string_view record, char separator) {
    std::vector<std::string> fields;
    for (size_t at = 0;;) {
        at = ReadField(record, at, separator, &fields.emplace_back());
        if (at >= record.size() || IsLineEnd(record, at)) return fields;
        ++at;  // past the separator
    }
}

}  // namespace vsp
