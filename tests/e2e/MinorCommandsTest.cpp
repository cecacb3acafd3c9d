// minor show and minor ephemeris through the built program, on the element lines of
// tests/data/solarsystem, against PyEphem bodies made from the same lines
// (scripts/fixtures/minor_show_fixtures.py).
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/ScreenControls.h"
#include "support/AngleCompare.h"
#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class MinorCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        std::ifstream file(std::string(VESPERTAR_TEST_DATA) + "/solarsystem/element_lines.txt", std::ios::binary);
        home_.WriteFile("elements.txt", std::string(std::istreambuf_iterator<char>(file), {}));
        ASSERT_EQ(Run({"minor", "import", home_.Path("elements.txt")}).status, 0);
    }
    // Paris, UT clock, geocentric apparent places.
    std::vector<std::string> At(std::vector<std::string> args, const std::string& date, const std::string& time) {
        args.insert(args.end(), {"--lat", "48.85", "--lon", "2.35", "--elev", "0", "--tz", "0", "--mode", "0",
                                 "--date", date, "--time", time});
        return args;
    }
};

TEST_F(MinorCommands, ShowGivesPyEphemsPlacesMagnitudesAndTimes) {
    const auto table = bodies::ReadEphemerisCsv("minor_show.csv", "solarsystem");
    for (const auto& row : table->rows) {
        SCOPED_TRACE(row.Text("name"));
        const nlohmann::json j = Json(At({"minor", "show", row.Text("name")}, row.Text("date"), row.Text("time")));
        ASSERT_FALSE(j.is_null());
        EXPECT_LT(SeparationArcsec(j["ra_hours"], j["dec_deg"], row.Number("ra_hours"), row.Number("dec_deg")), 10.0);
        EXPECT_NEAR(j["r_au"].get<double>(), row.Number("r_au"), 1e-5);
        // PyEphem's earth_distance is not taken at the instant the light left, as ours is: the two
        // part by the radial motion over a few light-minutes (seen up to 3.2e-5 AU).
        EXPECT_NEAR(j["delta_au"].get<double>(), row.Number("delta_au"), 5e-5);
        EXPECT_NEAR(j["elongation_deg"].get<double>(), row.Number("elongation_deg"), 0.01);
        EXPECT_NEAR(j["magnitude"].get<double>(), row.Number("magnitude"), 0.02);
        EXPECT_EQ(j["constellation_abbreviation"], row.Text("constellation"));
        EXPECT_NEAR(j["element_age_days"].get<double>(), row.Number("element_age_days"), 1e-3);
        EXPECT_EQ(j["rise_set_status"], row.Text("rise_set_status"));
        if (row.Text("rise_set_status") != "normal") continue;
        for (const char* event : {"rise", "transit", "set"})  // two minutes, as for the planets
            EXPECT_NEAR(j[event].get<double>(), row.Number(event), 2.0 / 60) << event;
    }
    const ProgramResult text = Run(At({"minor", "show", "ceres"}, "2020-06-10", "03:00"));
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Constellation          Aquarius (Aqr)\n"), std::string::npos) << text.out;
    EXPECT_TRUE(text.out.ends_with("\nElements 10 days old\n")) << text.out;
}

