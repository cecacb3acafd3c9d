// The small spherical functions, against worked examples of Meeus' Astronomical Algorithms
// and geometric facts.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(Spherical, WrapHourAngleKeepsTheAngleWithinHalfADay) {
    EXPECT_DOUBLE_EQ(WrapHourAngle(13.0), -11.0);
    EXPECT_DOUBLE_EQ(WrapHourAngle(-12.5), 11.5);
    EXPECT_DOUBLE_EQ(WrapHourAngle(12.0), 12.0);
    EXPECT_DOUBLE_EQ(WrapHourAngle(-12.0), -12.0);
    EXPECT_DOUBLE_EQ(WrapHourAngle(49.0), 1.0);
    EXPECT_DOUBLE_EQ(WrapHourAngle(-37.0), 11.0);
}

TEST(Spherical, AzimuthRunsFromNorthThroughEast) {
    const double lat = 45.0;
    // On the meridian south of the zenith: hour angle 0, declination below the latitude.
    EXPECT_NEAR(Azimuth(5.0, 5.0, 10.0, lat), 180.0, 1e-9);
    EXPECT_NEAR(Altitude(5.0, 5.0, 10.0, lat), 55.0, 1e-9);
    // North of the zenith on the meridian.
    EXPECT_NEAR(Azimuth(5.0, 5.0, 60.0, lat), 0.0, 1e-9);
    // The celestial equator rises due east at hour angle -6 h, on the horizon.
    EXPECT_NEAR(Azimuth(0.0, 6.0, 0.0, lat), 90.0, 1e-9);
    EXPECT_NEAR(Altitude(0.0, 6.0, 0.0, lat), 0.0, 1e-9);
    EXPECT_NEAR(Azimuth(0.0, 18.0, 0.0, lat), 270.0, 1e-9);
    // Always in [0, 360).
    for (double ha = -12.0; ha <= 12.0; ha += 0.25) {
        const double a = Azimuth(ha, 0.0, -20.0, lat);
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 360.0);
    }
}

TEST(Spherical, AltitudeAndAzimuthOfVenusFromWashington) {
    // Meeus example 13.b: Venus from the U.S. Naval Observatory, 1987 April 10, 19:21 UT,
    // local hour angle 64.352133 degrees. Meeus counts the azimuth from the south (68.0337),
    // here it is from the north.
    const double ra = 347.3193375 / 15.0, dec = -6.719892;
    const double lst = ra + 64.352133 / 15.0;
    const double lat = 38.0 + 55.0 / 60.0 + 17.0 / 3600.0;
    EXPECT_NEAR(Altitude(lst, ra, dec, lat), 15.1249, 1e-4);
    EXPECT_NEAR(Azimuth(lst, ra, dec, lat), 68.0337 + 180.0, 1e-4);
}

TEST(Spherical, PolarAngleCoversTheFullTurn) {
    EXPECT_DOUBLE_EQ(PolarAngle(0.0, 1.0), 3.14159265358979 / 2.0);
    EXPECT_DOUBLE_EQ(PolarAngle(0.0, -1.0), 3.0 * 3.14159265358979 / 2.0);
    EXPECT_DOUBLE_EQ(PolarAngle(0.0, 0.0), 0.0);
    EXPECT_NEAR(PolarAngle(1.0, 1.0), std::numbers::pi / 4.0, 1e-13);
    EXPECT_NEAR(PolarAngle(-1.0, 1.0), 3.0 * std::numbers::pi / 4.0, 1e-13);
    EXPECT_NEAR(PolarAngle(-1.0, -1.0), 5.0 * std::numbers::pi / 4.0, 1e-13);
    EXPECT_NEAR(PolarAngle(1.0, -1.0), 7.0 * std::numbers::pi / 4.0, 1e-13);
    EXPECT_NEAR(PolarAngle(-2.0, 0.0), std::numbers::pi, 1e-13);
}

TEST(Spherical, AngularSeparationSmallAndLarge) {
    // 1" in declination: the flat formula, 4.848e-6 rad.
    const double oneArcsec = 1.0 / 3600.0;
    EXPECT_NEAR(AngularSeparation(3.0, 20.0, 3.0, 20.0 + oneArcsec), 4.84813681e-6, 1e-13);
    // 1" of arc along a parallel at declination 60 degrees: 2" of right ascension.
    EXPECT_NEAR(AngularSeparation(3.0, 60.0, 3.0 + 2.0 * oneArcsec / 15.0, 60.0), 4.84813681e-6,
                1e-11);
    EXPECT_DOUBLE_EQ(AngularSeparation(7.0, -30.0, 7.0, -30.0), 0.0);
    // Meeus example 17.a: Arcturus and Spica, 32.7930 degrees.
    EXPECT_NEAR(AngularSeparation(213.9154 / 15.0, 19.1825, 201.2983 / 15.0, -11.1614) / kDeg,
                32.7930, 1e-4);
    // Opposite points: the cosine is -1 and must not leave acos' domain.
    EXPECT_NEAR(AngularSeparation(0.0, 23.0, 12.0, -23.0), std::numbers::pi, 1e-7);
    EXPECT_FALSE(std::isnan(AngularSeparation(1.0, 90.0, 13.0, 90.0)));
}

TEST(Spherical, MeanObliquityAndEclipticCoordinates) {
    // Meeus example 22.a: 1987 April 10, 0h TD: 23 deg 26' 27.407".
    const double T = (2446895.5 - 2451545.0) / 36525.0;
    EXPECT_NEAR(MeanObliquity(T), 23.0 + 26.0 / 60.0 + 27.407 / 3600.0, 0.001 / 3600.0);
    // Meeus example 13.a: Pollux.
    double lambda = 0.0, beta = 0.0;
    EquatorialToEcliptic(116.328942 * kDeg, 28.026183 * kDeg, 23.4392911 * kDeg, lambda, beta);
    EXPECT_NEAR(lambda, 113.215630, 1e-6);
    EXPECT_NEAR(beta, 6.684170, 1e-6);
    // Just west of the equinox the longitude is near 360, never negative.
    EquatorialToEcliptic(-0.001, 0.0, 23.44 * kDeg, lambda, beta);
    EXPECT_GT(lambda, 359.9);
    EXPECT_LT(lambda, 360.0);
}

}  // namespace
}  // namespace vsp
