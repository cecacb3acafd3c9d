// ListManager (1050): the saved observing lists (load, save, delete, memo export and import)
// and the user's own files fetched from the data server (catalogs, locations, eyepieces,
// observer logs).

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "catalog/ListFile.h"
#include "forms/ListForms.h"
#include "forms/ListManagerActions.h"
#include "forms/PlaceTimeForms.h"
#include "platform/ProgramDir.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "shell/FormOps.h"
#include "shell/InfoBox.h"

namespace vsp {
namespace {

constexpr int kTabTrigger = 1051, kTabList = 1052, kFileList = 1053, kNameLabel = 1054, kNameEdit = 1055;
constexpr int kStatusText = 1056, kLoadButton = 1057, kSaveButton = 1058, kDeleteButton = 1059;
constexpr int kMemoTrigger = 1060, kMemoList = 1061;

constexpr int kMargin = 6, kButtonTop = 294;
constexpr const char* kMemoRows[] = {"Export to memo", "Import memo"};
constexpr std::string_view kChooseToLoad = "Tap a saved list above, or type its name, then Load.";
constexpr std::string_view kTypeToImport = "Tap a file above, or type the name to import, then Import.";
constexpr std::string_view kTypeToSave = "Type a name for the current list, then Save.";
constexpr std::string_view kChooseToDelete = "Tap a file above, or type its name, then Delete.";

FormTemplate ListManagerTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.push_back(ButtonAt(kTabTrigger, kMargin, 28, 240 - 2 * kMargin, ""));
    t.controls.back().kind = ControlKind::PopupTrigger;
    t.controls.push_back({kFileList, ControlKind::List, "", MakeRect(kMargin, 56, 228, 172)});
    t.controls.push_back(LabelAt(kNameLabel, kMargin, 236, 44, "Name"));
    t.controls.push_back(EditAt(kNameEdit, 52, 236, 240 - 52 - kMargin));
    t.controls.push_back(LabelAt(kStatusText, kMargin, 258, 240 - 2 * kMargin, ""));
    t.controls.push_back(ButtonAt(kLoadButton, 2, kButtonTop, 56, "Load"));
    t.controls.push_back(ButtonAt(kSaveButton, 60, kButtonTop, 54, "Save"));
    t.controls.push_back(ButtonAt(kDeleteButton, 116, kButtonTop, 58, "Delete"));
    t.controls.push_back(ButtonAt(kMemoTrigger, 176, kButtonTop, 62, "Memo"));
    t.controls.back().kind = ControlKind::PopupTrigger;
    t.controls.push_back({kTabList, ControlKind::List, "", MakeRect(kMargin, 0, 228, 0), false});
    t.controls.push_back({kMemoList, ControlKind::List, "", MakeRect(120, 0, 118, 0), false});
    return t;
}

class ListManagerForm : public Form {
public:
    ListManagerForm(CatalogSession& sky, std::shared_ptr<ObservingList> list) : sky_(sky), list_(std::move(list)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return ListManagerTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        for (int tab = kUserFileKindCount - 1; tab >= 0; --tab) AddListRow(state, kTabList, UserFileKindTitle(UserFileKind(tab)));
        SetPopupList(state, kTabTrigger, kTabList, -1, 0, 0);
        for (int i = int(std::size(kMemoRows)) - 1; i >= 0; --i) AddListRow(state, kMemoList, kMemoRows[i]);
        SetPopupList(state, kMemoTrigger, kMemoList, -1, 0, -1);
        ShowTab(state, window, UserFileKind::Lists);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        switch (id) {
            case kTabList:
                if (notify == ControlNotify::RowChosen) ShowTab(state, window, UserFileKind(GetListSelection(state, id)));
                break;
            case kFileList:
                if (const int row = GetListSelection(state, id); row >= 0 && size_t(row) < files_.size()) {
                    SetField(state, kNameEdit, files_[size_t(row)]);
                    if (notify == ControlNotify::RowChosen && kind_ == UserFileKind::Lists) Load(state, window);
                }
                break;
            case kLoadButton: Load(state, window); break;
            case kSaveButton: Save(state, window); break;
            case kDeleteButton: Delete(state, window); break;
            case kMemoList:
                if (notify == ControlNotify::RowChosen) Memo(state, window, GetListSelection(state, id));
                break;
            default: break;
        }
    }

private:
    void ShowTab(AppState& state, FormWindow& window, UserFileKind kind) {
        if (int(kind) < 0 || int(kind) >= kUserFileKindCount) return;
        kind_ = kind;
        SetPopupLabel(state, kTabTrigger, UserFileKindTitle(kind));
        const bool lists = kind == UserFileKind::Lists;
        SetField(state, kLoadButton, lists ? "Load" : "Import");
        ShowControl(state, &window, kSaveButton, lists);
        ShowControl(state, &window, kMemoTrigger, lists);
        SetField(state, kNameEdit, lists ? (list_->name.empty() ? "<New list name>" : list_->name)
                                         : std::string(UserFileDefaultName(kind)));
        Refresh(state, window);
    }

