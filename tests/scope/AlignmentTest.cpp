// The two-star alignment against synthetic mounts whose frames the fixture script rotated
// itself (tests/data/scope/README.md), its refusals, the record layout and the restore.

#include <gtest/gtest.h>

#include <map>

#include "ephemeris/Constants.h"
#include "format/AngleParse.h"
#include "scope/TwoStarAlignment.h"
#include "support/EphemerisCsv.h"

namespace vsp {
namespace {

using test::SeparationArcsec;
using test::bodies::CsvRow;
using Lines = std::vector<std::pair<std::string, std::string>>;

// The fixture's sky turns with ERFA's mean sidereal time, ours at one fixed rate; over the few
// hours a case spans they part by less than 0.001".
constexpr double kArcsec = 0.005;

struct CheckStar {
    AlignStar star;
    std::optional<double> resetClockDeg;  // the platform goes back to its start first
};

struct MountCase {
    AlignmentFrame frame;
    bool platform = false;
    TwoStarRecords records;
    std::vector<CheckStar> checks;
};

std::map<std::string, MountCase> ReadMountCases() {
    std::map<std::string, MountCase> cases;
    const auto table = test::bodies::ReadEphemerisCsv("../scope/alignment.csv");
    for (const CsvRow& row : table->rows) {
        MountCase& c = cases[row.Text("case")];
        c.frame = {int32_t(row.Number("output_type")), row.Number("encoder_drive") != 0};
        c.platform = row.Number("platform") != 0;
        c.records.referenceTime = row.Text("reference");
        const AlignStar star{1, row.Text("star"), row.Number("clock_deg"), row.Number("ra_deg"),
                             row.Number("dec_deg"), row.Number("axis1_deg"), row.Number("axis2_deg")};
        const std::string role = row.Text("role");
        if (role == "align1") c.records.star1 = star;
        if (role == "align2") c.records.star2 = star;
        if (role != "check") continue;
        c.checks.push_back({star, std::nullopt});
        if (row.Has("reset_clock_deg")) c.checks.back().resetClockDeg = row.Number("reset_clock_deg");
    }
    return cases;
}

// The reading gives back the star, the star its reading, and a goto sends that reading.
void ExpectConverts(const Alignment& alignment, const AlignmentFrame& frame, const AlignStar& star) {
    SCOPED_TRACE(star.name);
    const auto sky = alignment.MountToSky(star.clockDeg, star.axis1Deg, star.axis2Deg);
    ASSERT_TRUE(sky);
    EXPECT_LT(SeparationArcsec(sky->raHours, sky->decDegrees, star.raDeg / 15, star.decDeg), kArcsec);
    AlignStar predicted = star;
    ASSERT_TRUE(alignment.SkyToMount(predicted));
    EXPECT_LT(SeparationArcsec(predicted.predictedAxis1 * kRadToDeg / 15, predicted.predictedAxis2 * kRadToDeg,
                               star.axis1Deg / 15, star.axis2Deg), kArcsec);
    if (frame.encoderDrive) return;  // setting circles are guided, not sent
    const auto mount = alignment.GotoMountPosition(star.clockDeg, star.raDeg / 15, star.decDeg);
    ASSERT_TRUE(mount);
    EXPECT_LT(SeparationArcsec(mount->raHours, mount->decDegrees, star.axis1Deg / 15, star.axis2Deg), kArcsec);
}

TEST(AlignmentTest, SyntheticMountsGiveBackTheirStarsAndReadings) {
    for (const auto& [name, c] : ReadMountCases()) {
        SCOPED_TRACE(name);
        Alignment alignment, restored;
        SavedAlignment saved;
        TwoStarRecords restoredRecords;
        RecordingInfoSink messages;
        alignment.SetPlatformMode(c.platform);
        ASSERT_TRUE(AlignTwoStars(c.frame, c.records, 2461000.5, alignment, saved, messages));
        // The restore takes star 1's time as the origin of the sky's turn; a platform's reset
        // counts from the origin it was aligned with, so the platform is left out.
        ASSERT_TRUE(AlignmentRestore().Accept(c.frame, saved, restoredRecords, restored, messages));
        EXPECT_NEAR(ParseHoursAsDegrees(restoredRecords.referenceTime), c.records.star1.clockDeg, 1 / 240.0);
        for (const CheckStar& check : c.checks) {
            if (check.resetClockDeg) {
                EXPECT_TRUE(alignment.ResetPlatform(*check.resetClockDeg, messages));
            }
            ExpectConverts(alignment, c.frame, check.star);
            if (!c.platform) ExpectConverts(restored, c.frame, check.star);
        }
        EXPECT_TRUE(messages.messages.empty());
    }
}

TEST(AlignmentTest, RefusalsAreReported) {
    const AlignmentFrame altaz{1, false};
    Alignment alignment;
    SavedAlignment saved;
    RecordingInfoSink sameReadings, sameStar, noPlatform, nothingSaved;
    // Two readings the same way (two empty ones too) make no frame; nor one star met twice.
    TwoStarRecords records{"20:00:00", {7, "", 300, 100, 20, 30, 40}, {7, "", 305, 150, 10, 30, 40}};
    EXPECT_FALSE(AlignTwoStars(altaz, records, 2461000.5, alignment, saved, sameReadings));
    records.star2 = {7, "", 300, 100, 20, 80, 10};
    EXPECT_FALSE(AlignTwoStars(altaz, records, 2461000.5, alignment, saved, sameStar));
    EXPECT_FALSE(alignment.MountToSky(300, 30, 40));
    EXPECT_EQ(saved.julianDate, 0.0);
    const std::pair<std::string, std::string> failed{"Fail to compute align matrix", "Please verify inputs."};
    EXPECT_EQ(sameReadings.messages, (Lines{{"Please, fill all values", ""}, failed}));
    EXPECT_EQ(sameStar.messages, Lines{failed});
    EXPECT_FALSE(alignment.ResetPlatform(300, noPlatform));
    EXPECT_EQ(noPlatform.messages, (Lines{{"ResetPlatform", "PlatFormMode is not activated."}}));
    EXPECT_FALSE(AlignmentRestore().Accept(altaz, saved, records, alignment, nothingSaved));
    EXPECT_EQ(nothingSaved.messages,
              (Lines{{"Please, fill all values", ""}, {failed.first, "Please redo 2 star alignment."}}));
}

TEST(AlignStarTest, RecordMatchesAnIndependentPackingAndFormTextsAreRead) {
    test::bodies::ForEachRow("../scope/align_star_record.csv", {"name"}, [](const CsvRow& row) {
        const std::string hex = row.Text("bytes");
        ASSERT_EQ(hex.size(), 2u * kAlignStarRecordSize);
        AlignStarBytes bytes;
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = uint8_t(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
        const AlignStar star = DecodeAlignStar(bytes);
        EXPECT_EQ(star.starIndex, row.Number("star_index"));
        EXPECT_EQ(star.name, row.Text("name"));
        EXPECT_EQ(star.decDeg, row.Number("dec_deg"));
        EXPECT_EQ(star.measuredAxis1Deg, row.Number("measured_axis1_deg"));
        EXPECT_EQ(star.correctedAxis2Deg, row.Number("corrected_axis2_deg"));
        EXPECT_EQ(EncodeAlignStar(star), bytes);
    });
    // Times and RA are hours; axis 1 is hours for an EQ mount, degrees of azimuth otherwise.
    AlignStar star;
    ReadAlignStarTexts({"21:05:30", "13:25:12", "-11:09:41", "8:13:00", "21:26:10"}, 0, star);
    EXPECT_EQ(std::vector({star.clockDeg, star.raDeg, star.axis1Deg}), std::vector({316.375, 201.3, 123.25}));
    ReadAlignStarTexts({"21:05:30", "13:25:12", "-11:09:41", "123:15:00", "21:26:10"}, 1, star);
    EXPECT_EQ(star.axis1Deg, 123.25);
}

TEST(TwoStarAlignmentTest, RestoreIsOfferedForHalfADay) {
    SavedAlignment saved{.julianDate = 2461000.5, .zeroOffsetAz = 12, .zeroOffsetAlt = -3};
    AlignmentRestore fresh, stale;
    EXPECT_EQ(fresh.Check(saved, saved.julianDate + 11 / 24.0, true), RestoreOffer::Nothing);
    EXPECT_EQ(fresh.Check(saved, saved.julianDate + 11 / 24.0, false), RestoreOffer::Offer);
    EXPECT_EQ(stale.Check(saved, saved.julianDate + 13 / 24.0, false), RestoreOffer::TooOld);
    EXPECT_EQ(stale.Check(saved, saved.julianDate + 11 / 24.0, false), RestoreOffer::Nothing);
    fresh.Decline(saved);
    EXPECT_EQ(saved, SavedAlignment());
    EXPECT_EQ(fresh.Check(saved, 0.1, false), RestoreOffer::Nothing);
}

}  // namespace
}  // namespace vsp
