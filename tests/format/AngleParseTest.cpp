// Reading typed times and angles: every separator style, the tenths of a minute, signs, and
// text that cannot be read.

#include <array>

#include <gtest/gtest.h>

#include "format/AngleParse.h"

namespace vsp {
namespace {

TEST(ParseSexagesimal, EverySeparatorStyleAndUnreadableText) {
    const double hms = 23 + 45 / 60.0 + 12 / 3600.0;
    const std::pair<const char*, double> cases[] = {
        {"23.75", 23.75}, {"23h45.5", 23 + 45.5 / 60}, {"-00:30", -0.5}, {"-0:30:00", -0.5}, {"23 45 12", hms},
        {"23h45m12", hms}, {"23:45:12", hms}, {"23h45m12s", hms}, {"-70\xB0" "45'00", -70.75}, {"-70\xB0" "45.0", -70.75},
        {"-12", -12.0}, {"", 0.0}, {"abc", 0.0}, {"-", 0.0}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(ParseSexagesimal(text), value) << text;
        EXPECT_DOUBLE_EQ(ParseSexagesimalDeclination(text), value) << text;
    }
}

TEST(SplitSexagesimal, FieldsAndPlainDecimals) {
    int a = 7, b = 7, c = 7;
    EXPECT_EQ(SplitSexagesimal("", a, b, c), 0);
    EXPECT_EQ((std::array{a, b, c}), (std::array{0, 0, 0}));
    EXPECT_EQ(SplitSexagesimal("23.75", a, b, c), 0);
    EXPECT_EQ(SplitSexagesimal("-12:30:45", a, b, c), 1);
    EXPECT_EQ((std::array{a, b, c}), (std::array{-12, 30, 45}));
    EXPECT_EQ(SplitSexagesimal("23h45.2", a, b, c), 1);
    EXPECT_EQ((std::array{a, b, c}), (std::array{23, 45, 12}));  // .2 minute = 12 s
    EXPECT_EQ(SplitSexagesimal("23h45.", a, b, c), 1);
    EXPECT_EQ((std::array{a, b, c}), (std::array{23, 45, 0}));
}

TEST(ParseHoursAsDegrees, FifteenDegreesAnHour) {
    EXPECT_DOUBLE_EQ(ParseHoursAsDegrees("23h45m00"), 356.25);
    EXPECT_EQ(ParseHoursAsDegrees("none"), 0.0);
    // A sexagesimal sign belongs to the hours alone: -1:30 is 15 x (-1 + 0.5).
    EXPECT_DOUBLE_EQ(ParseHoursAsDegrees("-1:30"), -7.5);
}

TEST(ParseDecimalAndInteger, PointOrCommaSignsThenDigits) {
    for (auto [text, value] : {std::pair{"  -12,5", -12.5}, {"+3.25", 3.25}, {".5", 0.5}, {"12abc", 12.0}, {"1.5e3", 1.5},
                               {"abc", 0.0}, {"-", 0.0}}) {
        EXPECT_DOUBLE_EQ(ParseDecimal(text), value) << text;
    }
    for (auto [text, value] : {std::pair{"-42", -42}, {"-+42", -42}, {"42abc", 42}, {"x42", 0}, {" 42", 0}, {"-", 0},
                               {"99999999999999999999", 2147483647}}) {  // no overflow
        EXPECT_EQ(ParseInteger(text), value) << text;
    }
}

}  // namespace
}  // namespace vsp