    void Refresh(AppState& state, FormWindow& window) {
        files_ = UserFileNames(state.dir, kind_);
        window.FindControl(kFileList)->DeleteAllRows();
        for (auto it = files_.rbegin(); it != files_.rend(); ++it) AddListRow(state, kFileList, *it);
        const std::string count = std::to_string(files_.size()) + (files_.size() == 1 ? " file" : " files");
        SetField(state, kStatusText, kind_ == UserFileKind::Lists
                                         ? count + ", current list: " + std::to_string(list_->Count()) + " objects"
                                         : count);
    }

    // The typed name, or nothing (with a box) when it cannot be a file name. `none` says
    // what to do when no name is there at all (the field empty or still offering a new one).
    std::optional<std::string> TypedName(AppState& state, std::string_view none) {
        const std::string name(TrimBlanks(state.currentFormWindow->FindControl(kNameEdit)->Text()));
        if (name.empty() || name == UserFileDefaultName(UserFileKind::Lists)) {
            InfoBox(state, "No name is selected.", none);
            return std::nullopt;
        }
        if (IsSafeFileName(name) && name.front() != '<') return name;
        InfoBox(state, "Please type a name without / \\ or ..", name);
        return std::nullopt;
    }

    void Load(AppState& state, FormWindow& window) {
        const auto name = TypedName(state, kind_ == UserFileKind::Lists ? kChooseToLoad : kTypeToImport);
        if (!name) return;
        if (kind_ == UserFileKind::Lists) {
            if (LoadList(state.dir, *name, *list_, state.info)) {
                list_->name = *name;
                UseListTime(state, *list_);
            }
        } else {
            ImportUserFile(state, kind_, *name);
        }
        Refresh(state, window);
    }

    void Save(AppState& state, FormWindow& window) {
        const auto name = TypedName(state, kTypeToSave);
        if (!name) return;
        if (list_->Empty()) {
            InfoBox(state, "The list is empty.", "");
            return;
        }
        UserFilesLock lock;
        if (LockUserFiles(state.dir, state.info, lock) && SaveList(state.dir, *list_, *name, state.info))
            list_->name = *name;
        lock.Release();  // before the screen is drawn again
        Refresh(state, window);
    }

    void Delete(AppState& state, FormWindow& window) {
        const auto name = TypedName(state, kChooseToDelete);
        // InfoBoxYesNo answers true for No.
        if (!name || InfoBoxYesNo(state, "Delete " + *name + " ?", "")) return;
        DeleteUserFile(state, kind_, *name);
        Refresh(state, window);
    }

    void Memo(AppState& state, FormWindow& window, int row) {
        SetPopupLabel(state, kMemoTrigger, "Memo");
        SetListSelection(state, kMemoList, -1);
        if (row == 0) RunListMemoExport(state, sky_, *list_);
        if (row == 1) RunListMemoImport(state, sky_, *list_);
        Refresh(state, window);
    }

    CatalogSession& sky_;
    std::shared_ptr<ObservingList> list_;
    UserFileKind kind_ = UserFileKind::Lists;
    std::vector<std::string> files_;
};

}  // namespace

std::unique_ptr<Form> MakeListManagerForm(CatalogSession& sky, std::shared_ptr<ObservingList> list) {
    return std::make_unique<ListManagerForm>(sky, std::move(list));
}

}  // namespace vsp
