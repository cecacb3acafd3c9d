// The planet map and the Moon's features through the built program, for Berlin on the evening
// of 2024 April 8 (21:00 CET) (tests/data/forms/berlin_2024_04_08.csv, scripts/fixtures/
// ephemeris_forms_fixtures.py): Jupiter's central meridians and Saturn's ring tilt once its radio
// is tapped against PyEphem, and the next sunrise on Copernicus, found by its name, against
// astronomy-engine's colongitude.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "e2e/ScreenControls.h"

namespace vsp::test {
namespace {

class BodyFacesScreen : public CatalogHomeTest {
protected:
    nlohmann::json Screen(std::vector<std::string> args) {
        std::vector<std::string> all = {"--lat", "52.52", "--lon", "13.405", "--tz", "60", "--date", "2024-04-08",
                                        "--time", "21:00", "screen"};
        all.insert(all.end(), args.begin(), args.end());
        return Json(all);
    }
    static std::string TextOf(const nlohmann::json& screen, int id) {
        for (const nlohmann::json& c : screen["controls"])
            if (c["id"] == id) return c["text"];
        ADD_FAILURE() << "no control " << id;
        return {};
    }
    std::map<std::string, double> PyEphem() {
        std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/forms/berlin_2024_04_08.csv");
        std::map<std::string, double> values;
        for (std::string line; std::getline(in, line);)
            values[line.substr(0, line.find(','))] = std::atof(line.substr(line.find(',') + 1).c_str());
        return values;
    }
};

TEST_F(BodyFacesScreen, PlanetMapGivesJupitersMeridiansAndSaturnsTilt) {
    auto ref = PyEphem();
    const nlohmann::json jupiter = Screen({"2460"});
    double cm1 = NAN, cm2 = NAN;
    std::sscanf(TextOf(jupiter, 2465).c_str(), "CM I %lf\xC2\xB0  II %lf", &cm1, &cm2);
    // PyEphem's meridians come from a short formula, up to 1.4 degrees from the IAU rules; an
    // hour of the wrong clock would be 36 degrees.
    EXPECT_NEAR(cm1, ref["jupiter_cml1_deg"], 1.5) << TextOf(jupiter, 2465);
    EXPECT_NEAR(cm2, ref["jupiter_cml2_deg"], 1.5);
    const nlohmann::json saturn = Screen({"2460", "--tap", CentreOf(jupiter, "Saturn")});
    double tilt = NAN;
    std::sscanf(TextOf(saturn, 2465).c_str(), "Ring tilt B %lf", &tilt);
    EXPECT_NEAR(tilt, ref["saturn_earth_tilt_deg"], 0.05) << TextOf(saturn, 2465);
}

TEST_F(BodyFacesScreen, MoonFeatureFoundByNameGivesItsNextSunrise) {
    auto ref = PyEphem();
    const std::string details = TextOf(Screen({"6020", "--type", "Copernicus"}), 6034);
    ASSERT_EQ(details.rfind("Copernicus\n", 0), 0u) << details;
    int day = -1, hour = -1, minute = -1;
    ASSERT_NE(details.find("Sunrise Apr "), std::string::npos) << details;
    std::sscanf(details.c_str() + details.find("Sunrise Apr "), "Sunrise Apr %d %d:%d", &day, &hour, &minute);
    // Minutes from 2024 April 14 00:00 local (JD 2460414.5).
    const double shown = ((day - 14) * 24 + hour) * 60.0 + minute;
    const double expected = (ref["copernicus_sunrise_local_jd"] - 2460414.5) * 1440.0;
    // The colongitude moves half a degree an hour: 5 minutes is 0.04 degrees of it.
    EXPECT_NEAR(shown, expected, 5.0) << details;
}

}  // namespace
}  // namespace vsp::test
