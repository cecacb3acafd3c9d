// screen: the interactive program's shell started headless, one form shown, taps, keys and
// text played into it in the order of the line, and the form as the screen would show it
// written to a PNG (with the information box last raised on top) and listed as JSON.
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartSetup.h"  // kOffscreenFailed
#include "cli/Command.h"
#include "cli/ProgramSettings.h"
#include "cli/ProgramShell.h"
#include "ephemeris/Time.h"
#include "forms/ScopeForms.h"
#include "platform/MessageBoxPainter.h"
#include "platform/ModalWindows.h"
#include "platform/PngFile.h"
#include "platform/Text.h"
#include "platform/headless/FakeClock.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "shell/Forms.h"
#include "shell/MainWindow.h"
#include "settings/PreferenceStart.h"

namespace vsp::cli {
namespace {

// A form that keeps posting work to itself must not hang the run: past this many events the
// rest are dropped and the run fails.
constexpr int kEventBudget = 20000;

struct ScreenArgs {
    int formId = 0;
    std::vector<std::string> taps, keys, texts;
    std::optional<std::string> size, output;
    std::optional<int> night;
    int dpi = kReferenceDpi;
    CLI::App* command = nullptr;  // for the order of the inputs on the line
};

struct KeyName {
    const char* name;
    int code;
};
constexpr KeyName kKeyNames[] = {{"Up", kKeyUp},       {"Down", kKeyDown},     {"Left", kKeyLeft},
                                 {"Right", kKeyRight}, {"Enter", kKeyEnter},   {"Escape", kKeyEscape},
                                 {"Back", kKeyEscape}, {"Backspace", kKeyBackspace}};

enum class StepKind { Tap, Key, Type };
struct Step {
    StepKind kind = StepKind::Tap;
    int x = 0, y = 0;
    KeyPress key;
    std::string text;  // code page
};

// A key name of the list, or one letter or digit (its upper-case code).
std::optional<KeyPress> ParseKey(const std::string& name) {
    for (const KeyName& k : kKeyNames) {
        if (name == k.name) return KeyPress{k.code};
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return KeyPress{std::toupper(static_cast<unsigned char>(name[0]))};
    return std::nullopt;
}

// The inputs in the order they stand on the line; a usage problem in `problem`.
bool ReadSteps(const ScreenArgs& args, const DeviceCaps& caps, std::vector<Step>& steps, std::string& problem) {
    size_t tap = 0, key = 0, text = 0;
    for (const CLI::Option* option : args.command->parse_order()) {
        Step step;
        const std::string name = option->get_name();
        if (name == "--tap") {
            const std::string& word = args.taps.at(tap++);
            const auto point = ParseNumberPair(word, ',');
            if (!point) return problem = "--tap must be X,Y: " + word, false;
            if (point->first < 0 || point->second < 0 || point->first >= caps.screenWidth ||
                point->second >= caps.screenHeight) {
                return problem = "--tap " + word + " is outside the " + std::to_string(caps.screenWidth) + "x" +
                                 std::to_string(caps.screenHeight) + " screen",
                       false;
            }
            step = {StepKind::Tap, point->first, point->second, {}, {}};
        } else if (name == "--key") {
            const std::string& word = args.keys.at(key++);
            const std::optional<KeyPress> press = ParseKey(word);
            if (!press) {
                return problem = "unknown key " + word +
                                 " (Up, Down, Left, Right, Enter, Escape or Back, or one letter or digit)",
                       false;
            }
            step = {StepKind::Key, 0, 0, *press, {}};
        } else if (name == "--type") {
            step = {StepKind::Type, 0, 0, {}, Utf8ToCp1252(args.texts.at(text++))};
        } else {
            continue;
        }
        steps.push_back(step);
    }
    return true;
}

// Stops handing events on once the budget is spent, so the loop drains and goes idle.
class BoundedHandler : public EventHandler {
public:
    explicit BoundedHandler(EventHandler& inner) : inner_(inner) {}
    void HandleEvent(const Event& event) override {
        if (left_ == 0) return;
        --left_;
        inner_.HandleEvent(event);
    }
    bool Spent() const { return left_ == 0; }

private:
    EventHandler& inner_;
    int left_ = kEventBudget;
};

// The program's shell on the headless window system with a clock that stands still, so
// timers never fire and every run of the same line gives the same picture.
struct ScreenRun {
    ProgramDir dir;
    Preferences prefs;
    PreferenceLoadResult loaded;
    FakeClock clock;
    EventLoop loop{clock};
    HeadlessWindowSystem windows;
    AppState state;
    CatalogSession sky;
    Telescope telescope;
    MainWindowHandler main{state};
    BoundedHandler handler{main};
    bool quit = false;
    size_t boxesBefore = 0;  // boxes raised before the last input
    const FormWindow* dialog = nullptr;  // a modal dialog still up when the inputs ran out

    ScreenRun(const ProgramDir& home, const PreferenceTable& settings, const DeviceCaps& caps)
        : dir(home), windows(loop, caps), state(windows, loop, prefs, settings, dir), sky(dir, state.info),
          telescope(prefs, state.info, ObservingScopeClock(state)) {}
    void Pump() { quit = quit || loop.RunPending(handler).has_value(); }
};

// Text goes to the focused edit control one key at a time, as typing on the device would, so
// the form sees every change.
bool TypeText(ScreenRun& run, const std::string& text) {
    FormWindow* form = run.state.currentFormWindow;
    Control* focused = form ? form->FindControl(form->FocusedControl()) : nullptr;
    if (!focused || focused->Kind() != ControlKind::Edit) return false;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        run.windows.ScriptKey(KeyPress{u < 0x80 ? std::toupper(u) : u, false, false, c});
        run.Pump();
    }
    return true;
}

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button: return "button";
        case ControlKind::TitleButton: return "title";
        case ControlKind::StaticText: return "text";
        case ControlKind::Edit: return "edit";
        case ControlKind::List: return "list";
        case ControlKind::CheckBox: return "checkbox";
        case ControlKind::Radio: return "radio";
        case ControlKind::PopupTrigger: return "popup_trigger";
    }
    return "";
}

