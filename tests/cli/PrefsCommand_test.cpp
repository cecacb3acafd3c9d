#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "support/TempHome.h"

namespace vsp::cli {
namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
    nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

Outcome Prefs(const test::TempHome& home, std::vector<std::string> words, bool json = false) {
    CommonOptions options;
    options.home = home.Root();
    options.json = json;
    std::ostringstream out, err;
    CliContext ctx(options, out, err);
    CommandArgs args(std::move(words));
    Outcome run;
    run.status = RunPrefs(ctx, args);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(PrefsCommand, ShowJsonListsEverySettingWithRowTextsInUtf8) {
    test::TempHome home;
    const Outcome run = Prefs(home, {"show"}, true);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const nlohmann::json j = run.Json();
    ASSERT_TRUE(j.is_object());
    EXPECT_EQ(j["site_name"], "None");
    EXPECT_EQ(j["latitude_deg"], 51);
    EXPECT_EQ(j["scope_drive"], 0);
    EXPECT_EQ(j["scope_drive_text"], "None");
    EXPECT_EQ(j["delta_t_s"].get<double>(), 66.184);
    EXPECT_EQ(j["delta_t_formula_text"], "Chapront&Touz\u00e9 1997");
    EXPECT_EQ(j["horizon_text"], "0\u00b0");
    EXPECT_EQ(j["telrad"], false);
    EXPECT_EQ(j["comet_url"], "https://www.minorplanetcenter.net/iau/Ephemerides/Comets/Soft00Cmt.txt");
    EXPECT_TRUE(j.contains("site3_longitude_west_deg"));
    EXPECT_TRUE(j.contains("zoom_lt10_view_text"));
    // Showing does not write anything.
    EXPECT_FALSE(std::filesystem::exists(home.Path("usercatalogs/vespertar_prefs.ppc")));
}

TEST(PrefsCommand, SetSavesAndReportsRangeChanges) {
    test::TempHome home;
    const Outcome set = Prefs(home, {"set", "latitude_deg=95", "scope_drive=lx200", "diameter_text=203",
                                 "horizon_text=10\u00b0", "site_name=Ch\u00e2teau", "telrad=on"});
    ASSERT_EQ(set.status, kExitOk) << set.err;
    EXPECT_NE(set.err.find("latitude_deg: 95 is out of range; set to -90"), std::string::npos) << set.err;

    const nlohmann::json j = Prefs(home, {}, true).Json();
    EXPECT_EQ(j["latitude_deg"], -90);
    EXPECT_EQ(j["scope_drive"], 5);
    EXPECT_EQ(j["scope_drive_text"], "LX200");
    EXPECT_EQ(j["diameter"], 10);
    EXPECT_EQ(j["horizon"], 6);
    EXPECT_EQ(j["site_name"], "Ch\u00e2teau");
    EXPECT_EQ(j["telrad"], true);

    const Outcome text = Prefs(home, {"show"});
    EXPECT_NE(text.out.find("scope_drive = 5 (LX200)\n"), std::string::npos);
    EXPECT_NE(text.out.find("horizon = 6 (10\u00b0)\n"), std::string::npos);
}

TEST(PrefsCommand, UsageErrorsChangeNothing) {
    test::TempHome home;
    ASSERT_EQ(Prefs(home, {"set", "night_mode=Dark"}).status, kExitOk);
    const std::string before = home.ReadFile("usercatalogs/vespertar_prefs.ppc");

    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"set", "no_such_key=1"}, {"set", "latitude_deg=north"},
          {"set", "night_mode=Dim"}, {"set", "night_mode=Bright", "elevation_m=1.5"},
          {"set", "latitude_deg"}, {"set"}, {"frobnicate"}}) {
        const Outcome run = Prefs(home, words);
        EXPECT_EQ(run.status, kExitUsage) << words.back();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(home.ReadFile("usercatalogs/vespertar_prefs.ppc"), before);
}

TEST(PrefsCommand, ResetAndDamagedFile) {
    test::TempHome home;
    ASSERT_EQ(Prefs(home, {"set", "time_step=17"}).status, kExitOk);
    EXPECT_EQ(Prefs(home, {}, true).Json()["time_step"], 17);
    ASSERT_EQ(Prefs(home, {"reset"}).status, kExitOk);
    EXPECT_EQ(Prefs(home, {}, true).Json()["time_step"], 0);

    home.WriteFile("usercatalogs/vespertar_prefs.ppc", "Pref but not really");
    const Outcome run = Prefs(home, {"show"}, true);
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "Settings file is damaged; the defaults are used.\n");
    EXPECT_EQ(run.Json()["latitude_deg"], 51);
}

}  // namespace
}  // namespace vsp::cli
