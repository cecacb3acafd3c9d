#include "shell/PreferencePages.h"

#include <algorithm>
#include <utility>

#include "settings/PreferenceTyping.h"
#include "settings/PreferenceValues.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/NightMode.h"
#include "shell/PortChoice.h"
#include "shell/PreferencePageLayout.h"
#include "shell/SaveSettings.h"
#include "shell/Scale.h"
#include "shell/TypedFieldsForm.h"

namespace vsp {

namespace {

constexpr int kPageForms[kPreferencePageCount] = {1400, 1430, 1450, 1620, 1476, 1337, 1357};
constexpr int kTitleId = 8000;

constexpr std::string_view kNoImageCache = "The image cache is not built yet.";
constexpr std::string_view kNoImageCacheSecond = "No downloaded pictures are kept, so there is nothing to clear, sync or stop.";

// Where "Ok" leads: the form from which the first page was opened.
struct PreferenceSession {
    int returnFormId = kHomeFormId;
};

class PreferencePage : public TypedFieldsForm {
public:
    PreferencePage(std::shared_ptr<PreferenceSession> session, int page) : session_(std::move(session)), page_(page) {}

    FormTemplate BuildTemplate(AppState& state, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        // The ports present as the page opens.
        Ports(state).Refresh();
        ports_ = ListedPorts(Ports(state), state.settings, state.prefs);
        layout_ = LayOutPreferencePage(state.settings, page_, state.prefs, LayoutTextWidth, ports_);
        typing_ = nullptr;
        t.controls.push_back(ControlTemplate{kTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, 120, kTitleHeight}});
        t.controls.insert(t.controls.end(), layout_.controls.begin(), layout_.controls.end());
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        const int before = state.history.back();
        if (PreferencePageOf(before) == 0) session_->returnFormId = before;
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        for (const SettingBinding& b : layout_.bindings) {
            if (b.control != SettingControl::Popup) continue;
            for (auto row = b.rows.rbegin(); row != b.rows.rend(); ++row) AddListRow(state, b.listId, *row);
            BindPopup(state, window, b);
        }
        for (const SettingBinding& b : layout_.bindings) ShowValue(state, window, b);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        // Typed text is read once the user turns to anything else.
        if (notify == ControlNotify::TextChanged) return;
        CommitTypedFields(state, window);
        if (const SettingBinding* b = FindBinding(id)) {
            Chosen(state, window, *b, notify);
            return;
        }
        if (id >= kPageButtonFirst && id < kPageButtonFirst + kPreferencePageCount) {
            ShowForm(state, PreferencePageForm(id - kPageButtonFirst + 1));
        } else if (id == kPrevPageButton || id == kNextPageButton) {
            const int step = id == kNextPageButton ? 1 : kPreferencePageCount - 1;
            ShowForm(state, PreferencePageForm((page_ - 1 + step) % kPreferencePageCount + 1));
        } else if (id == kPreferencesOkButton) {
            LeavePreferences(state);
        } else if (std::find(layout_.cacheButtons.begin(), layout_.cacheButtons.end(), id) != layout_.cacheButtons.end()) {
            InfoBox(state, kNoImageCache, kNoImageCacheSecond);
        } else {
            for (const auto& [helpId, group] : layout_.helpButtons)
                if (helpId == id) InfoBox(state, group->help, group->moreHelp);
        }
    }

private:
    PortList& Ports(AppState& state) { return state.ports ? *state.ports : ownPorts_; }

    // The row a popup shows for the stored value.
    int RowOf(AppState& state, const SettingBinding& b) {
        if (b.portPath) return ChosenPort(Ports(state), state.settings, *b.setting, state.prefs);
        return ChoiceRowOf(*b.setting, b.setting->getNumber(state.prefs));
    }

    const SettingBinding* FindBinding(int id) const {
        for (const SettingBinding& b : layout_.bindings)
            if (b.fieldId == id || (b.listId != 0 && b.listId == id)) return &b;
        return nullptr;
    }

    // A popup list as tall as the screen allows above or below its trigger, kept on screen.
    void BindPopup(AppState& state, FormWindow& window, const SettingBinding& b) {
        Control* trigger = window.FindControl(b.fieldId);
        Control* list = window.FindControl(b.listId);
        const int left = list->Bounds().left;
        const Rect t = trigger->Bounds();
        const int limit = state.windows.Caps().screenHeight - ScaledY(state, kPopupBottomMargin);
        const int room = std::max(limit - t.bottom, t.top) / list->RowHeight();
        const int rows = list->RowCount();
        SetPopupList(state, b.fieldId, b.listId, rows, std::min(rows, room), RowOf(state, b));
        const Rect r = list->Bounds();
        list->SetBounds(MakeRect(left, r.top, r.Width(), r.Height()));
    }

