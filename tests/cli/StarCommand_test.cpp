// star: HR, HIP and Tycho numbers through their catalogs and indexes, names from the
// bright-star file, and the failures, on star files the test writes byte by byte (positions
// and magnitudes as the Hipparcos and Bright Star catalogs give them).

#include <filesystem>

#include <gtest/gtest.h>

#include "catalog/StarTestFiles.h"
#include "cli/CliRun.h"

namespace vsp::test {
namespace {

using Blocks = std::vector<std::vector<EntryFields>>;

// Vega: 18h36m56s +38°47'01", V 0.03, B-V 0.00; Sirius 06h45m09s -16°42'58", V -1.46 (the
// magnitude field has no room below 0).
const EntryFields kVegaHr = {7001, 18, 36, 56, 38, 47, 1, 0, 0};
const EntryFields kSiriusHr = {2491, 6, 45, 9, -16, -42, -58, 0, 0};
constexpr double kVegaRa = 18.0 + 36.0 / 60 + 56.0 / 3600;
constexpr double kVegaDec = 38.0 + 47.0 / 60 + 1.0 / 3600;
constexpr double kSiriusDec = -(16.0 + 42.0 / 60 + 58.0 / 3600);

class StarCommand : public testing::Test {
protected:
    void SetUp() override {
        Blocks hr(217);
        hr[60] = {{}, {}, {}, kSiriusHr};
        hr[150].resize(18);
        hr[150][17] = kVegaHr;
        home_.WriteFile("data/vespertar_hr.ppc", BlockFile(hr, 42));
        WriteNumberIndex("vespertar_hr_idx.ppc", 0x706C3636, 217, {{7001, 150}, {2491, 60}});

        Blocks hip(1478);  // 118240 stars, the count the 110K index serves
        hip[700].resize(80);
        hip[700][78] = {32350, 6, 45, 9, -16, -42, -50, 100, 5};  // a faint neighbour
        hip[700][79] = {32349, 6, 45, 9, -16, -42, -58, 0, 0};
        hip[1200] = {{91262, 18, 36, 56, 38, 47, 1, 0, 0}};
        home_.WriteFile("data/vespertar_hip_110k.ppc", BlockFile(hip, 80));
        WriteNumberIndex("vespertar_hip_110k_idx.ppc", 0x706C3631, 2881,
                         {{32349, 700}, {32350, 700}, {91262, 1200}});

        std::string defaults = StarFileHeader(0x706C3031, 1646, 44);
        for (int i = 0; i < 1646; ++i) {
            if (i == 12) defaults += DefaultStarBytes(7001, float(kVegaRa), float(kVegaDec), 0, 0);
            else if (i == 13) defaults += DefaultStarBytes(2491, 6.7525f, float(kSiriusDec), 0, 0);
            else defaults += DefaultStarBytes(1000 + i, float(i) / 100.0f, 10.0f, 48, 5);
        }
        home_.WriteFile("data/vespertar_default_stars.ppc", defaults);
        // Name half, then number half (Sirius HR 2491 before Vega HR 7001).
        std::string names = StarFileHeader(0x706C3635, 4, 20);
        for (const auto& [name, index] : std::vector<std::pair<std::string, int>>{
                 {"Sirius", 13}, {"Vega", 12}, {"Sirius", 13}, {"Vega", 12}}) {
            std::string slot = name;
            slot.resize(18, '\0');
            names += slot;
            Le16(names, index);
        }
        home_.WriteFile("data/vespertar_brightstar.ppc", names);
    }

    void WriteNumberIndex(const std::string& name, uint32_t tag, int records,
                          const std::vector<std::pair<int, int>>& slots) {
        std::vector<int> values(size_t(records) * 42, -1);
        for (auto [number, block] : slots) values[size_t(number)] = block;
        std::string file = StarFileHeader(tag, records, 84);
        for (int v : values) Le16(file, v);
        home_.WriteFile("data/" + name, file);
    }

