#pragma once
// Flares: sunlight thrown to the observer by one of the three flat antennas of an Iridium-type
// satellite, how close the reflected ray comes to the observer, when it comes closest, and
// how bright that looks.

#include <string_view>

#include "satellites/Brent.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr double kFlareMirrorTiltDeg = -40.0;
inline constexpr double kFlareMaxCoarseAngleDeg = 10.0;
inline constexpr double kFlareMaxAngleDeg = 1.5;
inline constexpr double kFlareMaxAnglePreciseDeg = 1.0;

// The flaring satellites, the first-generation Iridium constellation, were retired in 2019:
// what the flare lists say beside their results (the short one where a line is narrow).
inline constexpr std::string_view kIridiumRetiredNote =
    "The first-generation Iridium satellites that made these flares were retired in 2019; element sets from "
    "before then still give flares.";
inline constexpr std::string_view kIridiumRetiredShortNote = "Iridium flares ended in 2019";

// The smallest angle (radians) between the Sun's ray reflected by any of the three antennas and
// the direction from the satellite to the observer, at `jdUt`. The satellite by SGP4, the Sun
// by the precise solar theory (geocentric, apparent), ΔT in seconds.
double FlareAngle(double jdUt, double deltaTSeconds, const SatelliteObserver& observer, SatelliteElements& elements);

// Magnitude of a flare seen `angleDeg` off the reflected ray (angles below 0.047 count as 0.047).
int FlareMagnitude(double angleDeg);

struct FlareInstant {
    double jdUt = 0.0;
    double angleDeg = 0.0;
};

// The flare of a pass that rises at `riseJd`: the angle function (radians) minimised from two
// minutes before the rise to fifteen after, then within a minute of that minimum and, when
// `precise`, within ten seconds of it again. False when the angle never comes within 10
// degrees, or ends above 1.5 degrees (1.0 when precise).
bool FindFlare(const ScalarFunction& angleRad, double riseJd, bool precise, FlareInstant& flare);

}  // namespace vsp
