#pragma once
// The observer log form's controls: the list of notes, and a note on two pages (its fields,
// then its free text), each page with Save and Cancel.

#include "platform/Control.h"
#include "platform/FormWindow.h"

namespace vsp {

inline constexpr int kObserverLogFormId = 2600;

namespace logform {

// List mode.
inline constexpr int kNotesList = 2601, kNewButton = 2602, kOpenButton = 2603, kDeleteButton = 2604;
inline constexpr int kExportButton = 2605, kHelpButton = 2606;
// The fields page.
inline constexpr int kObjectEdit = 2610, kShotButton = 2611, kDateEdit = 2612, kTimeEdit = 2613;
inline constexpr int kScopeEdit = 2614, kFilterEdit = 2615, kLocationEdit = 2616, kLimitEdit = 2617;
inline constexpr int kSkyText = 2618, kTextPreview = 2619;
// Popups: trigger, then its list.
inline constexpr int kTransparencyTrigger = 2620, kTransparencyList = 2621;
inline constexpr int kSeeingTrigger = 2622, kSeeingList = 2623;
inline constexpr int kDetectionTrigger = 2624, kDetectionList = 2625;
inline constexpr int kImpressionTrigger = 2626, kImpressionList = 2627;
inline constexpr int kEyepieceTrigger = 2628, kEyepieceList = 2629;
inline constexpr int kFieldLabelFirst = 2630;  // labels, not referred to again
// The text page.
inline constexpr int kTextCaption = 2650, kTextEdit = 2651;
// Both pages of a note.
inline constexpr int kPageButton = 2660, kSaveButton = 2661, kCancelButton = 2662;

enum class LogView { List, Fields, Text };

FormTemplate ObserverLogTemplate(int formId);
// Shows the controls of `view` and hides the others (a popup list stays hidden).
void ShowLogView(FormWindow& window, LogView view);

}  // namespace logform
}  // namespace vsp