    // Tycho 390K: eight blocks keyed by declination, TYC 4660-1234-1 at +11°30' in block 3 and
    // one of the same region outside the index's band.
    void WriteTycho() {
        Blocks blocks;
        for (int d : {0, 5, 10, 11, 12, 20, 30, 40}) blocks.push_back({EntryFields{0, 0, 0, 0, d, 0, 0, 255, 0}});
        blocks[3].push_back({466001234, 5, 10, 20, 11, 30, 0, 150, 7});
        blocks[6].push_back({466000099, 5, 10, 20, 30, 0, 0, 150, 7});
        home_.WriteFile("data/vespertar_tycho_390k.ppc", BlockFile(blocks, 42));
        std::string index = StarFileHeader(0x706C3630, 4661, 8);
        for (int r = 0; r < 4661; ++r) {
            LeF32(index, r == 4660 ? 10.0f : 0.0f);
            LeF32(index, r == 4660 ? 12.0f : 0.0f);
        }
        home_.WriteFile("data/vespertar_tycho_idx.ppc", index);
    }

    CliOutcome Star(std::vector<std::string> words, bool json = true) {
        return RunCli(cli::RunStar, home_, std::move(words), json ? JsonOutput() : cli::CommonOptions{});
    }
    nlohmann::json Json(std::vector<std::string> words) {
        const CliOutcome run = Star(std::move(words));
        EXPECT_EQ(run.status, cli::kExitOk) << run.err;
        return run.status == cli::kExitOk ? run.Json() : nlohmann::json::object();
    }

