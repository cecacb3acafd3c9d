#pragma once
// The forms of the observer's place and time: Location (the current site and the three
// stored ones), Choose Location (the stored sites and the city list) and the date and time
// entry. What they share: their ids, the pieces of their layouts, saving the settings.

#include <memory>
#include <string>

#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

class SerialLink;

inline constexpr int kChooseLocationFormId = 1600;
inline constexpr int kDateTimeFormId = 5200;

// Layout of the 240 x 320 reference screen, 96-dpi pixels: a line holds an edit field or a
// button; a label sits on the line's text baseline.
inline constexpr int kPlaceMargin = 6;
inline constexpr int kPlaceTop = 30;        // the first line under the title
inline constexpr int kPlaceLineStep = 22;   // from one line to the next
inline constexpr int kPlaceFieldHeight = 18;
inline constexpr int kPlaceButtonHeight = 22;
inline constexpr int kPlaceLabelDrop = 3;   // label text level with the field's text

// The template titled with the form's screen name.
FormTemplate PlaceTimeTemplate(int formId);
ControlTemplate LabelAt(int id, int left, int top, int width, std::string text);
ControlTemplate EditAt(int id, int left, int top, int width);
ControlTemplate ButtonAt(int id, int left, int top, int width, std::string text);

// The title as the way back and the form entered into the history.
void OpenPlaceTimeForm(AppState& state, FormWindow& window);
// Writes the settings at once; a failure is told in a box. False when they were not saved.

// The current site changed: saved at once and the ephemeris set up for the new place.
void SiteChanged(AppState& state);

// `gps`: the link the GPS button reads the receiver through; null leaves the button out.
std::unique_ptr<Form> MakeLocationForm(SerialLink* gps = nullptr);
std::unique_ptr<Form> MakeChooseLocationForm();
std::unique_ptr<Form> MakeDateTimeForm();

}  // namespace vsp
