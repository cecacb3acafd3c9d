// The Moon and Mars feature files: a small nomenclature.dat written here, and the installed
// one checked against published positions.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BuildInputs.h"
#include "catalog/CatalogFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "databuild/DataBuild.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

class FeatureFiles : public testing::Test {
protected:
    FeatureFiles() { MakeDirectory(options_.dataDir = home_.Path("data/")); }
    // Every record of a feature file as "name|latitude longitude diameter|type and tail".
    std::vector<std::string> Read(std::string_view name, uint32_t tag) {
        std::vector<std::string> rows;
        RecordFileHandle file;
        if (!RecordFileOpen(home_.Dir(), "data/" + std::string(name), RecordFileMode::ReadOnly, file)) return rows;
        EXPECT_EQ(file->tag, tag);
        const uint8_t* r = nullptr;
        for (uint32_t i = 0; i < uint32_t(file->recordCount) && RecordFileRead(file.get(), i, r); ++i) {
            char numbers[64];
            std::snprintf(numbers, sizeof numbers, "|%.4f %.4f %.4f|", ReadF32(r + 32), ReadF32(r + 36), ReadF32(r + 40));
            rows.push_back(reinterpret_cast<const char*>(r) + std::string(numbers) +
                           std::string(reinterpret_cast<const char*>(r + 44), 4));
        }
        return rows;
    }

    test::TempHome home_;
    databuild::BuildOptions options_;
    databuild::BuildReport report_;
};

// Sorted by name bytes: capitals, then lower case, then the code page's accented letters
// (0xC5 = Å); longitudes east of 180 become negative; marks without a letter of the code page
// dropped; equal names: the southern one first.
TEST_F(FeatureFiles, SortedByNameBytesWithFields) {
    options_.stellariumDir = home_.Path("stellarium");
    home_.WriteFile("stellarium/data/.keep", "");
    test::WriteGzip(options_.stellariumDir + "/data/nomenclature.dat",
                    "# Format:\n"
                    "Moon\t1296\t_(\"Copernicus\",\"crater\")\tAA\t9.620900\t339.921400\t96.0699\n"
                    "Moon\t100\t_(\"Ångström\",\"crater\")\tAA\t29.900000\t318.400000\t9.5\n"
                    "Moon\t1449\t_(\"de Gasparis\",\"crater\")\tAA\t-25.900000\t309.300000\t30\n"
                    "Moon\t8421\t_(\"Copernicus A\",\"satellite feature\")\tSF\t9.522400\t341.099700\t3.21917\n"
                    "Venus\t1\t_(\"Aglaonice\",\"crater\")\tAA\t-26.5\t340\t62.7\n"
                    "Mars\t2360\t_(\"Harad\xCC\xA6\",\"crater\")\tAA\t-27.455400\t331.993500\t8.06232\n"
                    "Mars\t2568\t_(\"Hsūanch'eng\",\"crater\")\tAA\t46.720500\t132.688700\t1.9898\n"
                    "Mars\t11\t_(\"Bohar\",\"crater\")\tAA\t10.000000\t10.000000\t5\n"
                    "Mars\t12\t_(\"Bohar\",\"crater\")\tAA\t-5.000000\t20.000000\t6\n");
    ASSERT_TRUE(databuild::BuildFeatureFiles(options_, report_)) << report_.problem;
    const std::string aa("AA\0\0", 4);
    EXPECT_EQ(Read(kMoonFile, kMoonTypeCode),
              (std::vector<std::string>{"Copernicus|9.6209 -20.0786 96.0699|" + aa,
                                        "Copernicus A|9.5224 -18.9003 3.2192|" + std::string("SF\0\0", 4),
                                        "de Gasparis|-25.9000 -50.7000 30.0000|" + aa,
                                        "\xC5ngstr\xF6m|29.9000 -41.6000 9.5000|" + aa}));
    std::vector<std::string> mars;
    for (const std::string& row : Read(kMarsFile, kMarsTypeCode)) mars.push_back(row.substr(0, row.find(' ')));
    EXPECT_EQ(mars, (std::vector<std::string>{"Bohar|-5.0000", "Bohar|10.0000", "Harad|-27.4554", "Hsuanch'eng|46.7205"}));

    test::WriteGzip(options_.stellariumDir + "/data/nomenclature.dat",
                    "#\nMoon\t1296\t_(\"Copernicus\",\"crater\")\tAA\tnorth\t339.9\t96\n");
    EXPECT_FALSE(databuild::BuildFeatureFiles(options_, report_));
    EXPECT_NE(report_.problem.find("nomenclature.dat line 2"), std::string::npos) << report_.problem;
}

// Published (IAU gazetteer): Copernicus 9.62 N 20.08 W, 96 km; Olympus Mons 18.65 N 226.2 E.
TEST_F(FeatureFiles, InstalledNomenclature) {
    if (!FileExists(options_.stellariumDir + "/data/nomenclature.dat")) GTEST_SKIP() << "stellarium-data not installed";
    ASSERT_TRUE(databuild::BuildFeatureFiles(options_, report_)) << report_.problem;
    const auto moon = Read(kMoonFile, kMoonTypeCode), mars = Read(kMarsFile, kMarsTypeCode);
    EXPECT_GT(moon.size(), 9000u);
    EXPECT_GT(mars.size(), 1900u);
    EXPECT_TRUE(std::ranges::any_of(moon, [](const std::string& f) { return f.starts_with("Copernicus|9.62"); }));
    EXPECT_TRUE(std::ranges::any_of(mars, [](const std::string& f) { return f.starts_with("Olympus Mons|18.65"); }));
}

}  // namespace
}  // namespace vsp
