// The settings through the built program: defaults on an empty program directory, a value
// kept from one run to the next, the range checks, and a settings file damaged on disk.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

nlohmann::json ShowJson(const TempHome& home) {
    ProgramResult r = RunVespertar({"--home", home.Root(), "prefs", "show", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(PrefsEndToEnd, EmptyHomeGivesTheStartDefaults) {
    TempHome home;
    const nlohmann::json j = ShowJson(home);
    EXPECT_EQ(j["site_name"], "None");
    EXPECT_EQ(j["latitude_deg"], 51);
    EXPECT_EQ(j["longitude_west_deg"], 0);
    EXPECT_EQ(j["temperature_c"], 10);
    EXPECT_EQ(j["pressure_mbar"], 1013);
    EXPECT_EQ(j["humidity_pct"], 40);
    EXPECT_EQ(j["night_mode"], 0);
    EXPECT_EQ(j["correction_text"], "Geocentric");
}

TEST(PrefsEndToEnd, ValuesPersistAcrossRunsAndRangeChecksApply) {
    TempHome home;
    ProgramResult r = RunVespertar({"--home", home.Root(), "prefs", "set", "latitude_deg=48.5",
                                    "longitude_west_deg=-2.25", "correction=Topo + Refract"});
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json j = ShowJson(home);
    EXPECT_EQ(j["latitude_deg"], 48.5);
    EXPECT_EQ(j["longitude_west_deg"], -2.25);
    EXPECT_EQ(j["correction"], 3);

    // Common options lay over the saved values for one run and never change them.
    r = RunVespertar({"--home", home.Root(), "--lat", "10", "--lon", "20", "version"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(ShowJson(home)["latitude_deg"], 48.5);

    r = RunVespertar({"--home", home.Root(), "prefs", "set", "latitude_deg=95", "tz_offset_min=800"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("latitude_deg"), std::string::npos);
    j = ShowJson(home);
    EXPECT_EQ(j["latitude_deg"], -90);
    EXPECT_EQ(j["tz_offset_min"], -720);
    EXPECT_EQ(j["correction"], 3);  // the other values survived the check
}

TEST(PrefsEndToEnd, DamagedSettingsFileGivesDefaultsAndAMessage) {
    TempHome home;
    ASSERT_EQ(RunVespertar({"--home", home.Root(), "prefs", "set", "night_mode=2"}).status, 0);
    std::string bytes = home.ReadFile("usercatalogs/vespertar_prefs.ppc");
    bytes[bytes.size() / 2] ^= 0x5A;
    home.WriteFile("usercatalogs/vespertar_prefs.ppc", bytes);
    ProgramResult r = RunVespertar({"--home", home.Root(), "prefs", "show", "--json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(nlohmann::json::parse(r.out)["night_mode"], 0);

    home.WriteFile("usercatalogs/vespertar_prefs.ppc", bytes.substr(0, 40));
    r = RunVespertar({"--home", home.Root(), "prefs", "show", "--json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(nlohmann::json::parse(r.out)["latitude_deg"], 51);
}

TEST(PrefsEndToEnd, HomeComesFromTheEnvironmentWhenNotGiven) {
    TempHome home;
    ::setenv("VESPERTAR_HOME", home.Root().c_str(), 1);
    ProgramResult r = RunVespertar({"prefs", "set", "site_name=Envhome"});
    ::unsetenv("VESPERTAR_HOME");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ShowJson(home)["site_name"], "Envhome");
}

}  // namespace
}  // namespace vsp::test
