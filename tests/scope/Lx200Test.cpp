// The LX200 client codec against the byte strings of INDI's LX200 driver and the Meade reply
// layouts, and the client talking to our emulated mount.

#include <gtest/gtest.h>

#include <string>

#include "scope/DriveTable.h"
#include "scope/Lx200Codec.h"
#include "scope/Lx200Emulator.h"
#include "settings/PreferenceStart.h"

namespace vsp {
namespace {

constexpr auto kShort = Lx200Precision::Short;
constexpr auto kLong = Lx200Precision::Long;

// INDI's short declination writes the degree mark as '*'; Meade handsets and we send 0xDF.
std::string MeadeDegree(std::string text) {
    for (char& c : text) c = c == '*' ? char(0xDF) : c;
    return text;
}

TEST(Lx200Commands, MatchIndiLayouts) {
    // 5h35m15s: INDI ":Sr 05:35:15#" and, short, 15 s as 2 tenths ":Sr 05:35.2#".
    const double ra = 5 + 35 / 60.0 + 15 / 3600.0;
    EXPECT_EQ(Lx200RaCommand(ra, kLong), "#:Sr 05:35:15#");
    EXPECT_EQ(Lx200RaCommand(ra, kShort), "#:Sr 05:35.2#");
    // 14.6 s is sent as 15 s: the half second rounds the truncated fields.
    EXPECT_EQ(Lx200RaCommand(ra - 0.4 / 3600, kLong), "#:Sr 05:35:15#");
    // INDI's short ":Sd -00*12#" (its negative-zero case) and ":Sd +00*00#"; the long form
    // keeps the short one's degree mark and adds ":SS".
    EXPECT_EQ(Lx200DecCommand(45 + 30 / 60.0 + 7 / 3600.0, kLong),
              MeadeDegree(":Sd +45*30:07#"));
    EXPECT_EQ(Lx200DecCommand(-0.2, kShort), MeadeDegree(":Sd -00*12#"));
    EXPECT_EQ(Lx200DecCommand(0.0, kShort), MeadeDegree(":Sd +00*00#"));
    EXPECT_EQ(Lx200DecCommand(-89.99999, kLong), MeadeDegree(":Sd -90*00:00#"));

    const char* moves[] = {":Mn#", ":Ms#", ":Me#", ":Mw#"};
    const char* halts[] = {":Qn#", ":Qs#", ":Qe#", ":Qw#"};
    const char* rates[] = {":RS#", ":RM#", ":RC#", ":RG#"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Lx200MoveCommand(ScopeDirection(i)), std::string("#") + moves[i]);
        EXPECT_EQ(Lx200StopAxisCommand(ScopeDirection(i)), std::string("#") + halts[i]);
        EXPECT_EQ(Lx200RateCommand(ScopeRate(i)), std::string("#") + rates[i]);
    }
}

TEST(Lx200Replies, BothPrecisionsAndAnySeparator) {
    const std::pair<std::string, double> ras[] = {{"12:34:56#", 12 + 34 / 60.0 + 56 / 3600.0},
                                                  {"12:34.5#", 12 + 34.5 / 60},
                                                  {"00:00.0#", 0},
                                                  {"23:59:59", 23 + 59 / 60.0 + 59 / 3600.0}};
    for (const auto& [reply, ra] : ras) {
        EXPECT_NEAR(ParseLx200Ra(reply).value_or(-1), ra, 1e-9) << reply;
    }

    const std::pair<std::string, double> decs[] = {{"+45*30:07#", 45 + 30 / 60.0 + 7 / 3600.0},
                                                   {"-00*30#", -0.5},
                                                   {"-12\xDF" "05#", -(12 + 5 / 60.0)},
                                                   {"+90*00:00#", 90},
                                                   {"+12*34:", 12 + 34 / 60.0}};  // a short read of a long reply
    for (const auto& [reply, dec] : decs) {
        EXPECT_NEAR(ParseLx200Dec(reply).value_or(-999), dec, 1e-9) << reply;
    }
}

TEST(Lx200Replies, GarbageIsRefused) {
    for (const char* reply : {"", "#", "1", "24:00:00#", "12:60:00#", "1:34:56#", "12:34.#",
                              "12:34:56#x", "ab:cd:ef#", "12:34:5x#"}) {
        EXPECT_FALSE(ParseLx200Ra(reply)) << reply;
    }
    for (const char* reply : {"", "45*30#", "+4*30#", "+90*00:01#", "+91*00#", "+45*30.5#",
                              "+45*30:07#junk", "P"}) {
        EXPECT_FALSE(ParseLx200Dec(reply)) << reply;
    }
}

// A goto in short precision, then a sync, a move, a stop and a goto in long precision: each
// reply as a Meade mount words it, a slew reported while it runs and ended on the sent place.
TEST(Lx200Emulation, GotoSyncMoveStopAndPrecisionToggle) {
    Lx200Emulator mount(kShort);
    const auto slew = [&mount](double ra, double dec, Lx200Precision precision) {
        std::string replies;
        for (const auto& command : Lx200GotoCommands(5, ra, dec, precision)) {
            replies += mount.Receive(command);
        }
        EXPECT_EQ(replies, "110");  // both coordinates taken, slew started
        mount.Advance(0.25);
        EXPECT_EQ(mount.Receive(":D#"), "\x7f#");  // still slewing
        mount.Advance(60);
        EXPECT_EQ(mount.Receive(":D#"), "#");
        return mount.Receive(lx200::kGetRa) + mount.Receive(lx200::kGetDec);
    };
    EXPECT_EQ(mount.Receive("\x06"), "P");
    // Sirius, 6 h 45.149 min and -16 deg 42' 58": the short layout, as INDI writes it, drops
    // the seconds of Dec.
    EXPECT_EQ(slew(6.752481, -16.716116, kShort), "06:45.1#-16*42#");
    std::string replies;
    for (const auto& command : Lx200SyncCommands(10.5, 20, kShort)) {
        replies += mount.Receive(command);
    }
    EXPECT_TRUE(replies.starts_with("11")) << replies;
    EXPECT_TRUE(replies.ends_with("#"));
    // A command split across two writes is answered once complete.
    EXPECT_EQ(mount.Receive("#:G"), "");
    EXPECT_EQ(mount.Receive("R#"), "10:30.0#");

    mount.Receive(Lx200RateCommand(ScopeRate::Center));
    mount.Receive(Lx200MoveCommand(ScopeDirection::South));
    mount.Advance(1.0);  // four steps of 0.1 degree
    mount.Receive(Lx200StopAxisCommand(ScopeDirection::South));
    mount.Advance(10);
    EXPECT_EQ(mount.Receive(lx200::kGetDec), "+20*24#");

    mount.Receive(lx200::kTogglePrecision);
    EXPECT_EQ(mount.Receive(lx200::kGetDec), "+20*24:00#");
    EXPECT_EQ(mount.Receive(lx200::kGetRa), "10:30:00#");
    // Coordinates a mount cannot hold are refused with '0'; a southern place of zero degrees
    // keeps its sign.
    EXPECT_EQ(mount.Receive("#:Sr 24:00:00#"), "0");
    EXPECT_EQ(slew(0.1, -0.2, kLong), "00:06:00#-00*12:00#");
}

TEST(EmulatedMount, StepsClampAndWrap) {
    EmulatedMount mount;
    mount.Sync({23.99, 89.0});
    mount.Move(ScopeDirection::South);  // Fast: 2 degrees a step, held at the pole
    EXPECT_DOUBLE_EQ(mount.Step().decDegrees, 90.0);
    mount.Stop();
    mount.Move(ScopeDirection::West);  // 2/15 h a step, across 24 h
    EXPECT_NEAR(mount.Step().raHours, 23.99 + 2.0 / 15 - 24, 1e-12);

    mount.Sync({1, 0});
    mount.Goto({4, -10});  // a tenth of the way while far off
    const auto first = mount.Step();
    EXPECT_NEAR(first.raHours, 1.3, 1e-12);
    EXPECT_NEAR(first.decDegrees, -1.0, 1e-12);
    mount.Goto({1.35, -1.5});  // within 1/15 h and 1 degree: there at once
    const auto second = mount.Step();
    EXPECT_EQ(second.raHours, 1.35);
    EXPECT_EQ(second.decDegrees, -1.5);
}

// The settings know the drive's rows and the encoder lines only from the drive table; until
// it supplies them, no drive is replaced for want of rows.
TEST(DriveTable, SuppliesTheDriveSettingsRowsAndEncoderLines) {
    PreferenceTable table = StandardPreferenceTable();
    Preferences p;
    p.scopeDrive = 21;
    EXPECT_EQ(CheckPreferenceRanges(table, p), 0);
    SupplyDriveSettings(table);
    EXPECT_EQ(CheckPreferenceRanges(table, p), 1);
    EXPECT_EQ(p.scopeDrive, 5);
    const PreferenceSetting& steps = *table.Find("alt_steps");
    p.scopeDrive = 3;
    EXPECT_TRUE(steps.ShownFor(p));
    p.scopeDrive = 20;
    EXPECT_FALSE(steps.ShownFor(p));
}

}  // namespace
}  // namespace vsp
