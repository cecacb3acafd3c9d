// The NexStar codec against the byte strings of INDI's Celestron driver tests, each drive's
// exchanges with a scripted hand controller on a pseudo-terminal, and the NexStar 5 and 8
// slewing our emulated hand controller.

#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "platform/PseudoTerminal.h"
#include "scope/EmulatorLoop.h"
#include "scope/NexStarEmulator.h"
#include "scope/DispatcherFixture.h"
#include "scope/ScopeDispatcher.h"
#include "support/ScriptedPty.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

constexpr auto kShort = NexStarPrecision::Short;
constexpr auto kPrecise = NexStarPrecision::Precise;

TEST(NexStarCodec, MatchesIndiByteStrings) {
    // 3 h and 45 degrees, as INDI's goto and sync tests send them.
    EXPECT_EQ(NexStarCoordinateCommand('R', {3, 45}, kShort), "R2000,2000");
    EXPECT_EQ(NexStarCoordinateCommand('r', {3, 45}, kPrecise), "r20000000,20000000");
    EXPECT_EQ(NexStarCoordinateCommand('S', {3, 45}, kShort), "S2000,2000");
    struct Turn {
        double degrees;
        NexStarPrecision precision;
        uint32_t turn;
    } turns[] = {{26.4441, kShort, 0x12ce},        {360 + 26.4441, kShort, 0x12ce}, {270, kShort, 0xc000},
                 {-90, kShort, 0xc000},            {360, kShort, 0},                {26.25193834305, kPrecise, 0x12ab0500},
                 {270, kPrecise, 0xc0000000},      {360, kPrecise, 0},
                 // Truncated, never rounded up into the next turn.
                 {359.999, kShort, 0xffff},        {359.9999999, kPrecise, 0xfffffffe}};
    for (const auto& t : turns) EXPECT_EQ(NexStarTurn(t.degrees, t.precision), t.turn) << t.degrees;
    EXPECT_DOUBLE_EQ(NexStarDegrees(0xf000, kShort), 337.5);
    EXPECT_NEAR(NexStarDegrees(0x12ab0500, kPrecise), 26.25193834305, 1e-9);

    const auto angles = ParseNexStarAngles("2000,2000#", kShort);
    ASSERT_TRUE(angles);
    EXPECT_DOUBLE_EQ(NexStarPosition(*angles).raHours, 3.0);
    EXPECT_DOUBLE_EQ(NexStarPosition(*angles).decDegrees, 45.0);
    EXPECT_TRUE(ParseNexStarAngles("20000000,20000000#", kPrecise));
    EXPECT_TRUE(ParseNexStarAngles("12ce,f000", kShort));  // a read cut before its '#'
    for (const char* garbage : {"", "#", "2000;2000#", "2000,200G#", "2000,20000#", "20000000,20000000#"}) {
        EXPECT_FALSE(ParseNexStarAngles(garbage, kShort)) << garbage;
    }
    // INDI's trimDecAngle: past the pole the reading folds back.
    const std::pair<double, double> folds[] = {{45, 45}, {95, 85}, {175, 5}, {200, -20}, {270, -90}, {355, -5}};
    for (const auto& [reading, dec] : folds) EXPECT_DOUBLE_EQ(FoldNexStarDeclination(reading), dec) << reading;
}

TEST(NexStarCodec, LegacyBytesMotionPacketsAndEchoes) {
    // A legacy reading cut short is refused; whole ones and the northward packet meet the wire below.
    EXPECT_FALSE(ParseNexStarLegacyAngles("\x40\x00\x20"));
    EXPECT_EQ(NexStarMovePacket(ScopeDirection::East, 2), std::string("P\x02\x10\x25\x02\0\0\0", 8));
    // 7 * 100000 / 9 = 77777 = 0x012FD1.
    EXPECT_EQ(NexStarOldGtMove(ScopeDirection::East, 7), std::string("\x07\x01\x2F\xD1\x1A\0\0\0", 8));
    EXPECT_EQ(NexStarOldGtMove(ScopeDirection::South, 7), std::string("\x06\0\0\0\x1B\x01\x2F\xD1", 8));

    EXPECT_TRUE(AcceptsNexStarEcho(10, "X#"));
    EXPECT_FALSE(AcceptsNexStarEcho(15, "X#"));
    EXPECT_TRUE(AcceptsNexStarEcho(15, "x#"));
    EXPECT_FALSE(AcceptsNexStarEcho(15, "x"));
    EXPECT_FALSE(AcceptsNexStarEcho(8, "x"));
}

