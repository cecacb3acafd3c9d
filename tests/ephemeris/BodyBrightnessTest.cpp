// Magnitudes, phases, Saturn's rings and apparent diameters at their edge cases.

#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/ApparentDiameter.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/PlanetMagnitude.h"

namespace vsp {
namespace {

constexpr double kDeg = M_PI / 180.0;

TEST(ApparentDiameter, KnownSizes) {
    EXPECT_NEAR(ApparentDiameter(kBodySun, 1.0), 31.99, 0.005);
    EXPECT_NEAR(ApparentDiameter(kBodyJupiter, 4.2), 0.78, 0.005);
    // Halving the distance doubles the size.
    EXPECT_NEAR(ApparentDiameter(kBodyMars, 0.5), 2.0 * ApparentDiameter(kBodyMars, 1.0), 1e-12);
    EXPECT_EQ(ApparentDiameter(kBodyEarth, 1.0), 0.0);
    EXPECT_EQ(ApparentDiameter(kBodyEclipseSun, 1.0), 0.0);
    EXPECT_EQ(ApparentDiameter(-1, 1.0), 0.0);
    EXPECT_EQ(ApparentDiameter(kBodySun, 0.0), 0.0);
}

TEST(PlanetMagnitude, OppositionIsFullAndOppositeTheSun) {
    // Mars at its 2003 opposition (R 1.0103, r 1.3811, distance 0.3728): about -2.9.
    PlanetPhase phase;
    ASSERT_EQ(PlanetMagnitude(kBodyMars, 0.3728, 1.0103, 1.3811, phase), kEphemerisOk);
    EXPECT_GT(phase.elongation, 170.0);
    EXPECT_GT(phase.illuminatedFraction, 0.995);
    EXPECT_NEAR(phase.magnitude, -2.9, 0.1);
    // An exactly collinear Jupiter, where rounding can push the cosines past -1.
    const double R = 0.9833, r = 5.2034;
    ASSERT_EQ(PlanetMagnitude(kBodyJupiter, r - R, R, r, phase), kEphemerisOk);
    EXPECT_FALSE(std::isnan(phase.elongation));
    EXPECT_NEAR(phase.elongation, 180.0, 1e-4);
    EXPECT_NEAR(phase.illuminatedFraction, 1.0, 1e-9);
    EXPECT_NEAR(phase.magnitude, -9.40 + 5.0 * std::log10(r * (r - R)), 1e-6);
}

TEST(PlanetMagnitude, VenusAtInferiorConjunctionIsNew) {
    const double R = 0.9840, r = 0.7233;
    PlanetPhase phase;
    ASSERT_EQ(PlanetMagnitude(kBodyVenus, R - r, R, r, phase), kEphemerisOk);
    EXPECT_NEAR(phase.illuminatedFraction, 0.0, 1e-9);
    EXPECT_NEAR(phase.phaseAngle, 180.0, 1e-4);
    EXPECT_NEAR(phase.elongation, 0.0, 1e-3);
    // The phase law is used past its fitted range here; it must still give a number.
    EXPECT_TRUE(std::isfinite(phase.magnitude));
    EXPECT_GT(phase.magnitude, -5.0);
    EXPECT_LT(phase.magnitude, 0.0);
    // At greatest elongation (phase angle 90 degrees): half lit, about -4.4.
    PlanetPhase quarter;
    PlanetMagnitude(kBodyVenus, std::sqrt(R * R - r * r), R, r, quarter);
    EXPECT_NEAR(quarter.illuminatedFraction, 0.5, 1e-9);
    EXPECT_NEAR(quarter.elongation, 47.3, 0.1);
    EXPECT_NEAR(quarter.magnitude, -4.4, 0.1);
}

TEST(PlanetMagnitude, BodiesWithoutAFormulaKeepTheirGeometry) {
    PlanetPhase phase;
    EXPECT_EQ(PlanetMagnitude(kBodyEarth, 1.0, 1.0, 1.0, phase), kEphemerisUnknownBody);
    EXPECT_EQ(phase.magnitude, 0.0);
    EXPECT_NEAR(phase.elongation, 60.0, 1e-9);
    // The Moon's phase angle is the supplement of its elongation.
    ASSERT_EQ(PlanetMagnitude(kBodyMoon, 0.00257, 1.0, 1.0, phase), kEphemerisOk);
    EXPECT_NEAR(phase.phaseAngle, 180.0 - phase.elongation, 1e-9);
}

TEST(SaturnRings, TermVanishesEdgeOnAndPeaksWideOpen) {
    EXPECT_EQ(SaturnRingMagnitude(0.0), 0.0);
    EXPECT_NEAR(SaturnRingMagnitude(27.0 * kDeg), -0.93, 0.005);
    EXPECT_NEAR(SaturnRingMagnitude(-27.0 * kDeg), SaturnRingMagnitude(27.0 * kDeg), 1e-15);
    // The tilt never exceeds the rings' inclination to the ecliptic (28.06 degrees) for a
    // Saturn on the ecliptic, and is zero on the line of nodes.
    const double node = 169.51 + 3.82e-5 * 1000.0;
    EXPECT_NEAR(SaturnRingTilt(1000.0, node, 0.0), 0.0, 1e-12);
    EXPECT_NEAR(SaturnRingTilt(1000.0, node + 90.0, 0.0), -28.06 * kDeg, 1e-12);
}

TEST(SaturnRings, DayNumberCountsFromTheEndOf1999) {
    EXPECT_EQ(SaturnRingDayNumber(1999, 12, 31, 0, 0, 0), 0.0);
    EXPECT_EQ(SaturnRingDayNumber(2000, 1, 1, 12, 0, 0), 1.5);
    EXPECT_EQ(SaturnRingDayNumber(2000, 3, 1, 0, 0, 0), 61.0);  // 2000 is a leap year
    EXPECT_NEAR(SaturnRingDayNumber(2024, 7, 4, 6, 30, 36), 8952.0 + 23436.0 / 86400.0, 1e-9);
}

}  // namespace
}  // namespace vsp
