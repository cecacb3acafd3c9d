#pragma once
// The Moon's age, the illuminated fraction that follows from it and the phase picture to show,
// from the classical elements of epoch 1980 January 0.0 (Duffett-Smith, Practical Astronomy
// with your Calculator): quick, and good to a fraction of a degree of age.

namespace vsp {

inline constexpr int kMoonPictureCount = 29;  // one picture per 12.414 degrees of age

// The fraction (1 - cos a)/2 of an age angle a (degrees, any value; reduced into [0, 360)),
// and the picture index trunc(a / 12.414...) in 0..28.
double MoonAgeFraction(double ageDegrees, int& pictureIndex);

// The age angle, degrees in [0, 360): the Moon's true longitude minus the Sun's, at
// D = JD - 2444238.5 days with the JD formed from the date and `hour` plus the zone offset
// (minutes) in hours, as the program has always formed it.
double MoonAgeAngle(int year, int month, int day, double hour, int tzOffsetMinutes);

// Illuminated fraction 0..1 from the age, and the picture index 0..28.
double MoonAge(int year, int month, int day, double hour, int tzOffsetMinutes, int& pictureIndex);

}  // namespace vsp
