#include <gtest/gtest.h>

#include <cmath>

#include "settings/MagnitudeLimits.h"

namespace vsp {
namespace {

// 5 log10(D cm) + 7.5 on whole centimetres (under 1 cm counts as 1), cut to one decimal.
TEST(TelescopeLimit, WholeCentimetresTruncatedToOneDecimal) {
    const std::pair<int, float> cases[] = {{203, 14.0f}, {209, 14.0f}, {90, 12.2f}, {50, 10.9f}, {762, 16.9f}, {5, 7.5f}};
    for (const auto& [mm, limit] : cases) EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(mm), limit) << mm;
}

// A dark, moonless night at a good mountain site at solar minimum, looking straight up.
NakedEyeConditions DarkSite() {
    return {.sunAltitude = -40, .sunSeparation = 130, .moonAltitude = -30, .year = 1996, .month = 3,
            .latitude = 32, .elevation = 2000, .temperature = 0, .humidity = 20};
}

double Limit(const NakedEyeConditions& c) { return ComputeNakedEyeModel(c).limit; }

// The limit falls step by step as one condition worsens through `values`.
template <class T>
void ExpectFalling(T NakedEyeConditions::*field, std::initializer_list<T> values) {
    double previous = 100;
    for (T v : values) {
        NakedEyeConditions c = DarkSite();
        c.*field = v;
        EXPECT_LT(Limit(c), previous) << v;
        previous = Limit(c);
    }
}

TEST(NakedEyeLimit, DarkZenithIsAboutSixAndAHalf) {
    const NakedEyeModel m = ComputeNakedEyeModel(DarkSite());
    // The dark night sky near 21.9 V mag per square arcsecond is 50-70 nanolamberts
    // (B = 34.08 exp(20.7233 - 0.92104 V), Krisciunas & Schaefer 1991).
    EXPECT_NEAR((20.7233 - std::log(m.skyBrightness / 34.08)) / 0.92104, 21.9, 0.3);
    // A high dry site has V extinction well under the sea-level 0.2-0.3.
    EXPECT_NEAR(m.extinctionCoefficient, 0.15, 0.05);
    EXPECT_NEAR(m.extinction, m.extinctionCoefficient, 0.02);  // one air mass
    EXPECT_NEAR(m.limit, 6.5, 0.25);
    EXPECT_FLOAT_EQ(NakedEyeLimitingMagnitude(DarkSite()), float(m.limit));
    NakedEyeConditions superb = DarkSite();  // capped at seven
    superb.elevation = 4500, superb.snellenRatio = 2.0;
    ASSERT_GT(Limit(superb), 7.0);
    EXPECT_FLOAT_EQ(NakedEyeLimitingMagnitude(superb), 7.0f);
}

TEST(NakedEyeLimit, EachWorseConditionCosts) {
    ExpectFalling(&NakedEyeConditions::targetAltitude, {90.0, 60.0, 30.0, 15.0, 5.0, 0.0});
    ExpectFalling(&NakedEyeConditions::humidity, {0.0, 20.0, 50.0, 80.0, 95.0});
    ExpectFalling(&NakedEyeConditions::extraSkyBrightness, {0.0, 100.0, 1000.0, 30000.0});
    ExpectFalling(&NakedEyeConditions::elevation, {2000.0, 0.0});
    ExpectFalling(&NakedEyeConditions::experience, {2, 1, 0});
    ExpectFalling(&NakedEyeConditions::ageYears, {23.0, 50.0, 85.0});
    // Sun altitude through twilight (its separation follows it).
    double previous = 100;
    for (double sun : {-30.0, -18.0, -12.0, -6.0, 40.0}) {
        NakedEyeConditions c = DarkSite();
        c.sunAltitude = sun, c.sunSeparation = 90 - sun;
        EXPECT_LE(Limit(c), previous) << sun;
        previous = Limit(c);
        if (sun == -6.0) {
            EXPECT_LT(previous, 4.0);  // civil twilight leaves only bright stars
        }
    }
    EXPECT_LT(previous, -2.0);  // daylight: only Venus-like objects remain
}

TEST(NakedEyeLimit, MoonlightAndTheObserver) {
    const double dark = Limit(DarkSite());
    NakedEyeConditions full = DarkSite();
    full.moonAltitude = 45, full.moonPhaseAngle = 0, full.moonSeparation = 45;
    // A full-Moon sky is a few thousand nanolamberts: stars to about magnitude 4.
    EXPECT_GT(ComputeNakedEyeModel(full).skyBrightness, 1000.0);
    EXPECT_NEAR(Limit(full), 3.9, 0.9);
    NakedEyeConditions quarter = full, nearer = full, set = full, sharp = DarkSite(), young = DarkSite();
    quarter.moonPhaseAngle = 90, nearer.moonSeparation = 10, set.moonAltitude = -5;
    sharp.snellenRatio = 1.5, young.ageYears = 15;
    EXPECT_LT(Limit(full), Limit(quarter));
    EXPECT_LT(Limit(quarter), dark);
    EXPECT_LT(Limit(nearer), Limit(full));
    EXPECT_DOUBLE_EQ(Limit(set), dark);
    // Acuity scales the threshold by 1/SN^2: 5 log10(1.5) magnitudes; youth gains nothing.
    EXPECT_NEAR(Limit(sharp) - dark, 5 * std::log10(1.5), 1e-9);
    EXPECT_DOUBLE_EQ(Limit(young), dark);
}

}  // namespace
}  // namespace vsp
