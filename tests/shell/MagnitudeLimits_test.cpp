#include <gtest/gtest.h>

#include <cmath>

#include "shell/MagnitudeLimits.h"

namespace vsp {
namespace {

TEST(TelescopeLimit, WholeCentimetresAndTruncatedToOneDecimal) {
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(203), 14.0f);  // 20 cm: 14.005
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(209), 14.0f);  // still 20 cm
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(90), 12.2f);   // 9 cm: 12.271
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(50), 10.9f);   // 5 cm: 10.995, not rounded up
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(100), 12.5f);  // 10 cm exactly
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(762), 16.9f);  // 76 cm: 16.904
    EXPECT_FLOAT_EQ(TelescopeLimitingMagnitude(5), 7.5f);     // under 1 cm counts as 1 cm
}

TEST(TelescopeLimit, ApertureAndFocalLengthFromThePreferences) {
    Preferences p;
    p.diameter = 10;
    EXPECT_EQ(TelescopeApertureMm(p), 203);
    p.diameter = 0;
    EXPECT_EQ(TelescopeApertureMm(p), 50);
    p.diameter = 19;  // "Other"
    p.diameterOther = 406;
    EXPECT_EQ(TelescopeApertureMm(p), 406);
    p.fRatio = 0;     // "4"
    EXPECT_DOUBLE_EQ(TelescopeFocalLengthMm(p), 1624.0);
    p.fRatio = 12;    // "Other"
    p.fRatioOther = 4.5f;
    EXPECT_DOUBLE_EQ(TelescopeFocalLengthMm(p), 1827.0);
}

// A dark, moonless night at a good mountain site, looking straight up.
NakedEyeConditions DarkSite() {
    NakedEyeConditions c;
    c.targetAltitude = 90;
    c.sunAltitude = -40;
    c.sunSeparation = 130;
    c.moonAltitude = -30;
    c.year = 1996;  // solar minimum
    c.month = 3;
    c.latitude = 32;
    c.elevation = 2000;
    c.temperature = 0;
    c.humidity = 20;
    c.snellenRatio = 1.0;
    c.ageYears = 23;
    c.experience = 2;
    return c;
}

TEST(NakedEyeLimit, DarkZenithIsAboutSixAndAHalf) {
    const NakedEyeModel m = ComputeNakedEyeModel(DarkSite());
    // The dark night sky near 21.9 V mag per square arcsecond is 50-70 nanolamberts
    // (B = 34.08 exp(20.7233 - 0.92104 V), Krisciunas & Schaefer 1991).
    const double vMagPerArcsec2 = (20.7233 - std::log(m.skyBrightness / 34.08)) / 0.92104;
    EXPECT_NEAR(vMagPerArcsec2, 21.9, 0.3);
    // A high dry site has V extinction well under the sea-level 0.2-0.3.
    EXPECT_GT(m.extinctionCoefficient, 0.1);
    EXPECT_LT(m.extinctionCoefficient, 0.2);
    EXPECT_NEAR(m.extinction, m.extinctionCoefficient, 0.02);  // one air mass
    EXPECT_NEAR(m.limit, 6.5, 0.25);
}

TEST(NakedEyeLimit, SeaLevelHumidNightIsBrighterThanTheMountain) {
    NakedEyeConditions c = DarkSite();
    c.elevation = 0;
    c.humidity = 70;
    c.temperature = 20;
    const NakedEyeModel m = ComputeNakedEyeModel(c);
    EXPECT_GT(m.extinctionCoefficient, 0.25);
    EXPECT_LT(m.limit, ComputeNakedEyeModel(DarkSite()).limit - 0.1);
}

TEST(NakedEyeLimit, MoonlightBrightensTheLimit) {
    const double dark = ComputeNakedEyeModel(DarkSite()).limit;
    NakedEyeConditions full = DarkSite();
    full.moonAltitude = 45;
    full.moonPhaseAngle = 0;
    full.moonSeparation = 45;
    const NakedEyeModel fullModel = ComputeNakedEyeModel(full);
    // A full-Moon sky is a few thousand nanolamberts: stars to about magnitude 4.
    EXPECT_GT(fullModel.skyBrightness, 1000.0);
    EXPECT_LT(fullModel.limit, 4.8);
    EXPECT_GT(fullModel.limit, 3.0);

    NakedEyeConditions quarter = full;
    quarter.moonPhaseAngle = 90;
    NakedEyeConditions nearer = full;
    nearer.moonSeparation = 10;
    NakedEyeConditions set = full;
    set.moonAltitude = -5;
    const double q = ComputeNakedEyeModel(quarter).limit;
    EXPECT_GT(q, fullModel.limit);
    EXPECT_LT(q, dark);
    EXPECT_LT(ComputeNakedEyeModel(nearer).limit, fullModel.limit);
    EXPECT_DOUBLE_EQ(ComputeNakedEyeModel(set).limit, dark);
}

