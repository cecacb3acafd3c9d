// Push-to guidance on setting circles that read the true azimuth and altitude: the target
// through the alignment against the fixture's spherical trigonometry, and the short way round.

#include <gtest/gtest.h>

#include <cmath>

#include "scope/EncoderGuidance.h"
#include "support/EphemerisCsv.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;

AlignStar StarOf(const CsvRow& row) {
    return {1, row.Text("star"), row.Number("clock_deg"), row.Number("ra_deg"), row.Number("dec_deg"),
            row.Number("az_deg"), row.Number("alt_deg")};
}

TEST(EncoderGuidance, TargetThroughTheAlignmentAndTheDeltasTheShortWayRound) {
    const auto table = test::bodies::ReadEphemerisCsv("../scope/encoder_guidance.csv");
    const std::vector<CsvRow>& rows = table->rows;  // the two alignment stars first
    Alignment alignment;
    RecordingInfoSink sink;
    ASSERT_TRUE(alignment.ComputeAlignment({.outputType = 2, .encoderDrive = true}, rows.at(0).Text("reference"),
                                           StarOf(rows.at(0)), StarOf(rows.at(1)), sink));
    EXPECT_FALSE(GuideToTarget({}, EncoderTarget{}, alignment, 0, 0));  // no target

    for (size_t i = 2; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        const EncoderReading reading{.azimuth = row.Number("reading_az_deg"), .altitude = row.Number("reading_alt_deg")};
        const EncoderTarget target{row.Number("ra_deg") / 15, row.Number("dec_deg")};
        for (const int method : {0, 1}) {
            SCOPED_TRACE(row.Text("star") + " method " + std::to_string(method));
            const auto g = GuideToTarget(reading, target, alignment, method, row.Number("clock_deg"));
            ASSERT_TRUE(g);
            EXPECT_NEAR(std::remainder(g->targetAzimuth - row.Number("az_deg"), 360.0), 0.0, 0.01);
            EXPECT_NEAR(g->targetAltitude, row.Number("alt_deg"), 0.01);
            EXPECT_NEAR(g->deltaAzimuth, row.Number("delta_az_deg"), 0.01);
            EXPECT_NEAR(g->deltaAltitude, row.Number("delta_alt_deg"), 0.01);
        }
    }
    alignment.ResetAlignment();
    EXPECT_FALSE(GuideToTarget({}, {1.0, 20.0}, alignment, 0, 0));
}

}  // namespace
}  // namespace vsp
