// The phases and eclipses commands through the built program: PyEphem's phase instants over
// 1900-2100, astronomy-engine's eclipses of 2000-2100 in one long list, the details of a
// penumbral one, the keys, and the usage errors; the circumstances at a few places against
// astronomy-engine's local solar eclipses and its lunar contacts with PyEphem's Moon.

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

class EventCommands : public ProgramHomeTest {};  // the default zone is UT

// "2000-01-21T04:43:57Z" (the fraction of a second, if any, dropped) as a JD, by the C
// library's calendar.
double JdOfIso(const std::string& text) {
    std::tm t{};
    std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min, &t.tm_sec);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return double(timegm(&t)) / 86400 + 2440587.5;
}

// Two minutes after PyEphem's full moon of 2009-01-11 03:26:47 UT, the clock 90 minutes
// ahead of UT: the next four phases of its list, in UT.
TEST_F(EventCommands, PhasesFromTheObservingTimeInUt) {
    const auto table = ReadEphemerisCsv("../moon/phases.csv");
    std::vector<const CsvRow*> window;
    for (const auto& row : table->rows) {
        if (row.Text("window_start") == "2009-01-10") window.push_back(&row);
    }
    ASSERT_GE(window.size(), 5u);
    const auto list = Json({"--date", "2009-01-11", "--time", "04:58", "--tz", "90", "phases"});
    ASSERT_EQ(list.size(), 4u);  // one of each by default
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]["phase"], window[i + 1]->Text("phase")) << i;
        EXPECT_NEAR(list[i]["jd_ut"].get<double>(), window[i + 1]->Number("ut_jd"), 120.0 / 86400) << i;
        EXPECT_NEAR(JdOfIso(list[i]["utc"].get<std::string>()), list[i]["jd_ut"].get<double>(), 0.6 / 86400);
    }
}

TEST_F(EventCommands, FourHundredSixtyEclipsesFrom2000) {
    const auto list = Json({"--date", "2000-01-01", "eclipses", "--count", "460"});
    ASSERT_EQ(list.size(), 460u);
    std::vector<double> jds;
    for (const auto& e : list) jds.push_back(JdOfIso(e["utc"].get<std::string>()));
    for (size_t i = 1; i < jds.size(); ++i) EXPECT_GT(jds[i], jds[i - 1] + 13) << list[i]["utc"];
    // Three Moons that pass just outside the penumbra are counted by the type rule, so the
    // 460th eclipse is the lunar one of 2100 August (the eclipses themselves are compared
    // with astronomy-engine's in tests/ephemeris).
    EXPECT_EQ(list.back()["utc"].get<std::string>().substr(0, 7), "2100-08");

    // A shorter list is the beginning of the long one, across the first search's end.
    const auto first20 = Json({"--date", "2000-01-01", "eclipses", "--count", "20"});
    ASSERT_EQ(first20.size(), 20u);
    for (size_t i = 0; i < first20.size(); ++i) EXPECT_EQ(first20[i], list[i]) << i;
}

TEST_F(EventCommands, EclipsesOfFebruary2009WithDetails) {
    // The annular eclipse of the Sun of January 26, then the penumbral one of the Moon.
    const auto feb = Json({"--date", "2009-02-01", "eclipses", "--count", "2", "--details"});
    ASSERT_EQ(feb.size(), 2u);
    EXPECT_EQ(feb[0]["kind"], "solar");
    EXPECT_EQ(feb[0]["type"], "Annular");
    const auto& moon = feb[1];
    EXPECT_EQ(moon["kind"], "lunar");
    EXPECT_EQ(moon["type"], "Penumbral");
    EXPECT_EQ(moon["utc"].get<std::string>().substr(0, 10), "2009-02-09");
    for (const char* key : {"u1", "u2", "u3", "u4"}) EXPECT_TRUE(moon[key].is_null()) << key;
    const double p1 = moon["p1"].get<double>(), p4 = moon["p4"].get<double>();
    EXPECT_NEAR(moon["duration_s"].get<double>(), (p4 - p1) * 86400, 1.0);
    EXPECT_LT(p1, moon["greatest"].get<double>());
    EXPECT_LT(moon["greatest"].get<double>(), p4);
    EXPECT_LT(moon["umbral_magnitude"].get<double>(), 0);
    EXPECT_GT(moon["penumbral_magnitude"].get<double>(), 0);
}

// The rows of one eclipse at one place, by contact name.
struct SiteEclipse {
    std::map<std::string, const CsvRow*> contacts;
};

