// The catalog commands on data/ built from the installed catalog packages, against the
// published facts of well-known objects (M31 = NGC 224 at 0h42m44s +41°16'09", Vega = HR 7001
// = HIP 91262, Sirius = HIP 32349 at 6h45m09s -16°42'58", the NGC 2000.0 texts).

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"

namespace vsp::test {
namespace {

// The default site, 51 degrees north, and this home's data/ linked to the built catalogs.
using CatalogCommands = CatalogHomeTest;

TEST_F(CatalogCommands, DataInfoListsEveryFileTheBuildWrote) {
    const nlohmann::json info = Json({"data", "info"});
    std::map<std::string, nlohmann::json> listed;
    for (const auto& file : info["files"]) listed[file["name"]] = file;

    // Each file the build reported, with its count.
    const nlohmann::json report = nlohmann::json::parse(BuiltCatalogHome().report);
    ASSERT_FALSE(report["files"].empty());
    for (const auto& built : report["files"]) {
        SCOPED_TRACE(built.dump());
        ASSERT_TRUE(listed.count(built["name"]));
        const nlohmann::json& file = listed[built["name"]];
        EXPECT_EQ(file["records"], built["records"]);
        EXPECT_EQ(file["record_size"], built["record_size"]);
        EXPECT_EQ(file["complete"], true);
    }
    EXPECT_EQ(listed.size(), report["files"].size());

    // Every NGC and IC line of the table, and the sentinel.
    EXPECT_EQ(listed["vespertar_obj_18k_desc.ppc"]["records"], 13227);
}

TEST_F(CatalogCommands, AndromedaGalaxyAndTheDoubleCluster) {
    const nlohmann::json m31 = Json({"object", "M31"});
    EXPECT_EQ(m31["designation"], "M31");
    EXPECT_EQ(m31["number"], 224);
    EXPECT_EQ(m31["type_name"], "Galaxy");
    EXPECT_NEAR(m31["ra_hours"].get<double>(), 0.712306, 0.001);  // 0h42m44.3s
    EXPECT_NEAR(m31["dec_deg"].get<double>(), 41.2692, 0.01);     // +41°16'09"
    EXPECT_NE(m31["common_name"].get<std::string>().find("Andromeda"), std::string::npos) << m31["common_name"];
    EXPECT_EQ(m31["description"], "!!! eeB, eL, vmE (Andromeda); = M31");
    bool hasNgc = false;
    for (const auto& other : m31["other_designations"]) hasNgc |= other == "NGC224";
    EXPECT_TRUE(hasNgc) << m31["other_designations"];
    // 41° north from 51° north: never sets.
    EXPECT_EQ(m31["rise_set_status"], "circumpolar");

    for (const char* typed : {"NGC224", "ngc 224", "m31"}) EXPECT_EQ(Json({"object", typed})["number"], 224) << typed;
    const nlohmann::json c14 = Json({"object", "C14"});
    EXPECT_TRUE(c14["number"] == 869 || c14["number"] == 884) << c14["number"];
    EXPECT_NE(c14["common_name"].get<std::string>().find("Double Cluster"), std::string::npos) << c14["common_name"];
}

TEST_F(CatalogCommands, NorthAmericaNebulaWithItsDreyerText) {
    const nlohmann::json nebula = Json({"object", "NGC7000"});
    EXPECT_EQ(nebula["number"], 7000);
    EXPECT_EQ(nebula["constellation"], "Cygnus");
    EXPECT_NE(nebula["common_name"].get<std::string>().find("North America"), std::string::npos)
        << nebula["common_name"];
    EXPECT_EQ(nebula["description"], "F, eeL, dif nebulosity");
    EXPECT_EQ(nebula["translation"], Json({"expand", "F, eeL, dif nebulosity"})["text"]);
    EXPECT_EQ(Json({"object", "NGC", "7000"})["number"], 7000);  // the designation as two words
    const nlohmann::json sharpless = Json({"object", "Sh2-101"});
    EXPECT_EQ(sharpless["number"], 101);}

TEST_F(CatalogCommands, VegaAndSirius) {
    const nlohmann::json vega = Json({"star", "HR7001"});
    EXPECT_NEAR(vega["magnitude"].get<double>(), 0.0, 0.1);
    EXPECT_NEAR(vega["ra_hours"].get<double>(), 18.61565, 0.0005);  // 18h36m56.3s
    EXPECT_NEAR(vega["dec_deg"].get<double>(), 38.7837, 0.001);     // +38°47'01"
    EXPECT_EQ(vega["name"], "Vega");
    EXPECT_EQ(Json({"star", "HIP91262"})["name"], "Vega");

    const nlohmann::json sirius = Json({"star", "HIP32349"});
    EXPECT_NEAR(sirius["ra_hours"].get<double>(), 6.75248, 0.0005);  // 6h45m08.9s
    EXPECT_NEAR(sirius["dec_deg"].get<double>(), -16.7161, 0.001);   // -16°42'58"
    EXPECT_NEAR(sirius["color_index"].get<double>(), 0.0, 0.05);
    EXPECT_EQ(sirius["name"], "Sirius");
}

// Paris (IGN): 48°51'24" N 2°21'08" E, UT+1 with summer time; the list has Paris, Illinois too.
TEST_F(CatalogCommands, ParisFromTheCityList) {
    if (!std::filesystem::exists(home_.Path("data/vespertar_cities.ppc"))) GTEST_SKIP() << "kstars-data has no citydb.sqlite";
    const nlohmann::json found = Json({"city", "PARIS,", "--count", "5"})["cities"];
    std::vector<std::string> names;
    for (const auto& city : found) names.push_back(city["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"Paris, Illinois, USA", "Paris, Paris, France"}));
    const nlohmann::json& paris = found.at(1);
    EXPECT_NEAR(paris["lat_deg"].get<double>(), 48.857, 0.02);
    EXPECT_NEAR(paris["lon_deg"].get<double>(), 2.352, 0.03);
    EXPECT_EQ(paris["tz_minutes"], 60);
    EXPECT_EQ(paris["daylight"], true);

    const ProgramResult dump = Run({"records", "dump", home_.Path("data/vespertar_cities.ppc"), "--index",
                                    std::to_string(paris["index"].get<int>())});
    EXPECT_NE(dump.out.find("name = Paris, Paris, France"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("longitude_west_deg = -2.33"), std::string::npos) << dump.out;
    EXPECT_EQ(Json({"city", "Qzx"})["cities"], nlohmann::json::array());
}

TEST_F(CatalogCommands, UnknownObjectsFail) {
    const ProgramResult missing = Run({"object", "NGC7841"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("NGC7841"), std::string::npos) << missing.err;
    EXPECT_EQ(Run({"object", "M111"}).status, 1);
    EXPECT_EQ(Run({"object", "Andromeda"}).status, 2);
    EXPECT_EQ(Run({"star", "HIP120500"}).status, 1);
}

}  // namespace
}  // namespace vsp::test