TEST(NexStarEmulation, AnswersAsAHandController) {
    NexStarEmulator precise(true), old(false);
    for (NexStarEmulator* mount : {&precise, &old}) {
        EXPECT_EQ(mount->Receive("Kx"), "x#");
        EXPECT_EQ(mount->Receive("S2000,"), "");  // answered once complete
        EXPECT_EQ(mount->Receive("2000"), "#");
        EXPECT_EQ(mount->Receive("E"), "2000,2000#");
    }
    EXPECT_EQ(precise.Receive("V"), "\x04\x15#");
    EXPECT_EQ(precise.Receive("e"), "20000000,20000000#");
    EXPECT_EQ(old.Receive("eE"), "2000,2000#");  // no precise commands before firmware 1.6

    EXPECT_EQ(precise.Receive("r12AB0500,F0000000"), "#");
    EXPECT_EQ(precise.Receive("L"), "1#");
    precise.Advance(60);
    EXPECT_EQ(precise.Receive("Le"), "0#12AB0500,F0000000#");

    precise.Receive(NexStarMovePacket(ScopeDirection::South, NexStarFixedRate(ScopeRate::Center)));
    precise.Advance(1.0);  // four steps of 0.1 degree
    EXPECT_EQ(precise.Receive(NexStarMovePacket(ScopeDirection::North, 0)), "#");
    EXPECT_NEAR(precise.Mount().Current().decDegrees, -22.5 + 0.4, 1e-9);
    EXPECT_EQ(precise.Receive("?E"), std::string("#\x12\xAB\xF0\x48", 5));
}

using test::Messages;
using test::Script;
using test::ScriptedController;

struct NexStarDispatch : test::DispatcherFixture {};

// 3 h, -30 degrees, sent unreduced (mode -1).
constexpr EquatorialPosition kTarget{3, -30};

TEST_F(NexStarDispatch, EachDriveSpeaksItsOwnCommands) {
    struct Case {
        int drive;
        Script script;
        std::string wire;
        Messages messages;
    } cases[] = {
        {10,
         {{"Kx", "x#"}, {"E", "2000,EAAA#"}, {"R2000,EAAA", "#"}, {"S2000,EAAA", "#"}, {"M", "#"},
          {std::string("P\x02\x11\x24\x04\0\0\0", 8), "#"}},
         std::string("KxER2000,EAAAS2000,EAAAMP\x02\x11\x24\x04\0\0\0", 32),
         {}},
        {15,
         {{"Kx\r", "x#"}, {"E\r", "2000,EAAA#"}, {"R2000,EAAA\r", "#"}, {"F2000,EAAA\r", "#"}, {"M", "X"}},
         "Kx\rE\rR2000,EAAA\rF2000,EAAA\rM",
         {{"No acknowledgement from telescope in Stop Goto.", ""}}},
        {20,
         {{"Kx", "X#"}, {"E", "2000,eaaa#"}, {"R2000,EAAA", "#"}, {"S2000,EAAA", "#"}, {"M", ""}},
         std::string("KxER2000,EAAAS2000,EAAAMP\x02\x11\x24\x04\0\0\0", 32),
         {}},
        {8,
         {{"?", "#"}, {"?", "#"}, {"E", std::string("\x20\x00\xEA\xAA", 4)}, {"?", "#"},
          {std::string("R\x20\x00\xEA\xAA", 5), ""}, {"?", "#"}, {std::string("R\x20\x00\xEA\xAA", 5), ""}},
         std::string("??E?R\x20\x00\xEA\xAA?R\x20\x00\xEA\xAA", 15),
         {}},
    };
    for (const auto& c : cases) {
        sink_.messages.clear();
        ScriptedController controller(c.script);
        ScopeDispatcher& scope = Dispatcher(controller.Path(), c.drive);
        EquatorialPosition where;
        ASSERT_TRUE(scope.ScopeGetPosition(where)) << c.drive;
        EXPECT_NEAR(where.raHours, 3, 1e-12);
        EXPECT_NEAR(where.decDegrees, -30, 0.006);
        EXPECT_EQ(scope.ScopeGoto(kTarget, -1), c.drive == 8 ? ScopeGotoResult::Sent : ScopeGotoResult::Slewing);
        EXPECT_TRUE(scope.ScopeSync(kTarget));
        EXPECT_TRUE(scope.ScopeSetRate(ScopeRate::Center) && scope.ScopeStop());
        EXPECT_TRUE(scope.ScopeMove(ScopeDirection::North));
        EXPECT_EQ(controller.Wire(c.wire.size()), c.wire) << c.drive;
        EXPECT_EQ(sink_.messages, c.messages) << c.drive;
        Release();
    }
}

TEST_F(NexStarDispatch, OldGtMovesInBinaryAndCannotSync) {
    ScriptedController controller(Script{{"Kx", "x#"}});
    ScopeDispatcher& scope = Dispatcher(controller.Path(), 9);
    ASSERT_TRUE(scope.ScopeConnect());
    EXPECT_TRUE(scope.ScopeSetRate(ScopeRate::Find) && scope.ScopeMove(ScopeDirection::West));
    EXPECT_TRUE(scope.ScopeStopAxis(ScopeDirection::West) && scope.ScopeStop());
    EXPECT_FALSE(scope.ScopeSync(kTarget));
    const std::string wire("Kx\x06\x01\x2F\xD1\x1A\0\0\0\x06\0\0\0\x1A\0\0\0\x05\x19", 20);
    EXPECT_EQ(controller.Wire(wire.size()), wire);
}

