#include "shell/Forms.h"

#include <algorithm>

#include "scope/DriveTable.h"
#include "shell/Form.h"
#include "shell/FormHistory.h"
#include "shell/FormTable.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kTitleIdFirst = 8000;
constexpr int kTitleIdLast = 8033;
// The line saying what a form without content of its own will hold, in 96-dpi layout pixels:
// the margin the other forms keep, room for five wrapped lines under the title.
constexpr int kComingLineId = 8100;
constexpr int kFormMargin = 8;
constexpr int kLayoutWidth = DeviceCaps{}.screenWidth;
constexpr int kComingLineBottom = 120;

Rect ScreenRect(const AppState& state) {
    const DeviceCaps& caps = state.windows.Caps();
    return Rect{0, 0, caps.screenWidth, caps.screenHeight};
}

Control* FindTitleControl(FormWindow& window) {
    for (const auto& c : window.Controls()) {
        if (c->Kind() == ControlKind::TitleButton ||
            (c->Id() >= kTitleIdFirst && c->Id() <= kTitleIdLast)) {
            return c.get();
        }
    }
    return nullptr;
}

// Draws the title (with the rendering layer) and is the user's Back.
class TitleHook : public ControlHook {
public:
    explicit TitleHook(AppState& state) : state_(state) {}
    bool OnTap(Control&, int, int, TapPhase phase) override {
        if (phase == TapPhase::Up) BackToPreviousForm(state_);
        return true;
    }

private:
    AppState& state_;
};

class EmptyForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        if (!t.title.empty()) {
            t.controls.push_back(
                ControlTemplate{kTitleIdFirst, ControlKind::TitleButton, t.title, Rect{0, 0, 120, kTitleHeight}});
        }
        if (const std::string_view line = FormComingLine(formId); !line.empty()) {
            t.controls.push_back(ControlTemplate{kComingLineId, ControlKind::StaticText, std::string(line),
                                                 Rect{kFormMargin, kTitleHeight + kFormMargin,
                                                      kLayoutWidth - kFormMargin, kComingLineBottom}});
        }
        return t;
    }
    void OnOpen(AppState& state, FormWindow& window) override {
        if (window.Title().empty()) {
            BeginForm(state, window);
        } else {
            InitTitle(state, window);
        }
        EnterForm(state, window.TemplateId());
    }
};

}  // namespace

void Form::OnLeave(AppState& state, FormWindow& window) { CloseFormWindow(state, &window); }

std::unique_ptr<Form> MakeEmptyForm() { return std::make_unique<EmptyForm>(); }

std::shared_ptr<Form> FormOf(AppState& state, const FormWindow* window) {
    for (const OpenForm& f : state.openForms) {
        if (f.window == window) return f.form;
    }
    return nullptr;
}

FormWindow* FindOpenForm(AppState& state, WindowHandle handle) {
    for (const OpenForm& f : state.openForms) {
        if (f.window->Handle() == handle) return f.window;
    }
    return nullptr;
}

void PaintMainWindow(AppState& state) { state.windows.PaintMainWindow(state.display.backgroundBrush); }

void MakeMainWindowFullScreen(AppState& state) {
    FormWindow* leaving = state.openFormWindow;
    if (leaving) {
        leaving->SetBounds(ScreenRect(state));
        leaving->SetVisible(false);
    }
    state.windows.SetFullScreen(true);
    state.windows.SetMainWindowRect(ScreenRect(state));
    state.windows.ShowMainWindow(true);
    state.windows.InvalidateMainWindow();
    state.windows.UpdateMainWindow();
    PaintMainWindow(state);
    if (leaving) LeaveForm(state, leaving);
}

void LayOutScreenAgain(AppState& state) {
    ComputeScaleFactors(state);
    state.pixelUnit = -1;
    if (state.currentFormWindow) {
        ShowForm(state, state.currentFormId);
    } else {
        MakeMainWindowFullScreen(state);
    }
}

void ShowForm(AppState& state, int formId) {
    MakeMainWindowFullScreen(state);
    state.loop.PostCommand(kCommandOpenForm, formId & 0xFFFF);
    state.currentFormId = formId;
}

void OpenFormCommand(AppState& state, int64_t param) {
    const int formId = int(param & 0xFFFF);
    if (formId == kMonitorFormId && !state.prefs.monitorForm) {
        InfoBox(state, "MonitorForm not done", "");
        return;
    }
    if (formId == kScopeControlFormId && state.prefs.scopeDrive == drive_code::kNone) {
        InfoBox(state, "No Scope Drive Selected", "");
        return;
    }
    if (!IsKnownForm(formId)) {
        InfoBox(state, "Unkown form call", "");
        return;
    }
    std::unique_ptr<Form> made;
    auto factory = state.formFactories.find(formId);
    if (factory != state.formFactories.end() && factory->second) made = factory->second(state, formId);
    if (!made) made = MakeEmptyForm();
    std::shared_ptr<Form> form(std::move(made));

    FormTemplate tmpl = form->BuildTemplate(state, formId);
    tmpl.id = formId;
    FormWindow* window = state.windows.CreateForm(tmpl);
    if (!window) {
        ShowLastSystemError(state);
        return;
    }
    state.openForms.push_back(OpenForm{window, form});
    form->OnOpen(state, *window);
}

void BeginForm(AppState& state, FormWindow& window) {
    if (state.openFormWindow && state.openFormWindow != &window) {
        CloseFormWindow(state, state.openFormWindow);
    }
    state.currentFormWindow = &window;
    state.openFormWindow = &window;
}

void InitTitle(AppState& state, FormWindow& window) {
    BeginForm(state, window);
    Control* title = FindTitleControl(window);
    if (!title) return;
    if (title->Text().empty()) title->SetText(window.Title());
    const Rect r = title->Bounds();
    const int width = state.windows.TextWidth(title->Text()) + ScaledX(state, kTitlePadding);
    title->SetBounds(MakeRect(r.left, r.top, width, ScaledY(state, kTitleHeight)));
    if (title->Subclass(std::make_unique<TitleHook>(state))) state.registry.Add(title->Id());
}

void CloseFormWindow(AppState& state, FormWindow* window) {
    if (!window) return;
    for (int i = 0; i < state.registry.Count(); ++i) {
        if (Control* c = window->FindControl(state.registry.At(i))) c->ReleaseSubclass();
    }
    state.registry.Clear();
    state.popupTriggers.clear();
    state.loop.KillTimers(window->Handle());
    auto it = std::find_if(state.openForms.begin(), state.openForms.end(),
                           [&](const OpenForm& f) { return f.window == window; });
    if (it != state.openForms.end()) {
        state.retiredForms.push_back(it->form);
        state.openForms.erase(it);
    }
    if (state.currentFormWindow == window) state.currentFormWindow = nullptr;
    if (state.openFormWindow == window) state.openFormWindow = nullptr;
    state.windows.DestroyForm(window);
}

void LeaveForm(AppState& state, FormWindow* window) {
    if (!window) return;
    if (std::shared_ptr<Form> form = FormOf(state, window)) {
        form->OnLeave(state, *window);
    } else {
        CloseFormWindow(state, window);
    }
    // A form that kept its window open after 9502 is not the open form any more.
    if (state.openFormWindow == window) state.openFormWindow = nullptr;
    if (state.currentFormWindow == window) state.currentFormWindow = nullptr;
}

}  // namespace vsp