// Each eclipse at each place with astronomy-engine's ΔT as the setting of its year, so that the
// contacts differ by geometry alone. Solar: contacts within 10 s (measured 4.3 s), magnitude
// and obscuration within 0.01, the Sun's altitude within 0.2 degrees where it is up (below the
// horizon the two refraction models part); a place the eclipse misses or where the Sun is down
// is "not visible". Lunar: the shadow's contacts within 15 s (measured 6.2 s); the Moon's altitude within
// 0.2 degrees plus its motion over the time between the two contacts; visible where PyEphem has
// the Moon up during the umbral phase.
TEST_F(EventCommands, LocalCircumstancesAtFourPlaces) {
    const auto table = ReadEphemerisCsv("local_eclipses.csv", "moon");
    std::map<std::string, SiteEclipse> sites;
    for (const auto& row : table->rows) {
        sites[row.Text("kind") + " " + row.Text("eclipse") + " " + row.Text("site")].contacts[row.Text("contact")] = &row;
    }
    ASSERT_EQ(sites.size(), 12u);
    for (const auto& [name, site] : sites) {
        const CsvRow& first = *site.contacts.begin()->second;
        const bool solar = first.Text("kind") == "solar";
        const std::string year = first.Text("eclipse").substr(0, 4);
        if (first.Has("ae_delta_t_s")) {
            ASSERT_EQ(Run({"prefs", "set", "delta_t_s=" + first.Text("ae_delta_t_s").substr(0, 6)}).status, 0);
        }
        const auto list = Json({"--lat", first.Text("latitude_deg"), "--lon", first.Text("longitude_deg"), "--elev",
                                first.Text("height_m"), "--date", year + "-01-01", "eclipses", "--count", "4", "--local"});
        const nlohmann::json* found = nullptr;
        for (const auto& e : list) {
            if (e["utc"].get<std::string>().substr(0, 10) == first.Text("eclipse")) found = &e;
        }
        ASSERT_NE(found, nullptr) << name;
        const nlohmann::json& local = (*found)["local"];
        if (site.contacts.count("none")) {
            EXPECT_FALSE(local["visible"].get<bool>()) << name;
            continue;
        }
        bool up = false;
        for (const auto& [contact, row] : site.contacts) {
            if (contact != "P1" && contact != "P4" && row->Number("alt_deg") > 0) up = true;
        }
        EXPECT_EQ(local["visible"].get<bool>(), up) << name;
        if (solar) EXPECT_EQ(local["c2_jd_ut"].is_null(), !site.contacts.count("C2")) << name;
        for (const auto& c : local["contacts"]) {
            const auto it = site.contacts.find(c["name"].get<std::string>());
            if (it == site.contacts.end()) continue;
            const CsvRow& ref = *it->second;
            ASSERT_FALSE(c["jd_ut"].is_null()) << name << " " << it->first;
            const double minutes = std::fabs(c["jd_ut"].get<double>() - ref.Number("jd_ut")) * 1440;
            EXPECT_LT(minutes * 60, solar ? 10 : 15) << name << " " << it->first;
            const double alt = c["alt_deg"].get<double>(), refAlt = ref.Number("alt_deg");
            if (alt > 0.5 && refAlt > 0.5) EXPECT_NEAR(alt, refAlt, 0.2 + 0.25 * minutes) << name << " " << it->first;
            else EXPECT_NEAR(alt, refAlt, 1.0) << name << " " << it->first;  // at or below the horizon
            if (ref.Has("magnitude")) {
                EXPECT_NEAR(local["magnitude"].get<double>(), ref.Number("magnitude"), 0.01) << name;
                EXPECT_NEAR(local["obscuration"].get<double>(), ref.Number("obscuration"), 0.01) << name;
            }
        }
    }
    const std::string text = Run({"--lat", "-33.87", "--lon", "151.21", "--date", "2026-08-01", "eclipses", "--count",
                                  "1", "--local"}).out;
    EXPECT_NE(text.find("not visible from here"), std::string::npos) << text;
}

TEST_F(EventCommands, TwelveByDefaultAndTheCountsRange) {
    EXPECT_EQ(Json({"--date", "2024-01-01", "eclipses"}).size(), 12u);
    EXPECT_EQ(Run({"eclipses", "--count", "0"}).status, 2);
    EXPECT_EQ(Run({"phases", "--count", "10001"}).status, 2);
}

}  // namespace
}  // namespace vsp::test