// A rate picked while the link emulated goes with the motions once the mount answers.
TEST_F(NexStarDispatch, RateChosenWhileEmulatingHoldsOnTheWire) {
    ScriptedController controller(Script{{"Kx", "x#"}, {std::string("P\x02\x11\x24\x02\0\0\0", 8), "#"}});
    ScopeDispatcher& scope = Dispatcher(controller.Path(), 10);
    link_.SetEmulating(true);
    EXPECT_TRUE(scope.ScopeSetRate(ScopeRate::Guide));
    link_.SetEmulating(false);
    ASSERT_TRUE(scope.ScopeConnect());
    EXPECT_TRUE(scope.ScopeMove(ScopeDirection::North));
    const std::string wire("KxP\x02\x11\x24\x02\0\0\0", 10);
    EXPECT_EQ(controller.Wire(wire.size()), wire);
    EXPECT_EQ(sink_.messages, Messages{});
}

TEST_F(NexStarDispatch, SilenceAndGarbageFailAndReleaseThePort) {
    const Script scripts[] = {{}, {{"Kx", "Q#"}}, {{"Kx", "x#"}, {"E", "20G0,2000#"}}};
    const Messages expected[] = {{{"Fail to open Nexstar connection", ""}},
                                 {{"Fail to open Nexstar connection", ""}},
                                 {{"Failed to get Celestron RA and Dec", ""}}};
    for (size_t i = 0; i < std::size(scripts); ++i) {
        sink_.messages.clear();
        ScriptedController controller(scripts[i]);
        ScopeDispatcher& scope = Dispatcher(controller.Path(), 10);
        EquatorialPosition where{1, 1};
        EXPECT_FALSE(scope.ScopeReadRaw(where));
        EXPECT_EQ(where.raHours, 0);
        EXPECT_EQ(sink_.messages, expected[i]) << i;
        EXPECT_EQ(link_.SerialIsOpen(), i == 2);  // only a failed handshake gives the port back
        Release();
        SerialPort other;
        EXPECT_TRUE(other.Open(controller.Path()));  // nothing left locked
    }
}

// The hand controllers acknowledge a goto with '#': noise, or silence, is a failed goto.
TEST_F(NexStarDispatch, AGotoWithoutItsAcknowledgementFails) {
    for (const int drive : {9, 10, 15, 20}) {
        for (const std::string& reply : {std::string("\x93Z\xFF"), std::string()}) {
            sink_.messages.clear();
            const std::string end = drive == 15 ? "\r" : "";
            ScriptedController controller(Script{{"Kx" + end, "x#"}, {"R2000,EAAA" + end, reply}});
            EXPECT_EQ(Dispatcher(controller.Path(), drive).ScopeGoto(kTarget, -1), ScopeGotoResult::Failed) << drive;
            EXPECT_EQ(sink_.messages, (Messages{{"Goto failed", ""}})) << drive;
            Release();
        }
    }
}

// The NexStar 5 and 8's binary exchanges, and the Ultima 2000's commands closed by a carriage
// return, which the controller takes only once the return has come; the server ends when told
// to, or when its time is up.
TEST_F(NexStarDispatch, GotoArrivesOnTheEmulatedController) {
    for (const int drive : {8, 15}) {
        SCOPED_TRACE(drive);
        test::TempHome dir;
        const std::string link = dir.Path("nexstar");
        PseudoTerminal port;
        ASSERT_TRUE(port.Open(link));
        NexStarEmulator mount(false, drive == 15);
        mount.PlaceAt({1, 10});
        // Twenty times the real pace, so that a few reads see the slew end.
        const EmulatedDevice device{[&](std::string_view bytes) { return mount.Receive(bytes); },
                                    [&](double, double elapsed) { return mount.Advance(20 * elapsed), std::string(); }};
        std::atomic<bool> stop = false;
        auto served = std::async(std::launch::async, [&] {
            return ServeEmulatedDevice(port, device, std::nullopt, [&] { return stop.load(); });
        });
        ScopeDispatcher& scope = Dispatcher(link, drive);
        const EquatorialPosition vega{18.615649, 38.783689};
        EXPECT_EQ(scope.ScopeGoto(vega, -1), drive == 8 ? ScopeGotoResult::Sent : ScopeGotoResult::Slewing);
        // Sixteen bits of a turn: within 360/65536 degrees.
        EquatorialPosition where;
        for (int read = 0; read < 20 && std::fabs(where.raHours - vega.raHours) + std::fabs(where.decDegrees - vega.decDegrees) > 0.01; ++read) {
            ASSERT_TRUE(scope.ScopeGetPosition(where));
        }
        EXPECT_NEAR(where.raHours * 15, vega.raHours * 15, 360.0 / 65536);
        EXPECT_NEAR(where.decDegrees, vega.decDegrees, 360.0 / 65536);
        EXPECT_TRUE(sink_.messages.empty());
        Release();
        stop = true;
        EXPECT_EQ(served.get(), ServeEnd::Stopped);
        EXPECT_EQ(ServeEmulatedDevice(port, device, 0.2, [] { return false; }), ServeEnd::TimeUp);
    }
}

}  // namespace
}  // namespace vsp
