// The emulated receiver's pace and its rounding of the place (gpsd reads its sentences in
// tests/indi).

#include <gtest/gtest.h>

#include "scope/GpsEmulator.h"

namespace vsp {
namespace {

TEST(GpsEmulator, SendsOnePairEachSecondAndCarriesRoundedMinutes) {
    constexpr double kInstant = 1700000000;  // 2023-11-14 22:13:20 UTC
    GpsEmulator gps({-33.856784, -70.669312, 520.4}, "GN");
    EXPECT_NE(gps.Advance(kInstant + 0.25).find("$GNGGA,221320.00,3351.40704,S,07040.15872,W"), std::string::npos);
    EXPECT_EQ(gps.Advance(kInstant + 0.9), "");
    EXPECT_NE(gps.Advance(kInstant + 1).find("$GNRMC,221321.00,A,"), std::string::npos);
    // Minutes that round up to a whole degree carry into it; a tiny longitude keeps its digits.
    EXPECT_EQ(GpsEmulator({45.99999999, 0.000001, 0}).Advance(0).substr(0, 43),
              "$GPGGA,000000.00,4600.00000,N,00000.00006,E");
}

}  // namespace
}  // namespace vsp
