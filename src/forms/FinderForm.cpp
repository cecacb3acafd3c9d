// The finder: a catalog chosen in a popup, its number typed on a keypad (or the keyboard, or a
// whole designation typed into the field), then Info shows the object or the star.
#include <optional>
#include <string>

#include "catalog/Designation.h"
#include "catalog/ObjectLookup.h"
#include "catalog/StarLookup.h"
#include "forms/FinderEdit.h"
#include "forms/ObjectForms.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"

namespace vsp {
namespace {

constexpr int kTitleId = 8000;
constexpr int kCatalogLabelId = 2351;
constexpr int kCatalogTriggerId = 2352;
constexpr int kCatalogListId = 2353;
constexpr int kFieldId = 2354;
constexpr int kInfoId = 2355;
constexpr int kHelpId = 2356;
constexpr int kKeypadFirstId = 2360;  // keys in the order of kKeypad

// Layout of the 240 x 320 screen, 96-dpi pixels.
constexpr int kMargin = 6;
constexpr int kRight = 240 - kMargin;
constexpr int kKeyWidth = 72, kKeyHeight = 40, kKeyGap = 6, kKeypadTop = 88;
constexpr int kPopupRows = 12;
constexpr char kKeypad[] = "123456789-0<";  // '<' takes the last character back

constexpr char kTychoNeedsCard[] = "Tycho stars are found in a Tycho catalog.";
constexpr char kTychoNeedsCardHelp[] =
    "Please choose Tycho 390K or Tycho 2.5 Million under \"Card Catalog\" in the Preferences.";

// The catalogs the popup offers: every row of the table but "No Criteria".
constexpr int kFirstCatalogRow = 1;

char KeyOf(int controlId) {
    const int index = controlId - kKeypadFirstId;
    if (index < 0 || index >= int(sizeof kKeypad) - 1) return 0;
    return kKeypad[index] == '<' ? kFinderBackspace : kKeypad[index];
}

class FinderForm : public Form {
public:
    FinderForm(CatalogSession& sky, SharedObjectSelection selection) : sky_(sky), selection_(std::move(selection)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        t.controls = {
            {kTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, 120, 24}},
            {kCatalogLabelId, ControlKind::StaticText, "Catalog", Rect{kMargin, 34, 62, 50}},
            {kCatalogTriggerId, ControlKind::PopupTrigger, "", Rect{62, 30, kRight, 52}},
            {kFieldId, ControlKind::Edit, "", Rect{kMargin, 58, 160, 80}},
            {kInfoId, ControlKind::Button, "Info", Rect{166, 58, kRight, 80}},
            {kHelpId, ControlKind::StaticText, "Choose a catalog, type the number, then Info.",
             Rect{kMargin, kKeypadTop + 4 * (kKeyHeight + kKeyGap), kRight, 316}},
        };
        for (int i = 0; kKeypad[i]; ++i) {
            const int left = kMargin + (i % 3) * (kKeyWidth + kKeyGap);
            const int top = kKeypadTop + (i / 3) * (kKeyHeight + kKeyGap);
            t.controls.push_back({kKeypadFirstId + i, ControlKind::Button, std::string(1, kKeypad[i]),
                                  Rect{left, top, left + kKeyWidth, top + kKeyHeight}});
        }
        // The list last, so that it opens over the keypad.
        t.controls.push_back({kCatalogListId, ControlKind::List, "", Rect{62, 0, kRight, 0}, false});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, kFinderFormId);
        FinderField& field = selection_->finder;
        if (field.catalog == kCatalogNone) FinderSelectCatalog(field, sky_.catalogs, kCatalogMessier);
        // Rows go in bottom first: each new row is inserted at the top.
        for (int row = kCatalogCount - 1; row >= kFirstCatalogRow; --row)
            AddListRow(state, kCatalogListId, CatalogLongName(sky_.catalogs[size_t(row)]));
        SetPopupList(state, kCatalogTriggerId, kCatalogListId, -1, kPopupRows, field.catalog - kFirstCatalogRow);
        ShowField(state);
        window.SetFocusedControl(kFieldId);
    }

