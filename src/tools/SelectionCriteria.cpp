#include "tools/SelectionCriteria.h"

#include "catalog/ObjectTypeTable.h"

namespace vsp {

const std::array<std::string_view, kDifficultyRows> kDifficultyTexts = {
    "No Criteria", "Very Easy", "Easy", "Difficult", "Very Difficult"};

const std::array<std::string_view, kMagnitudeLimitRows> kMagnitudeLimitTexts = {
    "No Criteria", "Eyes Limit", "Scope Limit", "<4", "<6", "<8", "<10", "<12", "<14"};

const std::array<std::string_view, kVisibilityRows> kVisibilityTexts = {
    "No Criteria", "Visible", ">15\xB0", ">20\xB0", ">25\xB0", ">30\xB0",
    ">35\xB0",     ">40\xB0", ">45\xB0", ">50\xB0", "Not Visible"};

namespace {

constexpr int16_t kTypeNebula = 19;  // "NEBUL": every kind of nebula, through its group

}  // namespace

void ResetCriteria(SelectionCriteria& criteria, CriteriaGroup group) {
    if (group != CriteriaGroup::Sky) {
        criteria.difficulty = 0;
        criteria.eyepiece = 0;
        criteria.eyepieceValue = 0;
        criteria.magnitudeLimit = 0;
        criteria.preset4 = 0;
        criteria.preset5 = 0;
    }
    if (group != CriteriaGroup::Scope) {
        criteria.catalog = 0;
        criteria.objectType = 0;
        criteria.typeGroup = 0;
        criteria.constellation = 0;
        criteria.visibility = 0;
    }
}

void SetCriteriaTime(SelectionCriteria& criteria, const CalendarDateTime& now) {
    criteria.day = int16_t(now.day);
    criteria.month = int16_t(now.month);
    criteria.year = int16_t(now.year);
    criteria.hour = int16_t(now.hour);
    criteria.minute = int16_t(now.minute);
}

CalendarDateTime CriteriaTime(const SelectionCriteria& criteria) {
    return {criteria.year, criteria.month, criteria.day, criteria.hour, criteria.minute, 0};
}

void ChooseObjectType(SelectionCriteria& criteria, int16_t type) {
    criteria.objectType = type;
    criteria.typeGroup = type == kTypeNebula ? kGroupNebula : 0;
}

}  // namespace vsp
