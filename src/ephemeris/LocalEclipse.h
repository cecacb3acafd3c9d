#pragma once
// An eclipse as the settings' observer sees it.
//
// Solar: the Sun and the Moon are the apparent geocentric places of the program's series (VSOP87
// Sun, the long lunar theory), true equator and equinox of date, made topocentric by taking
// away the observer's geocentric vector (the Earth's figure, the height); their semi-diameters
// are those of the topocentric distances. The partial contacts C1 and C4 are where the centres'
// separation equals the sum of the semi-diameters, the central ones C2 and C3 (only where the
// eclipse is total or annular here) where it equals their difference; the maximum is the least
// separation. Every instant is found to half a second. Magnitude: the part of the Sun's
// diameter covered, (sum - separation) / Sun's diameter, at the maximum; obscuration: the part
// of the Sun's disc covered (the overlap of two circles). Measured against astronomy-engine's
// local eclipses of 2026 and 2027 in Spain, Iceland, England and Egypt with the same ΔT: the
// contacts within 4.3 s, magnitude and obscuration within 0.0015.
//
// Lunar: the contacts the eclipse search gives (Meeus ch. 54), with the Moon's place at each.
//
// Altitude and azimuth at each contact: the body's centre, topocentric and refracted for the
// site's temperature and pressure, as the program shows altitudes elsewhere. A contact that
// happens with the body below the horizon is kept, with its negative altitude. Instants are JD
// in UT, with ΔT of the eclipse's date.

#include <array>
#include <vector>

#include "ephemeris/Eclipses.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/LunarPhase.h"

namespace vsp {

struct EclipseContactHere {
    double jd;        // NaN when the contact does not happen here (HasContact)
    double altitude;  // degrees
    double azimuth;   // degrees from north through east
};

struct LocalSolarEclipse {
    bool eclipsed = false;  // the Moon covers part of the Sun here, above the horizon or not
    bool visible = false;   // some part of it happens with the Sun above the horizon
    EclipseContactHere c1{}, c2{}, max{}, c3{}, c4{};
    double magnitude = 0.0, obscuration = 0.0;  // at the maximum; 0 when not eclipsed
};

// The eclipse whose greatest phase (anywhere on the Earth) is at greatestJdUt.
LocalSolarEclipse LocalSolarCircumstances(double greatestJdUt, const EphemerisSettings& settings);

// P1, U1, U2, greatest, U3, U4, P4.
inline constexpr int kLunarContactCount = 7;
inline constexpr const char* kLunarContactNames[kLunarContactCount] = {"P1", "U1", "U2", "max",
                                                                        "U3", "U4", "P4"};

struct LocalLunarEclipse {
    // The Moon above the horizon for some part of the umbral phase (of the penumbral one when
    // the Moon does not reach the umbra).
    bool visible = false;
    std::array<EclipseContactHere, kLunarContactCount> contacts{};
};

LocalLunarEclipse LocalLunarCircumstances(const LunarEclipseDetails& details, const EphemerisSettings& settings);

// Either kind as the lists show it: the contacts in time order under their names (C1, C2, max,
// C3, C4; or P1, U1, U2, max, U3, U4, P4), each with its key among c1..c4 and max (a lunar
// eclipse's U1..U4 are c1..c4; P1 and P4 have none); the magnitude at the maximum (lunar: the
// umbral one, the penumbral one when the Moon misses the umbra) and the obscuration (NaN for
// the Moon, and both NaN for a solar eclipse that does not reach the site).
struct NamedEclipseContact {
    const char* name;
    const char* key;  // nullptr when the contact has none
    EclipseContactHere at;
};
struct LocalEclipse {
    bool visible = false;
    double magnitude = 0.0, obscuration = 0.0;
    std::vector<NamedEclipseContact> contacts;
};
LocalEclipse LocalEclipseAt(const EclipseEntry& entry, const EclipseCircumstances& circumstances,
                            const EphemerisSettings& settings);

}  // namespace vsp
