#pragma once
// The forms that show the catalogs and the ephemeris: object information and the finder, the
// observer's place and time, and the ephemeris assistants. Each registers its factories with
// the shell; the program (window or `vespertar screen`) calls RegisterSkyForms once, after the
// sky of the run exists.

#include <memory>

#include "catalog/CatalogSession.h"
#include "forms/ObjectForms.h"
#include "shell/AppState.h"

namespace vsp {

// Answers the object selection the object forms share, for the chart to show its choice there.
SharedObjectSelection RegisterSkyForms(AppState& state, CatalogSession& sky);

// One per group of forms, each in its own file.
SharedObjectSelection RegisterObjectForms(AppState& state, CatalogSession& sky);  // ObjectInfo, Finder
void RegisterPlaceTimeForms(AppState& state, CatalogSession& sky);   // Location, Choose Location, date and time
void RegisterEphemerisForms(AppState& state, CatalogSession& sky);   // Planets, Moon, Twilight, Day/Night, Eclipses, EphemerisAssistant
void RegisterKitForms(AppState& state);                              // PolarAssistant, CheckList 1/3 to 3/3

inline constexpr int kPolarAssistantFormId = 2470;
inline constexpr int kChecklistFirstFormId = 2200, kChecklistSecondFormId = 2203, kChecklistThirdFormId = 2206;
std::unique_ptr<Form> MakePolarAssistantForm();
std::unique_ptr<Form> MakeChecklistForm(int page);  // page 1..3

}  // namespace vsp