    void OnControl(AppState& state, FormWindow& window, int controlId, ControlNotify notify) override {
        FinderField& field = selection_->finder;
        if (controlId == kInfoId && notify == ControlNotify::Click) {
            Find(state);  // may leave the form: nothing of the window after it
            return;
        }
        if (controlId == kCatalogListId && notify == ControlNotify::SelectionMoved) {
            // Up and Down on the popup step through the catalogs; the popup keeps the keys.
            ChooseCatalog(state);
            return;
        }
        if (controlId == kCatalogListId && notify == ControlNotify::RowChosen) {
            ChooseCatalog(state);
        } else if (controlId == kFieldId && notify == ControlNotify::TextChanged) {
            ShowField(state, FinderTextEdited(field, sky_.catalogs, state.info, CurrentText(state)));
        } else if (const char key = KeyOf(controlId); key && notify == ControlNotify::Click) {
            TypeKey(state, key);
        }
        // Typing goes on in the field whatever was tapped.
        window.SetFocusedControl(kFieldId);
    }

    bool OnKey(AppState& state, FormWindow&, const KeyPress& key) override {
        if (key.code >= '0' && key.code <= '9') {
            TypeKey(state, char(key.code));
        } else if (key.code == kKeyBackspace) {
            TypeKey(state, kFinderBackspace);
        } else if (key.code == kKeyEnter) {
            Find(state);
        } else {
            return false;
        }
        return true;
    }

private:
    void ChooseCatalog(AppState& state) {
        const int row = GetListSelection(state, kCatalogListId);
        FinderSelectCatalog(selection_->finder, sky_.catalogs, row + kFirstCatalogRow);
        ShowField(state);
    }

    // A key of the keypad (or of the keyboard outside the field) on the field as it shows.
    void TypeKey(AppState& state, char key) {
        FinderField& field = selection_->finder;
        std::string text = CurrentText(state);
        if (text == field.text) {
            FinderTypeKey(field, sky_.catalogs, state.info, key);
            ShowField(state);
            return;
        }
        if (key != kFinderBackspace) text += key;
        else if (!text.empty()) text.pop_back();
        ShowField(state, FinderTextEdited(field, sky_.catalogs, state.info, text));
    }

    std::string CurrentText(AppState& state) const {
        char text[64];
        GetField(state, kFieldId, text, sizeof text);
        return text;
    }

    // The field as the rules left it (or the user's own text), the popup on its catalog.
    void ShowField(AppState& state, const std::string& text) {
        const FinderField& field = selection_->finder;
        SetField(state, kFieldId, text);
        SetPopupLabel(state, kCatalogTriggerId, CatalogLongName(sky_.catalogs[size_t(field.catalog)]));
        SetListSelection(state, kCatalogListId, field.catalog - kFirstCatalogRow);
    }
    void ShowField(AppState& state) { ShowField(state, selection_->finder.text); }

    void Find(AppState& state) {
        int32_t catalog = 0, number = 0;
        if (!FinderTarget(selection_->finder, sky_.catalogs, state.info, CurrentText(state), catalog, number)) return;
        std::optional<FoundStar> star;
        if (IsStarLookupCatalog(catalog)) {
            if (!FindStarOf(state, catalog, number, star)) return;
        } else {
            FoundObject found;
            std::string problem;
            if (FindObject(sky_, state.info, catalog, number, found, problem) != ObjectSearch::Found) {
                InfoBox(state, problem, "");
                return;
            }
        }
        selection_->chosen = true;
        selection_->catalog = catalog;
        selection_->number = number;
        selection_->star = std::move(star);
        ShowForm(state, kObjectInfoFormId);
    }

    // Tycho stars come from the Tycho catalog the chart has open; HR and Hipparcos stars from
    // their own files, read beside the chart's catalog when that is another one.
    bool FindStarOf(AppState& state, int32_t catalog, int32_t number, std::optional<FoundStar>& star) {
        const bool chartHolds = StarCatalogHolds(sky_.stars, catalog);
        if (catalog == kCatalogTycho && !chartHolds) {
            InfoBox(state, kTychoNeedsCard, kTychoNeedsCardHelp);
            return false;
        }
        StarCatalog own(sky_.dir, state.info);
        FoundStar found;
        std::string problem;
        const StarSearch search =
            FindStar(chartHolds ? sky_.stars : own, sky_.dir, state.info, catalog, number, found, problem);
        if (search == StarSearch::NotFound) InfoBox(state, problem, "");
        if (search != StarSearch::Found) return false;
        star = std::move(found);
        return true;
    }

    CatalogSession& sky_;
    SharedObjectSelection selection_;
};

}  // namespace

std::unique_ptr<Form> MakeFinderForm(CatalogSession& sky, SharedObjectSelection selection) {
    return std::make_unique<FinderForm>(sky, std::move(selection));
}

}  // namespace vsp
