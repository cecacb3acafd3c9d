#pragma once
// The instants of the Moon's principal phases (Meeus, Astronomical Algorithms, chapter 49) and,
// at new and full moon, whether there is an eclipse and its circumstances (chapter 54).
// Measured: phases within 40 s of PyEphem over 300 instants 1900-2100; against
// astronomy-engine 2.1.19 every eclipse of 2000-2100 found (458), 457 of the same type,
// greatest eclipse within 1.37 min.
//
// A phase is addressed by a lunation number and a phase code added to it. The lunation number
// is kept by the caller: a counter of 0 means "not yet set", and the first call derives it
// from the date and stores it, so a caller steps on by changing the phase code and moving the
// counter itself.

#include <cstdint>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"

namespace vsp {

// Phase codes.
inline constexpr double kPhaseNew = 0.0;
inline constexpr double kPhaseFirstQuarter = 0.25;
inline constexpr double kPhaseFull = 0.5;
inline constexpr double kPhaseLastQuarter = 0.75;

// Eclipse types, as the eclipse list stores them.
inline constexpr int kEclipseNone = -1;
inline constexpr int kEclipsePenumbral = 1;
inline constexpr int kEclipsePartial = 2;
inline constexpr int kEclipseAnnular = 3;
inline constexpr int kEclipseTotal = 4;
// The names of the types, 10-byte strings indexed by the type (row 0 is empty).
inline constexpr char kEclipseTypeNames[5][10] = {"", "Penumbral", "Partial", "Annular", "Total"};
// The name of a type; "" for kEclipseNone or anything out of the table.
const char* EclipseTypeName(int type);

// Flags of LunarPhase.
inline constexpr unsigned kLunarPhaseEclipse = 1;  // test the new or full moon for an eclipse

// A lunar eclipse in detail. Contacts are JD (UT); a contact whose phase does not happen (its
// semi-duration would be the root of a negative number) is NaN. Radii are in Earth radii on the
// fundamental plane.
struct LunarEclipseDetails {
    double p1, u1, u2, greatest, u3, u4, p4;
    double umbralMagnitude, penumbralMagnitude;
    double penumbralRadius, umbralRadius;
    double gamma, u;
};
static_assert(sizeof(LunarEclipseDetails) == 13 * sizeof(double));
bool HasContact(double contactJd);

struct LunarPhaseResult {
    // The phase's instant; with kLunarPhaseEclipse at a new or full moon that may hold an
    // eclipse (|sin F| <= 0.36), the instant of greatest eclipse instead.
    double jde = 0;
    double jd = 0;          // the same in UT
    CalendarDateTime ut;    // the calendar of jd
    // With kLunarPhaseEclipse: the type (kEclipseNone when there is none), and the least
    // distance gamma of the shadow axis from the Earth's centre and the umbral radius u on the
    // fundamental plane (Earth radii; 0 when the Moon is too far from its node to compute them).
    int eclipseType = kEclipseNone;
    double gamma = 0, u = 0;
};

// The phase `phaseCode` (0, 0.25, 0.5, 0.75) of the lunation `lunation`; a lunation of 0 is
// first derived from the date and stored. ΔT is that of the phase's own date. With
// kLunarPhaseEclipse and phase 0 (solar) or 0.5 (lunar) the eclipse is tested, and for a full
// moon `details`, when given, receives the lunar eclipse's details (all contacts NaN when the
// Moon is too far from its node). Returns the eclipse type with the flag (kEclipseNone for a
// quarter), else 0.
int LunarPhase(double phaseCode, int32_t& lunation, int year, int month, int day, unsigned flags,
               const EphemerisSettings& settings, LunarPhaseResult& out,
               LunarEclipseDetails* details = nullptr);
// The same for a lunation already known. Lunation 0 (the new moon of 2000 January 6) is a
// lunation like any other here; as a counter it would mean "not yet set", so a caller that
// steps through the lunations calls this one.
int LunarPhaseOf(double phaseCode, int32_t lunation, unsigned flags, const EphemerisSettings& settings,
                 LunarPhaseResult& out, LunarEclipseDetails* details = nullptr);

// The lunation a counter of 0 starts from: (decimal year - 2000) x 12.3685 rounded half up, so
// that a date before 2000 takes the lunation below, not the one nearer zero.
int32_t LunationFromDate(int year, int month, int day);

}  // namespace vsp
