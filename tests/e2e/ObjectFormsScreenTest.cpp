// The finder and the object information through the built program, over the catalogs built from
// the packages: M31 typed on the keypad is NGC 224 in Andromeda with its NGC 2000.0 text and its
// expansion; M42 typed whole rises, culminates and sets when PyEphem says; HR 7001 is Vega; the
// typing rules and an unknown number reach the user as boxes.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "e2e/ScreenControls.h"

namespace vsp::test {
namespace {

class ObjectScreens : public CatalogHomeTest {
protected:
    void SetUp() override {
        CatalogHomeTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(Run({"prefs", "set", "latitude_deg=51.5", "longitude_west_deg=0", "tz_offset_min=0",
                       "saved_year=2024", "saved_month=10", "saved_day=1", "saved_hour=22", "saved_minute=0"})
                      .status,
                  0);
        finder_ = Json({"screen", "2350"});
    }

    // The text of the control after the one showing `label` (its value), or "".
    static std::string After(const nlohmann::json& form, const std::string& label) {
        const nlohmann::json& controls = form["controls"];
        for (size_t i = 0; i + 1 < controls.size(); ++i)
            if (controls[i]["text"] == label) return controls[i + 1]["text"];
        ADD_FAILURE() << "no line " << label;
        return "";
    }

    nlohmann::json finder_;
};

TEST_F(ObjectScreens, KeypadM31IsNgc224InAndromedaWithItsDescription) {
    const nlohmann::json shown = Json({"screen", "2350", "--tap", CentreOf(finder_, "3"), "--tap", CentreOf(finder_, "1"),
                                       "--tap", CentreOf(finder_, "Info")});
    EXPECT_EQ(shown["form"], 112);
    EXPECT_EQ(shown["controls"][2]["text"].get<std::string>().rfind("M31  NGC224", 0), 0u);
    EXPECT_EQ(After(shown, "Const."), "Andromeda");
    EXPECT_EQ(After(shown, "Dreyer desc."), "!!! eeB, eL, vmE (Andromeda); = M31");
    EXPECT_EQ(After(shown, "Translation").rfind("a magnificent  most extremely bright ,  extremely large", 0), 0u);
    // +41.3° never sets seen from 51.5° N (90° - 51.5° < 41.3°).
    const nlohmann::json& controls = shown["controls"];
    EXPECT_TRUE(std::any_of(controls.begin(), controls.end(),
                            [](const nlohmann::json& c) { return c["text"] == "\xE2\x80\xA2" "Circumpolar object"; }));
}

TEST_F(ObjectScreens, M42TypedWholeRisesCulminatesAndSetsAsPyEphemSays) {
    const nlohmann::json shown =
        Json({"screen", "2350", "--tap", CentreOf(finder_, "M"), "--type", "NGC1976", "--key", "Enter"});
    ASSERT_EQ(shown["form"], 112);
    // PyEphem 4.1.4, 2024-10-01 UT at 51.5° N 0° E, horizon -36.6', J2000 5h35m17.3s -5°23'28":
    // rise 23:15:00 (the evening's), transit 04:54:49, set 10:30:43.
    for (const auto& [label, hours] : {std::pair{"Rise", 23.2500}, {"Transit", 4.9137}, {"Set", 10.5119}}) {
        int h = 0, m = 0, s = 0;
        ASSERT_EQ(std::sscanf(After(shown, label).c_str(), "%dh%dm%d", &h, &m, &s), 3) << label;
        EXPECT_NEAR(h + m / 60.0 + s / 3600.0, hours, 3.0 / 60) << label;
    }
}

// The Yale Bright Star Catalogue (5th ed.) with its Hipparcos cross-identifications.
TEST_F(ObjectScreens, HrStarsAreNamedPlacedAndMeasured) {
    const struct {
        const char *typed, *names, *name, *constellation;
        double magnitude, colour;
    } stars[] = {
        {"HR7001", "HR7001  HIP91262", "Vega", "Lyra", 0.03, 0.00},
        {"HR424", "HR424  HIP11767", "Polaris", "Ursa Minor", 2.02, 0.60},
    };
    for (const auto& star : stars) {
        const nlohmann::json shown = Json({"screen", "2350", "--tap", CentreOf(finder_, "M"), "--type", star.typed,
                                           "--tap", CentreOf(finder_, "Info")});
        ASSERT_EQ(shown["form"], 112) << star.typed;
        EXPECT_EQ(shown["controls"][2]["text"], star.names);
        EXPECT_EQ(shown["controls"][3]["text"], star.name);
        EXPECT_EQ(After(shown, "Const."), star.constellation);
        EXPECT_NEAR(std::stod(After(shown, "Mag")), star.magnitude, 0.1) << star.typed;
        EXPECT_NEAR(std::stod(After(shown, "B-V")), star.colour, 0.1) << star.typed;
    }
}

TEST_F(ObjectScreens, TypingRulesAndUnknownNumbersAnswerWithBoxes) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // Meteor Showers, the row below Messier, lists its objects instead.
        {{"--tap", CentreOf(finder_, "Messier"), "--key", "Down", "--key", "1"},
         "Please use the popup list to select your object and not the numeric keyboard."},
        {{"--key", "1", "--key", "0", "--key", "0", "--key", "0"}, "To many digits"},
        {{"--tap", CentreOf(finder_, "M"), "--type", "NGC7999", "--tap", CentreOf(finder_, "Info")},
         "NGC7999: no such object in vespertar_obj_18k.ppc"},
        // The chart's catalog is the HR file: Tycho numbers have nothing to be looked up in.
        {{"--tap", CentreOf(finder_, "M"), "--type", "TYC4660-1234-1", "--tap", CentreOf(finder_, "Info")},
         "Tycho stars are found in a Tycho catalog."},
    };
    for (const auto& [inputs, box] : cases) {
        std::vector<std::string> args{"screen", "2350"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        const nlohmann::json shown = Json(args);
        EXPECT_EQ(shown["form"], 2350) << box;
        ASSERT_FALSE(shown["info_boxes"].empty()) << box;
        EXPECT_EQ(shown["info_boxes"].back()["first"], box);
    }
}

TEST_F(ObjectScreens, WithoutAChoiceObjectInfoLeadsToTheFinder) {
    const nlohmann::json empty = Json({"screen", "112"});
    EXPECT_EQ(Json({"screen", "112", "--tap", CentreOf(empty, "Finder")})["form"], 2350);
}

}  // namespace
}  // namespace vsp::test
