#pragma once
// The telescope's forms: scope control (2400), the two-star alignment (1300), the N-star
// correction (2100), the line monitor (2300), and the Location form with its GPS button, all over the one telescope of
// the run.

#include <memory>

#include "catalog/CatalogSession.h"
#include "scope/Telescope.h"
#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kTwoStarFormId = 1300;
inline constexpr int kNStarFormId = 2100;

// The clock the telescope of the window reads: the observing date and time, the site and
// the formats of the settings.
ScopeClock ObservingScopeClock(AppState& state);

// Also registers the Location form again, now able to read the GPS receiver through the
// telescope's serial link.
void RegisterScopeForms(AppState& state, CatalogSession& sky, Telescope& telescope);

// Once at start-up: the offer to restore the last alignment (asked while it is pending).
void OfferAlignmentRestore(AppState& state, Telescope& telescope);

std::unique_ptr<Form> MakeScopeControlForm(CatalogSession& sky, Telescope& telescope);
std::unique_ptr<Form> MakeTwoStarForm(CatalogSession& sky, Telescope& telescope);
std::unique_ptr<Form> MakeNStarForm(Telescope& telescope);
// Opened only when the Monitor setting is on (the shell says "not done" otherwise).
std::unique_ptr<Form> MakeMonitorForm(Telescope& telescope);
// Camera Control (5300): exposures through the INDI camera of the settings.
inline constexpr int kCameraFormId = 5300;
std::unique_ptr<Form> MakeCameraForm();
// CCD (1550): the camera of the chart's CCD frame.
inline constexpr int kCcdFormId = 1550;
std::unique_ptr<Form> MakeCcdForm();

}  // namespace vsp
