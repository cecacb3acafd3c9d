#pragma once
// How a note's values read in OpenAstronomyLog terms, one way and back: the target kinds of
// the object types, OAL seeing (1 best .. 5 worst) and deep-sky ratings (1 conspicuous .. 7
// not seen, 99 not rated) against the notes' three-step scales, the filter kinds, and the
// line that carries what the format has no element for.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/ObserverLogRecord.h"

namespace vsp {

// "oal:deepSkyGX", "oal:PlanetTargetType", ... for a row of the object type table (the Sun
// and the Moon known by their names); empty for the rows no kind fits (constellations,
// meteor showers, satellites), written as plain targets.
std::string OalTargetKind(int32_t typeRow, std::string_view objectName);
// The type row a target kind stands for ("deepSkyGX" or "oal:deepSkyGX" -> Galaxy); 0 for
// a kind not listed.
int32_t TypeRowOfOalKind(std::string_view kind);
// Deep-sky kinds take a deep-sky result (with its rating) and visMag; stars apparentMag.
bool IsDeepSkyKind(std::string_view kind);
bool IsStarKind(std::string_view kind);

int OalSeeing(int32_t seeing);          // 0 Poor, 1 Good, 2 Excellent -> 5, 3, 1
int32_t SeeingOfOal(long oalSeeing);    // 1..2 Excellent, 3 Good, else Poor
int OalRating(int32_t detection);       // 0 Difficult, 1 Easy, 2 Evident -> 4, 2, 1
int32_t DetectionOfRating(long rating); // 1 Evident, 2..3 Easy, else Difficult

// The filter kind a filter's name suggests ("O-III", "H-beta", "narrow band", ...; "other").
std::string_view OalFilterKind(std::string_view filterName);

inline constexpr std::string_view kOalConditionsPrefix = "Vespertar: ";
// "Vespertar: transparency=Good; impression=Bright; detection=Easy; moon=45%; sun=-18deg;
// type=GALXY; magnitude=8.4".
std::string OalConditionsLine(const ObserverLogRecord& note);
// Sets the fields such a line names; false when `line` is not one.
bool ReadOalConditionsLine(std::string_view line, ObserverLogRecord& note);

}  // namespace vsp
