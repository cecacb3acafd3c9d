// The dispatcher and the LX200 handler against a scripted mount on a pseudo-terminal: the
// bytes on the wire, the replies at both precisions, refusals, silence, and the drives that
// lack an operation.

#include <gtest/gtest.h>

#include <map>

#include "scope/DispatcherFixture.h"
#include "scope/ScopeDispatcher.h"
#include "platform/SerialPort.h"
#include "support/ScriptedPty.h"

namespace vsp {
namespace {

using test::Messages;

// Plays a mount: every command (up to its closing '#') is logged and answered from the script
// by its ending; an unscripted command gets silence.
using Script = std::map<std::string, std::string>;

struct ScriptedMount : test::ScriptedPty {
    explicit ScriptedMount(Script script)
        : ScriptedPty([script = std::move(script)](std::string& command) {
              std::string reply;
              if (command.back() != '#' || command == "#") return reply;
              for (const auto& [ending, answer] : script) {
                  if (command.ends_with(ending)) reply += answer;
              }
              command.clear();
              return reply;
          }) {}
};

struct DispatcherTest : test::DispatcherFixture {};

// Betelgeuse, as the mount is told it (mode -1 sends the place unreduced).
constexpr EquatorialPosition kTarget{5.919529, 7.407064};
constexpr EquatorialPosition kSouthTarget{5.588139, -5.390694};

TEST_F(DispatcherTest, LongPrecisionMountReadsAndSlewsWithLongCoordinates) {
    ScriptedMount mount({{":GD#", "+07*24:25#"}, {":GR#", "05:55:10#"}, {":Sr 05:55:10#", "1"},
                         {"#:MS#", "1Object Below Horizon#"}, {":Q#", ""}});
    ScopeDispatcher& scope = Dispatcher(mount.Path(), 5);
    std::vector<bool> busy;  // shown while the handshake waits, once
    link_.SetBusyIndicator([&busy](bool on) { busy.push_back(on); });
    EquatorialPosition where;
    ASSERT_TRUE(scope.ScopeGetPosition(where));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_NEAR(where.raHours, 5 + 55 / 60.0 + 10 / 3600.0, 1e-9);
    EXPECT_NEAR(where.decDegrees, 7 + 24 / 60.0 + 25 / 3600.0, 1e-9);
    // A refusal text still means the mount took the command; it is read away.
    EXPECT_EQ(scope.ScopeGoto(kTarget, -1), ScopeGotoResult::Slewing);
    EXPECT_TRUE(scope.ScopeStop());
    const std::string wire = "#:GD##:GR#:GD##:Sr 05:55:10#:Sd +07\xDF" "24:25##:MS##:Q#";
    EXPECT_EQ(mount.Wire(wire.size()), wire);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_TRUE(link_.SerialIsOpen());
}

TEST_F(DispatcherTest, ShortPrecisionGeminiSwitchesOnForAGotoButNotForASync) {
    ScriptedMount mount({{":GD#", "-05*23#"}, {":GR#", "05:35.2#"}, {"#:MS#", "0"}, {"#:CM#", "M31 EX GAL MAG 3.5 SZ178.0'#"}});
    ScopeDispatcher& scope = Dispatcher(mount.Path(), 17);
    EquatorialPosition where;
    ASSERT_TRUE(scope.ScopeGetPosition(where));
    EXPECT_NEAR(where.raHours, 5 + 35.2 / 60, 1e-9);
    EXPECT_NEAR(where.decDegrees, -(5 + 23 / 60.0), 1e-9);
    EXPECT_EQ(scope.ScopeGoto(kSouthTarget, -1), ScopeGotoResult::Slewing);
    EXPECT_TRUE(scope.ScopeSync(kSouthTarget));
    const std::string wire = "#:GD##:GR#:GD##:Sr 05:35.2#:ON#:Sd -05\xDF" "23##:MS#"
                             "#:Sr 05:35.2#:Sd -05\xDF" "23##:CM#";
    EXPECT_EQ(mount.Wire(wire.size()), wire);
}

TEST_F(DispatcherTest, SilenceFailsWithinTheTimeOutsAndReleasesThePort) {
    {
        ScriptedMount mount(Script{});
        ScopeDispatcher& scope = Dispatcher(mount.Path(), 5);
        EquatorialPosition where;
        EXPECT_FALSE(scope.ScopeGetPosition(where));
        EXPECT_EQ(sink_.messages, (Messages{{"Fail to open Meade connection", ""}}));
        EXPECT_FALSE(link_.SerialIsOpen());
        SerialPort other;
        EXPECT_TRUE(other.Open(mount.Path()));  // nothing left locked
    }
    // A mount that answers the handshake but not the slew, or answers it with noise, refuses
    // the goto.
    for (const Script& script : {Script{{":GD#", "+07*24#"}}, Script{{":GD#", "+07*24#"}, {"#:MS#", "\x93Zq\xFF"}}}) {
        sink_.messages.clear();
        ScriptedMount mount(script);
        ScopeDispatcher& scope = Dispatcher(mount.Path(), 2);
        EXPECT_EQ(scope.ScopeGoto(kTarget, -1), ScopeGotoResult::Failed) << script.size();
        EXPECT_EQ(sink_.messages, (Messages{{"Goto failed", ""}}));
        Release();
    }
}

TEST_F(DispatcherTest, GarbledPositionIsAFailedRead) {
    ScriptedMount mount(Script{{":GD#", "+07*24#"}, {":GR#", "0x:5A.Q#"}});
    ScopeDispatcher& scope = Dispatcher(mount.Path(), 5);
    EquatorialPosition where{1, 1};
    EXPECT_FALSE(scope.ScopeReadRaw(where));
    EXPECT_EQ(where.raHours, 0);
    EXPECT_EQ(sink_.messages, (Messages{{"Failed to get Meade RA and Dec.", ""}}));
}

TEST_F(DispatcherTest, DrivesWithoutAnOperationSayWhy) {
    using Case = std::tuple<int, std::function<bool(ScopeDispatcher&)>, std::string>;
    const Case cases[] = {
        {0, [](ScopeDispatcher& s) { return s.ScopeConnect(); }, "Sorry, no scope drive is selected"},
        {100, [](ScopeDispatcher& s) { return s.ScopeConnect(); },
         "Scope Connect not supported for the drive you selected"},
        {50, [](ScopeDispatcher& s) { return s.ScopeConnect(); }, "Unknown scope drive"},
        {50, [](ScopeDispatcher& s) { return s.ScopeStop(); }, "Unknown scope drive."},
        {101, [](ScopeDispatcher& s) { EquatorialPosition p; return s.ScopeGetPosition(p); },
         "Get position not supported"},
        {50, [](ScopeDispatcher& s) { EquatorialPosition p; return s.ScopeGetPosition(p); }, "Unkown scope drive"},
        {50, [](ScopeDispatcher& s) { return s.ScopeGoto(kTarget, -1) != ScopeGotoResult::Failed; },
         "Unknown scope drive: 50"},
        {100, [](ScopeDispatcher& s) { return s.ScopeGoto(kTarget, -1) != ScopeGotoResult::Failed; },
         "Goto not yet implemented for PowerFlex"},
        {6, [](ScopeDispatcher& s) { return s.ScopeSync(kTarget); },
         "Sorry, this function is not implemented for your telescope"},
    };
    for (const auto& [drive, operation, message] : cases) {
        sink_.messages.clear();
        prefs_.scopeDrive = drive;
        EXPECT_FALSE(operation(dispatcher_)) << drive << " " << message;
        ASSERT_EQ(sink_.messages.size(), 1u) << drive << " " << message;
        EXPECT_EQ(sink_.messages[0].first, message);
    }
    // A read-only box only shows where the target stands.
    sink_.messages.clear();
    prefs_.scopeDrive = 7;
    EXPECT_EQ(dispatcher_.ScopeGoto(kTarget, -1), ScopeGotoResult::PositionsShown);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_TRUE(sink_.messages[0].first.starts_with("Sky position:\nRa:5.9195\nDec:7.4071\nAzt:")) << sink_.messages[0].first;
    EXPECT_TRUE(sink_.messages[0].second.starts_with("Scope Position:\nRa:5.9195\nDec:7.4071")) << sink_.messages[0].second;
}

// While the link emulates, every drive that slews, whatever its family, answers from the
// emulated mount, through the SiderealTech's alt-azimuth axes too; motion reaches it even for
// the drives that cannot move.
TEST_F(DispatcherTest, EveryDriveThatSlewsReachesTheEmulatedMount) {
    link_.SetEmulating(true);
    prefs_.scopeOutputType = 1;
    for (const DriveInfo& drive : DriveList()) {
        if (drive.gotoKind != GotoKind::Protocol) continue;
        prefs_.scopeDrive = drive.code;
        dispatcher_.Emulated().Sync({12, 10});
        EXPECT_NE(dispatcher_.ScopeGoto(kTarget, -1), ScopeGotoResult::Failed) << drive.code;
        EquatorialPosition where;
        for (int step = 0; step < 60; ++step) ASSERT_TRUE(dispatcher_.ScopeGetPosition(where)) << drive.code;
        EXPECT_NEAR(where.raHours, kTarget.raHours, 1e-9) << drive.code;
        EXPECT_NEAR(where.decDegrees, kTarget.decDegrees, 1e-9) << drive.code;
        EXPECT_TRUE(dispatcher_.ScopeMove(ScopeDirection::South));
        ASSERT_TRUE(dispatcher_.ScopeGetPosition(where));
        EXPECT_NEAR(where.decDegrees, kTarget.decDegrees + 2, 1e-9) << drive.code;
        EXPECT_TRUE(dispatcher_.ScopeStop());
    }
    EXPECT_TRUE(sink_.messages.empty());
}

}  // namespace
}  // namespace vsp
