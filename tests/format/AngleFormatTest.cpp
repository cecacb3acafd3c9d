// The text forms of hours and angles, byte for byte, with their roundings and carries.

#include <iterator>
#include <tuple>

#include <gtest/gtest.h>

#include "format/AngleFormat.h"

namespace vsp {
namespace {

constexpr int32_t kUnit = kFixedUnitsPerDegree;

double Hours(int h, int m, int s) { return h + m / 60.0 + s / 3600.0; }

TEST(HMSToStr, FourFormsReducedRoundedAndCarried) {
    const std::pair<double, int> inputs[] = {
        {23.75, 0}, {23.75, 1}, {23.75, 2}, {23.75, 3}, {23.9999, 1}, {-1.5, 1}, {25.5, 1}, {-24.25, 2},
        {Hours(5, 6, 7) + 0.49 / 3600, 1}, {Hours(5, 6, 7) + 0.51 / 3600, 1}, {Hours(5, 59, 59) + 0.6 / 3600, 2},
        // Code 3 adds 5 s before the tenth of a minute is cut: 54 s is .9, 55 s carries.
        {Hours(12, 0, 54), 3}, {Hours(12, 0, 55), 3}, {Hours(23, 59, 55), 3}};
    const char* expected[] = {"23.7500", "23:45:00", "23h45m00", "23h45.0", "00:00:00", "22:30:00", "01:30:00",
                              "23h45m00", "05:06:07", "05:06:08", "06h00m00", "12h00.9", "12h01.0", "00h00.0"};
    for (size_t i = 0; i < std::size(inputs); ++i) {
        EXPECT_EQ(HMSToStr(inputs[i].first, inputs[i].second, nullptr), expected[i]) << inputs[i].first;
    }
}

// The 50 units round a value just short of a second up to it; code 3 cuts the tenth of a minute.
// An unknown code gives the default form and is reported (HMSToStr's report is checked through
// the format command).
TEST(HmsFixToStr, FourFormsFromFixedPointHours) {
    const int32_t n = 23 * kUnit + 45 * kUnit / 60;  // 23h45m
    const std::tuple<int32_t, int, const char*> cases[] = {
        {n, 0, "23.750"}, {n, 1, "23:45:00"}, {n, 3, "23h45.0"}, {12 * kUnit - 10, 1, "12:00:00"},
        {12 * kUnit - 200, 1, "11:59:58"}, {6 * kUnit / 60 + 30 * kUnit / 3600, 3, "00h06.5"}, {n, 7, "23h45m00"}};
    RecordingInfoSink sink;
    for (const auto& [value, code, text] : cases) EXPECT_EQ(HmsFixToStr(value, code, &sink), text) << value;
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].first, "HmsFixToStr Unknown hour format.");
}

// Another code is the colon form, without a message; half an arcsecond rounds and carries.
TEST(DmsToStr, FourFormsRoundedAndCarried) {
    const std::tuple<double, int, const char*> cases[] = {
        {-70.75, 1, "-70:45:00"}, {-70.75, 2, "-70\xB0" "45'00"}, {-70.75, 0, "-70.7500"}, {5.5 + 33 / 3600.0, 3, "05\xB0" "30.5"},
        {-0.5, 1, "-00:30:00"}, {-70.75, 9, "-70:45:00"}, {10 + 12 / 60.0 + 13.51 / 3600, 1, "10:12:14"},
        {10.99999, 2, "11\xB0" "00'00"}, {-10.99999, 1, "-11:00:00"}, {359.9999, 1, "00:00:00"}, {123.5, 1, "123:30:00"}};
    for (const auto& [value, code, text] : cases) EXPECT_EQ(DmsToStr(value, code), text) << value << " " << code;
    EXPECT_EQ(DmsToStr(-70.75, TextFormats{}), "-70\xB0" "45'00");  // the default angle format is 2
}

// Code 3 adds 5 s: 55 s carries into the minute.
TEST(DmsFixToStr, FourFormsFromFixedPointDegrees) {
    const int32_t n = -(70 * kUnit + 45 * kUnit / 60), m = kUnit * 3 + 55 * kUnit / 3600;  // -70°45', 3°0'55"
    const std::tuple<int32_t, int, const char*> cases[] = {{n, 0, "-70.750"}, {n, 3, "-70\xB0" "45.0"}, {n, 8, "-70:45:00"},
                                                           {m, 3, "03\xB0" "01.0"}, {m, 1, "03:00:55"}, {360 * kUnit, 1, "00:00:00"}};
    for (const auto& [value, code, text] : cases) EXPECT_EQ(DmsFixToStr(value, code), text) << value << " " << code;
}

// DegToHmsStr truncates its seconds (0.9998 s is not rounded up); an exact half of FormatFixed
// goes away from zero.
TEST(DegToHmsStrAndFormatFixed, TruncatedSecondsAndHalvesRoundedUp) {
    for (auto [degrees, text] : {std::pair{354.375, "23:37:30"}, {375.0, "01:00:00"}, {0.004166, "00:00:00"},
                                 {15.25 + 0.999 / 240, "01:01:00"}}) {
        EXPECT_EQ(DegToHmsStr(degrees), text) << degrees;
    }
    for (auto [value, digits, text] : {std::tuple{1.99996, 4, "2.0000"}, {-1.99996, 4, "-2.0000"}, {2.25, 1, "2.3"},
                                       {-2.25, 1, "-2.3"}, {3.14159265, -1, "3.141593"}, {3.14159265, 7, "3.14159265"}}) {
        EXPECT_EQ(FormatFixed(value, digits), text) << value;
    }
}

}  // namespace
}  // namespace vsp