    void ShowValue(AppState& state, FormWindow& window, const SettingBinding& b) {
        Control* field = window.FindControl(b.fieldId);
        const PreferenceSetting& s = *b.setting;
        switch (b.control) {
            case SettingControl::PortPath: field->SetText(b.portPath->getText(state.prefs)); break;
            case SettingControl::Popup: {
                const int row = RowOf(state, b);
                const std::vector<std::string>& texts = b.shown.empty() ? b.rows : b.shown;
                const bool inList = row >= 0 && row < int(texts.size());
                field->SetText(inList ? texts[size_t(row)] : FormatPreferenceNumber(s, state.prefs));
                break;
            }
            case SettingControl::Edit: field->SetText(FormatPreferenceNumber(s, state.prefs)); break;
            case SettingControl::CheckBox: field->SetChecked(s.getNumber(state.prefs) != 0.0); break;
            case SettingControl::Shown: field->SetText(FormatPreferenceNumber(s, state.prefs) + " " + b.unit); break;
        }
    }

    void Chosen(AppState& state, FormWindow& window, const SettingBinding& b, ControlNotify notify) {
        Preferences changed = state.prefs;
        if (b.control == SettingControl::CheckBox && notify == ControlNotify::Click) {
            b.setting->setNumber(changed, window.FindControl(b.fieldId)->Checked() ? 1.0 : 0.0);
        } else if (b.control == SettingControl::Popup && notify != ControlNotify::Click) {
            const int row = window.FindControl(b.listId)->SelectionMark();
            if (row < 0) return;
            if (!b.portPath) {
                b.setting->setNumber(changed, ChoiceRowValue(*b.setting, size_t(row)));
            } else if (row + 1 == int(b.rows.size())) {
                TypePortPath(state, window, b);
                return;
            } else if (b.rows[size_t(row)] == kGpsdPortRow && row + 2 == int(b.rows.size())) {
                ChooseAddedPort(state, window, b, std::string(kLocalGpsd));
                return;
            } else {
                ChoosePort(Ports(state), state.settings, *b.setting, row, changed);
                Store(state, window, *b.setting, changed);
                ShowValue(state, window, b);  // the row as the trigger has room for it
                return;
            }
        } else {
            return;
        }
        Store(state, window, *b.setting, changed);
    }

    // "Other...": the path is typed where the popup was.
    void TypePortPath(AppState& state, FormWindow& window, const SettingBinding& popup) {
        typing_ = &popup;
        const SettingBinding& path = PathField(popup);
        ShowValue(state, window, path);
        ShowTyping(window);
        window.SetFocusedControl(path.fieldId);
    }

    const SettingBinding& PathField(const SettingBinding& popup) const {
        for (const SettingBinding& b : layout_.bindings)
            if (b.control == SettingControl::PortPath && b.setting == popup.setting) return b;
        return popup;  // every port popup has one
    }

    void ShowTyping(FormWindow& window) {
        if (!typing_) return;
        window.FindControl(typing_->fieldId)->SetVisible(false);
        window.FindControl(PathField(*typing_).fieldId)->SetVisible(true);
    }

    // A typed path joins the list (by its by-id name when one reaches it) and becomes the
    // choice; nothing typed keeps the choice there was.
    void CommitPortPath(AppState& state, FormWindow& window) {
        const SettingBinding& popup = *std::exchange(typing_, nullptr);
        Control* field = window.FindControl(PathField(popup).fieldId);
        const std::string typed = field->Text();
        field->SetVisible(false);
        window.FindControl(popup.fieldId)->SetVisible(true);
        if (typed.empty() || typed.size() > popup.portPath->maxLength) {
            BindPopup(state, window, popup);
            ShowValue(state, window, popup);
            return;
        }
        ChooseAddedPort(state, window, popup, typed);
    }

    // A path not listed yet joins the list and becomes the choice of `popup`.
    void ChooseAddedPort(AppState& state, FormWindow& window, const SettingBinding& popup, const std::string& path) {
        Preferences changed = state.prefs;
        ChoosePort(Ports(state), state.settings, *popup.setting, Ports(state).Add(path), changed);
        Store(state, window, *popup.setting, changed);
        if (state.currentFormWindow == &window) RefillPortLists(state, window);
    }

