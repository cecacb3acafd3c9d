// The constellation of a position against astropy's get_constellation on random positions,
// well-known objects, the boundary rules and the equinox handling.

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "catalog/tables/ConstellationBoundaries.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

struct Sample {
    double raHours;
    double decDeg;
    std::string abbreviation;
};

std::vector<Sample> ReadSamples() {
    std::vector<Sample> samples;
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/catalog/constellations.csv");
    EXPECT_TRUE(in.good()) << "missing fixture constellations.csv";
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::stringstream s(line);
        std::string ra, dec, abbreviation;
        std::getline(s, ra, ',');
        std::getline(s, dec, ',');
        std::getline(s, abbreviation, ',');
        samples.push_back({std::stod(ra), std::stod(dec), abbreviation});
    }
    return samples;
}

std::string AbbreviationAt(double raHours, double decDeg) {
    const ConstellationEntry* entry = ConstellationAt(ConstellationOfPosition(raHours, decDeg, kJ2000Jd));
    return entry ? std::string(ConstellationAbbreviation(*entry)) : std::string("?");
}

// Whether `abbreviation` is the constellation of some point within `radiusArcmin` of the
// position: probes on rings around it, built on the sphere so that the poles are no exception.
bool FoundWithin(double raHours, double decDeg, const std::string& abbreviation, double radiusArcmin) {
    const Vec3 centre = RaDecToVector(raHours, decDeg);
    const double a = raHours * M_PI / 12.0, d = decDeg * M_PI / 180.0;
    const Vec3 east{{-std::sin(a), std::cos(a), 0.0}};
    const Vec3 north{{-std::sin(d) * std::cos(a), -std::sin(d) * std::sin(a), std::cos(d)}};
    for (int ring = 1; ring <= 8; ++ring) {
        const double r = radiusArcmin * ring / 8.0 / 60.0 * M_PI / 180.0;
        for (int k = 0; k < 72; ++k) {
            const double t = k * 2.0 * M_PI / 72.0;
            const Vec3 p = std::cos(r) * centre + std::sin(r) * (std::cos(t) * east + std::sin(t) * north);
            double ra = 0.0, dec = 0.0;
            VectorToRaDec(p, ra, dec);
            if (AbbreviationAt(ra, dec) == abbreviation) return true;
        }
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
    const double share = agree / double(samples.size());
    std::cout << "agreement with astropy: " << agree << " of " << samples.size() << "\n";
    EXPECT_GE(share, 0.999);
}

TEST(ConstellationOfPosition, WellKnownObjects) {
    struct Known {
        double raHours, decDeg;
        const char* abbreviation;
        const char* name;
    };
    // J2000 places of objects whose constellation is not in doubt.
    const Known known[] = {
        {18.6156, 38.7837, "Lyr", "Lyra"},               // Vega
        {2.5302, 89.2641, "UMi", "Ursa Minor"},          // Polaris
        {6.7525, -16.7161, "CMa", "Canis Major"},        // Sirius
        {0.7123, 41.2689, "And", "Andromeda"},           // M31
        {14.2612, 19.1824, "Boo", "Bo\xF6tes"},          // Arcturus
        {15.3092, 2.0810, "Ser", "Serpens Caput"},       // M5
        {18.3130, -13.7900, "Ser", "Serpens Cauda"},     // M16
        {12.4433, -63.0991, "Cru", "Crux"},              // Acrux
        {21.5000, -89.5000, "Oct", "Octans"},            // by the south pole
        {5.5881, -5.3911, "Ori", "Orion"},               // M42
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.name);
        const int index = ConstellationOfPosition(k.raHours, k.decDeg, kJ2000Jd);
        const ConstellationEntry* entry = ConstellationAt(index);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(ConstellationAbbreviation(*entry), k.abbreviation);
        EXPECT_EQ(ConstellationName(*entry), k.name);
    }
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
    // Hours wrap: 24h is 0h, -1h is 23h.
    EXPECT_EQ(ConstellationOfPosition1875(86400.0, 85.5 * 3600), cep);
    EXPECT_EQ(ConstellationOfPosition1875(-3600.0, 30.0 * 3600),
              ConstellationOfPosition1875(23.0 * 3600, 30.0 * 3600));
    // Nothing lies above the last line at the south pole itself.
    EXPECT_EQ(ConstellationOfPosition1875(0.0, -90.0 * 3600), -1);
    EXPECT_EQ(ConstellationOfPosition(12.0, -90.0, kBoundaryEquinoxJd), -1);
    EXPECT_EQ(ConstellationOfPosition1875(0.0, -90.0 * 3600 + 1), 57);  // Octans
}

TEST(ConstellationOfPosition, EquinoxOfThePositionIsHonoured) {
    // The same points referred to J2000 and to 2150 lie in the same constellation once the
    // equinox is given with them.
    const double jd2150 = JulianEpochToJd(2150.0);
    int moved = 0;
    for (const Sample& s : ReadSamples()) {
        const Vec3 v2150 = Precess(kJ2000Jd, RaDecToVector(s.raHours, s.decDeg), jd2150);
        double ra = 0.0, dec = 0.0;
        VectorToRaDec(v2150, ra, dec);
        EXPECT_EQ(ConstellationOfPosition(ra, dec, jd2150), ConstellationOfPosition(s.raHours, s.decDeg, kJ2000Jd));
        if (ConstellationOfPosition(ra, dec, kJ2000Jd) != ConstellationOfPosition(s.raHours, s.decDeg, kJ2000Jd)) ++moved;
    }
    // Two degrees of precession carry some points over a line: the equinox is not ignored.
    EXPECT_GT(moved, 50);
    EXPECT_DOUBLE_EQ(JulianEpochToJd(2000.0), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianEpochToJd(1900.0), 2415020.0);
}

TEST(ConstellationBoundaries, TableIsWholeAndConsistent) {
    const auto rows = std::size(kConstellationBoundaries);
    EXPECT_EQ(rows, 357u);
    std::vector<int> rowsPerConstellation(kConstellationCount, 0);
    for (const ConstellationBoundary& row : kConstellationBoundaries) {
        EXPECT_GE(row.raLowSeconds, 0);
        EXPECT_LT(row.raLowSeconds, row.raHighSeconds);
        EXPECT_LE(row.raHighSeconds, 86400);
        EXPECT_GE(row.decLowArcsec, -90 * 3600);
        EXPECT_LT(row.decLowArcsec, 90 * 3600);
        ASSERT_GE(row.constellation, 0);
        ASSERT_LT(row.constellation, kConstellationCount);
        ++rowsPerConstellation[row.constellation];
    }
    for (int i = 0; i < kConstellationCount; ++i) EXPECT_GT(rowsPerConstellation[i], 0) << i;
    // First and last published rows: Ursa Minor above +88d, Octans down to the pole.
    EXPECT_EQ(kConstellationBoundaries[0].decLowArcsec, 88 * 3600);
    EXPECT_EQ(kConstellationBoundaries[0].constellation, 84);
    EXPECT_EQ(kConstellationBoundaries[rows - 1].decLowArcsec, -90 * 3600);
    EXPECT_EQ(kConstellationBoundaries[rows - 1].constellation, 57);
}

}  // namespace
}  // namespace vsp