nlohmann::json ControlJson(const Control& c) {
    const Rect r = c.Bounds();
    nlohmann::json j = {{"id", c.Id()}, {"kind", KindName(c.Kind())}, {"text", Cp1252ToUtf8(c.Text())},
                        {"x", r.left}, {"y", r.top}, {"w", r.Width()}, {"h", r.Height()}, {"visible", c.Visible()}};
    if (c.Kind() == ControlKind::CheckBox || c.Kind() == ControlKind::Radio) j["selected"] = c.Checked();
    if (c.Kind() == ControlKind::List) {
        int selected = -1;
        nlohmann::json rows = nlohmann::json::array();
        for (int i = 0; i < c.RowCount(); ++i) {
            rows.push_back(Cp1252ToUtf8(c.Row(i)->text));
            if (selected < 0 && c.Row(i)->selected) selected = i;
        }
        j["selected"] = selected;
        j["rows"] = rows;
    }
    return j;
}

// The first and second lines of every box raised, in order.
nlohmann::json BoxesJson(const ScreenRun& run) {
    nlohmann::json boxes = nlohmann::json::array();
    for (const MessageBoxRecord& box : run.windows.Boxes().Shown()) {
        const size_t cut = box.text.find('\n');
        boxes.push_back({{"first", Cp1252ToUtf8(box.text.substr(0, cut))},
                         {"second", cut == std::string::npos ? "" : Cp1252ToUtf8(box.text.substr(cut + 1))}});
    }
    return boxes;
}

nlohmann::json ControlsJson(const FormWindow* form) {
    nlohmann::json controls = nlohmann::json::array();
    if (form) {
        for (const auto& c : form->Controls()) controls.push_back(ControlJson(*c));
    }
    return controls;
}

nlohmann::json ScreenJson(const ScreenRun& run) {
    const FormWindow* form = run.state.currentFormWindow;
    const nlohmann::json controls = ControlsJson(form);
    return {{"form", form ? nlohmann::json(form->TemplateId()) : nlohmann::json()},
            {"title", form ? Cp1252ToUtf8(form->Title()) : ""},
            {"controls", controls},
            {"info_boxes", BoxesJson(run)},
            {"dialog", run.dialog ? nlohmann::json{{"id", run.dialog->TemplateId()},
                                                   {"title", Cp1252ToUtf8(run.dialog->Title())},
                                                   {"controls", ControlsJson(run.dialog)}}
                                  : nlohmann::json()}};
}

