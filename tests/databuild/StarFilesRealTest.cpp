// The star step on the installed packages (stellarium-data, d3-celestial), checked against
// published values of a few well-known stars. Skipped when the packages are not installed.

#include <cmath>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "catalog/ConstellationTable.h"
#include "catalog/StarAngle.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

double Hours(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }
double Degrees(int d, int m, double s) { return (d < 0 ? -1 : 1) * (std::abs(d) + m / 60.0 + s / 3600.0); }

TEST(StarFilesFromInstalledPackages, VegaSiriusAndTheDefaultStars) {
    databuild::BuildOptions options;
    if (!std::filesystem::exists(options.stellariumDir + "/stars/default/cross-id.dat") ||
        !std::filesystem::exists(databuild::DefaultD3CelestialDir() + "/data/stars.14.json"))
        GTEST_SKIP() << "stellarium-data or d3-celestial not installed";
    test::TempHome home;
    options.dataDir = home.Path("data/");
    ASSERT_TRUE(MakeDirectory(options.dataDir));
    databuild::BuildReport report;
    ASSERT_EQ(databuild::BuildStarFiles(options, report), 1) << report.problem;

    RecordingInfoSink messages;
    StarCatalog stars(home.Dir(), messages);
    ASSERT_EQ(stars.OpenDefaultStars(), 1);
    ASSERT_EQ(stars.LoadDefaultStars(), 1);
    EXPECT_EQ(stars.DefaultStarsRead(), 1646);

    // Vega, HR 7001 = HIP 91262: 18h36m56.34s +38 47' 01.3" (J2000), V 0.03, B-V 0.00, in Lyra.
    StarRecord star;
    ASSERT_EQ(stars.OpenExtendedCatalog(0), 1);
    ASSERT_GE(stars.StarByNumber(7001, star), 0);
    EXPECT_EQ(star.number, 7001);
    EXPECT_NEAR(AngleToHours(star.ra), Hours(18, 36, 56.34), 1.5 / 3600);
    EXPECT_NEAR(AngleToDegrees(star.dec), Degrees(38, 47, 1.3), 1.5 / 3600);
    EXPECT_LE(star.magnitude, 1);
    EXPECT_EQ(star.colour, 0);
    bool vegaDefault = false;
    for (int i = 0; i < stars.DefaultStarsRead(); ++i) {
        const StarRecord& s = stars.DefaultStars()[size_t(i)];
        if (s.number != 7001) continue;
        vegaDefault = true;
        const int16_t row = int16_t(s.extra[2] | s.extra[3] << 8);
        EXPECT_EQ(ConstellationAbbreviation(*ConstellationAt(row)), "Lyr");
        EXPECT_EQ(s.extra[0], 3);  // 3 Lyrae
        EXPECT_EQ(s.extra[1], 1);  // alpha
    }
    EXPECT_TRUE(vegaDefault);

    // Sirius, HIP 32349: 6h45m08.92s -16 42' 58.0", V -1.46 (stored as 0), in the 110K file.
    ASSERT_EQ(stars.OpenExtendedCatalog(4), 1);
    ASSERT_GE(stars.StarByNumber(32349, star), 0);
    EXPECT_EQ(star.number, 32349);
    EXPECT_NEAR(AngleToHours(star.ra), Hours(6, 45, 8.92), 1.5 / 3600);
    EXPECT_NEAR(AngleToDegrees(star.dec), Degrees(-16, 42, 58.0), 1.5 / 3600);
    EXPECT_EQ(star.magnitude, 0);
    EXPECT_GE(stars.ExtendedStarCount(), 118001);
    EXPECT_TRUE(messages.messages.empty());

    // The Classic lines fill the program's table; the Rey lines fit theirs.
    stars.LoadConstellationLines(0);
    EXPECT_EQ(stars.ConstellationLineCount(), kClassicLineCapacity);
    stars.LoadConstellationLines(1);
    EXPECT_GT(stars.ConstellationLineCount(), 800);
    EXPECT_LE(stars.ConstellationLineCount(), kReyLineCapacity);
    EXPECT_GT(stars.BrightStarCount(), 400);
}

}  // namespace
}  // namespace vsp
