// The ServoCat, the SkyCommander and the SiderealTech controller through the dispatcher, each
// against a controller scripted from its published commands on a pseudo-terminal, and the
// emulated controllers that `vespertar emulate` serves.

#include <gtest/gtest.h>

#include <regex>

#include "scope/DispatcherFixture.h"
#include "scope/SiderealTechEmulator.h"
#include "scope/SiderealTechProtocol.h"
#include "support/EphemerisCsv.h"
#include "support/ScriptedPty.h"

namespace vsp {
namespace {

using test::Messages;
using test::Script;
using test::ScriptedController;

struct SimpleMounts : test::DispatcherFixture {};

// Resolutions of 1296000 (altitude) and 2592000 (azimuth) counts per turn.
const Script kSiderealHandshake{{"Q\r", "SiTech\r"}, {"XXU<E>\r", "U1296000\r"}, {"XXV<E>\r", "V2592000\r"}};
Script Joined(Script first, const Script& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(SimpleMounts, ReadAndGotoOnTheWire) {
    struct Case { int drive; Script script; EquatorialPosition target; std::string wire; ScopeGotoResult result; };
    const Case cases[] = {
        {13, {{"\r", "05.250 -07.125"}}, {12.05, -7.0625}, "\rg12.050 -07.062", ScopeGotoResult::Sent},
        {13, {{"\r", "05.250 -07.125"}}, {5.0625, 45.5}, "\rg05.062 +45.500", ScopeGotoResult::Sent},
        {19, {{"\r", "05.2500 -07.1250"}, {"L0 05.250 -07.125\n", "A"}}, {5.25, -7.125}, "\rL0 05.250 -07.125\n",
         ScopeGotoResult::Sent},
        {19, {{"\r", "05.2500 -07.1250"}, {"L0 12.050 +45.000\n", "A"}}, {12.05, 45}, "\rL0 12.050 +45.000\n",
         ScopeGotoResult::Sent},
        // The azimuth axis reads -281.25 degrees: 78.75 within the turn, 5.25 h.
        {18, Joined(kSiderealHandshake, {{"X\r", "X-25650\r"}, {"Y\r", "Y-2025000\r"}}), {12.05, -7.0625},
         "Q\rXXU<E>\rXXV<E>\rX\rY\rY1301400S724822\rX-25425S362411\r"
         "XS2013\rYS4026\rX-1073741824\rY1073741824\rXN\rYN\r",
         ScopeGotoResult::Slewing},
    };
    for (const auto& c : cases) {
        sink_.messages.clear();
        ScriptedController controller(c.script);
        ScopeDispatcher& scope = Dispatcher(controller.Path(), c.drive);
        EquatorialPosition where;
        ASSERT_TRUE(scope.ScopeGetPosition(where)) << c.drive;
        EXPECT_DOUBLE_EQ(where.raHours, 5.25) << c.drive;
        EXPECT_DOUBLE_EQ(where.decDegrees, -7.125) << c.drive;
        EXPECT_EQ(scope.ScopeGoto(c.target, -1), c.result) << c.drive;  // (mode -1: unreduced)
        // Only the SiderealTech moves: the others send nothing.
        EXPECT_TRUE(scope.ScopeSetRate(ScopeRate::Center) && scope.ScopeMove(ScopeDirection::South));
        EXPECT_TRUE(scope.ScopeMove(ScopeDirection::East) && scope.ScopeStopAxis(ScopeDirection::East));
        EXPECT_EQ(controller.Wire(c.wire.size()), c.wire) << c.drive;
        EXPECT_EQ(sink_.messages, Messages{}) << c.drive;
        Release();
    }
}

// Alt-azimuth axes (output type 1): a goto sends where the star stands by ERFA
// (scripts/fixtures/siderealtech_fixtures.py) and the axes read there give the star back; the
// resolutions are read at the first connect only.
TEST_F(SimpleMounts, SiderealTechAltAzimuthAxes) {
    prefs_.scopeOutputType = 1;
    const auto table = test::bodies::ReadEphemerisCsv("../scope/siderealtech_altaz.csv");
    Script script = kSiderealHandshake;
    for (const auto& row : table->rows) {
        script.push_back({"X\r", "X" + std::to_string(std::lround(row.Number("alt_deg") / 360 * 1296000)) + "\r"});
        script.push_back({"Y\r", "Y" + std::to_string(std::lround(row.Number("az_deg") / 360 * 2592000)) + "\r"});
    }
    ScriptedController controller(script);
    ScopeDispatcher& scope = Dispatcher(controller.Path(), 18);
    for (const auto& row : table->rows) {
        SCOPED_TRACE(row.Text("star"));
        EXPECT_EQ(scope.ScopeGoto({row.Number("ra_hours"), row.Number("dec_deg")}, -1), ScopeGotoResult::Slewing);
        EquatorialPosition where;
        ASSERT_TRUE(scope.ScopeGetPosition(where));
        EXPECT_LT(test::bodies::ArcsecFromRow(where.raHours, where.decDegrees, row), 5.0);
        // The goto went out before the reading was answered.
        const std::string wire = controller.Wire(0);
        std::smatch sent;
        ASSERT_TRUE(std::regex_search(wire, sent, std::regex("Y(-?\\d+)S724822\rX(-?\\d+)S362411\rX\rY\r$")));
        EXPECT_NEAR(std::stod(sent[1]) / 2592000 * 360, row.Number("az_deg"), 0.001);
        EXPECT_NEAR(std::stod(sent[2]) / 1296000 * 360, row.Number("alt_deg"), 0.001);
        Release();  // the port opens again, but the resolutions are asked only once
    }
    EXPECT_EQ(controller.Wire(0).rfind("XXU"), 2u);
}

TEST_F(SimpleMounts, SilenceGarbageAndRefusalsAreReported) {
    const std::string kWrongAl = "Wrong Al resolution.\nPlease check the SiderealTech configuration.";
    const std::string kWrongAz = "Wrong Az resolution.\nPlease check the SiderealTech configuration.";
    struct Case { int drive; Script script; Messages messages; } cases[] = {
        {13, {}, {{"Failed to get Servocat RA and Dec", ""}}},
        {13, {{"\r", "05.250 -07.12"}}, {{"Failed to get Servocat RA and Dec", ""}}},
        {19, {}, {{"Failed to get SkyCommander RA and Dec.", ""}}},
        {18, {}, {{kWrongAl, "0"}, {kWrongAz, "0"}, {"Fail to open SiderealTech connection", ""}}},
        {18, {{"Q\r", ""}, {"XXU<E>\r", "U-4\r"}, {"XXV<E>\r", "V0\r"}},
         {{kWrongAl, "-4"}, {kWrongAz, "0"}, {"Fail to open SiderealTech connection", ""}}},
    };
    for (const auto& c : cases) {
        sink_.messages.clear();
        ScriptedController controller(c.script);
        ScopeDispatcher& scope = Dispatcher(controller.Path(), c.drive);
        EquatorialPosition where{1, 1};
        EXPECT_FALSE(scope.ScopeReadRaw(where)) << c.drive;
        EXPECT_EQ(where.raHours, 0);
        EXPECT_EQ(sink_.messages, c.messages) << c.drive;
        Release();
    }
    ScriptedController refusing(Script{{"L0 05.250 -07.125\n", "N"}});
    EXPECT_EQ(Dispatcher(refusing.Path(), 19).ScopeGoto({5.25, -7.125}, -1), ScopeGotoResult::Failed);
    EXPECT_EQ(sink_.messages.back(), std::make_pair(std::string("Goto failed"), std::string()));
    EXPECT_EQ(sink_.messages.end()[-2].first, "Fail to get SkyCommander ack for ra & dec set.");
}

// The SiderealTech emulator's axes run to their targets at the speeds they are given (the
// other emulators meet the protocols in tests/e2e and INDI's driver in tests/indi).
TEST(SimpleMountEmulators, SiderealTechAxesRunAtTheirSpeeds) {
    SiderealTechEmulator sidereal(1296000, 2592000);
    sidereal.PlaceAt({6, -45});
    EXPECT_EQ(sidereal.Receive("XXU<E>\rXXV<E>\rX\rY\r"), "U1296000\rV2592000\rX-162000\rY648000\r");
    // 3600 counts a second (10 degrees on the X axis), the speed sent with the target.
    const long speed = std::lround(3600 * 360 * sidereal_tech::kSpeedPerDegreePerSecond);
    EXPECT_EQ(sidereal.Receive("X0S" + std::to_string(speed) + "\rY1073741824\r"), "");
    sidereal.Advance(2);
    EXPECT_EQ(sidereal.Receive("X\rXN\r"), "X-154800\r");
    sidereal.Advance(100);
    EXPECT_EQ(sidereal.Receive("X\r"), "X-154800\r");
    EXPECT_NE(sidereal.Receive("Y\r"), "Y648000\r");  // still running to its endless target
}

}  // namespace
}  // namespace vsp
