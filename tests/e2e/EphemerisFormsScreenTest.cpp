// The ephemeris forms through the built program: registered with the shell, computed for the
// saved site and date, and a planet row leading to the assistant for that planet.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class EphemerisScreens : public ProgramHomeTest {
protected:
    void SetUp() override {
        ASSERT_EQ(Run({"prefs", "set", "site_name=Berlin", "latitude_deg=52.52", "longitude_west_deg=-13.405",
                       "tz_offset_min=60", "saved_year=2024", "saved_month=4", "saved_day=8", "saved_hour=21",
                       "saved_minute=0"})
                      .status,
                  0);
    }
    static const nlohmann::json& Control(const nlohmann::json& form, int id) {
        for (const nlohmann::json& c : form["controls"]) {
            if (c["id"] == id) return c;
        }
        static const nlohmann::json none = nlohmann::json::object();
        ADD_FAILURE() << "no control " << id;
        return none;
    }
};

TEST_F(EphemerisScreens, EclipsesListTheSavedDatesEclipseAndAPlanetRowOpensItsAssistant) {
    const nlohmann::json eclipses = Json({"screen", "2700"});
    EXPECT_EQ(Control(eclipses, 2705)["rows"][0], "2024/04/08 Sun\tTotal\t18:17");

    const nlohmann::json planets = Json({"screen", "2450"});
    const nlohmann::json& list = Control(planets, 2455);
    const int jupiterRow = 5, rowHeight = 16;
    const std::string tap = std::to_string(int(list["x"]) + 10) + "," +
                            std::to_string(int(list["y"]) + 1 + jupiterRow * rowHeight + rowHeight / 2);
    const nlohmann::json assistant = Json({"screen", "2450", "--tap", tap});
    EXPECT_EQ(assistant["form"], 2530);
    EXPECT_EQ(Control(assistant, 8101)["text"], "Jupiter from Apr 08 2024, 21:00");
}

}  // namespace
}  // namespace vsp::test
