// plan on data/ built from the catalog packages: the Messier objects kept by the altitude
// criteria against astropy's altitudes (tests/data/tools/messier_altitudes.csv, case 0), and
// the list the planner leaves behind. Then the comets and minor planets of
// tests/data/solarsystem/element_lines.txt against PyEphem (tests/data/tools/minor_plan.csv).

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

constexpr double kBandDeg = 0.2;

// Astropy's altitude of M1..M110 at London, 2024-10-01 22:00 UT (case 0).
std::map<std::string, double> MessierAltitudes() {
    std::map<std::string, double> altitudes;
    const auto table = bodies::ReadEphemerisCsv("../tools/messier_altitudes.csv");
    for (const auto& row : table->rows) {
        if (row.Text("case") == "0") altitudes["M" + row.Text("messier")] = row.Number("alt_deg");
    }
    return altitudes;
}

class PlanCommand : public CatalogHomeTest {
protected:
    void SetUp() override {
        CatalogHomeTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(Run({"prefs", "set", "max_selected=150"}).status, 0);
    }
    // The planner at London, 2024-10-01 22:00 UT.
    nlohmann::json Plan(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lat", "51.5", "--lon", "0", "--tz", "0", "--date", "2024-10-01", "--time", "22:00",
                                   "plan"});
        return Json(args);
    }
    static std::set<std::string> Names(const nlohmann::json& plan) {
        std::set<std::string> names;
        for (const auto& e : plan["entries"]) names.insert(e["name"].get<std::string>());
        return names;
    }
};

TEST_F(PlanCommand, MessierAboveAndBelowTheThresholdsAsAstropyHasThem) {
    const std::map<std::string, double> altitudes = MessierAltitudes();
    ASSERT_EQ(altitudes.size(), 110u);
    const nlohmann::json above30 = Plan({"--catalog", "Messier", "--visibility", ">30\xC2\xB0"});
    const nlohmann::json visible = Plan({"--catalog", "40", "--visibility", "Visible"});
    const nlohmann::json hidden = Plan({"--catalog", "M", "--visibility", "Not Visible"});
    EXPECT_EQ(above30["end"], "finished");
    for (const auto& [name, alt] : altitudes) {
        if (std::fabs(alt - 30) >= kBandDeg) {
            EXPECT_EQ(Names(above30).count(name), alt >= 30 ? 1u : 0u) << name;
        }
        if (std::fabs(alt) >= kBandDeg) {
            EXPECT_EQ(Names(visible).count(name), alt >= 0 ? 1u : 0u) << name;
        }
        EXPECT_NE(Names(visible).count(name), Names(hidden).count(name)) << name;
    }
    for (const auto& e : above30["entries"]) EXPECT_NEAR(e["alt_deg"], altitudes.at(e["name"]), 0.05) << e["name"];
}

TEST_F(PlanCommand, CriteriaTheListAndItsRemoval) {
    // Galaxies of Andromeda brighter than 10 from the whole database; M31 heads the list.
    const nlohmann::json galaxies = Plan({"--type", "GALXY", "--constellation", "And", "--magnitude", "<10"});
    ASSERT_GE(galaxies["count"].get<int>(), 3);
    EXPECT_EQ(galaxies["entries"][0]["name"], "M31");
    for (const auto& e : galaxies["entries"]) {
        EXPECT_EQ(e["type"], "GALXY");
        EXPECT_EQ(e["constellation"], "And");
        EXPECT_LE(e["magnitude"].get<double>(), 10.0);
    }
    // The planets added to it, then the galaxies removed: the planets stay, saved for `list`.
    const nlohmann::json both = Plan({"--type", "Planet", "--add"});
    EXPECT_EQ(both["count"].get<int>(), galaxies["count"].get<int>() + 10);
    EXPECT_EQ(both["entries"][0]["name"], "Sun");
    EXPECT_EQ(Plan({"--type", "16", "--remove"})["count"], 10);
    EXPECT_EQ(Json({"list", "show"})["entries"].size(), 10u);

    EXPECT_EQ(Run({"plan", "--visibility", ">33\xC2\xB0"}).status, 2);
    EXPECT_EQ(Run({"plan", "--catalog", "Nowhere"}).status, 2);
}

