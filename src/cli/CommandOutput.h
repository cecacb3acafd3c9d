#pragma once
// Pieces the command families share: aligned "label  value" text, fixed-point numbers,
// position and date options, body names, and rise and set times.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/RiseTransitSet.h"
#include "format/TextFormats.h"
#include "platform/Text.h"

namespace vsp::cli {

inline constexpr char kDegreeUtf8[] = "\xC2\xB0";

using Rows = std::vector<std::pair<std::string, std::string>>;

// One line per row, the values aligned two blanks after the longest label.
void PrintRows(CliContext& ctx, const Rows& rows);
// printf "%.*f".
std::string Fixed(double value, int digits);
// A right ascension as decimal hours and in the settings' hour format ("17.9112940 h  17h54m41s"),
// a declination likewise in degrees: the place lines of the text outputs, UTF-8.
std::string RaText(double hours, const TextFormats& formats);
std::string DecText(double degrees, const TextFormats& formats);

// --ra H (0 to 24) and --dec D (-90 to 90), both required when `required`.
void AddRaDec(CLI::App& command, std::optional<double>& ra, std::optional<double>& dec, bool required);
// --jde X, the dynamical Julian Date, required.
void AddJde(CLI::App& command, std::optional<double>& jde);

// A whole number written out in full ("+12", "-3"); nullopt for anything else. For words that
// are a number or a name.
std::optional<int64_t> ParseWhole(std::string_view text);

// A body by name (sun, moon, mercury ... pluto, earth) or code: 0 to `lastCode`, and 13 (the
// Sun of the eclipse screens).
std::optional<int> ReadBodyCode(const std::string& word, int lastCode);

// The failure text of a date outside the Earth ephemeris.
std::string OutOfRangeMessage(double jde);

// "normal", "circumpolar" or "never_rises": the status word of the JSON output.
const char* RiseSetStatusKey(RiseSetStatus status);

}  // namespace vsp::cli
