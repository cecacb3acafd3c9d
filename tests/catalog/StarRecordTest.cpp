// Decoding the star records and entries, against values worked out by hand from the unit
// (2^-24 radian) and the published positions of a few bright stars.

#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarAngle.h"
#include "catalog/StarEntry.h"
#include "catalog/StarRecord.h"

namespace vsp {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(StarAngle, UnitsAreTwoToTheMinus24Radian) {
    EXPECT_NEAR(kAngleUnitsPerHour, 16777216.0 * std::numbers::pi / 12.0, 1e-6);
    EXPECT_NEAR(kAngleUnitsPerDegree, 16777216.0 * std::numbers::pi / 180.0, 1e-7);
    EXPECT_EQ(AngleFromHours(24.0), 105414357);  // a full turn, 2^24 x 2 pi = 105414357.1
    EXPECT_EQ(AngleFromDegrees(-1.0), -292817);  // truncated towards zero
    EXPECT_NEAR(AngleToHours(105414357), 24.0, 1e-6);
    EXPECT_NEAR(AngleToDegrees(-26353589), -90.0, 1e-5);
}

TEST(StarRecord, DecodesFileFloatsToTruncatedUnits) {
    // Vega, HR 7001.
    const std::string bytes = test::DefaultStarBytes(7001, 18.615649f, 38.78369f, 0, 0, 40);
    StarRecord star;
    ASSERT_EQ(StarRecordDecode(Bytes(bytes), bytes.size(), star), 1);
    EXPECT_EQ(star.number, 7001);
    EXPECT_EQ(star.ra, 81764858);   // 18.61564826965332 (the float) x 4392264.877774095
    EXPECT_EQ(star.dec, 11356549);  // 38.78369140625 x 292817.65851827303
    EXPECT_EQ(star.hidden, 0);      // cleared whatever the file holds
    EXPECT_EQ(star.extra[0], 40);
    EXPECT_EQ(star.extra[15], 55);

    const std::string sirius = test::DefaultStarBytes(2491, 6.752481f, -16.716116f, 0, 0);
    ASSERT_EQ(StarRecordDecode(Bytes(sirius), sirius.size(), star), 1);
    EXPECT_EQ(star.dec, -4894773);  // truncated towards zero, not down
}

TEST(StarRecord, MagnitudeColourAndIdFields) {
    const std::string bytes = test::DefaultStarBytes(0x12345, 1.0f, 2.0f, 0xFFF0, -3);
    StarRecord star;
    ASSERT_EQ(StarRecordDecode(Bytes(bytes), bytes.size(), star), 1);
    EXPECT_EQ(star.magnitude, 0xFFF0);  // unsigned
    EXPECT_EQ(star.colour, -3);
    EXPECT_EQ(StarRecordId(star), 0x2345);
    EXPECT_EQ(StarSizeClass(88), 5);
    EXPECT_EQ(StarSizeClass(95), 5);
    EXPECT_EQ(StarSizeClass(96), 6);
}

TEST(StarRecord, ShortRecordIsRefusedAndLeavesTheOutputAlone) {
    const std::string bytes = test::DefaultStarBytes(5, 1.0f, 2.0f, 16, 0);
    StarRecord star;
    star.number = 99;
    EXPECT_EQ(StarRecordDecode(Bytes(bytes), 43, star), 0);
    EXPECT_EQ(star.number, 99);
    EXPECT_EQ(StarRecordDecode(nullptr, 44, star), 0);
}

TEST(StarEntry, DecodesBytesByTheIntegerProducts) {
    // Sirius at 6h45m09s -16d42'58": each byte x K / 128 rounded down, summed.
    const std::string bytes = test::EntryBytes({32349, 6, 45, 9, -16, -42, -58, 0, 0});
    StarEntry entry;
    ASSERT_EQ(StarEntryDecode(Bytes(bytes), bytes.size(), entry), 1);
    EXPECT_EQ(entry.number, 32349);
    EXPECT_EQ(StarEntryRa(entry), 26353589 + 3294198 + 10980);
    EXPECT_EQ(StarEntryDec(entry), -4685083 - 204973 - 4718);
    // Each of the three parts is rounded down: within three units of the exact angle.
    EXPECT_NEAR(StarEntryRa(entry), (6 + 45 / 60.0 + 9 / 3600.0) * kAngleUnitsPerHour, 3.0);
    EXPECT_NEAR(StarEntryDec(entry), -(16 + 42 / 60.0 + 58 / 3600.0) * kAngleUnitsPerDegree, 3.0);
    EXPECT_EQ(StarEntryRaMinutes(entry), 405);
}

TEST(StarEntry, ExtremesOfTheSky) {
    StarEntry entry;
    const std::string pole = test::EntryBytes({1, 23, 59, 59, 90, 0, 0, 0, 0});
    ASSERT_EQ(StarEntryDecode(Bytes(pole), pole.size(), entry), 1);
    EXPECT_EQ(StarEntryDec(entry), 26353589);  // 90 x 37480660 / 128 = 26353589.06
    EXPECT_EQ(StarEntryRa(entry), 105413136);
    const std::string south = test::EntryBytes({1, 0, 0, 0, -90, 0, 0, 0, 0});
    ASSERT_EQ(StarEntryDecode(Bytes(south), south.size(), entry), 1);
    EXPECT_EQ(StarEntryDec(entry), -26353590);
}

TEST(StarEntry, ToRecordKeepsTheIdAndWidensMagnitudeAndColour) {
    const std::string bytes = test::EntryBytes({4660 * 100000 + 1234, 1, 2, 3, 4, 5, 6, 250, -7});
    StarEntry entry;
    ASSERT_EQ(StarEntryDecode(Bytes(bytes), bytes.size(), entry), 1);
    EXPECT_EQ(entry.number, 466001234);
    EXPECT_EQ(entry.magnitude, 250);  // unsigned byte
    EXPECT_EQ(entry.colour, -7);
    StarRecord star;
    star.extra[3] = 9;
    star.screenX = 12;
    StarEntryToRecord(entry, star);
    EXPECT_EQ(star.number, 466001234 & 0xFFFF);
    EXPECT_EQ(star.magnitude, 250);
    EXPECT_EQ(star.colour, -7);
    EXPECT_EQ(star.extra[3], 9);  // only the first 16 bytes' fields change
    EXPECT_EQ(star.screenX, 12);

    StarEntry untouched;
    untouched.number = 5;
    EXPECT_EQ(StarEntryDecode(Bytes(bytes), 11, untouched), 0);
    EXPECT_EQ(untouched.number, 5);
}

TEST(StarColourClass, BoundariesOfTheSevenClasses) {
    const int cases[][2] = {{-128, 0}, {-4, 0}, {-3, 1}, {-1, 1}, {0, 2}, {2, 2}, {3, 3},
                            {5, 3},    {6, 4},  {7, 4},  {8, 5},  {13, 5}, {14, 6}, {127, 6}};
    for (const auto& c : cases) EXPECT_EQ(StarColourClass(c[0]), c[1]) << "colour " << c[0];
}

}  // namespace
}  // namespace vsp
