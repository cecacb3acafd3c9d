#include "satellites/ElementSetText.h"

#include <optional>

#include "platform/Text.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

struct TextLine {
    int number;
    std::string_view text;
};

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

// The lines that can carry an element set: blank and '#' lines are left out.
std::vector<TextLine> ContentLines(std::string_view text) {
    std::vector<TextLine> lines;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = WithoutLineEnd(text.substr(start, end - start));
        ++number;
        if (!TrimTrailingBlanks(line).empty() && line.front() != '#') lines.push_back({number, line});
        start = end + 1;
    }
    return lines;
}

bool LooksLikeElementLine(std::string_view line, char digit) {
    return line.size() >= 2 && line[0] == digit && line[1] == ' ';
}

// Why element line `digit` is unusable, or nothing when it is fine.
std::optional<std::string> ElementLineFault(std::string_view line, char digit) {
    if (line.size() != kElementLineLength)
        return "line " + std::string(1, digit) + " has " + std::to_string(line.size()) + " characters, not 69";
    if (!LooksLikeElementLine(line, digit)) return "does not begin with \"" + std::string(1, digit) + " \"";
    const char written = line[kElementLineLength - 1];
    const int expected = ElementLineChecksum(line);
    if (written != char('0' + expected))
        return "checksum " + std::to_string(expected) + " expected, '" + std::string(1, written) + "' written";
    return std::nullopt;
}

}  // namespace

int ElementLineChecksum(std::string_view line) {
    int sum = 0;
    for (char c : line.substr(0, kElementLineLength - 1)) {
        if (c >= '0' && c <= '9') sum += c - '0';
        if (c == '-') sum += 1;
    }
    return sum % 10;
}

ParsedElementSets ParseElementSets(std::string_view text) {
    ParsedElementSets parsed;
    const std::vector<TextLine> lines = ContentLines(text);
    for (size_t i = 0; i < lines.size();) {
        const TextLine& first = lines[i];
        if (LooksLikeElementLine(first.text, '1')) {
            parsed.rejects.push_back({first.number, "element lines without a name line"});
            i += i + 1 < lines.size() && LooksLikeElementLine(lines[i + 1].text, '2') ? 2 : 1;
            continue;
        }
        if (i + 2 >= lines.size()) {
            parsed.rejects.push_back({first.number, "the element set ends after its name line"});
            break;
        }
        const TextLine line1{lines[i + 1].number, TrimTrailingBlanks(lines[i + 1].text)};
        const TextLine line2{lines[i + 2].number, TrimTrailingBlanks(lines[i + 2].text)};
        i += 3;
        if (auto fault = ElementLineFault(line1.text, '1')) {
            parsed.rejects.push_back({line1.number, *fault});
        } else if (auto fault2 = ElementLineFault(line2.text, '2')) {
            parsed.rejects.push_back({line2.number, *fault2});
        } else if (line1.text.substr(2, 5) != line2.text.substr(2, 5)) {
            parsed.rejects.push_back({line2.number, "catalog number differs from line 1's"});
        } else {
            SatelliteRecord record{std::string(first.text.substr(0, kSatelliteNameLength)), std::string(line1.text),
                                   std::string(line2.text)};
            if (const auto fault = FindElementValueFault(record)) {
                parsed.rejects.push_back({fault->line == 1 ? line1.number : line2.number, fault->reason});
            } else {
                parsed.records.push_back(std::move(record));
            }
        }
    }
    return parsed;
}

}  // namespace vsp
