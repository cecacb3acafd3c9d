// The pointing corrections against synthetic mounts of the fixture script
// (tests/data/scope/README.md): the external method's terms against numpy's least squares,
// the two-star method's error terms against the mount's own, and the N-star list's refusals.

#include <gtest/gtest.h>

#include <map>

#include "ephemeris/Constants.h"
#include "scope/ErrorTermFit.h"
#include "scope/NStarList.h"
#include "scope/NStarStore.h"
#include "scope/PointingModel.h"
#include "support/EphemerisCsv.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::SeparationArcsec;
using test::bodies::CsvRow;

constexpr double kArcminRad = kDegToRad / 60;

struct Fixture {
    std::map<std::string, std::vector<AlignStar>> stars;
    std::map<std::string, std::vector<double>> truth, numpy;
    std::map<std::string, std::vector<std::pair<double, double>>> trueReadings;
};

Fixture ReadFixture() {
    Fixture f;
    const auto stars = test::bodies::ReadEphemerisCsv("../scope/nstar_stars.csv");
    for (const CsvRow& row : stars->rows) {
        AlignStar star;
        star.axis1Deg = row.Number("axis1_deg");
        star.axis2Deg = row.Number("axis2_deg");
        star.measuredAxis1Deg = row.Number("reading1_deg");
        star.measuredAxis2Deg = row.Number("reading2_deg");
        f.stars[row.Text("case")].push_back(star);
        f.trueReadings[row.Text("case")].emplace_back(row.Number("true1_deg"), row.Number("true2_deg"));
    }
    const auto coefficients = test::bodies::ReadEphemerisCsv("../scope/nstar_coefficients.csv");
    for (const CsvRow& row : coefficients->rows) {
        f.numpy[row.Text("case")].push_back(row.Number("numpy_rad"));
        if (row.Has("true_rad")) f.truth[row.Text("case")].push_back(row.Number("true_rad"));
    }
    return f;
}

TEST(PointingModelTest, TenStarFitsMatchNumpyAndPredictTheMount) {
    Fixture f = ReadFixture();
    for (const char* name : {"eq", "az"}) {
        SCOPED_TRACE(name);
        std::vector<AlignStar>& stars = f.stars[name];
        PointingModel model;
        RecordingInfoSink messages;
        ASSERT_TRUE(FitPointingModel(name == std::string("eq"), stars, model, messages));
        ASSERT_EQ(model.Terms(), 7);
        for (int i = 0; i < 7; ++i) EXPECT_NEAR(model.coefficients[i], f.numpy[name][i], 1e-10) << "term " << i + 1;
        // Ten stars with 30" of noise part the equatorial terms well; on the alt-azimuth mount
        // the offset of axis 1 and the 1/sin alt term trade against each other.
        for (size_t i = 0; name == std::string("eq") && i < 7; ++i)
            EXPECT_NEAR(model.coefficients[i], f.truth[name][i], kArcminRad) << "term " << i + 1;
        for (size_t i = 0; i < stars.size(); ++i) {
            const auto [true1, true2] = f.trueReadings[name][i];
            EXPECT_LT(SeparationArcsec(stars[i].predictedAxis1 / 15, stars[i].predictedAxis2, true1 / 15, true2), 120);
            EXPECT_EQ(stars[i].correctedAxis1Deg, stars[i].predictedAxis1);
        }
        EXPECT_LT(RmsPointingError(stars), 30.0 / 3600);
        EXPECT_TRUE(messages.messages.empty());
    }
}

