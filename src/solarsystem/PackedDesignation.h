#pragma once
// The Minor Planet Center's packed forms, as its element files write them:
// - numbers: five characters, "00001" .. "99999", "A0000" .. "z9999" (100000 .. 619999, the
//   first character a base-62 digit 0-9A-Za-z), "~0000" .. "~zzzz" (620000 .. 15396335, four
//   base-62 digits);
// - provisional designations of minor planets: "J95X00A" = "1995 XA", "K07Tf8A" = "2007 TA418",
//   the surveys "PLS2040" = "2040 P-L", "T1S3138" = "3138 T-1", and past cycle 619 the extended
//   form "_QC0aEM" = "2026 CZ6190" (year 2000 + a base-62 digit, half-month, then four base-62
//   digits holding (cycle - 620) * 25 + the second letter's rank);
// - comet designations: "J94P01b" = "1994 P1-B", with an orbit-type letter before it
//   ("PK10A02b" = "P/2010 A2-B"), and numbered periodic comets "0012P" = "12P";
// - epochs: "K25A1" = 2025 October 1, 0h TT.
// Every function gives nothing for text that is not such a form.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vsp {

std::optional<uint32_t> UnpackMinorPlanetNumber(std::string_view packed);
std::optional<std::string> UnpackProvisionalDesignation(std::string_view packed);
// The readable designation of a packed minor planet: "(1)" for a number, else the provisional one.
std::optional<std::string> UnpackMinorPlanetDesignation(std::string_view packed);
// Seven characters (fragment in the last), or eight with the orbit type before them.
std::optional<std::string> UnpackCometDesignation(std::string_view packed);
// "0012P" (or "0012P" followed by blanks) as its number, 12.
std::optional<uint32_t> UnpackPeriodicCometNumber(std::string_view packed);
// The packed epoch as a Julian Date (TT), 0h of the day.
std::optional<double> UnpackEpoch(std::string_view packed);

}  // namespace vsp
