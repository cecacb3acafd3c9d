#pragma once
// One instant as the ephemeris takes it: its Julian Date in Universal Time, which turns with
// the Earth (sidereal time, the observer's place, the clock), and in Terrestrial Time, the
// uniform time the theories of the bodies run on, with the ΔT = TT - UT that joins them. Every
// body theory's entry point takes an Instant and reads the argument it is written in (Julian
// centuries or millennia of TT from J2000, days of UT); no caller converts for it.
//
// A Julian Date in a double resolves 40 µs; the three fields are kept as they were formed, so
// that a theory reading one of them never sees the other re-derived through ΔT.

#include "ephemeris/Constants.h"

namespace vsp {

inline constexpr double kSecondsPerDay = 86400.0;

struct Instant {
    double ut = kJ2000Jd;  // Julian Date, UT
    double tt = kJ2000Jd;  // Julian Ephemeris Date (JDE), TT
    double deltaT = 0.0;   // TT - UT, seconds

    static Instant FromUt(double jdUt, double deltaTSeconds) {
        return {jdUt, jdUt + deltaTSeconds / kSecondsPerDay, deltaTSeconds};
    }
    static Instant FromTt(double jde, double deltaTSeconds) {
        return {jde - deltaTSeconds / kSecondsPerDay, jde, deltaTSeconds};
    }

    double CenturiesTt() const { return (tt - kJ2000Jd) / kDaysPerJulianCentury; }
    double MillenniaTt() const { return (tt - kJ2000Jd) / kDaysPerJulianMillennium; }
    double CenturiesUt() const { return (ut - kJ2000Jd) / kDaysPerJulianCentury; }

    // The instant `days` later (earlier when negative), with the same ΔT: a light-time step.
    Instant Later(double days) const { return {ut + days, tt + days, deltaT}; }
};

}  // namespace vsp
