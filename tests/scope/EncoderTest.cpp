// The setting-circle boxes: the angle arithmetic and the counts reply, each box's exchanges
// with a scripted box on a pseudo-terminal, the zero offsets and a change of resolution, the
// failures the user is told of, our emulated box behind each drive, and the counts the
// emulated box makes while the link emulates.

#include <gtest/gtest.h>

#include <functional>

#include "scope/DispatcherFixture.h"
#include "scope/EncoderEmulator.h"
#include "support/ScriptedPty.h"

namespace vsp {
namespace {

using test::Messages;
using test::Script;
using test::ScriptedController;

TEST(EncoderCodec, AnglesOfCountsAndTheCountsReply) {
    // count, steps per turn, offset, signed fold, degrees
    const std::tuple<int32_t, int32_t, int32_t, bool, double> angles[] = {
        {100, -8192, 0, true, -100 * 360.0 / 8192},  // reversed: 8092 counts, past half a turn
        {6144, 8192, 0, false, 270},  {6144, 8192, 0, true, -90},
        {4096, 8192, 0, true, 180},   {0, 8192, 100, false, 8092 * 360.0 / 8192},
        {20000, 8192, 0, false, (20000 - 16384) * 360.0 / 8192}};
    for (const auto& [count, steps, offset, fold, degrees] : angles)
        EXPECT_DOUBLE_EQ(*EncoderAngle(count, steps, offset, fold), degrees) << count;
    EXPECT_FALSE(EncoderAngle(10, 0, 0, false));

    const std::tuple<std::string, int32_t, int32_t> replies[] = {
        {"+01234\t-00567\r", 1234, -567}, {"001234 000567", 1234, 567}, {"   -12\t    +5", -12, 5}};
    for (const auto& [reply, azimuth, altitude] : replies) {
        const auto parsed = ParseEncoderCounts(reply);
        ASSERT_TRUE(parsed) << reply;
        EXPECT_EQ(parsed->azimuth, azimuth);
        EXPECT_EQ(parsed->altitude, altitude);
    }
    for (const char* garbage : {"", "+01234\t", "+01a34\t+00000", "+01234\t+0 000", "+-1234\t+00000"})
        EXPECT_FALSE(ParseEncoderCounts(garbage)) << garbage;
}

std::string WireOf(const Script& script) {
    std::string wire;
    for (const auto& step : script) wire += step.first;
    return wire;
}

struct EncoderDispatch : test::DispatcherFixture {
    EncoderDispatch() {
        prefs_.azSteps = 8192;
        prefs_.altSteps = 4000;
        prefs_.scopeOutputType = 1;
    }
};

// Azimuth -2048 counts of 8192 is 270 degrees, altitude 500 of 4000 is 45.
const std::string kCounts = "-02048\t+00500\r";
const std::string kDaveEkInit("z\xA0\x0F\x00\x20", 5);  // altitude 4000, azimuth 8192
const std::string kDaveEkCounts("\xF4\x01\x00\x18", 4);  // altitude 500, azimuth 6144

TEST_F(EncoderDispatch, EachBoxIsInitialisedOnceAndRead) {
    const std::pair<int, Script> boxes[] = {
        {3, {{"Z08192 04000\n", "*"}, {"Q", kCounts}, {"Q", kCounts}}},
        {22, {{"Z\t+08192\t+04000\n", "*"}, {"Q", kCounts}, {"Q", kCounts}}},
        {12, {{"R08192\t04000\r", ""}, {"I00000\t00000\r", ""}, {"Q", kCounts}, {"Q", kCounts}}},
        {16, {{"Q", "Q" + kCounts}, {"Q", "Q" + kCounts}}},
        {4, {{kDaveEkInit, "r"}, {"A", ""}, {"a", "Y"}, {"y", kDaveEkCounts}, {"a", "Y"}, {"y", kDaveEkCounts}}},
    };
    for (const auto& [drive, script] : boxes) {
        ScriptedController box(script);
        ScopeDispatcher& scope = Dispatcher(box.Path(), drive);
        for (int read = 0; read < 2; ++read) {
            EquatorialPosition where;
            ASSERT_TRUE(scope.ScopeReadRaw(where)) << drive;
            EXPECT_DOUBLE_EQ(where.raHours, 270) << drive;  // azimuth degrees for output type 1
            EXPECT_DOUBLE_EQ(where.decDegrees, 45) << drive;
        }
        EXPECT_EQ(box.Wire(WireOf(script).size()), WireOf(script)) << drive;
        EXPECT_EQ(sink_.messages, Messages{}) << drive;
        Release();
    }
}

TEST_F(EncoderDispatch, ZeroOffsetsAndANewResolution) {
    prefs_.altSteps = 8192;
    const std::string at45("+01024\t+01024\r");
    const Script script{{"Z08192 08192\n", "*"}, {"Q", at45}, {"Q", at45}, {"Z04096 08192\n", "*"}, {"Q", at45}};
    ScriptedController box(script);
    ScopeDispatcher& scope = Dispatcher(box.Path(), 3);
    // 45 degrees read as azimuth 40 and altitude 30: 113.8 and 341.3 counts, cut to whole counts.
    const auto offsets = scope.Encoder().SetZero(40, 30);
    ASSERT_TRUE(offsets);
    EXPECT_EQ(offsets->azimuth, 113);
    EXPECT_EQ(offsets->altitude, 341);
    EXPECT_FALSE(scope.Encoder().SetZero(10, 10));  // set once only
    EquatorialPosition where;
    ASSERT_TRUE(scope.ScopeReadRaw(where));
    EXPECT_DOUBLE_EQ(where.raHours, (1024 - 113) * 360.0 / 8192);
    EXPECT_DOUBLE_EQ(where.decDegrees, (1024 - 341) * 360.0 / 8192);
    // New steps per turn go to the box again and void the offsets.
    prefs_.azSteps = 4096;
    ASSERT_TRUE(scope.ScopeReadRaw(where));
    EXPECT_DOUBLE_EQ(where.raHours, 90);
    EXPECT_DOUBLE_EQ(where.decDegrees, 45);
    EXPECT_EQ(box.Wire(WireOf(script).size()), WireOf(script));
}

TEST_F(EncoderDispatch, SilenceGarbageAndBadSettingsAreReported) {
    const std::pair<std::string, std::string> failedRead{"Failed to get Encoder Az and Alt", ""};
    const std::tuple<int, Script, int32_t, Messages> cases[] = {
        {3, {}, 4000, {{"Fail to open encoder connection", ""}}},
        {21, {}, 4000, {{"Fail to open encoder connection", ""}}},
        {4, {{kDaveEkInit, "r"}, {"A", ""}, {"a", "N"}}, 4000, {{"Bad encoder status", ""}, failedRead}},
        {1, {{"Q", "+0a048\t+00500\r"}}, 4000, {failedRead}},
        {1, {{"Q", kCounts}}, 0, {{"Bad Alt encoder resolution", "Please check."}, failedRead}},
    };
    for (const auto& [drive, script, altSteps, messages] : cases) {
        sink_.messages.clear();
        prefs_.altSteps = altSteps;
        ScriptedController box(script);
        EquatorialPosition where;
        EXPECT_FALSE(Dispatcher(box.Path(), drive).ScopeReadRaw(where)) << drive;
        EXPECT_EQ(sink_.messages, messages) << drive;
        Release();
    }
}

TEST_F(EncoderDispatch, OurEmulatedBoxAnswersEachDrive) {
    prefs_.scopeOutputType = 0;
    prefs_.altSteps = -8192;
    for (const int drive : EncoderEmulator::kBoxes) {
        EncoderEmulator emulator(drive, {8192, 8192});
        emulator.PointAt(123.4, 45.6);
        test::ScriptedPty box([&emulator](std::string& cmd) { return emulator.Receive(std::exchange(cmd, "")); });
        EquatorialPosition where;
        ASSERT_TRUE(Dispatcher(box.Path(), drive).ScopeReadRaw(where)) << drive;
        EXPECT_NEAR(where.raHours * 15, 123.4, 360.0 / 8192) << drive;  // RA = azimuth / 15 for type 0
        EXPECT_NEAR(where.decDegrees, -45.6, 360.0 / 8192) << drive;    // the reversed altitude
        Release();
    }
}

TEST_F(EncoderDispatch, RateMoveAndStopDriveTheEmulatedCounts) {
    link_.SetEmulating(true);
    ScopeDispatcher& scope = Dispatcher("", 3);
    // 0.5 degree a read at the Find rate is 11 of 8192 counts (5 of 4000), 2 degrees at Fast 45
    // (22); 200 degrees run past half a turn and come round.
    const std::tuple<std::function<void()>, int32_t, int32_t> steps[] = {
        {[&] { scope.ScopeSetRate(ScopeRate::Find), scope.ScopeMove(ScopeDirection::North); }, 0, 5},
        {[&] { scope.ScopeMove(ScopeDirection::East); }, 11, 10},
        {[&] { scope.ScopeStopAxis(ScopeDirection::East); }, 11, 10},
        {[&] { scope.ScopeSetRate(ScopeRate::Fast), scope.ScopeMove(ScopeDirection::West); }, -34, 10},
        {[&] { scope.ScopeMove(ScopeDirection::South); }, -79, -12},
        {[&] { scope.Encoder().SteerEmulated(200, -10); }, 4472 - 8192, -12 - 111},
    };
    for (const auto& [operation, azimuthCount, altitudeCount] : steps) {
        operation();
        EquatorialPosition where;
        ASSERT_TRUE(scope.ScopeReadRaw(where));
        EXPECT_EQ(scope.Encoder().State().emulatedAzimuthCount, azimuthCount);
        EXPECT_EQ(scope.Encoder().State().emulatedAltitudeCount, altitudeCount);
        EXPECT_DOUBLE_EQ(where.raHours, *EncoderAngle(azimuthCount, 8192, 0, false));
    }
}

}  // namespace
}  // namespace vsp
