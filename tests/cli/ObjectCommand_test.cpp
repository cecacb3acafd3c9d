// object: designations in their typed forms, the lists, the twin records, cross-references,
// descriptions and the sky of the observing time, over a small object file the test writes
// byte by byte (positions and texts as the published catalogs give them).

#include <bit>
#include <cmath>

#include <gtest/gtest.h>

#include "catalog/ObjectTestFiles.h"
#include "cli/CliRun.h"

namespace vsp::test {
namespace {

constexpr int kIc = 29, kMel = 39, kMessier = 40, kNgc = 42, kSh2 = 52, kCaldwell = 9;

std::string F32(float v) { return Le32(std::bit_cast<uint32_t>(v)); }

struct Obj {
    int32_t catalog, number, type, constellation;
    float ra, dec, magnitude, major, minor;
    int32_t link;
    uint16_t classCode = 0xFFFF;
};

std::string ObjectRecordBytes(const Obj& o) {
    return Le32(uint32_t(o.catalog)) + Le32(uint32_t(o.number)) + Le32(uint32_t(o.type)) +
           Le32(uint32_t(o.constellation)) + F32(o.ra) + F32(o.dec) + F32(o.magnitude) + F32(o.major) +
           F32(o.minor) + Le16(o.classCode) + Le16(35) + Le32(uint32_t(o.link));
}

std::string CrossRecord(std::vector<std::pair<int, int>> names, const std::string& common) {
    names.resize(4, {0, 0});
    std::string out;
    for (const auto& n : names) out += Le16(uint16_t(n.first));
    for (const auto& n : names) out += Le32(uint32_t(n.second));
    out += common;
    out.resize(64, '\0');
    return out;
}

std::string DescriptionRecord(int catalog, int number, const std::string& text) {
    std::string out = Le32(uint32_t(catalog)) + Le32(uint32_t(number)) + text;
    out.resize(57, '\0');
    return out;
}

std::string ListFile(uint32_t tag, int count, const std::vector<std::pair<int, int>>& entries) {
    std::vector<uint16_t> table(size_t(count), 0xFFFF);
    for (auto [number, record] : entries) table[size_t(number - 1)] = uint16_t(record);
    std::string out = Header(1, tag, count, 2);
    for (uint16_t v : table) out += Le16(v);
    return out;
}

class ObjectCommand : public testing::Test {
protected:
    void SetUp() override {
        // Records 0-2 the core (NGC 224, NGC 7000, Mel 22), then IC, NGC and Sh2 in order; the
        // sorted twins of core objects link to them.
        const std::vector<Obj> objects = {
            {kNgc, 224, 16, 0, 0.712306f, 41.26875f, 3.44f, 189.0f, 61.7f, 0, 2},
            {kNgc, 7000, 19, 30, 20.97694f, 44.33333f, 4.0f, 120.0f, 100.0f, 1},
            {kMel, 22, 6, 78, 3.7833f, 24.1167f, 1.2f, 110.0f, 0.0f, 2},
            {kIc, 434, 20, 59, 5.685f, -2.4583f, 99.9f, 60.0f, 10.0f, 3},
            {kNgc, 224, 16, 0, 0.712306f, 41.26875f, 3.44f, 189.0f, 61.7f, 0},
            {kNgc, 869, 6, 62, 2.3192f, 57.1333f, 3.7f, 18.0f, 0.0f, 5},
            {kNgc, 7000, 19, 30, 20.97694f, 44.33333f, 4.0f, 120.0f, 100.0f, 1},
            {kSh2, 101, 20, 30, 20.0f, 35.3167f, 99.9f, 16.0f, 0.0f, 7},
        };
        std::string file = Header(26, 0x706C3030, int32_t(objects.size()), 44);
        for (const Obj& o : objects) file += ObjectRecordBytes(o);
        home_.WriteFile("data/vespertar_obj_18k.ppc", file);

        std::string ranges = Header(1, 0x706C3735, 68, 4);
        for (int row = 0; row < 68; ++row) {
            const std::pair<int, int> range = row == kIc ? std::pair{3, 4} : row == kNgc ? std::pair{4, 7}
                                              : row == kSh2 ? std::pair{7, 8} : std::pair{50000, 0};
            ranges += Le16(uint16_t(range.first)) + Le16(uint16_t(range.second));
        }
        home_.WriteFile("data/vespertar_catalog_ranges.ppc", ranges);
        std::string classes = Header(1, 0x706C3736, 297, 10);
        for (int code = 0; code < 297; ++code) classes += std::string(code == 2 ? "Sb" : "E0") + std::string(8, '\0');
        home_.WriteFile("data/vespertar_class_texts.ppc", classes);
        home_.WriteFile("data/vespertar_messier.ppc", ListFile(0x706C3731, 110, {{31, 0}, {45, 2}}));
        home_.WriteFile("data/vespertar_caldwell.ppc", ListFile(0x706C3732, 109, {{14, 5}, {20, 1}}));

        const std::vector<std::string> cross = {
            CrossRecord({}, "sentinel"),
            CrossRecord({{kMel, 22}, {kMessier, 45}}, "Pleiades"),
            CrossRecord({{kNgc, 224}, {kMessier, 31}}, "Andromeda Galaxy"),
            CrossRecord({{kNgc, 869}, {kCaldwell, 14}, {kNgc, 884}}, "Double Cluster"),
            CrossRecord({{kNgc, 7000}, {kCaldwell, 20}}, "North America Nebula"),
        };
        std::string crossFile = Header(1, 0x706C3830, int32_t(cross.size()), 64);
        for (const std::string& r : cross) crossFile += r;
        home_.WriteFile("data/vespertar_obj_cross_ref.ppc", crossFile);

        const std::vector<std::string> descriptions = {
            DescriptionRecord(0, 0, ""),
            DescriptionRecord(kNgc, 224, "!!! eeB, eL, vmE (Andromeda); = M31"),
            DescriptionRecord(kNgc, 7000, "F, eeL, dif nebulosity"),
        };
        std::string descriptionFile = Header(1, 0x706C3130, int32_t(descriptions.size()), 57);
        for (const std::string& r : descriptions) descriptionFile += r;
        home_.WriteFile("data/vespertar_obj_18k_desc.ppc", descriptionFile);
    }

