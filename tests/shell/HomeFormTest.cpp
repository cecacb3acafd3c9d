#include "ShellFixture.h"
#include "shell/HomeForm.h"
#include "shell/NightMode.h"

namespace vsp::test {
namespace {

class HomeFormTest : public ShellTest {
protected:
    void SetUp() override {
        SetSite(52.5f, -13.4f);
        CreateMainWindow();
        Open(1950);
        ASSERT_EQ(OpenFormId(), 1950);
    }
    // Opens home, then a popup, and taps one of its rows.
    void Choose(int trigger, int list, int row) {
        Open(1950);
        ChooseRow(trigger, list, row);
    }
};

TEST_F(HomeFormTest, ButtonsAndPopupRowsOpenTheirForms) {
    Tap(5115);
    EXPECT_EQ(std::pair(OpenFormId(), state.bodyAssistant.body), std::pair(2460, AssistantBody::Mars));
    Choose(1980, 1981, 1);
    EXPECT_EQ(OpenFormId(), 1200);
    prefs.scopeDrive = 0;
    Choose(1978, 1979, 0);  // ScopeControl without a drive
    EXPECT_EQ(LastBox(), "No Scope Drive Selected\n");
}

// A held button looks pressed until the pen leaves it or is lifted; lifted elsewhere it does
// nothing. Opening a popup list closes the one already open.
TEST_F(HomeFormTest, ButtonsActOnlyWhenReleasedOverAndOnePopupIsOpenAtATime) {
    const Rect mars = C(5115).Bounds(), moon = C(5081).Bounds();
    std::vector<bool> looks;
    const auto pen = [&](const Rect& r, TapPhase phase) {
        loop.PostTap(r.left + 4, r.top + 4, phase);
        Pump();
        looks.push_back(C(5115).Pressed());
    };
    pen(mars, TapPhase::Down);
    pen(moon, TapPhase::Move);
    pen(mars, TapPhase::Move);
    pen(moon, TapPhase::Up);  // slid off onto Moon: neither acts
    pen(moon, TapPhase::Down);
    pen(mars, TapPhase::Up);  // Mars was not the one pressed
    EXPECT_EQ(looks, (std::vector<bool>{true, false, true, false, false, false}));
    EXPECT_EQ(OpenFormId(), 1950);

    Tap(1976);
    Tap(1980);
    EXPECT_EQ(std::pair(C(1977).Visible(), C(1981).Visible()), std::pair(false, true));
    Tap(1980);
    EXPECT_FALSE(C(1981).Visible());
}

TEST_F(HomeFormTest, NightModeRowRunsTheDialogAndQuitRowEnds) {
    windows.ScriptDialogButtons({kNightDarkButton});
    Choose(1976, 1977, 0);
    EXPECT_EQ(windows.DialogsRun(), std::vector<int>{1999});
    EXPECT_EQ(state.nightLevel, 1);
    EXPECT_EQ(OpenFormId(), 1950);
    Choose(1976, 1977, 5);
    EXPECT_FALSE(windows.HasMainWindow());
    EXPECT_EQ(quitCode, 0);
}

TEST_F(HomeFormTest, QuickSelectionsNeedALocationThenSelectAndOpenTheChart) {
    std::tuple<int, int, int> args{-1, -1, -1};
    state.hooks.selectVisible = [&](AppState&, int k, int cat, int f) { args = {k, cat, f}; };
    SetSite(0, 0);
    Tap(5023);
    EXPECT_EQ(LastBox(), "Please set your location first!\n");
    EXPECT_EQ(OpenFormId(), 1950);
    EXPECT_EQ(std::get<0>(args), -1);

    prefs.site.latitude = 10.0f;
    Tap(5058);
    EXPECT_EQ(args, std::make_tuple(1, 0, 6));
    EXPECT_EQ(OpenFormId(), 1900);
    Open(1950);
    Tap(5080);  // Sky with an empty list selects everything
    EXPECT_EQ(args, std::make_tuple(0, 0, 0));

    state.hooks.currentListCount = [](AppState&) { return 1; };
    args = {-1, -1, -1};
    Open(1950);
    Tap(5080);  // with a list it opens the chart directly
    EXPECT_EQ(OpenFormId(), 1900);
    EXPECT_EQ(std::get<0>(args), -1);
}

TEST_F(HomeFormTest, ViewRefreshesEveryFiveMinutesUntilLeft) {
    int refreshes = 0;
    state.hooks.refreshHomeView = [&](AppState&, FormWindow&) { ++refreshes; };
    const int64_t start = clock.NowMs();
    loop.RunUntil(handler, start + 299999);
    EXPECT_EQ(refreshes, 0);
    loop.RunUntil(handler, start + 900000);
    EXPECT_EQ(refreshes, 3);
    Open(1900);
    loop.RunUntil(handler, start + 2000000);
    EXPECT_EQ(refreshes, 3);
}

}  // namespace
}  // namespace vsp::test
