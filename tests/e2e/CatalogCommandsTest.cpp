// The catalog commands on data/ built from the installed catalog packages, against the
// published facts of well-known objects (M31 = NGC 224 at 0h42m44s +41°16'09", Vega = HR 7001
// = HIP 91262, Sirius = HIP 32349 at 6h45m09s -16°42'58", the NGC 2000.0 texts). The build
// takes a minute, so every test process reuses one directory beside the program while the
// program and the NGC table are unchanged (a lock keeps parallel tests from building it twice).

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/RunProgram.h"

namespace vsp::test {
namespace {

const std::string kNgc2000 = std::string(VESPERTAR_SHARED_DATA) + "/ngc2000.dat";

std::string Stamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "missing " + path;
    return path + " " + std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec);
}

// Where data build finds d3-celestial when not told (the npm folder in the sources).
std::string D3CelestialDir() {
    const char* given = std::getenv("VESPERTAR_D3CELESTIAL");
    return given && *given ? given : std::string(VESPERTAR_SOURCE_DIR) + "/databuild/node_modules/d3-celestial";
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class CatalogCommands : public testing::Test {
protected:
    static void SetUpTestSuite() {
        missing_.clear();
        for (const std::string& input : {std::string("/usr/share/stellarium"), std::string("/usr/share/kstars"),
                                          D3CelestialDir(), kNgc2000}) {
            if (!std::filesystem::exists(input)) missing_ += " " + input;
        }
        if (!missing_.empty()) return;
        home_ = std::filesystem::path(VespertarPath()).parent_path().string() + "/e2e-catalog-home/";
        const std::string stamp = Stamp(VespertarPath()) + "\n" + Stamp(kNgc2000) + "\n";

        const int lock = ::open((home_.substr(0, home_.size() - 1) + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
        if (lock >= 0) ::flock(lock, LOCK_EX);
        if (ReadText(home_ + "build.stamp") != stamp) {
            std::error_code ec;
            std::filesystem::remove_all(home_, ec);
            std::filesystem::create_directories(home_);
            const ProgramResult build =
                RunVespertar({"--home", home_, "data", "build", "--ngc2000", kNgc2000, "--json"});
            if (build.status == 0) {
                std::ofstream(home_ + "build-report.json") << build.out;
                std::ofstream(home_ + "build.stamp") << stamp;
            } else {
                buildProblem_ = "data build exited " + std::to_string(build.status) + ":\n" + build.err;
            }
        }
        if (lock >= 0) ::close(lock);
        if (buildProblem_.empty()) report_ = nlohmann::json::parse(ReadText(home_ + "build-report.json"));
    }

    void SetUp() override {
        if (!missing_.empty()) GTEST_SKIP() << "the catalog inputs are missing:" << missing_;
        ASSERT_TRUE(buildProblem_.empty()) << buildProblem_;
    }

    static ProgramResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home_, "--lat", "51.5", "--lon", "0", "--tz", "0", "--date",
                                   "2024-10-01", "--time", "22:00"});
        return RunVespertar(args);
    }
    static nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        const ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status == 0 ? nlohmann::json::parse(r.out) : nlohmann::json::object();
    }

    static inline std::string missing_;
    static inline std::string home_;
    static inline std::string buildProblem_;
    static inline nlohmann::json report_;
};

TEST_F(CatalogCommands, DataInfoListsEveryFileTheBuildWrote) {
    const nlohmann::json info = Json({"data", "info"});
    std::map<std::string, nlohmann::json> listed;
    for (const auto& file : info["files"]) listed[file["name"]] = file;

    // Each file the build reported, with its count.
    ASSERT_FALSE(report_["files"].empty());
    for (const auto& built : report_["files"]) {
        SCOPED_TRACE(built.dump());
        ASSERT_TRUE(listed.count(built["name"]));
        const nlohmann::json& file = listed[built["name"]];
        EXPECT_EQ(file["records"], built["records"]);
        EXPECT_EQ(file["record_size"], built["record_size"]);
        EXPECT_EQ(file["complete"], true);
    }
    EXPECT_EQ(listed.size(), report_["files"].size());

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
    // 41° north from 51.5° north: never sets.
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
