#pragma once
// The files built on the default stars: the stars themselves (44-byte records), the names of
// the bright ones, and the constellation lines between them.

#include <string>
#include <vector>

#include "databuild/DataBuild.h"
#include "databuild/StarSelection.h"

namespace vsp::databuild {

// vespertar_default_stars.ppc, one record per star in the given order (ascending HR).
bool WriteDefaultStars(const std::vector<ChosenStar>& stars, const StarSources& sources,
                      const std::string& dataDir, const std::string& source, BuildReport& report);

struct BrightStarSummary {
    int names = 0;      // K
    int truncated = 0;  // names longer than the 17 bytes a record holds
};

// vespertar_brightstar.ppc: the named default stars, K records by name, then K by number.
bool WriteBrightStars(const std::vector<ChosenStar>& stars, const StarSources& sources,
                     const std::string& dataDir, const std::string& source, BuildReport& report,
                     BrightStarSummary& summary);

struct LineSetSummary {
    int written = 0;
    int cutForCapacity = 0;   // faintest-ended lines dropped so the reader's table holds the set
    int withoutStar = 0;      // an end without an HR star in the default file
    int selfLines = 0;        // both ends the same star
    int duplicates = 0;
    double brightestCut = 0;  // fainter end of the brightest line cut, when lines were cut
};

// True when every figure names a constellation of the table, else false with `problem`.
bool CheckFigureConstellations(const StarSources& sources, std::string& problem);

// vespertar_constellation.ppc: set 0 (western), then set 1 (western_rey), in figure order.
bool WriteConstellationLines(const std::vector<ChosenStar>& stars, const StarSources& sources,
                            const HrSelection& hr, const std::string& dataDir, const std::string& source,
                            BuildReport& report, LineSetSummary (&summary)[2]);

// The Bayer letter as the chart numbers it: 1 .. 24 for alpha .. omega, 0 for none or a
// Latin letter.
int BayerLetterCode(const std::string& bayerUtf8);

}  // namespace vsp::databuild