TEST(NakedEyeLimit, TwilightAndDaylight) {
    double previous = 100;
    for (double sun : {-30.0, -18.0, -15.0, -12.0, -9.0, -6.0, -3.0}) {
        NakedEyeConditions c = DarkSite();
        c.sunAltitude = sun;
        c.sunSeparation = 90 - sun;
        const double limit = ComputeNakedEyeModel(c).limit;
        EXPECT_LE(limit, previous) << sun;
        previous = limit;
    }
    NakedEyeConditions civil = DarkSite();
    civil.sunAltitude = -6;
    civil.sunSeparation = 96;
    // The end of civil twilight leaves only the bright stars.
    EXPECT_LT(ComputeNakedEyeModel(civil).limit, 4.0);
    EXPECT_LT(ComputeNakedEyeModel(civil).limit, ComputeNakedEyeModel(DarkSite()).limit - 2.5);
    NakedEyeConditions day = DarkSite();
    day.sunAltitude = 40;
    day.sunSeparation = 50;
    EXPECT_LT(ComputeNakedEyeModel(day).limit, -2.0);  // only Venus-like objects remain
}

TEST(NakedEyeLimit, LowerAltitudeAndDampAirAndLightPollutionEachCost) {
    double previous = 100;
    for (double alt : {90.0, 60.0, 30.0, 15.0, 5.0, 0.0}) {
        NakedEyeConditions c = DarkSite();
        c.targetAltitude = alt;
        const double limit = ComputeNakedEyeModel(c).limit;
        EXPECT_LT(limit, previous) << alt;
        previous = limit;
    }
    previous = 100;
    for (double rh : {0.0, 20.0, 50.0, 80.0, 95.0}) {
        NakedEyeConditions c = DarkSite();
        c.humidity = rh;
        const double limit = ComputeNakedEyeModel(c).limit;
        EXPECT_LT(limit, previous) << rh;
        previous = limit;
    }
    previous = 100;
    for (double city : {0.0, 100.0, 1000.0, 3000.0, 30000.0}) {
        NakedEyeConditions c = DarkSite();
        c.extraSkyBrightness = city;
        const double limit = ComputeNakedEyeModel(c).limit;
        EXPECT_LT(limit, previous) << city;
        previous = limit;
    }
}

TEST(NakedEyeLimit, ObserverAcuityAgeAndExperience) {
    const double base = ComputeNakedEyeModel(DarkSite()).limit;
    NakedEyeConditions sharp = DarkSite();
    sharp.snellenRatio = 1.5;
    // Acuity scales the threshold by 1/SN^2: 5 log10(1.5) magnitudes.
    EXPECT_NEAR(ComputeNakedEyeModel(sharp).limit - base, 5 * std::log10(1.5), 1e-9);

    NakedEyeConditions old = DarkSite();
    old.ageYears = 85;
    NakedEyeConditions young = DarkSite();
    young.ageYears = 15;
    EXPECT_LT(ComputeNakedEyeModel(old).limit, base - 0.4);
    EXPECT_DOUBLE_EQ(ComputeNakedEyeModel(young).limit, base);

    NakedEyeConditions beginner = DarkSite();
    beginner.experience = 0;
    NakedEyeConditions hobby = DarkSite();
    hobby.experience = 1;
    EXPECT_LT(ComputeNakedEyeModel(beginner).limit, ComputeNakedEyeModel(hobby).limit);
    EXPECT_LT(ComputeNakedEyeModel(hobby).limit, base);
}

TEST(NakedEyeLimit, CappedAtSeven) {
    NakedEyeConditions superb = DarkSite();
    superb.elevation = 4500;
    superb.humidity = 5;
    superb.snellenRatio = 2.0;
    ASSERT_GT(ComputeNakedEyeModel(superb).limit, 7.0);
    EXPECT_FLOAT_EQ(NakedEyeLimitingMagnitude(superb), 7.0f);
    const NakedEyeConditions dark = DarkSite();
    EXPECT_FLOAT_EQ(NakedEyeLimitingMagnitude(dark), float(ComputeNakedEyeModel(dark).limit));
}

TEST(NakedEyeLimit, ObserverFromThePreferences) {
    Preferences p;
    p.site.latitude = -23.5f;
    p.site.elevation = 1800;
    p.site.temperature = 5;
    p.site.humidity = 30;
    p.vision = 0;      // "2/10"
    p.age = 8;         // ">95"
    p.experience = 0;
    NakedEyeConditions c;
    c.targetAltitude = 33;
    SetObserverConditions(p, c);
    EXPECT_DOUBLE_EQ(c.latitude, -23.5);
    EXPECT_DOUBLE_EQ(c.elevation, 1800);
    EXPECT_DOUBLE_EQ(c.humidity, 30);
    EXPECT_DOUBLE_EQ(c.snellenRatio, 0.2);
    EXPECT_DOUBLE_EQ(c.ageYears, 95);
    EXPECT_EQ(c.experience, 0);
    EXPECT_DOUBLE_EQ(c.targetAltitude, 33);  // the sky part is left alone
    p.vision = 10;     // "12/10"
    SetObserverConditions(p, c);
    EXPECT_DOUBLE_EQ(c.snellenRatio, 1.2);
}

}  // namespace
}  // namespace vsp
