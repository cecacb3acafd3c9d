// The clock and duration texts of the eclipse list and the ephemeris tables.

#include <cmath>

#include <gtest/gtest.h>

#include "format/EventText.h"

namespace vsp {
namespace {

TEST(EventText, ClockTimesRoundToTheMinuteAndAbsentContactsShowDashes) {
    EXPECT_EQ(ClockMinutesText(5.0 + 59.6 / 60), "06:00");
    EXPECT_EQ(ClockMinutesText(23.0 + 59.7 / 60), "00:00");
    EXPECT_EQ(ClockMinutesText(26.25), "02:15");  // a time shifted past midnight
    EXPECT_EQ(ContactClockText(2460571.5 + 2.0 / 24 + 14.0 / 1440), "02:14:00");
    EXPECT_EQ(ContactClockText(std::nan("")), "--:--:--");
    EXPECT_EQ(EclipseDurationText(3599), "0h59m59s");
}

}  // namespace
}  // namespace vsp
