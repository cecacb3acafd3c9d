#include "ShellFixture.h"
#include "shell/Commands.h"
#include "shell/Form.h"
#include "shell/FormTable.h"

namespace vsp::test {
namespace {

struct CommandTest : ShellTest {
    void SetUp() override { CreateMainWindow(); }
    void Command(int command, int64_t param = 0) {
        loop.PostCommand(command, param);
        Pump();
    }
};

TEST_F(CommandTest, MenuCommandsOpenOneFormAtATime) {
    Command(1003);
    EXPECT_EQ(OpenFormId(), 1900);
    Command(1027);
    EXPECT_EQ(std::tuple(state.bodyAssistant.body, OpenFormId(), windows.Forms().size()),
              std::tuple(AssistantBody::Mars, 2460, 1u));
    Command(9900, (int64_t(7) << 16) | 1200);  // only the low 16 bits name the form
    EXPECT_EQ(OpenFormId(), 1200);
    const auto log = windows.Log();
    EXPECT_TRUE(HandleCommand(state, 9901));    // power resume: taken, nothing done
    EXPECT_FALSE(HandleCommand(state, 40003));  // unknown
    EXPECT_EQ(std::pair(windows.Log(), BoxTexts().size()), std::pair(log, size_t(0)));
}

TEST_F(CommandTest, ScopeFormsNeedADriveAndUnknownFormsSaySo) {
    int started = 0;
    state.hooks.startScopeControl = [&](AppState&) { ++started; };
    prefs.scopeDrive = 0;
    Command(1013);
    Command(9900, 2400);
    Command(9900, 2300);
    Command(9900, 4242);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Please chose a Telescope Drive in Preference 1/6.\n",
                                                    "No Scope Drive Selected\n", "MonitorForm not done\n",
                                                    "Unkown form call\n"}));
    EXPECT_TRUE(windows.Forms().empty());
    prefs.scopeDrive = 5;
    Command(1013);
    EXPECT_EQ(started, 1);
    Command(9900, 2400);
    EXPECT_EQ(OpenFormId(), 2400);
    EXPECT_EQ(windows.Boxes().Shown().size(), 4u);
}

TEST_F(CommandTest, BareWindowTapOpensHomeAndCtrlQQuits) {
    windows.ScriptKey(KeyPress{'A', true});  // not handled
    TapAt(100, 100);
    EXPECT_EQ(OpenFormId(), 1950);
    windows.ScriptKey(KeyPress{'Q', true});
    Pump();
    EXPECT_FALSE(windows.HasMainWindow());
    EXPECT_EQ(quitCode, 0);
}

// A subsystem's form: registered by factory, told about its controls and timers.
struct ProbeForm : Form {
    explicit ProbeForm(std::vector<std::string>& log) : log(log) {}
    void Log(const std::string& what, int id) { log.push_back(what + " " + std::to_string(id)); }
    FormTemplate BuildTemplate(AppState&, int) override {
        return {.title = "", .controls = {{8001, ControlKind::TitleButton, "Probe", Rect{0, 0, 60, 24}},
                             {77, ControlKind::Button, "Go", Rect{0, 100, 60, 130}}}};
    }
    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        state.loop.SetTimer(window.Handle(), 1, 250);
        Log("open", window.TemplateId());
    }
    void OnControl(AppState&, FormWindow&, int id, ControlNotify) override { Log("control", id); }
    void OnTimer(AppState&, FormWindow&, int id) override { Log("timer", id); }
    void OnLeave(AppState& state, FormWindow& window) override { log.push_back("leave"), Form::OnLeave(state, window); }
    std::vector<std::string>& log;
};

TEST_F(CommandTest, RegisteredFormsRunTheirProcedure) {
    std::vector<std::string> log;
    RegisterForm(state, 2700, [&](AppState&, int) { return std::make_unique<ProbeForm>(log); });
    Command(1029);
    windows.ScriptTap(10, 110);
    loop.RunUntil(handler, clock.NowMs() + 600);
    Command(1003);  // leaving: 9502 stops the timer
    loop.RunUntil(handler, clock.NowMs() + 1000);
    EXPECT_EQ(log, (std::vector<std::string>{"open 2700", "control 77", "timer 1", "timer 1", "leave"}));
    EXPECT_EQ(OpenFormId(), 1900);
}

}  // namespace
}  // namespace vsp::test