TEST(PointingModelTest, ThreeStarsFitFourTermsAndNineTermsAreRefused) {
    Fixture f = ReadFixture();
    std::vector<AlignStar> three(f.stars["eq"].begin(), f.stars["eq"].begin() + 3);
    PointingModel model;
    RecordingInfoSink messages;
    ASSERT_TRUE(FitPointingModel(true, three, model, messages));
    ASSERT_EQ(model.Terms(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(model.coefficients[i], f.numpy["eq3"][i], 1e-10) << "term " << i + 1;

    model.coefficients.assign(9, 1e-3);
    double axis1 = 100, axis2 = 20;
    EXPECT_FALSE(ApplyPointingModel(model, true, axis1, axis2, messages));
    EXPECT_EQ(axis1, 100);
    EXPECT_EQ(axis2, 20);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, kTooManyModelTerms);
}

TEST(ErrorTermFitTest, RecoversTheMountsErrorTermsAndItsReadings) {
    const AlignmentFrame frame{1, false};
    TwoStarRecords records;
    std::vector<AlignStar> stars;
    MountErrors truth;
    const auto table = test::bodies::ReadEphemerisCsv("../scope/nstar_terms.csv");
    for (const CsvRow& row : table->rows) {
        AlignStar star{1, row.Text("star"), row.Number("clock_deg"), row.Number("ra_deg"), row.Number("dec_deg"),
                       row.Number("axis1_deg"), row.Number("axis2_deg")};
        star.measuredAxis1Deg = star.axis1Deg;
        star.measuredAxis2Deg = star.axis2Deg;
        records.referenceTime = row.Text("reference");
        truth = {row.Number("z1_rad"), row.Number("z2_rad"), row.Number("z3_rad")};
        if (row.Text("role") == "align1") records.star1 = star;
        if (row.Text("role") == "align2") records.star2 = star;
        if (row.Text("role") == "star") stars.push_back(star);
    }
    Alignment alignment;
    RecordingInfoSink messages;
    const double before = TrialError(alignment, frame, records, stars, messages);
    const ErrorTermResult result = FitErrorTerms(alignment, frame, records, stars, TextFormats{}, messages);
    EXPECT_TRUE(result.message.starts_with("Converge in " + std::to_string(result.iterations) + " iteration\nz0 :"))
        << result.message;
    // The search ends once a step no longer changes the mean error by 1e-8 rad: it finds the
    // zero of altitude, but non-perpendicular axes and collimation, which trade against each
    // other on an alt-azimuth mount, stay some 20' off while the pointing still improves.
    EXPECT_NEAR(alignment.errors.z3, truth.z3, kArcminRad);
    EXPECT_LT(MeanPointingError(alignment, frame, stars), before / 10);
    for (const AlignStar& star : stars)
        EXPECT_LT(SeparationArcsec(star.correctedAxis1Deg / 15, star.correctedAxis2Deg, star.axis1Deg / 15,
                                   star.axis2Deg), 300) << star.name;
    EXPECT_TRUE(messages.messages.empty());
}

TEST(PointingModelTest, ListRefusesTheSamePlaceAndA36thStar) {
    NStarList list;
    RecordingInfoSink messages;
    AlignStar star;
    for (int i = 0; i < 35; ++i) {
        star.raDeg = i * 10.0;
        ASSERT_TRUE(list.Add(star, messages));
    }
    star.raDeg = 355;
    EXPECT_FALSE(list.Add(star, messages));
    ASSERT_TRUE(list.Remove(34, messages));
    star.raDeg = 10.4;
    star.decDeg = 0.9;
    EXPECT_FALSE(list.Add(star, messages));
    star.decDeg = 1.0;
    EXPECT_TRUE(list.Add(star, messages));
    using Lines = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(messages.messages, (Lines{{std::string(kTooManyNStars), ""}, {std::string(kNStarTaken), ""}}));
}

// Runs build one list: what one saves the next loads, models included; a foreign file is refused.
TEST(NStarStoreTest, StateComesBackAndAForeignFileIsRefused) {
    test::TempHome home;
    NStarState state, loaded;
    ASSERT_TRUE(LoadNStars(home.Dir(), loaded));
    EXPECT_EQ(loaded.list.Size(), 0u);
    RecordingInfoSink messages;
    std::vector<AlignStar> stars = ReadFixture().stars["eq"];
    for (AlignStar& star : stars) {
        star.raDeg = star.axis1Deg;
        star.decDeg = star.axis2Deg;
        ASSERT_TRUE(state.list.Add(star, messages));
    }
    state.model.coefficients = {1e-3, -2e-3, 3e-3, 4e-4};
    state.errors = {1e-4, 2e-4, 3e-4, 4e-4, 5e-4};
    ASSERT_TRUE(SaveNStars(home.Dir(), state));
    ASSERT_TRUE(LoadNStars(home.Dir(), loaded));
    EXPECT_EQ(loaded.model.coefficients, state.model.coefficients);
    EXPECT_EQ(loaded.errors.z3, state.errors.z3);
    EXPECT_EQ(loaded.errors.e2, state.errors.e2);
    ASSERT_EQ(loaded.list.Size(), stars.size());
    EXPECT_EQ(loaded.list.Stars()[9].measuredAxis2Deg, stars[9].measuredAxis2Deg);
    home.WriteFile(std::string("usercatalogs/") + kNStarFileName, std::string(16 + 128, 'x'));
    EXPECT_FALSE(LoadNStars(home.Dir(), loaded));
}

}  // namespace
}  // namespace vsp
