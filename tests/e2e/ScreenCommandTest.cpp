// `screen` through the built program: the home form's buttons and its picture at two scales,
// every form of the shell opened, taps that switch forms in the order of the line, and the
// refusals of bad input.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/ScreenControls.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using Screen = ProgramHomeTest;

// Width and height from the PNG header, or zeros when the file is not a PNG.
std::pair<int, int> PngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (!in || head[1] != 'P' || head[2] != 'N' || head[3] != 'G') return {0, 0};
    auto be = [&](int at) { return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
    return {be(16), be(20)};
}

TEST_F(Screen, HomeFormListsItsButtonsAndIsDrawnAtTheDisplayScale) {
    for (int dpi : {96, 192}) {
        const std::string png = home_.Path("home.png");
        const nlohmann::json j = Json({"screen", "1950", "--dpi", std::to_string(dpi), "-o", png});
        EXPECT_EQ(j["form"], 1950);
        std::vector<std::string> texts;
        for (const nlohmann::json& c : j["controls"]) texts.push_back(c["text"]);
        for (const char* text : {"Find", "Moon", "Comet", "Done"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        // The home form leaves the menu bar (26 layout pixels) to the main window.
        EXPECT_EQ(PngSize(png), std::make_pair(240 * dpi / 96, (320 - 26) * dpi / 96)) << dpi;
    }
}

TEST_F(Screen, TapsSwitchFormsInTheOrderGiven) {
    const std::string moon = CentreOf(Json({"screen", "1950"}), "Moon");
    const nlohmann::json opened = Json({"screen", "1950", "--tap", moon});
    EXPECT_EQ(opened["form"], 6000);
    EXPECT_EQ(opened["title"], "Moon");
    // The title is the way back; a key between the taps keeps its place in the line.
    EXPECT_EQ(Json({"screen", "1950", "--tap", moon, "--key", "Down", "--tap", "5,5"})["form"], 1950);
}

TEST_F(Screen, EveryFormOpensTitledWithAVisibleLineAndItsTitleGoesBack) {
    // The monitor and the scope control without a drive answer with the shell's boxes (tested
    // in tests/shell); 1940 stays bare.
    for (int id : {112,  1050, 1200, 1300, 1337, 1357, 1400, 1430, 1450, 1476, 1550, 1600, 1620, 1700,
                   1800, 1900, 1940, 1950, 2100, 2200, 2203, 2206, 2350, 2410, 2423, 2450,
                   2460, 2470, 2520, 2530, 2550, 2600, 2700, 2800, 2830, 5200, 5300, 6000, 6020}) {
        const ProgramResult r = Run({"screen", std::to_string(id), "--json"});
        const nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_EQ(r.status, 0) << id << r.err;
        EXPECT_EQ(j["form"], id);
        const auto lines = std::count_if(j["controls"].begin(), j["controls"].end(), [](const nlohmann::json& c) {
            return c["visible"] && c["kind"] != "title" && c["text"] != "";
        });
        if (id != 1940) {
            EXPECT_TRUE(j["title"] != "" && lines > 0) << id;
        }
    }
    EXPECT_EQ(Json({"screen", "2800", "--tap", "5,5"})["form"], 1950);
}

TEST_F(Screen, BadInputIsRefusedClearly) {
    const std::string png = home_.Path("no/such/dir/x.png");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"screen", "4242", "--json"}, 1, "Unkown form call"},
        {{"screen", "1950", "--key", "Home"}, 2, "unknown key Home"},
        {{"screen", "1950", "--tap", "240,10"}, 2, "outside the 240x320 screen"},
        {{"screen", "1950", "--tap", "300,10", "--dpi", "192"}, 0, ""},
        {{"screen", "1950", "-o", png}, 1, "x.png"},
    };
    for (const Case& c : cases) {
        const ProgramResult r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[1] << " " << c.args[2] << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

// The night-mode dialog stays up over the home form and takes the taps and keys that follow.
TEST_F(Screen, NightModeDialogTakesTheInputsThatFollowIt) {
    const std::string tools = CentreOf(Json({"screen", "1950"}), "Tools");
    const std::string nightRow =
        CentreOf(Json({"screen", "1950", "--tap", tools}), [](const nlohmann::json& c) { return c["id"] == 1977; });
    const nlohmann::json up = Json({"screen", "1950", "--tap", tools, "--tap", nightRow, "--key", "Escape"});
    ASSERT_TRUE(up["dialog"].is_object());
    EXPECT_EQ(up["dialog"]["title"], "NightMode Settings");
    EXPECT_EQ(up["dialog"]["controls"][0]["text"], "Current Mode: <Normal> mode");
    const nlohmann::json chosen =
        Json({"screen", "1950", "--tap", tools, "--tap", nightRow, "--tap", CentreOf(up["dialog"], "Bright")});
    EXPECT_TRUE(chosen["dialog"].is_null());
    EXPECT_EQ(chosen["form"], 1950);
}

}  // namespace
}  // namespace vsp::test
