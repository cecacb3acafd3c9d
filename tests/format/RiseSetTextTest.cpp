// The event-time texts of the day-length assistant, the twilight views and the object
// information.

#include <gtest/gtest.h>

#include "format/RiseSetText.h"

namespace vsp {
namespace {
TEST(RiseSetText, AssistantFormats) {
    EXPECT_EQ(DayLengthText(16.836), ": 16h50m");
    EXPECT_EQ(DayLengthText(8.0 + 59.7 / 60), ": 09h00m");
    EXPECT_EQ(HoursMinutesText(5.5), "05h30m");
    EXPECT_EQ(HoursMinutesText(23.99), "23h59m");
    EXPECT_EQ(DayChangeText(125.4), " +02m05s");
    EXPECT_EQ(DayChangeText(-125.4), " -02m05s");
    EXPECT_EQ(DayChangeText(-41.0), " -00m41s");
    EXPECT_EQ(TimeZoneText(120), "+2");
    EXPECT_EQ(TimeZoneText(-300), "-5");
    EXPECT_EQ(AzimuthText(47.7), "48\xB0");
}

TEST(RiseSetText, DisplayModesShiftLocalTimes) {
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayLocal, 120, 5, 6), 0);
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayUniversal, 120, 5, 6), -120);
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayUniversal, -300, 5, 1), 300);
    // Day number N = day index + 30 month (mod 365): an hour added for 110 < N <= 320.
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayDaylight, 60, 20, 3), 0);   // N 110
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayDaylight, 60, 21, 3), 60);  // N 111
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayDaylight, 60, 20, 10), 60); // N 320
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayDaylight, 60, 21, 10), 0);  // N 321
    EXPECT_EQ(TimeDisplayShiftMinutes(kTimeDisplayDaylight, 60, 300, 8), 60); // N 540 -> 175
}

TEST(RiseSetText, ObjectInformationLines) {
    TextFormats settings;
    settings.hourFormat = 2;
    RiseTransitSetTimes times{6.5, 12.25, 18.0, RiseSetStatus::Normal};
    EXPECT_EQ(ObjectRiseSetLines(times, settings),
              (std::vector<std::string>{"Rise    06h30m00", "Transit 12h15m00"}));
    times = {0.0, 3.0, 23.99, RiseSetStatus::Circumpolar};
    EXPECT_EQ(ObjectRiseSetLines(times, settings), std::vector<std::string>{"\x95" "Circumpolar object"});
    times = {};
    times.status = RiseSetStatus::NeverRises;
    EXPECT_EQ(ObjectRiseSetLines(times, settings), std::vector<std::string>{"\x95" "Object never visible."});
}

}  // namespace
}  // namespace vsp
