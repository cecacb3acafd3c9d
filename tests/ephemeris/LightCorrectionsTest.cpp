// Light deflection by the Sun and aberration against their closed-form textbook values.

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/LightCorrections.h"

namespace vsp {
namespace {

constexpr double kRadToArcsec = 206264.80624709636;

double AngleBetween(const Vec3& a, const Vec3& b) {
    const Vec3 c{{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}};
    return std::atan2(Length(c), Dot(a, b));
}

// A star far away at elongation psi (radians) from the Sun, seen from 1 AU.
Vec3 StarAtElongation(double psi) {
    return 1e9 * Vec3{{-std::cos(psi), std::sin(psi), 0.0}};
}

TEST(LightCorrections, SunDeflectionFollowsTheCotangentLaw) {
    const Vec3 observer{{1.0, 0.0, 0.0}};  // about the Sun, so the Sun is at -x
    const Vec3 sunDirection{{-1.0, 0.0, 0.0}};
    // 2GM/(c^2 AU) = 0.00407" at 90 degrees from the Sun.
    Vec3 star = StarAtElongation(M_PI / 2);
    Vec3 bent = SunDeflection(star, observer);
    EXPECT_NEAR(AngleBetween(star, bent) * kRadToArcsec, 0.00407, 0.00001);
    EXPECT_GT(AngleBetween(bent, sunDirection), AngleBetween(star, sunDirection));  // pushed outwards
    EXPECT_NEAR(Length(bent), Length(star), 1e-6 * Length(star));
    // At the solar limb (959.63") the classical 1.75".
    const double limb = 959.63 / kRadToArcsec;
    star = StarAtElongation(limb);
    bent = SunDeflection(star, observer);
    EXPECT_NEAR(AngleBetween(star, bent) * kRadToArcsec, 1.75, 0.005);
    // Opposite the Sun nothing bends.
    star = StarAtElongation(M_PI);
    EXPECT_LT(AngleBetween(star, SunDeflection(star, observer)) * kRadToArcsec, 1e-9);
}

TEST(LightCorrections, SunDeflectionStaysFiniteBehindTheSun) {
    const Vec3 observer{{1.0, 0.0, 0.0}};
    const Vec3 body{{-2.0, 0.0, 0.0}};  // exactly behind the Sun's centre
    const Vec3 bent = SunDeflection(body, observer);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::isfinite(bent[i]));
}

TEST(LightCorrections, AberrationIsTheRelativisticOne) {
    const double speed = 0.0172;  // AU/day, about the Earth's 29.8 km/s
    const double beta = speed * kLightDaysPerAu;
    const Vec3 velocity{{speed, 0.0, 0.0}};
    for (double theta : {0.3, M_PI / 6, M_PI / 2, 2.0, 3.0}) {
        const Vec3 star = 1e8 * Vec3{{std::cos(theta), std::sin(theta), 0.0}};
        const Vec3 seen = Aberration(star, velocity, 0.0);
        // cos(theta') = (cos(theta) + beta) / (1 + beta cos(theta)): towards the apex.
        const double expected = std::acos((std::cos(theta) + beta) / (1.0 + beta * std::cos(theta)));
        EXPECT_NEAR(AngleBetween(seen, velocity), expected, 1e-12) << theta;
        EXPECT_NEAR(seen[2], 0.0, 1e-6);
    }
    // 20.5" across the line of motion.
    const Vec3 star{{0.0, 1e8, 0.0}};
    EXPECT_NEAR(AngleBetween(star, Aberration(star, velocity, 0.0)) * kRadToArcsec, 20.49, 0.02);
    // A given light time is used as the body's distance over c.
    const Vec3 nearBody{{0.0, 2.0, 0.0}};
    const Vec3 a = Aberration(nearBody, velocity, 2.0 * kLightDaysPerAu);
    const Vec3 b = Aberration(nearBody, velocity, 0.0);
    for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(a[i], b[i]);
}

}  // namespace
}  // namespace vsp
