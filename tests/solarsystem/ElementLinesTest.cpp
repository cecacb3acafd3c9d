// Element lines read as skyfield's MPC readers read them (scripts/fixtures/
// minor_element_fixtures.py), and damaged lines refused with their reasons.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ephemeris/Constants.h"
#include "solarsystem/MpcElementLines.h"

namespace vsp {
namespace {

std::string Fixture(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_TEST_DATA) + "/solarsystem/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void ExpectMagnitude(double ours, const nlohmann::json& theirs, const std::string& what) {
    if (theirs.is_null()) EXPECT_TRUE(std::isnan(ours)) << what;
    else EXPECT_DOUBLE_EQ(ours, theirs.get<double>()) << what;
}

TEST(ElementLines, ReadAsSkyfieldReadsThem) {
    const std::vector<std::string> lines = Lines(Fixture("element_lines.txt"));
    const nlohmann::json values = nlohmann::json::parse(Fixture("element_values.json"));
    ASSERT_EQ(lines.size(), values.size());
    ASSERT_GE(lines.size(), 9u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const nlohmann::json& want = values[i];
        const bool comet = want["kind"] == "comet";
        SCOPED_TRACE(lines[i]);
        ASSERT_EQ(RecogniseElementLine(lines[i]), comet ? ElementLineFormat::Comet : ElementLineFormat::MinorPlanet);
        MinorBodyRecord r;
        std::string reason;
        ASSERT_TRUE(comet ? ReadCometLine(lines[i], r, reason) : ReadMinorPlanetLine(lines[i], r, reason)) << reason;
        EXPECT_EQ(MinorBodyLabel(r), want["designation"].get<std::string>());
        const OrbitalElements& o = r.elements.orbit;
        // An elliptic orbit passes perihelion once a period: any of those passages is the same orbit.
        double perihelionGap = o.perihelionJd - want["perihelion_jd"].get<double>();
        if (!comet) {
            const double a = want["q"].get<double>() / (1.0 - want["e"].get<double>());
            perihelionGap = std::remainder(perihelionGap, kTwoPi * a * std::sqrt(a) / kGaussianConstant);
        }
        EXPECT_NEAR(perihelionGap, 0.0, 1e-6);
        EXPECT_NEAR(o.perihelionDistance, want["q"].get<double>(), 1e-12);
        EXPECT_DOUBLE_EQ(o.eccentricity, want["e"].get<double>());
        EXPECT_DOUBLE_EQ(o.inclination, want["inclination"].get<double>());
        EXPECT_DOUBLE_EQ(o.node, want["node"].get<double>());
        EXPECT_DOUBLE_EQ(o.perihelionArgument, want["perihelion_argument"].get<double>());
        ExpectMagnitude(r.elements.absoluteMagnitude, want[comet ? "g" : "H"], "H or g");
        ExpectMagnitude(r.elements.slope, want[comet ? "k" : "G"], "G or k");
        const nlohmann::json& epoch = want["epoch_jd"];
        EXPECT_DOUBLE_EQ(o.epochJd, epoch.is_null() ? o.perihelionJd : epoch.get<double>());
    }
}

// The numbers, designations and names the labels are made of, and the records a text finds.
TEST(ElementLines, NumbersNamesAndMatches) {
    std::vector<MinorBodyRecord> records;
    for (const std::string& line : Lines(Fixture("element_lines.txt"))) {
        MinorBodyRecord r;
        std::string reason;
        const bool comet = RecogniseElementLine(line) == ElementLineFormat::Comet;
        ASSERT_TRUE(comet ? ReadCometLine(line, r, reason) : ReadMinorPlanetLine(line, r, reason));
        records.push_back(r);
    }
    EXPECT_EQ(records[0].number, 1u);
    EXPECT_EQ(records[0].name, "Ceres");
    EXPECT_EQ(records[2].number, 0u);
    EXPECT_EQ(records[3].number, 620000u);
    EXPECT_EQ(records[6].number, 12u);
    EXPECT_EQ(records[6].designation, "12P");
    EXPECT_EQ(records[6].name, "Pons-Brooks");
    EXPECT_EQ(records[7].designation, "P/2010 A2-B");
    EXPECT_EQ(MatchMinorBodies(records, "ceres", 5), std::vector<int>{0});
    EXPECT_EQ(MatchMinorBodies(records, " 12p ", 5), std::vector<int>{6});
    EXPECT_EQ(MatchMinorBodies(records, "c/2023a3", 5), std::vector<int>{8});
    EXPECT_EQ(MatchMinorBodies(records, "620000", 5), std::vector<int>{3});
    EXPECT_EQ(MatchMinorBodies(records, "Pa", 5), (std::vector<int>{1, 5}));  // Pallas, then PANSTARRS
    EXPECT_TRUE(MatchMinorBodies(records, "  ", 5).empty());
    EXPECT_TRUE(NamesMinorBody(records[6], "12P/Pons-Brooks"));
    EXPECT_TRUE(NamesMinorBody(records[6], "12"));
    EXPECT_FALSE(NamesMinorBody(records[6], "Pons"));  // a filter keeps what is named whole
}

TEST(ElementLines, DamagedLinesSayWhy) {
    const std::vector<std::string> lines = Lines(Fixture("element_lines.txt"));
    const std::string ceres = lines[0], hale = lines[4];
    auto with = [](std::string line, size_t column, const std::string& text) {
        return line.replace(column - 1, text.size(), text);
    };
    const std::pair<std::string, std::string> minor[] = {
        {ceres.substr(0, 90), "shorter than 103 characters"},
        {with(ceres, 1, "0000!"), "no packed designation in columns 1-7"},
        {with(ceres, 21, "K25Z1"), "no packed epoch in columns 21-25"},
        {with(ceres, 71, "0.07x5571"), "no eccentricity in columns 71-79"},
        {with(ceres, 71, "1.2000000"), "not an elliptic orbit (e 1.2000000, a 2.7676569)"},
        {with(ceres, 60, "   999.00"), "inclination out of range"}};
    for (const auto& [line, why] : minor) {
        MinorBodyRecord r;
        std::string reason;
        EXPECT_FALSE(ReadMinorPlanetLine(line, r, reason)) << line;
        EXPECT_EQ(reason, why) << line;
    }
    const std::pair<std::string, std::string> comets[] = {
        {with(hale, 20, "13"), "no perihelion time in columns 15-29"},
        {with(hale, 82, "2020x224"), "no epoch in columns 82-89"},
        {with(hale, 31, " -0.91624"), "no orbit with q -0.91624, e 0.994928"},
        {with(hale, 1, "    CJ95O000"), "no comet designation in columns 1-12 (CJ95O000)"}};
    for (const auto& [line, why] : comets) {
        MinorBodyRecord r;
        std::string reason;
        EXPECT_FALSE(ReadCometLine(line, r, reason)) << line;
        EXPECT_EQ(reason, why) << line;
    }
}

}  // namespace
}  // namespace vsp
