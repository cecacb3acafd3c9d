#pragma once
// The numbers every ephemeris computation shares: angle units, the J2000 epoch, the lengths of
// the Julian year and century, the IAU 1976 sizes of the Earth and the astronomical unit, and
// the mean obliquity of the ecliptic. Nothing else in the program spells these numbers again
// (scripts/check-constants fails the build when one does).

#include <numbers>

namespace vsp {

// Angle units (exact definitions).
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;                 // radians per turn
inline constexpr double kDegToRad = std::numbers::pi / 180.0;            // radians per degree
inline constexpr double kRadToDeg = 180.0 / std::numbers::pi;            // degrees per radian
inline constexpr double kHoursToRad = std::numbers::pi / 12.0;           // radians per hour of RA
inline constexpr double kRadToHours = 12.0 / std::numbers::pi;           // hours of RA per radian
inline constexpr double kArcsecToRad = std::numbers::pi / 648000.0;      // radians per arcsecond
inline constexpr double kArcsecPerRadian = 648000.0 / std::numbers::pi;  // 206264.806..."

// Time scales: the epoch J2000.0 (2000 January 1, 12h TT) as a Julian Date, and the Julian
// year and century in days (IAU 1976; Explanatory Supplement to the Astronomical Almanac,
// 1992, ch. 2).
inline constexpr double kJ2000Jd = 2451545.0;
inline constexpr double kDaysPerJulianYear = 365.25;
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kDaysPerJulianMillennium = 365250.0;

// IAU 1976 system of astronomical constants (Explanatory Supplement 1992, table 15.3), the
// values the series of Meeus, Astronomical Algorithms (2nd ed., Willmann-Bell 1998) take.
inline constexpr double kKmPerAu = 149597870.0;          // astronomical unit, km
inline constexpr double kEarthRadiusKm = 6378.14;        // equatorial radius, km
inline constexpr double kEarthRadiusM = 6378140.0;       // equatorial radius, m
inline constexpr double kEarthPolarRatio = 0.99664719;   // polar / equatorial radius, 1 - f

// The mean obliquity of the ecliptic at J2000.0 (IAU 1976) and its polynomial in Julian
// centuries T of TT from J2000 (J. H. Lieske et al., A&A 58, 1 (1977); Meeus eq. 22.2; ERFA
// obl80), arcseconds. The true obliquity adds the nutation in obliquity (EarthTilt has both).
inline constexpr double kJ2000ObliquityArcsec = 84381.448;
constexpr double MeanObliquityArcsec(double T) {
    return kJ2000ObliquityArcsec + ((0.001813 * T - 0.00059) * T - 46.815) * T;
}

// The Gaussian gravitational constant k (IAU 1976): the Sun's GM is k^2 in AU^3/day^2, and a
// body of negligible mass at a AU has the mean motion k / a^1.5 radians per day.
inline constexpr double kGaussianConstant = 0.01720209895;

// The constant of annual aberration, 20.4898" (Meeus ch. 25) in degrees, for a body 1 AU away.
inline constexpr double kAberrationDegAtUnitDistance = 0.005691611111111111;

}  // namespace vsp
