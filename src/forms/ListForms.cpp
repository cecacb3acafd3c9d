// The current list's part in the run: reloaded at start, saved at shutdown as "last_list",
// filled by the quick selections of the home form, and the forms that show and change it.

#include "forms/ListForms.h"

#include <filesystem>

#include "catalog/ListFile.h"
#include "forms/ListManagerActions.h"
#include "forms/ObservingContext.h"
#include "platform/UserFilesLock.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"

namespace vsp {
namespace {

void LoadLastList(AppState& state, ObservingList& list) {
    list.SetCapacity(ListCapacityOfRow(state.prefs.maxSelected));
    std::error_code error;
    if (!std::filesystem::exists(ListPath(state.dir, kLastListName), error)) return;
    if (LoadList(state.dir, kLastListName, list, state.info)) UseListTime(state, list);
}

// An emptied list must not come back at the next start.
void SaveLastList(AppState& state, const ObservingList& list) {
    UserFilesLock lock;
    if (!LockUserFiles(state.dir, state.info, lock)) return;
    if (list.Empty()) {
        std::error_code error;
        std::filesystem::remove(ListPath(state.dir, kLastListName), error);
        return;
    }
    SaveList(state.dir, list, kLastListName, state.info);
}

// The quick selections: the visible objects of a kind, a catalog or a type, now.
void SelectVisible(AppState& state, CatalogSession& sky, ObservingList& list, SelectionCriteria& criteria, int kind,
                   int catalog, int typeFilter) {
    ResetCriteria(criteria, CriteriaGroup::Both);
    criteria.typeGroup = int16_t(kind);
    criteria.catalog = int16_t(catalog);
    criteria.objectType = int16_t(typeFilter);
    criteria.visibility = 1;
    SetCriteriaTime(criteria, state.observingTime);
    RunPlanner(state, sky, list, criteria, PlannerRun::New);
}

}  // namespace

void UseListTime(AppState& state, const ObservingList& list) {
    state.listHeaderTime = ToTheMinute(list.time);
}

void RegisterListForms(AppState& state, CatalogSession& sky, std::shared_ptr<ObservingList> list) {
    auto criteria = std::make_shared<SelectionCriteria>();
    state.hooks.loadLastList = [list](AppState& app) { LoadLastList(app, *list); };
    state.hooks.saveLastList = [list](AppState& app) { SaveLastList(app, *list); };
    state.hooks.currentListCount = [list](AppState&) { return list->Count(); };
    state.hooks.selectVisible = [&sky, list, criteria](AppState& app, int kind, int catalog, int typeFilter) {
        SelectVisible(app, sky, *list, *criteria, kind, catalog, typeFilter);
    };
    state.hooks.loadList = [](AppState& app) { ShowForm(app, kListManagerFormId); };
    state.hooks.listLoadSave = [](AppState& app) { ShowForm(app, kListManagerFormId); };
    state.hooks.exportMemo = [&sky, list](AppState& app) { RunListMemoExport(app, sky, *list); };
    state.hooks.importMemo = [&sky, list](AppState& app) { RunListMemoImport(app, sky, *list); };
    RegisterForm(state, kCriteriaFormId, [&sky, list, criteria](AppState&, int) {
        return MakeCriteriaForm(sky, list, criteria);
    });
    RegisterForm(state, kPlannerFormId, [&sky, list](AppState&, int) { return MakePlannerListForm(sky, list); });
    RegisterForm(state, kListManagerFormId, [&sky, list](AppState&, int) { return MakeListManagerForm(sky, list); });
}

}  // namespace vsp
