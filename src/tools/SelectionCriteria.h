#pragma once
// What the observing planner selects by: seventeen small fields kept for the whole run, each
// written as soon as its popup changes. Index values are the rows of the criteria screen's
// popups; 0 is "No Criteria" throughout.

#include <array>
#include <cstdint>
#include <string_view>

#include "ephemeris/Time.h"

namespace vsp {

struct SelectionCriteria {
    int16_t difficulty = 0;      // 1 "Very Easy" .. 4 "Very Difficult"
    int16_t eyepiece = 0;        // entry N of the eyepiece list is N
    int16_t eyepieceValue = 0;   // the chosen eyepiece's focal length, whole millimetres
    int16_t unused3 = 0;
    int16_t preset4 = 0;         // cleared by the resets
    int16_t preset5 = 0;
    int16_t magnitudeLimit = 0;  // 1 "Eyes Limit", 2 "Scope Limit", 3 "<4" .. 8 "<14"
    int16_t objectType = 0;      // row of the object type table
    int16_t typeGroup = 0;       // group code of the object type table
    int16_t constellation = 0;   // constellation index + 1
    int16_t visibility = 0;      // 1 "Visible", 2 ">15°" .. 9 ">50°", 10 "Not Visible"
    int16_t day = 0, month = 0, year = 0;
    int16_t hour = 0, minute = 0;
    int16_t catalog = 0;         // row of the catalog table
};

inline constexpr int kDifficultyRows = 5;
inline constexpr int kMagnitudeLimitRows = 9;
inline constexpr int kVisibilityRows = 11;
inline constexpr int16_t kVisibilityNotVisible = 10;

// The popups' texts by index, in the device code page (degree sign 0xB0).
extern const std::array<std::string_view, kDifficultyRows> kDifficultyTexts;
extern const std::array<std::string_view, kMagnitudeLimitRows> kMagnitudeLimitTexts;
extern const std::array<std::string_view, kVisibilityRows> kVisibilityTexts;

enum class CriteriaGroup {
    Scope,  // difficulty, eyepiece, magnitude
    Sky,    // catalog, object type, constellation, visibility
    Both,
};
void ResetCriteria(SelectionCriteria& criteria, CriteriaGroup group);
// The date and time fields from a local civil date and time, and back (to the minute).
void SetCriteriaTime(SelectionCriteria& criteria, const CalendarDateTime& now);
CalendarDateTime CriteriaTime(const SelectionCriteria& criteria);
// Choosing object type 19 ("NEBUL") selects every nebula through its group; any other type
// clears the group.
void ChooseObjectType(SelectionCriteria& criteria, int16_t type);

}  // namespace vsp
