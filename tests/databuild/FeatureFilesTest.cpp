// The Moon and Mars feature files: a small nomenclature.dat written here, and the installed
// one checked against published positions.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "databuild/DataBuild.h"
#include "GzipFile.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

struct Feature {
    std::string name;  // Windows-1252
    float latitude, longitude, diameter;
    std::string typeAndTail;  // bytes 44..47
};

class FeatureFiles : public testing::Test {
protected:
    FeatureFiles() {
        options_.dataDir = home_.Path("data/");
        options_.stellariumDir = home_.Path("stellarium");
        MakeDirectory(options_.dataDir);
        home_.WriteFile("stellarium/data/.keep", "");
    }
    void WriteNomenclature(const std::string& text) {
        test::WriteGzip(options_.stellariumDir + "/data/nomenclature.dat", text);
    }
    // Every record of a feature file; checks its version (24) and tag on the way.
    std::vector<Feature> Read(std::string_view name, uint32_t tag) {
        std::vector<Feature> rows;
        RecordFileHandle file;
        if (RecordFileOpen(home_.Dir(), "data/" + std::string(name), 0, file) != 0) return rows;
        uint16_t version = 0, count = 0;
        RecordFileVersion(file.get(), version, count);
        EXPECT_EQ(version, 24);
        EXPECT_EQ(file->tag, tag);
        EXPECT_EQ(file->recordSize, kFeatureRecordSize);
        const uint8_t* r = nullptr;
        for (uint32_t i = 0; i < uint32_t(file->recordCount) && RecordFileRead(file.get(), i, r) == 0; ++i) {
            EXPECT_EQ(r[31], 0);
            rows.push_back({reinterpret_cast<const char*>(r), ReadF32(r + 32), ReadF32(r + 36), ReadF32(r + 40),
                            std::string(reinterpret_cast<const char*>(r + 44), 4)});
        }
        return rows;
    }

    test::TempHome home_;
    databuild::BuildOptions options_;
    databuild::BuildReport report_;
};

std::vector<std::string> Names(const std::vector<Feature>& rows) {
    std::vector<std::string> names;
    for (const Feature& row : rows) names.push_back(row.name);
    return names;
}

TEST_F(FeatureFiles, SortedByNameBytesWithFields) {
    WriteNomenclature(
        "# Format:\n"
        "Moon\t1296\t_(\"Copernicus\",\"crater\")\tAA\t9.620900\t339.921400\t96.0699\n"
        "Moon\t15611\t_(\"Wargo\",\"crater\")\tAA\t27.680000\t-148.620000\t13.9\n"
        "Moon\t100\t_(\"Ångström\",\"crater\")\tAA\t29.900000\t318.400000\t9.5\n"
        "Moon\t1449\t_(\"de Gasparis\",\"crater\")\tAA\t-25.900000\t309.300000\t30\n"
        "Moon\t8421\t_(\"Copernicus A\",\"satellite feature\")\tSF\t9.522400\t341.099700\t3.21917\n"
        "Moon\t700\t_(\"Bohr\",\"crater\")\tAA\t12.400000\t273.700000\t71\n"
        "Venus\t1\t_(\"Aglaonice\",\"crater\")\tAA\t-26.5\t340\t62.7\n"
        "Mars\t4453\t_(\"Olympus Mons\",\"mons\")\tMO\t18.652800\t226.197500\t610.13\n"
        "Mars\t2360\t_(\"Harad\xCC\xA6\",\"crater\")\tAA\t-27.455400\t331.993500\t8.06232\n"
        "Mars\t2568\t_(\"Hsūanch'eng\",\"crater\")\tAA\t46.720500\t132.688700\t1.9898\n"
        "Mars\t11\t_(\"Bohar\",\"crater\")\tAA\t10.000000\t10.000000\t5\n"
        "Mars\t12\t_(\"Bohar\",\"crater\")\tAA\t-5.000000\t20.000000\t6\n");
    ASSERT_EQ(databuild::BuildFeatureFiles(options_, report_), 1) << report_.problem;

    // Bytes: capitals, then lower case, then the code page's accented letters (0xC5 = Å).
    const auto moon = Read(kMoonFile, kMoonTypeCode);
    EXPECT_EQ(Names(moon), (std::vector<std::string>{"Bohr", "Copernicus", "Copernicus A", "Wargo",
                                                     "de Gasparis", "\xC5ngstr\xF6m"}));
    ASSERT_EQ(moon.size(), 6u);
    EXPECT_FLOAT_EQ(moon[1].latitude, 9.6209f);
    EXPECT_FLOAT_EQ(moon[1].longitude, -20.0786f);  // 339.9214 east
    EXPECT_FLOAT_EQ(moon[1].diameter, 96.0699f);
    EXPECT_EQ(moon[1].typeAndTail, std::string("AA\0\0", 4));
    EXPECT_EQ(moon[2].typeAndTail.substr(0, 2), "SF");
    EXPECT_FLOAT_EQ(moon[0].longitude, -86.3f);

    // Marks without a letter of the code page dropped; equal names: the southern one first.
    const auto mars = Read(kMarsFile, kMarsTypeCode);
    EXPECT_EQ(Names(mars),
              (std::vector<std::string>{"Bohar", "Bohar", "Harad", "Hsuanch'eng", "Olympus Mons"}));
    ASSERT_EQ(mars.size(), 5u);
    EXPECT_FLOAT_EQ(mars[0].latitude, -5.0f);
    EXPECT_FLOAT_EQ(mars[4].longitude, 226.1975f - 360.0f);
}

