#pragma once
// The constants of the satellite models: WGS-72 as Spacetrack Report No. 3 uses it, and the
// figures of the low-precision Sun and the shadow test. The distance unit of the models is the
// Earth's equatorial radius and their time unit the minute.

namespace vsp::sat {

inline constexpr double kEarthRadiusKm = 6378.135;
// sqrt(GM) in Earth radii^1.5 per minute, GM = 398600.8 km³/s².
inline constexpr double kKe = 0.07436691613317341;
inline constexpr double kK2 = 5.413079e-4;            // J2 / 2
inline constexpr double kA3OverK2 = 0.004690140306468833;  // -J3 / k2
inline constexpr double kK4 = 6.209887e-7;            // -3/8 J4
inline constexpr double kMinutesPerDay = 1440.0;
inline constexpr double kKmPerMinuteToKmPerSecond = kEarthRadiusKm / 60.0;  // 106.30225
inline constexpr double kEarthEccentricitySquared = 0.006694379990141316;
inline constexpr double kEarthRotationRadPerSecond = 7.292115e-5;
inline constexpr double kSunRadiusKm = 696000.0;
inline constexpr double kKmPerAu = 149597870.691;
// Below this eccentricity the models' terms of order e divided by e are left out.
inline constexpr double kSmallEccentricity = 1.0e-4;
inline constexpr double kKeplerTolerance = 1.0e-6;
inline constexpr int kKeplerIterations = 10;
// The deep-space branch's Sun and Moon: mean motions (radians per minute) and eccentricities of
// their mean orbits, and the Earth's rotation (radians per minute).
inline constexpr double kSunMeanMotion = 1.19459e-5;
inline constexpr double kMoonMeanMotion = 1.5835218e-4;
inline constexpr double kSunEccentricity = 0.01675;
inline constexpr double kMoonEccentricity = 0.05490;
inline constexpr double kEarthRotationRadPerMinute = 4.37526908801129966e-3;

}  // namespace vsp::sat