TEST_F(MinorCommands, NamesThatMeanSeveralObjectsOrNoneAreRefused) {
    // "A2" is in C/2015 A2 and in P/2010 A2-B: both are listed and nothing is shown.
    const ProgramResult several = Run({"minor", "show", "A2"});
    EXPECT_EQ(several.status, 2);
    EXPECT_NE(several.err.find("  C/2015 A2 (PANSTARRS)\n"), std::string::npos) << several.err;
    EXPECT_NE(several.err.find("  P/2010 A2-B (LINEAR)\n"), std::string::npos) << several.err;
    EXPECT_TRUE(several.out.empty());
    const ProgramResult none = Run({"minor", "ephemeris", "Halley"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("\"Halley\""), std::string::npos) << none.err;
    // A number or designation typed whole is its object, though "1" also begins 12P's label.
    EXPECT_EQ(Json({"minor", "show", "1"})["name"], "Ceres");
}

TEST_F(MinorCommands, EphemerisRowsFollowTheStepAndMatchShow) {
    const nlohmann::json table = Json(At({"minor", "ephemeris", "Pallas", "--from", "2022-02-28", "--days", "2",
                                          "--step", "11"},
                                         "2022-03-01", "22:00"));
    ASSERT_EQ(table["rows"].size(), 5u);  // 0, 11, 22, 33 and 44 hours
    EXPECT_EQ(table["rows"][2]["local"], "2022-02-28 22:00:00");
    EXPECT_NEAR(table["rows"][4]["jd_ut"].get<double>() - table["rows"][0]["jd_ut"].get<double>(), 44.0 / 24, 1e-6);
    const nlohmann::json show = Json(At({"minor", "show", "Pallas"}, "2022-03-01", "20:00"));
    EXPECT_LT(SeparationArcsec(table["rows"][4]["ra_hours"], table["rows"][4]["dec_deg"], show["ra_hours"],
                               show["dec_deg"]),
              0.01);
    EXPECT_NEAR(table["element_age_days"].get<double>(), show["element_age_days"].get<double>() - 44.0 / 24, 1e-3);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--days", "0"},
                                                std::vector<std::string>{"--step", "-1"},
                                                std::vector<std::string>{"--days", "10000", "--step", "1"}}) {
        std::vector<std::string> args = {"minor", "ephemeris", "Pallas"};
        args.insert(args.end(), bad.begin(), bad.end());
        const ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 2) << bad[1];
        EXPECT_TRUE(r.out.empty());
    }
}

// The Comets&Asteroids form lists the databases brightest first, shows the tapped one, and says
// how to import when they are empty.
TEST_F(MinorCommands, FormListsTheObjectsBrightestFirst) {
    const std::vector<std::string> screen = At({"screen", "2550"}, "2024-04-10", "19:00");
    const nlohmann::json form = Json(screen);
    const auto control = [&](const nlohmann::json& j, int id) {
        for (const nlohmann::json& c : j["controls"])
            if (c["id"] == id) return c;
        return nlohmann::json();
    };
    const nlohmann::json list = control(form, 2556);
    ASSERT_GE(list["rows"].size(), 6u);
    EXPECT_EQ(list["rows"][0].get<std::string>().rfind("Pons-Brooks\t-1.5\tAnd\t", 0), 0u) << list["rows"][0];
    double previous = -99;
    for (const nlohmann::json& row : list["rows"]) {
        const std::string cells = row;
        const size_t tab = cells.find('\t');
        if (cells.substr(tab + 1, 1) == "-" && cells[tab + 2] == '\t') continue;  // no magnitude: last
        const double m = std::stod(cells.substr(tab + 1));
        EXPECT_GE(m, previous) << cells;
        previous = m;
    }
    EXPECT_EQ(control(form, 2560)["text"], "12P/Pons-Brooks");
    EXPECT_EQ(control(form, 2565)["text"], "Elements 1508 days old");
    std::vector<std::string> tapped = screen;
    const int x = list["x"].get<int>() + 20, y = list["y"].get<int>() + 16 + 8;  // the second row
    tapped.insert(tapped.end(), {"--tap", std::to_string(x) + "," + std::to_string(y)});
    EXPECT_NE(control(Json(tapped), 2560)["text"], "12P/Pons-Brooks");

    TempHome empty;
    const ProgramResult bare = RunVespertar({"--home", empty.Root(), "screen", "2550", "--json"});
    ASSERT_EQ(bare.status, 0) << bare.err;
    const nlohmann::json hint = control(nlohmann::json::parse(bare.out), 2557);
    EXPECT_TRUE(hint["visible"]);
    EXPECT_NE(hint["text"].get<std::string>().find("Import"), std::string::npos);
}

}  // namespace
}  // namespace vsp::test
