// The Takahashi controller's byte strings worked out by hand, the dispatcher's exchanges with a
// scripted controller on a pseudo-terminal, and our emulated controller.

#include <gtest/gtest.h>

#include <deque>

#include "scope/DispatcherFixture.h"
#include "scope/TakahashiEmulator.h"
#include "support/ScriptedPty.h"

namespace vsp {
namespace {

TEST(TakahashiCodec, RoundsToTheSecondAndRefusesBrokenPositions) {
    // 12 h 34 min 56.64 s goes up; 23 h 59 min 59.64 s into the next day, as 59 min 59.64 s of
    // arc into a degree; 12 deg 20 min 44.16 s sends 7 tenths of a minute.
    EXPECT_EQ(TakahashiCoordinateCommand('P', {12.5824, 45.5}), "P123457+45300\r\n");
    EXPECT_EQ(TakahashiCoordinateCommand('D', {23.9999, -0.9999}), "D000000-01000\r\n");
    EXPECT_EQ(TakahashiCoordinateCommand('P', {0, 12.3456}), "P000000+12207\r\n");
    for (const char* garbage : {"E123456-0530", "E1234X6+00000E", "E123456*00000E", "E126056+00000E", "E123456+91000E"})
        EXPECT_FALSE(ParseTakahashiPosition(garbage)) << garbage;
}

// Answers each line: `version` to "v", the next of `positions` (the last one repeated) to "E",
// `verdict` to gotos and syncs.
struct ScriptedController : test::ScriptedPty {
    ScriptedController(std::string version, std::deque<std::string> positions, std::string verdict = "R1\r\n")
        : ScriptedPty([=](std::string& command) mutable -> std::string {
              if (!command.ends_with('\n')) return "";
              const std::string line = std::exchange(command, "");
              if (line[0] == 'v') return version;
              if (line[0] != 'E') return line.size() > 6 && (line[0] == 'P' || line[0] == 'D') ? verdict : "";
              const std::string position = positions.front();
              if (positions.size() > 1) positions.pop_front();
              return position;
          }) {}
};
const std::string kVersion = "vTemma2 Jr 2.10\r\n";

// Meeus's example 12.b: 1987 April 10, 19:21 UT, mean sidereal time 8 h 34 min 57.09 s at
// Greenwich, so 6 h 34 min 57 s at 30 degrees west; 33.8688 degrees south is 33 deg 52.1 min.
struct TakahashiDispatch : test::DispatcherFixture {
    static ScopeMoment Moment() {
        return {{1987, 4, 10, 19, 21, 0}, {.location = {.latitude = -33.8688, .longitudeWest = 30}}, {0, 0, nullptr}};
    }
    ScopeDispatcher& Scope(const std::string& path) {
        Dispatcher(path, 14);
        Release();
        return scope_;
    }
    ScopeDispatcher scope_{prefs_, sink_, link_, alignment_, Moment};
};

TEST_F(TakahashiDispatch, FirstConnectSetsUpTheSiteOnceThenMoves) {
    // Stands east while the user says west: turned over once the zenith routine is done.
    ScriptedController controller(kVersion, {"E063457-33521F\r\n", "E063457-33521E\r\n"});
    int asked = 0;
    scope_.SetQuestion([&](std::string_view question) { return asked += question == takahashi::kPierQuestion, false; });
    EquatorialPosition where;
    ASSERT_TRUE(Scope(controller.Path()).ScopeReadRaw(where));
    EXPECT_NEAR(where.raHours * 60, 6 * 60 + 34 + 57 / 60.0, 1e-9);
    EXPECT_NEAR(where.decDegrees * 60, -(33 * 60 + 52.1), 1e-9);  // tenths of a minute
    std::string wire = "v\r\nT063457\r\nI-33521\r\nT063457\r\nZ\r\nE\r\nE\r\nPT\r,\nT063457\r\nZ\r\nE\r\n";
    EXPECT_EQ(controller.Wire(wire.size()), wire);
    // The next connect of the run only shakes hands.
    ASSERT_TRUE(Scope(controller.Path()).ScopeConnect());
    EXPECT_TRUE(scope_.ScopeSetRate(ScopeRate::Find) && scope_.ScopeMove(ScopeDirection::North));
    EXPECT_TRUE(scope_.ScopeStopAxis(ScopeDirection::North));
    EXPECT_TRUE(scope_.ScopeSetRate(ScopeRate::Guide) && scope_.ScopeMove(ScopeDirection::West));
    EXPECT_TRUE(scope_.ScopeStop());
    wire += "v\r\nMI\r\nM@\r\nMD\r\nPS\r\ns\r\n";
    EXPECT_EQ(controller.Wire(wire.size()), wire);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(TakahashiDispatch, VerdictsOnGotosAndSyncsAndSilence) {
    const std::pair<std::string, test::Messages> cases[] = {
        {"R2\r\n", {{"Takahashi\nWrong ra in Goto.", ""}, {"Takahashi\nWrong ra in Sync.", ""}}},
        {"R1\r\n", {}},  // the site was set up by the first case's connect
        {"R3\r\n", {{"Takahashi\nWrong dec in Goto.", ""}, {"Takahashi\nWrong dec in Sync.", ""}}},
        {"R4\r\n", {{"Takahashi\nToo many digits in Goto.", ""}, {"Takahashi\nToo many digits in Sync.", ""}}},
        {"R1", {{"No response from Takahashi", ""}, {"Goto failed", ""}, {"No response from Takahashi", ""}}},
    };
    for (const auto& [verdict, messages] : cases) {
        sink_.messages.clear();
        ScriptedController controller(kVersion, {"E023000 00000E\r\n"}, verdict);
        ASSERT_TRUE(Scope(controller.Path()).ScopeConnect());
        const size_t connected = controller.Wire(3).size();
        const bool answered = verdict.size() == 4;
        // Exactly on the equator, unreduced (mode -1).
        EXPECT_EQ(scope_.ScopeGoto({2.5, 0}, -1), answered ? ScopeGotoResult::Slewing : ScopeGotoResult::Failed);
        EXPECT_EQ(scope_.ScopeSync({2.5, 0}), answered);
        EXPECT_EQ(sink_.messages, messages) << verdict;
        const std::string sent = "T063457\r\nP023000 00000\r\nPS\r\nT063457\r\nD023000 00000\r\n";
        if (verdict == "R1\r\n") {
            EXPECT_EQ(controller.Wire(connected + sent.size()).substr(connected), sent);
        }
    }
    // A silent controller, one too short to be one, and a position that is not one.
    const std::pair<std::string, std::string> failures[] = {{"", "Fail to open Takahasi connection."},
                                                            {"v2.10\r\n", "Fail to open Takahasi connection."},
                                                            {kVersion, "Failed to get Takahashi RA and Dec"}};
    for (const auto& [version, message] : failures) {
        sink_.messages.clear();
        ScriptedController controller(version, {"E12:456+00000E\r\n"});
        EquatorialPosition where{1, 1};
        EXPECT_FALSE(Scope(controller.Path()).ScopeReadRaw(where));
        EXPECT_EQ(where.raHours, 0);
        EXPECT_EQ(sink_.messages, (test::Messages{{message, ""}})) << version;
    }
}

TEST(TakahashiEmulation, AnswersAsAController) {
    TakahashiEmulator mount(takahashi::kPierWest);
    // Told the site, then the zenith: 'F' while the routine runs, then the side, turned over.
    EXPECT_EQ(mount.Receive("T063457\r\nI-33521\r\nZ\r\nE"), "");
    EXPECT_EQ(mount.Receive("\r\n"), "E063457-33521F\r\n");
    mount.Advance(TakahashiEmulator::kZenithRoutineSeconds);
    EXPECT_EQ(mount.Receive("PT\r,\nE\r\n"), "E063457-33521E\r\n");
    const std::pair<std::string, std::string> verdicts[] = {
        {"P250000+00000\r\n", "R2\r\n"}, {"P120000+91000\r\n", "R3\r\n"},   {"P1200+00000\r\n", "R2\r\n"},
        {"P120000+0000\r\n", "R3\r\n"},  {"P1200000+00000\r\n", "R4\r\n"}, {"P120000-45300\r\n", "R1\r\n"},
    };
    for (const auto& [command, verdict] : verdicts) EXPECT_EQ(mount.Receive(command), verdict) << command;
    mount.Advance(20);
    EXPECT_EQ(mount.Receive("E\r\n"), "E063457-33521E\r\n");  // waits for its start
    mount.Receive("PS\r\n");
    mount.Advance(20);
    EXPECT_EQ(mount.Receive("E\r\n"), "E120000-45300E\r\n");
    // Guide rate north, repeated once: 0.05 degree a step until the repeat runs out.
    mount.Receive("MH\r\n");
    mount.Advance(2);
    mount.Receive("MH\r\n");
    mount.Advance(10);
    const double steps = (2 + TakahashiEmulator::kMotionSeconds) / TakahashiEmulator::kStepSeconds;
    EXPECT_NEAR(mount.Mount().Current().decDegrees, -45.5 - 0.05 * steps, 1e-9);
}

}  // namespace
}  // namespace vsp
