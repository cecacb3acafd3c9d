#include "format/AngleParse.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace vsp {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

size_t SkipNonDigits(std::string_view text, size_t at) {
    while (at < text.size() && !IsDigit(text[at])) ++at;
    return at;
}

size_t SkipSign(std::string_view text, size_t at) {
    if (at < text.size() && text[at] == '-') ++at;
    if (at < text.size() && text[at] == '+') ++at;
    return at;
}

bool BeginsWithMinus(std::string_view text) { return !text.empty() && text.front() == '-'; }

}  // namespace

int ParseInteger(std::string_view text) {
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    at = SkipSign(text, at);
    long long value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        // Saturate instead of overflowing on absurdly long digit runs.
        if (value < INT_MAX) value = value * 10 + (text[at] - '0');
    }
    if (value > INT_MAX) value = INT_MAX;
    return int(negative ? -value : value);
}

int SplitSexagesimal(std::string_view text, int& first, int& second, int& third) {
    first = second = third = 0;
    if (text.empty()) return 0;
    first = ParseInteger(text);
    size_t at = SkipDigits(text, SkipSign(text, 0));
    if (at < text.size() && text[at] == '.') return 0;

    at = SkipNonDigits(text, at);
    second = ParseInteger(text.substr(at));
    at = SkipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        // One digit after the point: tenths of a minute.
        const bool digit = at + 1 < text.size() && IsDigit(text[at + 1]);
        third = digit ? (text[at + 1] - '0') * 60 / 10 : 0;
        return 1;
    }
    at = SkipNonDigits(text, at);
    third = ParseInteger(text.substr(at));
    return 1;
}

double ParseSexagesimal(std::string_view text) {
    int first = 0, second = 0, third = 0;
    if (!SplitSexagesimal(text, first, second, third)) return ParseDecimal(text);
    const double value = std::abs(first) + (second + third / 60.0) / 60.0;
    return BeginsWithMinus(text) ? -value : value;
}

std::optional<double> ParseCoordinate(std::string_view text, double lowest, double highest) {
    int first = 0, second = 0, third = 0;
    if (SplitSexagesimal(text, first, second, third) && (second >= 60 || third >= 60)) return std::nullopt;
    const double value = ParseSexagesimal(text);
    if (!(value >= lowest && value <= highest)) return std::nullopt;
    return value;
}

double ParseSexagesimalDeclination(std::string_view text) {
    int first = 0, second = 0, third = 0;
    if (!SplitSexagesimal(text, first, second, third)) return ParseDecimal(text);
    const double value = std::abs(first) + (60.0 * second + third) / 3600.0;
    return BeginsWithMinus(text) ? -value : value;
}

double ParseHoursAsDegrees(std::string_view text) {
    int first = 0, second = 0, third = 0;
    if (!SplitSexagesimal(text, first, second, third)) return 15 * ParseDecimal(text);
    return 15 * (first + (second + third / 60.0) / 60.0);
}

double ParseDecimal(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    double value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) value = value * 10 + (text[at] - '0');
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        double digits = 0;
        int count = 0;
        for (++at; at < text.size() && IsDigit(text[at]); ++at, ++count) {
            digits = digits * 10 + (text[at] - '0');
        }
        value += digits / std::pow(10.0, count);
    }
    return negative ? -value : value;
}

}  // namespace vsp