    CliOutcome Object(std::vector<std::string> words, cli::CommonOptions options = {}) {
        options.date = cli::CivilDate{2024, 10, 1};
        options.time = cli::ClockTime{22, 0, 0};
        options.tzOffset = 0;
        return RunCli(cli::RunObject, home_, std::move(words), options);
    }
    nlohmann::json Json(std::vector<std::string> words, cli::CommonOptions options = {}) {
        options.json = true;
        const CliOutcome run = Object(std::move(words), options);
        EXPECT_EQ(run.status, cli::kExitOk) << run.err;
        return run.status == cli::kExitOk ? run.Json() : nlohmann::json::object();
    }

    TempHome home_;
};

TEST_F(ObjectCommand, MessierObjectThroughItsList) {
    const nlohmann::json m31 = Json({"m31"});
    EXPECT_EQ(m31["designation"], "M31");
    EXPECT_EQ(m31["catalog"], "NGC");
    EXPECT_EQ(m31["catalog_index"], kNgc);
    EXPECT_EQ(m31["number"], 224);
    EXPECT_EQ(m31["type_code"], 16);
    EXPECT_EQ(m31["type"], "GALXY");
    EXPECT_EQ(m31["type_name"], "Galaxy");
    EXPECT_EQ(m31["constellation"], "Andromeda");
    EXPECT_EQ(m31["constellation_abbreviation"], "And");
    EXPECT_NEAR(m31["ra_hours"].get<double>(), 0.712306, 1e-6);
    EXPECT_NEAR(m31["dec_deg"].get<double>(), 41.26875, 1e-5);
    EXPECT_NEAR(m31["magnitude"].get<double>(), 3.44, 1e-6);
    EXPECT_NEAR(m31["major_arcmin"].get<double>(), 189.0, 1e-6);
    EXPECT_NEAR(m31["minor_arcmin"].get<double>(), 61.7, 1e-5);
    EXPECT_EQ(m31["other_designations"], nlohmann::json::array({"NGC224"}));
    EXPECT_EQ(m31["common_name"], "Andromeda Galaxy");
    EXPECT_EQ(m31["description"], "!!! eeB, eL, vmE (Andromeda); = M31");
    EXPECT_NE(m31["translation"].get<std::string>().find("a magnificent"), std::string::npos) << m31["translation"];
    EXPECT_EQ(m31["class"], "Sb");
    for (const char* key : {"alt_deg", "az_deg", "rise", "transit", "set", "rise_set_status"})
        EXPECT_TRUE(m31.contains(key)) << key;
}

TEST_F(ObjectCommand, TypedFormsOfOneDesignationMeetAtTheCoreRecord) {
    // The sorted twin of NGC 224 leads to the core record the Messier list points at.
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"NGC224"}, {"ngc 224"}, {"NGC", "224"}, {"M31"}, {"M", "31"}}) {
        const nlohmann::json j = Json(words);
        EXPECT_EQ(j["designation"], "M31") << words[0];
        EXPECT_EQ(j["number"], 224);
    }
    const nlohmann::json nan = Json({"NGC 7000"});
    EXPECT_EQ(nan["designation"], "C20");
    EXPECT_EQ(nan["common_name"], "North America Nebula");
    EXPECT_EQ(nan["description"], "F, eeL, dif nebulosity");
    const std::string translation = nan["translation"];
    EXPECT_EQ(translation.rfind("faint", 0), 0u) << translation;
    EXPECT_NE(translation.find("diffused"), std::string::npos) << translation;
    EXPECT_EQ(Json({"ngc7000"})["designation"], "C20");

    const nlohmann::json doubleCluster = Json({"C14"});
    EXPECT_EQ(doubleCluster["number"], 869);
    EXPECT_EQ(doubleCluster["common_name"], "Double Cluster");
    EXPECT_EQ(doubleCluster["other_designations"], nlohmann::json::array({"NGC869", "NGC884"}));
    EXPECT_EQ(doubleCluster["minor_arcmin"], nullptr);

    const nlohmann::json sh2 = Json({"Sh2-101"});
    EXPECT_EQ(sh2["designation"], "Sh2101");
    EXPECT_EQ(sh2["catalog"], "Sh2");
    EXPECT_EQ(sh2["magnitude"], nullptr);
    EXPECT_EQ(sh2["common_name"], nullptr);
    EXPECT_EQ(sh2["class"], nullptr);
    EXPECT_EQ(sh2["description"], nullptr);
    EXPECT_EQ(sh2["other_designations"], nlohmann::json::array());
    EXPECT_EQ(Json({"IC434"})["constellation"], "Orion");

    // A list-only object of the core: its catalog name second.
    const nlohmann::json pleiades = Json({"M45"});
    EXPECT_EQ(pleiades["catalog"], "Mel");
    EXPECT_EQ(pleiades["other_designations"], nlohmann::json::array({"Mel22"}));
    EXPECT_EQ(pleiades["common_name"], "Pleiades");
}