// The box the last input raised (still on the screen), or null.
const MessageBoxRecord* LastInputBox(const ScreenRun& run) {
    const std::vector<MessageBoxRecord>& shown = run.windows.Boxes().Shown();
    return shown.size() > run.boxesBefore ? &shown.back() : nullptr;
}

// The current form (the bare main window when none shows) and the box of the last input.
bool Picture(ScreenRun& run, Canvas& canvas) {
    const DeviceCaps& caps = run.windows.Caps();
    if (const FormWindow* form = run.state.currentFormWindow; form && form->Visible()) {
        if (!run.windows.Snapshot(*form, canvas)) return false;
    } else {
        if (!canvas.Create(caps.screenWidth, caps.screenHeight)) return false;
        canvas.SetBackColour(run.state.display.backgroundBrush);
        canvas.FillRect(MakeRect(0, 0, caps.screenWidth, caps.screenHeight));
    }
    if (run.dialog) PaintDialog(*run.dialog, run.windows.SystemColours(), caps.Scale(), canvas);
    if (const MessageBoxRecord* box = LastInputBox(run))
        PaintMessageBox(canvas, run.windows.SystemColours(), caps.Scale(), box->caption, box->text, box->buttons);
    return true;
}

// ": " and the first line of the box raised by the last input, or nothing.
std::string BoxRaised(const ScreenRun& run) {
    const MessageBoxRecord* box = LastInputBox(run);
    return box ? ": " + Cp1252ToUtf8(box->text.substr(0, box->text.find('\n'))) : "";
}

// Plays one input and lets what it posted run; false when text had no edit control to go to.
bool Play(ScreenRun& run, const Step& step) {
    run.boxesBefore = run.windows.Boxes().Shown().size();
    switch (step.kind) {
        case StepKind::Tap: run.windows.ScriptTap(step.x, step.y); break;
        case StepKind::Key: run.windows.ScriptKey(step.key); break;
        case StepKind::Type:
            if (!TypeText(run, step.text)) return false;
            break;
    }
    run.Pump();
    return true;
}

// The screen of --dpi, resized by --size; nothing when --size is not WxH within limits.
std::optional<DeviceCaps> ScreenCaps(const ScreenArgs& args) {
    DeviceCaps caps = DeviceCaps::ForDpi(args.dpi);
    if (!args.size) return caps;
    if (!ParsePixelSize(*args.size, caps.screenWidth, caps.screenHeight)) return std::nullopt;
    return caps;
}

// The shell started as the window starts it, then asked for the form; false when the
// start-up order did not finish.
// The site and the date and time given on the command line stand in for the stored ones, as
// they do for every other command.
bool StartAndShow(ScreenRun& run, const ScreenArgs& args, CliContext& ctx) {
    run.loaded = StartProgramPreferences(run.state.settings, run.dir, run.prefs);
    if (args.night) run.prefs.nightLevel = *args.night;
    run.prefs.site = ctx.Prefs().site;
    run.prefs.correction = ctx.Prefs().correction;
    WireShell(run.state, run.sky, run.telescope);
    if (StartShell(run.state, run.loaded) != StartResult::Started) return false;
    if (ctx.Options().date || ctx.Options().time) {
        run.state.observingTime = ctx.ObservingTime();
        run.state.listHeaderTime = ToTheMinute(run.state.observingTime);
    }
    run.Pump();
    run.boxesBefore = run.windows.Boxes().Shown().size();
    ShowForm(run.state, args.formId);
    run.Pump();
    return true;
}

// The event a tap or key step gives a modal dialog.
Event DialogEventOf(const Step& step) {
    Event e;
    e.kind = step.kind == StepKind::Tap ? EventKind::Tap : EventKind::Key;
    e.x = step.x, e.y = step.y, e.key = step.key;
    return e;
}

