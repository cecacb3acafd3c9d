// The settings through the built program: defaults, values kept from one run to the next with
// the start routine's range checks, choices by row text, and the home from the environment.

#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class Prefs : public ProgramHomeTest {
protected:
    nlohmann::json Show() { return Json({"prefs", "show"}); }
};

TEST_F(Prefs, ValuesPersistAndRangeChecksApply) {
    ProgramResult r = Run({"prefs", "set", "latitude_deg=95", "tz_offset_min=800", "scope_drive=lx200",
                           "diameter_text=203", "horizon_text=10\u00b0", "site_name=Ch\u00e2teau", "correction=Topo + Refract"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("latitude_deg: 95 is out of range; set to -90"), std::string::npos) << r.err;
    nlohmann::json j = Show();
    EXPECT_EQ(j["latitude_deg"], -90);
    EXPECT_EQ(j["tz_offset_min"], -720);
    EXPECT_EQ(j["scope_drive_text"], "LX200");
    EXPECT_EQ(j["diameter"], 10);
    EXPECT_EQ(j["horizon"], 6);
    EXPECT_EQ(j["site_name"], "Ch\u00e2teau");
    EXPECT_EQ(j["correction"], 3);
    EXPECT_NE(Run({"prefs"}).out.find("horizon = 6 (10\u00b0)\n"), std::string::npos);

    // Common options lay over the saved values for one run and never change them.
    ASSERT_EQ(Run({"--lat", "10", "--lon", "20", "version"}).status, 0);
    EXPECT_EQ(Show(), j);
    // A refused assignment changes nothing, not even the valid ones beside it.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"prefs", "set", "no_such_key=1"}, {"prefs", "set", "night_mode=Dim"},
             {"prefs", "set", "night_mode=Bright", "elevation_m=1.5"}, {"prefs", "set", "latitude_deg"},
             {"prefs", "set"}, {"prefs", "frobnicate"}}) {
        EXPECT_EQ(Run(args).status, 2) << args.back();
    }
    EXPECT_EQ(Show(), j);
    ASSERT_EQ(Run({"prefs", "reset"}).status, 0);
    EXPECT_EQ(Show()["latitude_deg"], 51);
}

// The start routine drops a saved date that is not whole, so a typed one that is not is
// refused, never reported as out of range; a minute out of range is replaced as any value is.
TEST_F(Prefs, SavedDateIsTakenWholeOrRefused) {
    for (const char* part : {"saved_year=2026", "saved_month=3", "saved_day=14", "saved_hour=21"}) {
        const ProgramResult r = Run({"prefs", "set", part});
        EXPECT_EQ(r.status, 2) << part;
        EXPECT_EQ(r.err.find("out of range"), std::string::npos) << r.err;
    }
    ASSERT_EQ(Run({"prefs", "set", "saved_year=-4712", "saved_month=3", "saved_day=14"}).err, "");
    EXPECT_EQ(Run({"prefs", "set", "saved_year=2026", "saved_minute=61"}).err,
              "saved_minute: 61 is out of range; set to 0\n");
    EXPECT_EQ(Run({"prefs", "set", "saved_month=13"}).status, 2);
    const nlohmann::json j = Show();
    EXPECT_EQ(nlohmann::json::array({j["saved_year"], j["saved_month"], j["saved_day"]}),
              nlohmann::json::array({2026, 3, 14}));
    ASSERT_EQ(Run({"prefs", "set", "saved_year=0"}).err, "");
    EXPECT_EQ(Show()["saved_day"], 0);
}

TEST(PrefsHome, HomeComesFromTheEnvironmentWhenNotGiven) {
    TempHome home;
    ::setenv("VESPERTAR_HOME", home.Root().c_str(), 1);
    ProgramResult r = RunVespertar({"prefs", "set", "site_name=Envhome"});
    ::unsetenv("VESPERTAR_HOME");
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunVespertar({"--home", home.Root(), "prefs", "show", "--json"});
    EXPECT_EQ(nlohmann::json::parse(r.out)["site_name"], "Envhome");
}

// The CCD form on a 6248 x 4176 sensor of 3.76-micron pixels at 1000 mm: 23.49 x 15.70 mm,
// 206.265 x 3.76 / 1000 = 0.78 arcsec/pixel, the table's row for that sensor; a rotation typed
// and OK keep it in the settings.
TEST_F(Prefs, TheCcdFormShowsTheFieldAndSavesTheCamera) {
    ASSERT_EQ(Run({"prefs", "set", "ccd_width_px=6248", "ccd_height_px=4176", "ccd_pixel_um=3.76",
                   "ccd_focal_length_mm=1000"}).status, 0);
    const std::string shown = Json({"screen", "1550"}).dump();
    EXPECT_NE(shown.find("IMX571"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Sensor 23.49 x 15.70 mm"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Scale 0.78 arcsec/pixel"), std::string::npos) << shown;
    ASSERT_EQ(Run({"screen", "1550", "--tap", "136,166", "--type", "9", "--tap", "40,303"}).status, 0);
    EXPECT_FLOAT_EQ(Show()["ccd_rotation_deg"].get<float>(), 9.0f);  // "0" and the typed 9
}

}  // namespace
}  // namespace vsp::test