TEST_F(ObjectCommand, TextRowsCarryTheKeys) {
    const CliOutcome run = Object({"NGC7000"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    for (const char* row : {"designation:", "catalog:", "common_name:", "description:", "translation:", "alt_deg:"})
        EXPECT_NE(run.out.find(row), std::string::npos) << row << "\n" << run.out;
    EXPECT_NE(run.out.find("North America Nebula\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("F, eeL, dif nebulosity\n"), std::string::npos) << run.out;
}

TEST_F(ObjectCommand, RiseAndSetFollowTheSite) {
    cli::CommonOptions site;
    site.longitudeEast = 0;
    // Dec +41.3: circumpolar from 51 N, never up from 60 S, half a sidereal day up at the equator.
    site.latitude = 51;
    EXPECT_EQ(Json({"M31"}, site)["rise_set_status"], "circumpolar");
    site.latitude = -60;
    EXPECT_EQ(Json({"M31"}, site)["rise_set_status"], "never_rises");
    site.latitude = 0;
    const nlohmann::json equator = Json({"M31"}, site);
    EXPECT_EQ(equator["rise_set_status"], "normal");
    double up = equator["set"].get<double>() - equator["rise"].get<double>();
    if (up < 0) up += 24;
    // The hour angle of rising for h0 = -36.6' (refraction and semidiameter), taken as clock
    // hours by the direct method: 2 acos(sin h0 / cos dec) / 15.
    const double rad = M_PI / 180.0;
    EXPECT_NEAR(up, 2.0 * std::acos(std::sin(-36.6 / 60.0 * rad) / std::cos(41.26875 * rad)) / rad / 15.0, 0.05);
    // Transit in the middle of the arc.
    double mid = equator["rise"].get<double>() + up / 2;
    if (mid >= 24) mid -= 24;
    EXPECT_NEAR(mid, equator["transit"].get<double>(), 0.05);

    // At transit the altitude is 90 - |latitude - declination| (refraction off: mode 0).
    site.latitude = 51;
    site.mode = 0;
    site.json = true;
    const double transit = Json({"M31"}, site)["transit"];
    cli::CommonOptions atTransit = site;
    const int minutes = int(std::lround(transit * 60));
    CliOutcome run = RunCli(cli::RunObject, home_, {"M31"}, [&] {
        cli::CommonOptions o = atTransit;
        o.date = cli::CivilDate{2024, 10, 1};
        o.time = cli::ClockTime{minutes / 60, minutes % 60, 0};
        o.tzOffset = 0;
        return o;
    }());
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_NEAR(run.Json()["alt_deg"].get<double>(), 90 - (51 - 41.27), 0.6);
    EXPECT_NEAR(run.Json()["az_deg"].get<double>(), 180.0, 3.0);  // due south
}

TEST_F(ObjectCommand, ObjectsThatAreNotThere) {
    struct Case {
        std::string text;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {"NGC7001", "NGC7001: no such object in vespertar_obj_18k.ppc"},
             {"M2", "M2: the list points at record 65535"},
             {"M111", "M111: the Messier list runs from 1 to 110"},
             {"Mel22", "Sorry, there is no object available from this catalog using your current object database."},
             {"Comet 3", "Please use the popup list to select your object and not the numeric keyboard."},
         }) {
        const CliOutcome run = Object({c.text});
        EXPECT_EQ(run.status, cli::kExitFailed) << c.text;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.text << ": " << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    home_.WriteFile("data/vespertar_messier.ppc", "");
    const CliOutcome noList = Object({"M31"});
    EXPECT_EQ(noList.status, cli::kExitFailed);
    EXPECT_NE(noList.err.find("vespertar_messier.ppc"), std::string::npos) << noList.err;
}

TEST_F(ObjectCommand, UsageErrors) {
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {}, {"Andromeda"}, {"NGC"}, {"NGC7000", "--bogus"}, {"HIP32349"}, {"HR7001"}}) {
        const CliOutcome run = Object(words);
        EXPECT_EQ(run.status, cli::kExitUsage) << testing::PrintToString(words);
        EXPECT_EQ(run.err.rfind("vespertar: ", 0), 0u) << run.err;
    }
    EXPECT_NE(Object({"HIP32349"}).err.find("star HIP32349"), std::string::npos);
}

TEST(ObjectCommandData, WithoutAnObjectFileTheOpeningSaysSo) {
    TempHome home;
    const CliOutcome run = RunCli(cli::RunObject, home, {"M31"});
    EXPECT_EQ(run.status, cli::kExitFailed);
    EXPECT_NE(run.err.find("Could not open object database"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("vespertar_obj_18k.ppc into data sub directory."), std::string::npos) << run.err;
}

}  // namespace
}  // namespace vsp::test
