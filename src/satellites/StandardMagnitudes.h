#pragma once
// Standard magnitudes of satellites (the magnitude at 1000 km range and 90 degrees of phase,
// half the sphere lit): the ISS's built in, others from the user's file
// "usercatalogs/satellite_magnitudes.txt" of "catalog number, standard magnitude" lines, which
// `sat import --magnitudes FILE` replaces whole.
//
// The ISS's figure, -1.8, is the one observers use for it: Astronomy Stack Exchange, question
// "Calculating the apparent magnitude of a satellite" (astronomy.stackexchange.com, answer
// giving "-1.8 is std. mag for ISS" with the same diffuse-sphere rule); the definition at
// 1000 km and 50% illuminated is Mike McCants' and Ted Molczan's line-0 description
// (mmccants.org/tles/mccdesc.html).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "satellites/CatalogNumber.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr int64_t kIssCatalogNumber = 25544;
inline constexpr double kIssStandardMagnitude = -1.8;
inline constexpr std::string_view kMagnitudesFileName = "satellite_magnitudes.txt";
inline constexpr size_t kMagnitudesFileLimit = 4u << 20;  // bytes read of a magnitudes file

struct MagnitudeLineReject {
    int line = 0;  // from 1
    std::string reason;
};

struct StandardMagnitudes {
    std::map<int64_t, double> byNumber;
    std::vector<MagnitudeLineReject> rejects;
};

// Lines "number, magnitude" (blanks around either allowed; a later line for a number wins);
// blank lines and lines starting with '#' are skipped, any other line that is not a catalog
// number from 1 to 999999999 and a magnitude between -30 and 30 is rejected with its number.
StandardMagnitudes ParseStandardMagnitudes(std::string_view text);

// The kept file's text: one "number, magnitude" line per number, the magnitude written so that
// it reads back exactly.
std::string FormatStandardMagnitudes(const std::map<int64_t, double>& byNumber);

// The user's file as kept (none, unreadable or damaged lines: what could be read).
StandardMagnitudes ReadStandardMagnitudes(const ProgramDir& dir);

// The number's standard magnitude: the user's file first, then the built-in ISS figure.
std::optional<double> StandardMagnitudeOf(const StandardMagnitudes& magnitudes, int64_t number);

struct MagnitudeImport {
    int imported = 0;
    std::vector<MagnitudeLineReject> rejects;
};

// Reads `path` and, when at least one line was good, replaces the kept file with its lines
// (under the user-files lock, by rename). False with a message when the file cannot be read,
// holds no good line or cannot be written; the kept file is then as it was.
bool ImportStandardMagnitudes(const ProgramDir& dir, const std::string& path, InfoSink& messages,
                              MagnitudeImport& result);

}  // namespace vsp
