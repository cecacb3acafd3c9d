#pragma once
// A whole shell over the headless window system, with a clock the test moves.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/headless/FakeClock.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "scope/DriveTable.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"
#include "shell/AppState.h"
#include "shell/Forms.h"
#include "shell/MainWindow.h"

namespace vsp::test {

// The settings as the program has them, the drive table's rows supplied.
inline PreferenceTable ProgramSettings() {
    PreferenceTable table = StandardPreferenceTable();
    SupplyDriveSettings(table);
    return table;
}

class ShellTest : public ::testing::Test {
protected:
    explicit ShellTest(const DeviceCaps& caps = DeviceCaps{})
        : loop(clock), windows(loop, caps), state(windows, loop, prefs, settings, ProgramDir("/nonexistent/")),
          handler(state) {}

    // Handles everything that is ready now.
    void Pump() { quitCode = loop.RunPending(handler); }
    // The main window exists, as after start-up.
    void CreateMainWindow() { ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar")); }
    void Open(int formId) {
        ShowForm(state, formId);
        Pump();
    }
    int OpenFormId() const {
        return state.currentFormWindow ? state.currentFormWindow->TemplateId() : -1;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> out;
        for (const auto& b : windows.Boxes().Shown()) out.push_back(b.text);
        return out;
    }
    std::string LastBox() const { return BoxTexts().empty() ? std::string() : BoxTexts().back(); }
    Control& C(int id) { return *state.currentFormWindow->FindControl(id); }
    void TapAt(int x, int y) {
        windows.ScriptTap(x, y);
        Pump();
    }
    // Taps the middle of a control of the open form.
    void Tap(int id) {
        const Rect r = C(id).Bounds();
        TapAt(r.left + r.Width() / 2, r.top + r.Height() / 2);
    }
    // The pen put down at one point, drawn through the middle to another and lifted there.
    void Drag(int x0, int y0, int x1, int y1) {
        loop.PostTap(x0, y0, TapPhase::Down);
        loop.PostTap((x0 + x1) / 2, (y0 + y1) / 2, TapPhase::Move);
        loop.PostTap(x1, y1, TapPhase::Move);
        loop.PostTap(x1, y1, TapPhase::Up);
        Pump();
    }
    // Taps row `row` of a list as it is scrolled now.
    void TapRow(int list, int row) {
        const Control& rows = C(list);
        const Rect r = rows.Bounds();
        TapAt(r.left + 4, r.top + (row - rows.TopRow()) * rows.RowHeight() + rows.RowHeight() / 2);
    }
    // Opens a popup list with its trigger, scrolls row `row` into view and taps it.
    void ChooseRow(int trigger, int list, int row) {
        Tap(trigger);
        C(list).SetTopRow(row);
        TapRow(list, row);
    }
    // Replaces the text of an edit field as the keyboard would, then presses `last`.
    void TypeInto(int id, const std::string& text, int last = 0) {
        Tap(id);
        for (size_t i = C(id).Text().size(); i > 0; --i) windows.ScriptKey(KeyPress{kKeyBackspace});
        for (char c : text) windows.ScriptKey(KeyPress{std::toupper(c), false, false, c});
        if (last) windows.ScriptKey(KeyPress{last});
        Pump();
    }
    // Moves the clock on and handles what fell due meanwhile.
    void Wait(int ms) {
        clock.Advance(ms);
        Pump();
    }
    void SetSite(float latitude, float longitude) { prefs.site.latitude = latitude, prefs.site.longitude = longitude; }

    FakeClock clock;
    EventLoop loop;
    HeadlessWindowSystem windows;
    Preferences prefs;
    PreferenceTable settings = ProgramSettings();
    AppState state;
    MainWindowHandler handler;
    std::optional<int> quitCode;
};

}  // namespace vsp::test
