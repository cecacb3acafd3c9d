#pragma once
// Which constellation holds a position: the boundaries are drawn along the meridians and
// parallels of the equinox 1875.0, so the position is precessed there and looked up in the
// published boundary table.

namespace vsp {

// The equinox of the boundaries (B1875.0).
inline constexpr double kBoundaryEquinoxJd = 2405889.25855;

// Right ascension in hours and declination in degrees referred to the mean equator and
// equinox of `equinoxJd` (TT). The row of the constellation table, or -1 when no boundary
// row holds the position.
int ConstellationOfPosition(double raHours, double decDeg, double equinoxJd);

// The same for a position already referred to 1875.0: RA in seconds of time, Dec in
// arcseconds.
int ConstellationOfPosition1875(double raSeconds, double decArcsec);

// The Julian Date of a Julian epoch year (2000.0 = J2000).
double JulianEpochToJd(double year);

}  // namespace vsp
