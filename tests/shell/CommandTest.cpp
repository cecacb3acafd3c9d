#include "ShellFixture.h"
#include "shell/Commands.h"
#include "shell/Form.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"

namespace vsp::test {
namespace {

class CommandTest : public ShellTest {
protected:
    void SetUp() override { CreateMainWindow(); }
    void Command(int command, int64_t param = 0) {
        loop.PostCommand(command, param);
        Pump();
    }
};

TEST_F(CommandTest, MenuCommandsOpenTheirForms) {
    const std::pair<int, int> table[] = {
        {1001, 1400}, {1002, 1200}, {1003, 1900}, {1004, 1800}, {1005, 1300}, {1006, 2100},
        {1007, 112},  {1008, 6000}, {1011, 1950}, {1012, 2200}, {1014, 2350}, {1017, 2450},
        {1019, 2470}, {1020, 1550}, {1022, 2410}, {1023, 2600}, {1024, 2423}, {1025, 5200},
        {1026, 5300}, {1028, 2550}, {1029, 2700}, {1032, 2800}, {40015, 2830}};
    for (auto [command, form] : table) {
        Command(command);
        EXPECT_EQ(state.currentFormId, form) << command;
        EXPECT_EQ(OpenFormId(), form) << command;
        // One form at a time.
        EXPECT_EQ(windows.Forms().size(), 1u) << command;
    }
    EXPECT_TRUE(windows.Boxes().Shown().empty());
}

TEST_F(CommandTest, UnregisteredFormIsEmptyAndTitledWithItsScreenName) {
    Command(1003);
    ASSERT_NE(state.currentFormWindow, nullptr);
    const Control* title = state.currentFormWindow->FindControl(8000);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Text(), "SkyChart");
    EXPECT_TRUE(state.registry.Contains(8000));
}

TEST_F(CommandTest, BodyCommandsSelectTheBodyThenOpenThePlanetMap) {
    const std::pair<int, AssistantBody> table[] = {
        {1009, AssistantBody::Jupiter}, {1010, AssistantBody::Saturn}, {1027, AssistantBody::Mars}};
    for (auto [command, body] : table) {
        Command(command);
        EXPECT_EQ(state.bodyAssistant.body, body);
        EXPECT_EQ(OpenFormId(), 2460);
    }
}

TEST_F(CommandTest, ScopeControlNeedsADrive) {
    int started = 0;
    state.hooks.startScopeControl = [&](AppState&) { ++started; };
    Command(1013);
    EXPECT_EQ(LastBox(), "Please chose a Telescope Drive in Preference 1/6.\n");
    EXPECT_EQ(started, 0);
    prefs.scopeDrive = 5;
    Command(1013);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(windows.Boxes().Shown().size(), 1u);
}

TEST_F(CommandTest, AboutShowsProductAndVersion) {
    Command(1016);
    EXPECT_EQ(LastBox(), "Vespertar\nVersion 3.0.3");
}

TEST_F(CommandTest, LaterSubsystemCommandsCallTheirHooksOrDoNothing) {
    const int before = int(windows.Log().size());
    for (int command : {1031, 1033, 1034}) Command(command);
    EXPECT_EQ(int(windows.Log().size()), before);  // nothing visible without hooks
    std::vector<int> called;
    state.hooks.listLoadSave = [&](AppState&) { called.push_back(1031); };
    state.hooks.importMemo = [&](AppState&) { called.push_back(1033); };
    state.hooks.exportMemo = [&](AppState&) { called.push_back(1034); };
    for (int command : {1034, 1031, 1033}) Command(command);
    EXPECT_EQ(called, (std::vector<int>{1034, 1031, 1033}));
}

TEST_F(CommandTest, SpecialAndUnknownFormIds) {
    Command(9900, 2300);
    EXPECT_EQ(LastBox(), "MonitorForm not done\n");
    Command(9900, 2400);
    EXPECT_EQ(LastBox(), "No Scope Drive Selected\n");
    Command(9900, 4242);
    EXPECT_EQ(LastBox(), "Unkown form call\n");
    EXPECT_TRUE(windows.Forms().empty());
    prefs.scopeDrive = 1;
    Command(9900, 2400);
    EXPECT_EQ(OpenFormId(), 2400);
    EXPECT_EQ(windows.Boxes().Shown().size(), 3u);
}

TEST_F(CommandTest, OnlyTheLow16BitsNameTheForm) {
    Command(9900, (int64_t(7) << 16) | 1900);
    EXPECT_EQ(OpenFormId(), 1900);
}

TEST_F(CommandTest, PowerResumeAndUnknownCommands) {
    Open(1900);
    const auto log = windows.Log();
    EXPECT_TRUE(HandleCommand(state, 9901));
    EXPECT_FALSE(HandleCommand(state, 40003));
    EXPECT_FALSE(HandleCommand(state, 1015));
    EXPECT_EQ(windows.Log(), log);
    EXPECT_EQ(OpenFormId(), 1900);
}

TEST_F(CommandTest, QuitAcceleratorAndMenuQuitShutDown) {
    windows.ScriptKey(KeyPress{'A', true});
    Pump();
    EXPECT_TRUE(windows.HasMainWindow());  // Ctrl+A is not handled
    windows.ScriptKey(KeyPress{'Q', true});
    Pump();
    EXPECT_FALSE(windows.HasMainWindow());
    EXPECT_EQ(quitCode, 0);
}

// A subsystem's form: registered by factory, told about its controls and timers.
class ProbeForm : public Form {
public:
    explicit ProbeForm(std::vector<std::string>& log) : log_(log) {}
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t;
        t.title = "Probe";
        t.controls = {{8001, ControlKind::TitleButton, "Probe", Rect{0, 0, 60, 24}},
                      {77, ControlKind::Button, "Go", Rect{0, 100, 60, 130}}};
        return t;
    }
    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        state.loop.SetTimer(window.Handle(), 1, 250);
        log_.push_back("open " + std::to_string(window.TemplateId()));
    }
    void OnControl(AppState&, FormWindow&, int id, ControlNotify) override {
        log_.push_back("control " + std::to_string(id));
    }
    void OnTimer(AppState&, FormWindow&, int id) override { log_.push_back("timer " + std::to_string(id)); }
    void OnLeave(AppState& state, FormWindow& window) override {
        log_.push_back("leave");
        Form::OnLeave(state, window);
    }

private:
    std::vector<std::string>& log_;
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
    EXPECT_FALSE(state.registry.Contains(8001));
    EXPECT_EQ(OpenFormId(), 1900);
}

TEST_F(CommandTest, TapOnTheBareMainWindowOpensHome) {
    windows.ScriptTap(100, 100);
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
    EXPECT_EQ(windows.Forms().size(), 1u);
}

}  // namespace
}  // namespace vsp::test