    // The port popups list again, with the rows added since the page opened.
    void RefillPortLists(AppState& state, FormWindow& window) {
        ports_ = ListedPorts(Ports(state), state.settings, state.prefs);
        layout_ = LayOutPreferencePage(state.settings, page_, state.prefs, LayoutTextWidth, ports_);
        const DeviceCaps& caps = state.windows.Caps();
        for (const ControlTemplate& c : layout_.controls)
            if (c.kind == ControlKind::List) window.FindControl(c.id)->SetBounds(ScaleTemplateRect(c.rect, caps));
        for (const SettingBinding& b : layout_.bindings) {
            if (!b.portPath || b.control != SettingControl::Popup) continue;
            window.FindControl(b.listId)->DeleteAllRows();
            for (auto row = b.rows.rbegin(); row != b.rows.rend(); ++row) AddListRow(state, b.listId, *row);
            BindPopup(state, window, b);
            ShowValue(state, window, b);
        }
    }

    void CommitTypedFields(AppState& state, FormWindow& window) override {
        if (typing_) CommitPortPath(state, window);
        for (const SettingBinding& b : layout_.bindings) {
            Control* field = window.FindControl(b.fieldId);
            if (b.control != SettingControl::Edit || !field->Visible()) continue;
            const std::string typed = field->Text();
            if (typed == FormatPreferenceNumber(*b.setting, state.prefs)) continue;
            Preferences changed = state.prefs;
            const TypedOutcome outcome = ReadTypedPreference(*b.setting, typed, changed);
            if (outcome == TypedOutcome::Accepted) {
                Store(state, window, *b.setting, changed);
                continue;
            }
            // The pages have no messages of their own: a value that cannot be kept gives way
            // to the stored one, as the start routine replaces what is out of range.
            ShowValue(state, window, b);
        }
    }

    // The change is kept and saved at once, then takes effect.
    void Store(AppState& state, FormWindow& window, const PreferenceSetting& setting, const Preferences& changed) {
        const bool nightLevelChanged = changed.nightLevel != state.prefs.nightLevel;
        state.prefs = changed;
        SaveSettings(state);
        if (state.hooks.preferenceChanged) state.hooks.preferenceChanged(state, setting);
        if (nightLevelChanged) {
            ApplyNightMode(state, state.prefs.nightLevel);
            ShowForm(state, window.TemplateId());  // drawn again in the new colours
            return;
        }
        if (state.currentFormWindow == &window) LayOutAgain(state, window);
    }

    // Lines that appear or go with the new values move the others.
    void LayOutAgain(AppState& state, FormWindow& window) {
        const DeviceCaps& caps = state.windows.Caps();
        const PageLayout fresh = LayOutPreferencePage(state.settings, page_, state.prefs, LayoutTextWidth, ports_);
        for (const ControlTemplate& c : fresh.controls) {
            if (c.kind == ControlKind::List) continue;
            Control* control = window.FindControl(c.id);
            control->SetBounds(ScaleTemplateRect(c.rect, caps));
            control->SetVisible(c.visible);
        }
        for (const SettingBinding& b : layout_.bindings)
            if (b.control == SettingControl::Popup) BindPopup(state, window, b);
        ShowTyping(window);
    }

    void LeavePreferences(AppState& state) {
        while (PreferencePageOf(state.history.back()) != 0) ShiftHistoryBack(state);
        ShowForm(state, session_->returnFormId);
    }

    std::shared_ptr<PreferenceSession> session_;
    int page_;
    PageLayout layout_;
    std::vector<PortLabel> ports_;
    PortList ownPorts_;  // until the program wires the telescope's
    const SettingBinding* typing_ = nullptr;  // the port popup whose path is being typed
};

}  // namespace

int PreferencePageForm(int page) {
    return page >= 1 && page <= kPreferencePageCount ? kPageForms[page - 1] : 0;
}

int PreferencePageOf(int formId) {
    for (int page = 1; page <= kPreferencePageCount; ++page)
        if (kPageForms[page - 1] == formId) return page;
    return 0;
}

void RegisterPreferencePages(AppState& state) {
    auto session = std::make_shared<PreferenceSession>();
    for (int page = 1; page <= kPreferencePageCount; ++page) {
        RegisterForm(state, PreferencePageForm(page), [session, page](AppState&, int) {
            return std::make_unique<PreferencePage>(session, page);
        });
    }
}

}  // namespace vsp
