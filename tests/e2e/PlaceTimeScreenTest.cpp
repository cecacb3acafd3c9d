// The city list through the built program: a city found by its first letters and tapped on
// the Choose Location screen becomes the saved site (Reykjavik, 64°08' N 21°56' W).
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "e2e/ScreenControls.h"

namespace vsp::test {
namespace {

using PlaceTimeScreen = CatalogHomeTest;

TEST_F(PlaceTimeScreen, CityFoundByItsFirstLettersAndTappedBecomesTheSavedSite) {
    if (!std::filesystem::exists(home_.Path("data/vespertar_cities.ppc"))) GTEST_SKIP() << "no city list";

    const std::string choose = CentreOf(Json({"screen", "1200"}), "Choose Location");
    const std::string firstRow = CentreOf(Json({"screen", "1600"}), [](auto& c) { return c["kind"] == "list"; });
    const nlohmann::json shown = Json({"screen", "1200", "--tap", choose, "--type", "Reykjav", "--tap", firstRow});
    EXPECT_EQ(shown["form"], 1200);
    const nlohmann::json prefs = Json({"prefs", "show"});
    EXPECT_EQ(prefs["site_name"].get<std::string>().rfind("Reykjav", 0), 0u) << prefs["site_name"];
    EXPECT_NEAR(prefs["latitude_deg"].get<double>(), 64.147, 0.05);
    EXPECT_NEAR(prefs["longitude_west_deg"].get<double>(), 21.943, 0.05);
}

}  // namespace
}  // namespace vsp::test
