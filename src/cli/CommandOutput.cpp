#include "cli/CommandOutput.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ostream>

#include "format/AngleFormat.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/EarthBarycentric.h"
#include "format/RiseSetText.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"

namespace vsp::cli {

void PrintRows(CliContext& ctx, const Rows& rows) {
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    for (const auto& [label, value] : rows) {
        ctx.Out() << label << std::string(width + 2 - label.size(), ' ') << value << "\n";
    }
}

std::string Fixed(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

std::string RaText(double hours, const TextFormats& formats) {
    return Fixed(hours, 7) + " h  " + Cp1252ToUtf8(HMSToStr(hours, formats));
}

std::string DecText(double degrees, const TextFormats& formats) {
    return Fixed(degrees, 6) + kDegreeUtf8 + "  " + Cp1252ToUtf8(DmsToStr(degrees, formats));
}

void AddRaDec(CLI::App& command, std::optional<double>& ra, std::optional<double>& dec, bool required) {
    CLI::Option* raOption = AddNumber(command, "--ra", ra, "H", "right ascension, hours")->check(CLI::Range(0.0, 24.0));
    CLI::Option* decOption = AddNumber(command, "--dec", dec, "D", "declination, degrees")->check(CLI::Range(-90.0, 90.0));
    raOption->required(required);
    decOption->required(required);
}

void AddJde(CLI::App& command, std::optional<double>& jde) {
    AddNumber(command, "--jde", jde, "X", "dynamical Julian Date")->required()->check(CLI::Range(-1e9, 1e9));
}

std::optional<int64_t> ParseWhole(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    if (!vsp::ParseWhole(text, value)) return std::nullopt;
    return value;
}

std::optional<int> ReadBodyCode(const std::string& word, int lastCode) {
    const std::string name = Lower(word);
    for (int code = 0; code <= lastCode; ++code) {
        if (name == BodyName(code)) return code;
    }
    const auto number = ParseWhole(word);
    if (number && ((*number >= 0 && *number <= lastCode) || *number == kBodyEclipseSun)) {
        return int(*number);
    }
    return std::nullopt;
}

std::string OutOfRangeMessage(double jde) {
    char message[160];
    std::snprintf(message, sizeof message, "JDE %.1f is outside the Earth ephemeris (%.1f to %.1f)",
                  jde, kEarthEphemerisFirstJde, kEarthEphemerisLastJde);
    return message;
}

const char* RiseSetStatusKey(RiseSetStatus status) {
    switch (status) {
        case RiseSetStatus::Circumpolar: return "circumpolar";
        case RiseSetStatus::NeverRises: return "never_rises";
        case RiseSetStatus::Normal: break;
    }
    return "normal";
}

}  // namespace vsp::cli
