#include "scope/GpsSentence.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "format/AngleParse.h"

namespace vsp {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

bool AllDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

// The text between '$' and '*' when the two hex digits after '*' are its XOR; the whole text
// when it carries no checksum (older receivers leave it out); nothing on a mismatch.
std::optional<std::string_view> CheckedBody(std::string_view sentence) {
    const size_t star = sentence.find('*');
    if (star == std::string_view::npos) return sentence;
    const char* digits = sentence.data() + star + 1;
    unsigned given = 0;
    if (sentence.size() != star + 3 || std::from_chars(digits, digits + 2, given, 16).ptr != digits + 2) return {};
    unsigned char sum = 0;
    for (char c : sentence.substr(0, star)) sum ^= static_cast<unsigned char>(c);
    if (sum != given) return {};
    return sentence.substr(0, star);
}

// The first non-blank character of a hemisphere field when it is one of `letters`.
std::optional<char> HemisphereLetter(std::string_view field, std::string_view letters) {
    const size_t at = field.find_first_not_of(' ');
    if (at == std::string_view::npos || letters.find(field[at]) == std::string_view::npos) return {};
    return field[at];
}

std::optional<std::string> AngleText(std::string_view value, std::string_view hemisphere, int degreeDigits,
                                     int maxDegrees, std::string_view letters) {
    const size_t point = size_t(degreeDigits) + 2;
    if (value.size() < point || !AllDigits(value.substr(0, point))) return {};
    if (value.size() > point && (value[point] != '.' || !AllDigits(value.substr(point + 1)))) return {};
    const int degrees = ParseInteger(value.substr(0, size_t(degreeDigits)));
    const int minutes = ParseInteger(value.substr(size_t(degreeDigits), 2));
    if (degrees > maxDegrees || minutes >= 60) return {};
    // Seconds from the hundredths of a minute alone; a single decimal is tenths.
    const std::string_view decimals = value.size() > point ? value.substr(point + 1) : std::string_view{};
    int hundredths = 0;
    for (size_t i = 0; i < 2; ++i) hundredths = hundredths * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    const int seconds = hundredths * 60 / 100 % 60;
    const std::optional<char> letter = HemisphereLetter(hemisphere, letters);
    if (!letter) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%0*d\xB0%02d'%02d %c", degreeDigits, degrees, minutes, seconds, *letter);
    return std::string(text);
}

}  // namespace

std::vector<std::string_view> SplitGpsSentence(std::string_view bytes) {
    if (bytes.empty() || bytes[0] != '$') return {};
    // A sentence runs to its line end; another '$' first means it was cut off.
    const size_t end = bytes.find_first_of("\r\n$", 1);
    if (end == std::string_view::npos || bytes[end] == '$') return {};
    const std::optional<std::string_view> body = CheckedBody(bytes.substr(1, end - 1));
    if (!body) return {};
    std::vector<std::string_view> fields;
    for (size_t from = 0;;) {
        const size_t comma = body->find(',', from);
        fields.push_back(body->substr(from, comma == std::string_view::npos ? comma : comma - from));
        if (comma == std::string_view::npos) return fields;
        from = comma + 1;
    }
}

std::string_view GpsSentenceType(std::string_view name) {
    if (name.size() != 5 || !std::all_of(name.begin(), name.end(), IsUpper)) return {};
    return name.substr(2);
}

std::optional<std::string> GpsLatitudeText(std::string_view value, std::string_view hemisphere) {
    return AngleText(value, hemisphere, 2, 90, "NS");
}

std::optional<std::string> GpsLongitudeText(std::string_view value, std::string_view hemisphere) {
    return AngleText(value, hemisphere, 3, 180, "EW");
}

}  // namespace vsp