// Writes the PNG and the JSON of the screen as it stands; answers the exit status.
int Report(CliContext& ctx, ScreenRun& run, const ScreenArgs& args, bool opened, const std::string& refusal) {
    if (run.handler.Spent()) return JobFailed(ctx, "the form did not settle: its events did not stop");
    if (run.quit) ctx.Err() << "vespertar: the program was ended (Done or Quit); inputs after that were not played\n";
    if (args.output) {
        Canvas canvas;
        if (!Picture(run, canvas)) return JobFailed(ctx, std::string(kOffscreenFailed));
        if (std::string error; !WritePng(canvas, *args.output, error)) return JobFailed(ctx, error);
    }
    if (ctx.Json()) PrintJson(ctx, ScreenJson(run));
    if (!opened) return JobFailed(ctx, "form " + std::to_string(args.formId) + " did not open" + refusal);
    return kExitOk;
}

int RunScreen(CliContext& ctx, const ScreenArgs& args) {
    const std::optional<DeviceCaps> caps = ScreenCaps(args);
    if (!caps) return UsageError(ctx, kPixelSizeUsage + *args.size);
    std::vector<Step> steps;
    if (std::string problem; !ReadSteps(args, *caps, steps, problem)) return UsageError(ctx, problem);
    if (!MakeDirectory(ctx.Home().Root())) return JobFailed(ctx, "cannot use the program directory " + ctx.Home().Root());

    auto run = std::make_unique<ScreenRun>(ctx.Home(), ctx.Settings(), *caps);
    if (!StartAndShow(*run, args, ctx)) return JobFailed(ctx, "the shell did not start");
    const bool opened = run->state.currentFormWindow && run->state.currentFormWindow->TemplateId() == args.formId;
    const std::string refusal = opened ? "" : BoxRaised(*run);
    size_t next = 0;
    std::optional<int> reported;
    // A modal dialog takes the taps and keys that follow; one still up when they run out is
    // reported from inside it, before it closes. Typed text closes it for the form below.
    run->windows.dialogInput = [&](const FormWindow& dialog) -> std::optional<Event> {
        if (next < steps.size()) {
            if (steps[next].kind == StepKind::Type) return std::nullopt;
            return DialogEventOf(steps[next++]);
        }
        if (!reported) {
            run->dialog = &dialog;
            reported = Report(ctx, *run, args, opened, refusal);
            run->dialog = nullptr;
        }
        return std::nullopt;
    };
    while (next < steps.size() && !run->quit && !reported) {
        if (!Play(*run, steps[next++])) return JobFailed(ctx, "--type: no edit control has the focus (tap one first)");
    }
    return reported ? *reported : Report(ctx, *run, args, opened, refusal);
}

}  // namespace

void AddScreenCommand(CommandRegistry& registry) {
    auto args = std::make_shared<ScreenArgs>();
    CLI::App* command = registry.Add(
        "screen", "A form of the interactive program as its screen shows it, after taps, keys and text; -o writes a PNG",
        [args](CliContext& ctx) { return RunScreen(ctx, *args); });
    args->command = command;
    command->add_option("FORM_ID", args->formId, "the form to show (1950 is the home form)")->required();
    command->add_option("--tap", args->taps,
                        "tap at X,Y in device pixels of the screen (those of the PNG and of the JSON)")
        ->type_name("X,Y")
        ->allow_extra_args(false);
    command->add_option("--key", args->keys, "press a key: Up, Down, Left, Right, Enter, Escape (Back), Backspace, or a letter or digit")
        ->type_name("NAME")
        ->allow_extra_args(false);
    command->add_option("--type", args->texts, "text added to the focused edit control")
        ->type_name("TEXT")
        ->allow_extra_args(false);
    command->add_option("--size", args->size, "screen WxH in device pixels (default 240x320 scaled by --dpi / 96)");
    command->add_option("--dpi", args->dpi, "display dots per inch: 96 gives 240x320, 192 gives 480x640 (default 96)")
        ->check(CLI::Range(48, 960));
    command->add_option("--night", args->night, "night mode 0 off, 1 Dark, 2 Medium, 3 Bright (default: the preferences)")
        ->check(CLI::Range(0, 3));
    command->add_option("-o,--output", args->output, "PNG file to write");
    command->footer(
        "Inputs run in the order given, each until the program is idle; timers do not run. An unknown key or a tap "
        "off the screen is a usage error. JSON keys: form, title, controls [id, kind, text, x, y, w, h, visible, "
        "selected (check boxes; lists, with rows)], info_boxes [first, second], dialog (a modal dialog still up: id, "
        "title, controls) or null.");
}

}  // namespace vsp::cli
