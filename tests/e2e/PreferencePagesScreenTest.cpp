// A preference page through the built program: a row chosen on the screen is what the
// settings command shows afterwards.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class PreferencePagesScreen : public ProgramHomeTest {};

std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

TEST_F(PreferencePagesScreen, ARowChosenOnPageTwoIsSaved) {
    const nlohmann::json page = Json({"screen", "1430"});
    std::string trigger, row;
    for (const nlohmann::json& c : page["controls"]) {
        if (c["kind"] == "popup_trigger" && c["text"] == "35")  // "Age", 35 as it starts
            trigger = Point(int(c["x"]) + 20, int(c["y"]) + int(c["h"]) / 2);
        if (c["kind"] == "list" && c["rows"].size() == 9 && c["rows"][8] == ">95") {
            const int rowHeight = int(c["h"]) / 9;
            row = Point(int(c["x"]) + 20, int(c["y"]) + 8 * rowHeight + rowHeight / 2);
        }
    }
    ASSERT_FALSE(trigger.empty() || row.empty());
    const nlohmann::json chosen = Json({"screen", "1430", "--tap", trigger, "--tap", row});
    EXPECT_EQ(chosen["form"], 1430);
    const nlohmann::json prefs = Json({"prefs", "show"});
    EXPECT_EQ(prefs["age"], 8);
    EXPECT_EQ(prefs["age_text"], ">95");
}

}  // namespace
}  // namespace vsp::test
