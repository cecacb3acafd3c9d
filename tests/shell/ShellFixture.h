#pragma once
// A whole shell over the headless window system, with a clock the test moves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/headless/FakeClock.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Preferences.h"

namespace vsp::test {

class ShellTest : public ::testing::Test {
protected:
    explicit ShellTest(const DeviceCaps& caps = DeviceCaps{})
        : loop(clock), windows(loop, caps), state(windows, loop, prefs, ProgramDir("/nonexistent/")),
          handler(state) {}

    // Handles everything that is ready now.
    void Pump() { quitCode = loop.RunPending(handler); }
    // The main window exists, as after start-up.
    void CreateMainWindow() { ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar")); }
    void Open(int formId) {
        ShowFormAndPump(formId);
    }
    void ShowFormAndPump(int formId);
    int OpenFormId() const {
        return state.currentFormWindow ? state.currentFormWindow->TemplateId() : -1;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : windows.Boxes().Shown()) out.push_back(b.text);
        return out;
    }
    std::string LastBox() const {
        const auto& shown = windows.Boxes().Shown();
        return shown.empty() ? std::string() : shown.back().text;
    }

    FakeClock clock;
    EventLoop loop;
    HeadlessWindowSystem windows;
    Preferences prefs;
    AppState state;
    MainWindowHandler handler;
    std::optional<int> quitCode;
};

}  // namespace vsp::test
