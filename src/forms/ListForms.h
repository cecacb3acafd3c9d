#pragma once
// The forms of the observing lists: the planner's criteria (1700) and its list (1800), the
// list manager (1050) with the user's files, and what the home form and the menus ask of the
// current list (last list at start and shutdown, "Load", the quick selections, the memos).

#include <memory>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "shell/AppState.h"
#include "shell/Form.h"
#include "tools/SelectionCriteria.h"

namespace vsp {

inline constexpr int kListManagerFormId = 1050;
inline constexpr int kCriteriaFormId = 1700;
inline constexpr int kPlannerFormId = 1800;

// The criteria survive between visits of the forms, for the whole run.
using SharedCriteria = std::shared_ptr<SelectionCriteria>;

// A list read from a file brings the observing date and time it was made for.
void UseListTime(AppState& state, const ObservingList& list);

// Registers 1050, 1700 and 1800 and the list hooks of the shell.
void RegisterListForms(AppState& state, CatalogSession& sky, std::shared_ptr<ObservingList> list);

std::unique_ptr<Form> MakeCriteriaForm(CatalogSession& sky, std::shared_ptr<ObservingList> list, SharedCriteria criteria);
std::unique_ptr<Form> MakePlannerListForm(CatalogSession& sky, std::shared_ptr<ObservingList> list);
std::unique_ptr<Form> MakeListManagerForm(CatalogSession& sky, std::shared_ptr<ObservingList> list);

// Runs the planner on the window's thread with the progress box of the current form; a key
// or a tap stops it. `add`: append to the list instead of starting a new one.
enum class PlannerRun { New, Add, Remove };
void RunPlanner(AppState& state, CatalogSession& sky, ObservingList& list, const SelectionCriteria& criteria,
                PlannerRun run);

}  // namespace vsp