// Imported into a home without catalogs: the planner reads only the two databases.
class PlanMinorBodies : public ProgramHomeTest {
protected:
    const std::string lines_ = std::string(VESPERTAR_TEST_DATA) + "/solarsystem/element_lines.txt";
    void SetUp() override { ASSERT_EQ(Run({"minor", "import", lines_}).status, 0); }
    // London, 1997-04-01 20:00 UT: Hale-Bopp low in the north-west.
    static std::vector<std::string> Then(std::vector<std::string> args) {
        args.insert(args.begin(), {"--lat", "51.5", "--lon", "0", "--tz", "0", "--date", "1997-04-01", "--time", "20:00"});
        return args;
    }
    nlohmann::json Plan(std::vector<std::string> args) {
        args.insert(args.begin(), "plan");
        return Json(Then(args));
    }
    static std::map<std::string, nlohmann::json> ByDesignation(const nlohmann::json& plan) {
        std::map<std::string, nlohmann::json> found;
        for (const auto& e : plan["entries"]) found[e["designation"].get<std::string>()] = e;
        return found;
    }
};

TEST_F(PlanMinorBodies, BrightOnesKeptWithPyEphemsMagnitudeAndAltitudeFaintOnesLeft) {
    const auto all = ByDesignation(Plan({"--catalog", "Comet&Asteroid", "--magnitude", "<10"}));
    const auto up = ByDesignation(Plan({"--type", "COMET", "--magnitude", "<10", "--visibility", "Visible"}));
    const auto minor = ByDesignation(Plan({"--type", "MINOR"}));
    const auto table = bodies::ReadEphemerisCsv("minor_plan.csv", "tools");
    for (const auto& row : table->rows) {
        const std::string designation = row.Text("designation");
        SCOPED_TRACE(designation);
        const bool comet = row.Text("kind") == "comet";
        EXPECT_EQ(minor.count(designation), comet ? 0u : 1u);  // no magnitude criterion: every one
        // A line without H: no magnitude, which no magnitude criterion keeps.
        const bool bright = row.Has("magnitude") && row.Number("magnitude") < 10.0;
        ASSERT_EQ(all.count(designation), bright ? 1u : 0u);
        EXPECT_EQ(up.count(designation), bright && comet && row.Number("alt_deg") >= 0.0 ? 1u : 0u);
        if (!bright) continue;
        const nlohmann::json& e = all.at(designation);
        EXPECT_EQ(e["type"], comet ? "COMET" : "MINOR");
        EXPECT_NEAR(e["magnitude"].get<double>(), row.Number("magnitude"), 0.06);
        EXPECT_NEAR(e["alt_deg"].get<double>(), row.Number("alt_deg"), 0.05);
    }
    // The two comets without a number are two entries, not one target listed twice.
    EXPECT_EQ(up.size(), 2u);
}

TEST_F(PlanMinorBodies, AListedCometIsTheSameTargetAfterTheElementsAreImportedAgain) {
    EXPECT_NE(Run({"list", "add", "C/20"}).err.find("more than one comet"), std::string::npos);
    const auto planned = ByDesignation(Plan({"--type", "COMET", "--magnitude", "<10"}));
    ASSERT_EQ(planned.count("P/2010 A2-B"), 1u);
    ASSERT_EQ(Run({"list", "save", "bright comets"}).status, 0);
    ASSERT_EQ(Run({"list", "clear"}).status, 0);
    // The split comet, fourth in the file, becomes the database's only record.
    ASSERT_EQ(Run({"minor", "import", lines_, "--only", "P/2010 A2-B"}).status, 0);
    ASSERT_EQ(Run({"list", "load", "bright comets"}).status, 0);
    const auto shown = ByDesignation(Json({"list", "show"}));
    ASSERT_EQ(shown.size(), planned.size());
    const nlohmann::json& listed = shown.at("P/2010 A2-B");
    EXPECT_EQ(listed["kind"], 15);
    EXPECT_NEAR(listed["ra_hours"].get<double>(), planned.at("P/2010 A2-B")["ra_hours"].get<double>(), 1e-6);
    // Named again, it resolves to the listed target: already loaded.
    const ProgramResult again = Run(Then({"list", "add", "p/2010 a2-b"}));
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.err.find("Already loaded: p/2010 a2-b"), std::string::npos) << again.err;
}

}  // namespace
}  // namespace vsp::test
