// body, helio and earth through the built program: the keys, the reference values at a
// fixture's dynamical time, and the failures a user meets.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

class BodyCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        // The observing clock runs 60 s behind TT, so 11:59:00 is 2000-01-01 12:00:00 TT.
        ASSERT_EQ(Run({"prefs", "set", "delta_t_s=60"}).status, 0);
    }
    nlohmann::json BodyAtJ2000(const std::string& name, const std::string& mode = "0") {
        return Json({"--date", "2000-01-01", "--time", "11:59:00", "--tz", "0", "--mode", mode,
                     "body", name});
    }
};

const CsvRow* FindRow(const bodies::CsvTable& table, const std::string& tt, const std::string& body) {
    for (const CsvRow& row : table.rows) {
        if (row.Text("tt") == tt && row.Text("body") == body) return &row;
    }
    return nullptr;
}

double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double a1 = ra1 * M_PI / 12, a2 = ra2 * M_PI / 12;
    const double d1 = dec1 * M_PI / 180, d2 = dec2 * M_PI / 180;
    const double x = std::sin((d2 - d1) / 2), y = std::sin((a2 - a1) / 2);
    return 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y)) * 206264.806;
}

TEST_F(BodyCommands, HelioGivesTheSimonPlanetsByNumberOrName) {
    auto table = ReadEphemerisCsv("plan94.csv");
    int checked = 0;
    for (size_t i = 0; i < table->rows.size(); i += 37) {
        const CsvRow& row = table->rows[i];
        const auto j = Json({"helio", row.Text("planet"), "--jde", row.Text("jde")});
        for (const char* key : {"x", "y", "z"}) {
            EXPECT_NEAR(j[key].get<double>(), row.Number(key), 1e-9) << row.Text("tt") << " " << key;
        }
        for (const char* key : {"vx", "vy", "vz"}) {
            EXPECT_NEAR(j[key].get<double>(), row.Number(key), 1e-11) << row.Text("tt") << " " << key;
        }
        ++checked;
    }
    EXPECT_GE(checked, 6);
    EXPECT_EQ(Json({"helio", "Mars", "--jde", "2451545"}), Json({"helio", "4", "--jde", "2451545"}));
    EXPECT_EQ(Json({"helio", "earth", "--jde", "2451545"}), Json({"helio", "3", "--jde", "2451545"}));
    EXPECT_EQ(Run({"helio", "pluto", "--jde", "2451545"}).status, 2);
    EXPECT_EQ(Run({"helio", "9", "--jde", "2451545"}).status, 2);
    EXPECT_EQ(Run({"helio", "mars"}).status, 2);
    ProgramResult text = Run({"helio", "jupiter", "--jde", "2451545"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("AU/day"), std::string::npos) << text.out;
}

TEST_F(BodyCommands, EarthInsideAndOutsideItsRange) {
    auto table = ReadEphemerisCsv("earth.csv");
    const CsvRow& row = table->rows.at(table->rows.size() / 2);
    const auto j = Json({"earth", "--jde", row.Text("jde")});
    for (const char* key : {"x", "y", "z"}) {
        std::string column = std::string("b") + key;
        EXPECT_NEAR(j[key].get<double>(), row.Number(column), 1e-3) << key;
    }
    for (const char* key : {"vx", "vy", "vz"}) {
        std::string column = std::string("b") + key;
        EXPECT_NEAR(j[key].get<double>(), row.Number(column), 2e-6) << key;
    }

    for (const char* jde : {"2000000", "2560001", "2339999.5"}) {
        ProgramResult r = Run({"earth", "--jde", jde, "--json"});
        EXPECT_EQ(r.status, 1) << jde;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("outside the Earth ephemeris"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Run({"earth", "--jde", "soon"}).status, 2);
}

TEST_F(BodyCommands, BodyAtTheSameDynamicalTimeAsPyEphem) {
    auto table = ReadEphemerisCsv("apparent_bodies.csv");
    const std::string tt = "2000-01-01T12:00:00";
    for (const auto& [name, tolerance] : std::vector<std::pair<std::string, double>>{
             {"sun", 2.0}, {"mars", 20.0}, {"saturn", 90.0}, {"pluto", 90.0}}) {
        const CsvRow* row = FindRow(*table, tt, name);
        ASSERT_NE(row, nullptr) << name;
        const auto j = BodyAtJ2000(name);
        EXPECT_LT(SeparationArcsec(j["ra_hours"].get<double>(), j["dec_deg"].get<double>(),
                                   row->Number("ra_hours"), row->Number("dec_deg")),
                  tolerance)
            << name;
        EXPECT_EQ(j["name"], name);
    }
    const auto sun = BodyAtJ2000("0");
    for (const char* key : {"code", "name", "ra_hours", "dec_deg", "distance_au", "phase_fraction",
                            "magnitude", "illuminated_fraction", "diameter_arcmin",
                            "display_constant", "elongation_deg", "ecl_lon_deg", "ecl_lat_deg",
                            "alt_deg", "az_deg"}) {
        EXPECT_TRUE(sun.contains(key)) << key;
    }
    EXPECT_EQ(sun["code"], 0);
    EXPECT_EQ(sun["magnitude"].get<double>(), -24.6);
    EXPECT_NEAR(sun["ecl_lon_deg"].get<double>(), 280.37, 0.02);
    // At noon UT on the Greenwich meridian the Sun is near the meridian, low in the south.
    EXPECT_NEAR(sun["az_deg"].get<double>(), 180.0, 2.0);
    EXPECT_NEAR(sun["alt_deg"].get<double>(), 90.0 - 51.0 - 23.0, 0.5);
}

TEST_F(BodyCommands, TopocentricAndRefractionModesMoveTheSun) {
    const auto geo = BodyAtJ2000("sun", "0");
    const auto topo = BodyAtJ2000("sun", "2");
    const double shift = SeparationArcsec(geo["ra_hours"].get<double>(), geo["dec_deg"].get<double>(),
                                          topo["ra_hours"].get<double>(), topo["dec_deg"].get<double>());
    EXPECT_GT(shift, 3.0);
    EXPECT_LT(shift, 8.8 / 0.983 + 0.1);
    const auto refracted = BodyAtJ2000("sun", "3");
    const double lift = refracted["alt_deg"].get<double>() - topo["alt_deg"].get<double>();
    EXPECT_GT(lift, 0.02);  // about 2' at 16 degrees
    EXPECT_LT(lift, 0.1);
}

TEST_F(BodyCommands, AllListsEveryBody) {
    ProgramResult r = Run({"--date", "2024-03-20", "body", "all", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto list = nlohmann::json::parse(r.out);
    ASSERT_TRUE(list.is_array());
    std::vector<std::string> names;
    for (const auto& body : list) names.push_back(body["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"sun", "moon", "mercury", "venus", "mars", "jupiter",
                                               "saturn", "uranus", "neptune", "pluto"}));
    EXPECT_TRUE(r.err.empty()) << r.err;

    r = Run({"--date", "2024-03-20", "body", "all"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("neptune"), std::string::npos) << r.out;
}

TEST_F(BodyCommands, FailuresAreClear) {
    ProgramResult r = Run({"--date", "1650-06-01", "body", "mars", "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find("outside the Earth ephemeris"), std::string::npos) << r.err;

    EXPECT_EQ(Run({"body", "vulcan"}).status, 2);
    EXPECT_EQ(Run({"body", "11"}).status, 2);
    EXPECT_EQ(Run({"body"}).status, 2);
    EXPECT_EQ(Run({"body", "mars", "--fast"}).status, 2);
}

TEST_F(BodyCommands, QuickFamilyAndText) {
    const auto quick = Json({"--date", "2000-01-01", "--time", "12:00", "body", "jupiter", "--quick"});
    EXPECT_EQ(quick["code"], 5);
    // The tabulated J2000 elements at d = 0 put Jupiter at about RA 1.60 h, Dec +8.6.
    EXPECT_NEAR(quick["ra_hours"].get<double>(), 1.59, 0.02);
    EXPECT_NEAR(quick["dec_deg"].get<double>(), 8.6, 0.1);
    EXPECT_NEAR(quick["distance_au"].get<double>(), 4.62, 0.01);
    EXPECT_TRUE(quick.contains("sun_distance_au"));
    const auto sun = Json({"--date", "2000-01-01", "--time", "12:00", "body", "sun", "--quick"});
    EXPECT_NEAR(sun["ra_hours"].get<double>(), 18.75, 0.01);
    EXPECT_NEAR(sun["distance_au"].get<double>(), 0.9833, 1e-3);

    ProgramResult r = Run({"--date", "2000-01-01", "body", "venus"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Venus (3)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\xC2\xB0"), std::string::npos) << r.out;  // the degree sign, UTF-8
}

}  // namespace
}  // namespace vsp::test
