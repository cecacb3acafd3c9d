// The constellation of a position against astropy's get_constellation on random positions,
// and the boundary rules.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

struct Sample {
    double raHours, decDeg;
    std::string abbreviation;
};

std::vector<Sample> ReadSamples() {
    std::vector<Sample> samples;
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/catalog/constellations.csv");
    EXPECT_TRUE(in.good()) << "missing fixture constellations.csv";
    std::string line;
    std::getline(in, line);  // header
    for (Sample s; std::getline(in, line);) {
        char abbreviation[4] = {};
        if (std::sscanf(line.c_str(), "%lf,%lf,%3s", &s.raHours, &s.decDeg, abbreviation) != 3) continue;
        s.abbreviation = abbreviation;
        samples.push_back(s);
    }
    return samples;
}

std::string AbbreviationAt(double raHours, double decDeg) {
    const ConstellationEntry* entry = ConstellationAt(ConstellationOfPosition(raHours, decDeg, kJ2000Jd));
    return entry ? std::string(ConstellationAbbreviation(*entry)) : std::string("?");
}

// Whether `abbreviation` is the constellation of some point of a 9 x 9 grid about `radiusArcmin`
// across around the position (the right ascension steps widened by 1 / cos dec).
bool FoundWithin(double raHours, double decDeg, const std::string& abbreviation, double radiusArcmin) {
    const double step = radiusArcmin / 60.0 / 4.0;
    const double raStep = step / 15.0 / std::max(std::cos(decDeg * M_PI / 180.0), 1e-3);
    for (int i = -4; i <= 4; ++i) {
        const double dec = std::clamp(decDeg + i * step, -90.0, 90.0);
        for (int j = -4; j <= 4; ++j)
            if (AbbreviationAt(std::fmod(raHours + j * raStep + 24.0, 24.0), dec) == abbreviation) return true;
    }
    return false;
}

TEST(ConstellationOfPosition, AgreesWithAstropyOnRandomPositions) {
    const std::vector<Sample> samples = ReadSamples();
    ASSERT_EQ(samples.size(), 10000u);
    int agree = 0;
    for (const Sample& s : samples) {
        const std::string ours = AbbreviationAt(s.raHours, s.decDeg);
        if (ours == s.abbreviation) {
            ++agree;
            continue;
        }
        // A disagreement must be a hair's breadth from a boundary: astropy's answer lies
        // within 1' and ours too.
        EXPECT_TRUE(FoundWithin(s.raHours, s.decDeg, s.abbreviation, 1.0))
            << s.raHours << " " << s.decDeg << " ours " << ours << " astropy " << s.abbreviation;
    }
    EXPECT_GE(agree / double(samples.size()), 0.999);
}

TEST(ConstellationOfPosition, BoundaryRulesAt1875) {
    // Row 1: RA 8h to 14h30m, above +86d30m, Ursa Minor; below it row 5 claims Camelopardalis
    // from 9h10m to 10h40m above +82d.
    const int umi = 84, cam = 10, cep = 15;
    EXPECT_EQ(ConstellationOfPosition1875(9.5 * 3600, 86.5 * 3600 + 1), umi);
    EXPECT_EQ(ConstellationOfPosition1875(9.5 * 3600, 86.5 * 3600), cam);  // the lower line is not inside
    // RA low belongs to the row, RA high to the next one: Cepheus 0h to 8h above +85d.
    EXPECT_EQ(ConstellationOfPosition1875(0.0, 85.5 * 3600), cep);
    EXPECT_EQ(ConstellationOfPosition1875(8.0 * 3600 - 0.5, 85.5 * 3600), cep);
    EXPECT_NE(ConstellationOfPosition1875(8.0 * 3600, 85.5 * 3600), cep);
    EXPECT_EQ(ConstellationOfPosition1875(86400.0, 85.5 * 3600), cep);  // 24h is 0h, -1h is 23h
    EXPECT_EQ(ConstellationOfPosition1875(-3600.0, 30.0 * 3600), ConstellationOfPosition1875(82800.0, 30.0 * 3600));
    // Nothing lies above the last line at the south pole itself.
    EXPECT_EQ(ConstellationOfPosition1875(0.0, -90.0 * 3600), -1);
    EXPECT_EQ(ConstellationOfPosition(12.0, -90.0, kBoundaryEquinoxJd), -1);
    EXPECT_EQ(ConstellationOfPosition1875(0.0, -90.0 * 3600 + 1), 57);  // Octans
}

}  // namespace
}  // namespace vsp