TEST_F(FeatureFiles, BadLineStops) {
    WriteNomenclature("#\nMoon\t1296\t_(\"Copernicus\",\"crater\")\tAA\tnorth\t339.9\t96\n");
    EXPECT_EQ(databuild::BuildFeatureFiles(options_, report_), 0);
    EXPECT_NE(report_.problem.find("nomenclature.dat line 2"), std::string::npos) << report_.problem;
    EXPECT_FALSE(FileExists(options_.dataDir + std::string(kMoonFile)));
}

// Published (IAU gazetteer): Copernicus 9.62 N 20.08 W, 96 km; Olympus Mons 18.65 N 226.2 E.
TEST_F(FeatureFiles, InstalledNomenclature) {
    options_.stellariumDir = "/usr/share/stellarium";
    if (!FileExists(options_.stellariumDir + "/data/nomenclature.dat"))
        GTEST_SKIP() << "stellarium-data not installed";
    ASSERT_EQ(databuild::BuildFeatureFiles(options_, report_), 1) << report_.problem;

    const auto moon = Read(kMoonFile, kMoonTypeCode);
    const auto mars = Read(kMarsFile, kMarsTypeCode);
    EXPECT_GT(moon.size(), 9000u);
    EXPECT_GT(mars.size(), 1900u);
    const auto find = [](const std::vector<Feature>& rows, const std::string& name) {
        const auto it =
            std::find_if(rows.begin(), rows.end(), [&](const Feature& f) { return f.name == name; });
        return it == rows.end() ? Feature{} : *it;
    };
    const Feature copernicus = find(moon, "Copernicus");
    EXPECT_EQ(copernicus.name, "Copernicus");
    EXPECT_NEAR(copernicus.latitude, 9.62, 0.01);
    EXPECT_NEAR(copernicus.longitude, -20.08, 0.01);
    EXPECT_NEAR(copernicus.diameter, 96, 1);
    const Feature olympus = find(mars, "Olympus Mons");
    EXPECT_NEAR(olympus.latitude, 18.65, 0.01);
    EXPECT_NEAR(olympus.longitude, 226.2 - 360, 0.01);
    EXPECT_EQ(olympus.typeAndTail.substr(0, 2), "MO");
}

}  // namespace
}  // namespace vsp
