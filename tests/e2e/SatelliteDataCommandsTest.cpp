#include <fstream>

#include "support/LocalHttpServer.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

std::string Tle(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_SHARED_DATA) + "/tle/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

using SatelliteDataCommands = ProgramHomeTest;

// update fetches both addresses of the settings into one database, which list and export show.
TEST_F(SatelliteDataCommands, UpdateListExport) {
    LocalHttpServer server({{"/visual.txt", {200, Tle("visual-2025-07-20.tle")}},
                            {"/iridium.txt", {200, Tle("iridium-2014-09-18.tle")}}});
    ASSERT_EQ(Run({"prefs", "set", "satellite_url=" + server.Url("/visual.txt"),
                   "iridium_url=" + server.Url("/iridium.txt")}).status, 0);
    ASSERT_EQ(Run({"sat", "update"}).status, 0);
    const nlohmann::json list = Json({"sat", "list", "--date", "2025-07-21", "--time", "06:24", "--tz", "0"});
    ASSERT_EQ(list.size(), 151u + 92u);
    const nlohmann::json& iss = list[101];  // line 304 of the file, epoch 25201.26732422
    EXPECT_EQ(iss["name"], "ISS (ZARYA)");
    EXPECT_NEAR(iss["epoch_jd"].get<double>(), 2460675.5 + 201.26732422, 1e-8);
    EXPECT_NEAR(iss["inclination_deg"].get<double>(), 51.6337, 1e-9);
    EXPECT_NEAR(iss["age_days"].get<double>(), 2460877.5 + 6.4 / 24 - 2460876.76732422, 1e-6);
    const ProgramResult r = Run({"sat", "export"});
    EXPECT_EQ(r.out.rfind("243 Satellite records exported.\n", 0), 0u) << r.out << r.err;
}

}  // namespace
}  // namespace vsp::test