    TempHome home_;
};

TEST_F(StarCommand, HrNumberInItsFormsWithItsName) {
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"7001"}, {"HR7001"}, {"hr 7001"}, {"HR", "7001"}}) {
        const nlohmann::json vega = Json(words);
        EXPECT_EQ(vega["designation"], "HR7001") << words[0];
        EXPECT_EQ(vega["number"], 7001);
        EXPECT_NEAR(vega["ra_hours"].get<double>(), kVegaRa, 2e-6);
        EXPECT_NEAR(vega["dec_deg"].get<double>(), kVegaDec, 2e-5);
        EXPECT_EQ(vega["magnitude"], 0.0);
        EXPECT_EQ(vega["color_index"], 0.0);
        EXPECT_EQ(vega["name"], "Vega");
    }
    const nlohmann::json sirius = Json({"HR2491"});
    EXPECT_EQ(sirius["name"], "Sirius");
    EXPECT_NEAR(sirius["dec_deg"].get<double>(), kSiriusDec, 2e-5);

    // A number the catalog lacks.
    const CliOutcome gap = Star({"HR5"});
    EXPECT_EQ(gap.status, cli::kExitFailed);
    EXPECT_NE(gap.err.find("HR5: no such star in vespertar_hr.ppc"), std::string::npos) << gap.err;

    const CliOutcome text = Star({"HR7001"}, false);
    ASSERT_EQ(text.status, cli::kExitOk) << text.err;
    EXPECT_NE(text.out.find("designation:"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Vega\n"), std::string::npos) << text.out;
    EXPECT_TRUE(text.err.empty()) << text.err;
}

TEST_F(StarCommand, HrStarsFromTheDefaultStarsWhenTheHrCatalogIsMissing) {
    std::filesystem::remove(home_.Path("data/vespertar_hr.ppc"));
    const nlohmann::json vega = Json({"HR7001"});
    EXPECT_NEAR(vega["ra_hours"].get<double>(), kVegaRa, 2e-6);
    EXPECT_EQ(vega["name"], "Vega");
    // Not a default star either: the missing catalog is named.
    const CliOutcome faint = Star({"HR7002"});
    EXPECT_EQ(faint.status, cli::kExitFailed);
    EXPECT_NE(faint.err.find("Database Hipparchos isn't open!"), std::string::npos) << faint.err;
    EXPECT_NE(faint.err.find("vespertar_hr.ppc"), std::string::npos) << faint.err;
}

TEST_F(StarCommand, HipparcosNumbersAreNamedByTheDefaultStarAtTheirPlace) {
    const nlohmann::json sirius = Json({"HIP32349"});
    EXPECT_EQ(sirius["designation"], "HIP32349");
    EXPECT_NEAR(sirius["dec_deg"].get<double>(), kSiriusDec, 2e-5);
    EXPECT_EQ(sirius["name"], "Sirius");
    // Beyond 16 bits the number survives.
    const nlohmann::json vega = Json({"hip 91262"});
    EXPECT_EQ(vega["number"], 91262);
    EXPECT_EQ(vega["name"], "Vega");
    // Eight arcseconds from Sirius but six magnitudes fainter: another star.
    const nlohmann::json neighbour = Json({"HIP32350"});
    EXPECT_NEAR(neighbour["magnitude"].get<double>(), 6.25, 1e-9);
    EXPECT_NEAR(neighbour["color_index"].get<double>(), 0.5, 1e-9);
    EXPECT_EQ(neighbour["name"], nullptr);

    const CliOutcome gap = Star({"HIP5"});
    EXPECT_EQ(gap.status, cli::kExitFailed);
    EXPECT_NE(gap.err.find("HIP5: no such star in vespertar_hip_110k.ppc"), std::string::npos) << gap.err;

    // Names are a bonus: without the default stars the star is still found, quietly.
    std::filesystem::remove(home_.Path("data/vespertar_default_stars.ppc"));
    const CliOutcome unnamed = Star({"HIP32349"});
    ASSERT_EQ(unnamed.status, cli::kExitOk);
    EXPECT_EQ(unnamed.Json()["name"], nullptr);
    EXPECT_TRUE(unnamed.err.empty()) << unnamed.err;

    std::filesystem::remove(home_.Path("data/vespertar_hip_110k.ppc"));
    const CliOutcome missing = Star({"HIP32349"});
    EXPECT_EQ(missing.status, cli::kExitFailed);
    EXPECT_NE(missing.err.find("Database Hipparchos isn't open!\nPlease install vespertar_hip_110k.ppc"),
              std::string::npos)
        << missing.err;
}

TEST_F(StarCommand, TychoThroughTheRegionIndex) {
    const CliOutcome none = Star({"TYC4660-1234-1"});
    EXPECT_EQ(none.status, cli::kExitFailed);
    EXPECT_NE(none.err.find("vespertar_tycho_2500k.ppc"), std::string::npos) << none.err;

    WriteTycho();
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"TYC4660-1234-1"}, {"tyc 4660-1234-1"}, {"TYC", "4660-1234"}}) {
        const nlohmann::json star = Json(words);
        EXPECT_EQ(star["designation"], "TYC4660-1234-1") << words[0];
        EXPECT_EQ(star["number"], 466001234);
        EXPECT_NEAR(star["dec_deg"].get<double>(), 11.5, 2e-5);
        EXPECT_NEAR(star["magnitude"].get<double>(), 9.375, 1e-9);
        EXPECT_NEAR(star["color_index"].get<double>(), 0.7, 1e-9);
        EXPECT_EQ(star["name"], nullptr);
    }
    const CliOutcome outside = Star({"TYC4660-99-1"});
    EXPECT_EQ(outside.status, cli::kExitFailed);
    EXPECT_NE(outside.err.find("TYC4660-99-1: no such star in vespertar_tycho_390k.ppc"), std::string::npos)
        << outside.err;
}

TEST_F(StarCommand, UsageErrors) {
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {}, {"SAO308"}, {"NGC224"}, {"Vega"}, {"HR0"}, {"HR9111"}, {"HIP121001"}, {"-5"},
             {"7001", "--bogus"}}) {
        const CliOutcome run = Star(words);
        EXPECT_EQ(run.status, cli::kExitUsage) << testing::PrintToString(words);
        EXPECT_EQ(run.err.rfind("vespertar: ", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

}  // namespace
}  // namespace vsp::test
