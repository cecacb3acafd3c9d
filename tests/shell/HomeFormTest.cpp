#include "ShellFixture.h"
#include "shell/HomeForm.h"
#include "shell/NightMode.h"

namespace vsp::test {
namespace {

class HomeFormTest : public ShellTest {
protected:
    void SetUp() override {
        prefs.site.latitude = 52.5f;
        prefs.site.longitude = -13.4f;
        CreateMainWindow();
        Open(1950);
        ASSERT_EQ(OpenFormId(), 1950);
    }
    Control& C(int id) { return *state.currentFormWindow->FindControl(id); }
    void Tap(int id) {
        const Rect r = C(id).Bounds();
        windows.ScriptTap(r.left + r.Width() / 2, r.top + r.Height() / 2);
        Pump();
    }
    // Opens a popup and taps one of its rows.
    void Choose(int trigger, int list, int row) {
        Tap(trigger);
        ASSERT_TRUE(C(list).Visible());
        const Rect r = C(list).Bounds();
        windows.ScriptTap(r.left + 2, r.top + row * C(list).RowHeight() + 1);
        Pump();
    }
    std::vector<std::string> Rows(int list) {
        std::vector<std::string> out;
        for (int i = 0; i < C(list).RowCount(); ++i) out.push_back(C(list).Row(i)->text);
        return out;
    }
};

TEST_F(HomeFormTest, OpensWithItsMenusTimerAndReducedHeight) {
    EXPECT_EQ(Rows(1977), (std::vector<std::string>{"NightMode", "Twilight", "CompassChart", "Day/Night",
                                                    "CheckList", "Quit"}));
    EXPECT_EQ(Rows(1979), (std::vector<std::string>{"ScopeControl", "2 StarsAlignment", "N StarsAlignement",
                                                    "PolarAlignement", "DSLRControl", "CCD"}));
    EXPECT_EQ(Rows(1981), (std::vector<std::string>{"Preferences", "Location", "About"}));
    EXPECT_TRUE(loop.HasTimer(state.currentFormWindow->Handle(), 1001));
    EXPECT_EQ(state.currentFormWindow->Bounds(), (Rect{0, 0, 240, 320 - 26}));
    // Every button lies inside the form and no two overlap.
    const auto& controls = state.currentFormWindow->Controls();
    for (const auto& a : controls) {
        if (a->Kind() == ControlKind::List) continue;
        EXPECT_GT(a->Bounds().Width(), 0) << a->Id();
        EXPECT_LE(a->Bounds().bottom, 294) << a->Id();
        for (const auto& b : controls) {
            if (a == b || b->Kind() == ControlKind::List) continue;
            const Rect p = a->Bounds(), q = b->Bounds();
            const bool overlap = p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
            EXPECT_FALSE(overlap) << a->Id() << " and " << b->Id();
        }
    }
}

TEST_F(HomeFormTest, ButtonsOpenTheirForms) {
    const std::pair<int, int> table[] = {{5018, 2550}, {5028, 2800}, {5113, 2800}, {5050, 2450},
                                         {5053, 2600}, {5054, 2700}, {5059, 112},  {5060, 1800},
                                         {5081, 6000}};
    for (auto [button, form] : table) {
        Open(1950);
        Tap(button);
        EXPECT_EQ(OpenFormId(), form) << button;
    }
    const std::pair<int, AssistantBody> bodies[] = {
        {5051, AssistantBody::Jupiter}, {5052, AssistantBody::Saturn}, {5115, AssistantBody::Mars}};
    for (auto [button, body] : bodies) {
        Open(1950);
        Tap(button);
        EXPECT_EQ(OpenFormId(), 2460);
        EXPECT_EQ(state.bodyAssistant.body, body);
    }
}

TEST_F(HomeFormTest, PopupRowsOpenTheirForms) {
    const std::tuple<int, int, int, int> table[] = {
        {1976, 1977, 1, 2410}, {1976, 1977, 2, 2830}, {1976, 1977, 3, 2423}, {1976, 1977, 4, 2200},
        {1978, 1979, 1, 1300}, {1978, 1979, 2, 2100}, {1978, 1979, 3, 2470}, {1978, 1979, 4, 5300},
        {1978, 1979, 5, 1550}, {1980, 1981, 0, 1400}, {1980, 1981, 1, 1200}};
    for (auto [trigger, list, row, form] : table) {
        Open(1950);
        Choose(trigger, list, row);
        EXPECT_EQ(OpenFormId(), form) << list << " row " << row;
    }
    Open(1950);
    Choose(1978, 1979, 0);  // ScopeControl without a drive
    EXPECT_EQ(LastBox(), "No Scope Drive Selected\n");
    Open(1950);
    Choose(1980, 1981, 2);
    EXPECT_EQ(LastBox(), "Vespertar\nVersion 3.0.3");
}

TEST_F(HomeFormTest, NightModeRowRunsTheDialogAndComesBackHome) {
    windows.ScriptDialogButtons({kNightDarkButton});
    Choose(1976, 1977, 0);
    EXPECT_EQ(windows.DialogsRun(), std::vector<int>{1999});
    EXPECT_EQ(state.nightLevel, 1);
    EXPECT_EQ(state.currentFormId, 1950);
    EXPECT_EQ(OpenFormId(), 1950);
}

TEST_F(HomeFormTest, QuitRowAndDoneEndTheProgram) {
    Choose(1976, 1977, 5);
    EXPECT_FALSE(windows.HasMainWindow());
    EXPECT_EQ(quitCode, 0);
}

TEST_F(HomeFormTest, QuickSelectionsNeedALocation) {
    prefs.site.latitude = 0.0f;
    prefs.site.longitude = 0.0f;
    bool selected = false;
    state.hooks.selectVisible = [&](AppState&, int, int, int) { selected = true; };
    for (int button : {5023, 5024, 5025, 5027, 5058, 5061, 5111, 5080}) {
        Tap(button);
        EXPECT_EQ(LastBox(), "Please set your location first!\n") << button;
        EXPECT_EQ(OpenFormId(), 1950);
    }
    EXPECT_EQ(windows.Boxes().Shown().size(), 8u);
    EXPECT_FALSE(selected);
}

TEST_F(HomeFormTest, QuickSelectionsSayWhatTheySelectAndOpenTheChart) {
    struct Case {
        int button, kind, catalog, filter;
        const char* text;
    };
    const Case cases[] = {{5023, 7, 45, 27, "visible Planets."},
                          {5024, 3, 0, 0, "visible Galaxies."},
                          {5025, 4, 0, 0, "visible Nebulae."},
                          {5027, 1, 0, 2, "visible Globular Clusters."},
                          {5058, 1, 0, 6, "visible Globular Clusters."},
                          {5061, 0, 49, 0, "visible best SAC Objects."},
                          {5111, 0, 63, 0, "visible personnal objects."},
                          {5080, 0, 0, 0, "all visible objects."}};  // Sky with an empty list
    for (const Case& c : cases) {
        Open(1950);
        std::string first, second;
        std::tuple<int, int, int> args{-1, -1, -1};
        state.hooks.showProgress = [&](AppState&, std::string_view a, std::string_view b) {
            first = a;
            second = b;
        };
        state.hooks.selectVisible = [&](AppState&, int k, int cat, int f) { args = {k, cat, f}; };
        Tap(c.button);
        EXPECT_EQ(first, "Please wait, selecting");
        EXPECT_EQ(second, c.text) << c.button;
        EXPECT_EQ(args, std::make_tuple(c.kind, c.catalog, c.filter)) << c.button;
        EXPECT_EQ(OpenFormId(), 1900);
    }
    EXPECT_EQ(QuickSelectionText(6, 0), "visible Multiple Stars.");
    EXPECT_EQ(QuickSelectionText(0, 9), "visible Caldwells.");
    EXPECT_EQ(QuickSelectionText(0, 12), "visible comets.");
    EXPECT_EQ(QuickSelectionText(0, 25), "visible Herschels.");
    EXPECT_EQ(QuickSelectionText(0, 40), "visible Messiers.");
    EXPECT_EQ(QuickSelectionText(0, 54), "visible bright stars.");
}

TEST_F(HomeFormTest, SkyWithAListOpensTheChartDirectly) {
    bool selected = false;
    state.hooks.currentListCount = [](AppState&) { return 1; };
    state.hooks.selectVisible = [&](AppState&, int, int, int) { selected = true; };
    Tap(5080);
    EXPECT_EQ(OpenFormId(), 1900);
    EXPECT_FALSE(selected);
}

TEST_F(HomeFormTest, HelpTextUsesDeviceBullets) {
    Tap(5089);
    EXPECT_EQ(LastBox(),
              "\x95 The Information button will give you help on each page.\n"
              "\x95 To go back from on page, press the title.\n"
              "\x95 To change the dates or hours, please click on the clock icon or on the fields "
              "that contain dates or hours.\n"
              "\x95 First set your location. Then try other Wizard icons.");
}

TEST_F(HomeFormTest, ViewRefreshesEveryFiveMinutesUntilLeft) {
    int refreshes = 0;
    state.hooks.refreshHomeView = [&](AppState&, FormWindow&) { ++refreshes; };
    const int64_t start = clock.NowMs();
    loop.RunUntil(handler, start + 299999);
    EXPECT_EQ(refreshes, 0);
    loop.RunUntil(handler, start + 300000);
    EXPECT_EQ(refreshes, 1);
    loop.RunUntil(handler, start + 900000);
    EXPECT_EQ(refreshes, 3);
    const WindowHandle home = state.currentFormWindow->Handle();
    Open(1900);  // command 9502 to home stops its timer
    EXPECT_FALSE(loop.HasTimer(home, 1001));
    loop.RunUntil(handler, start + 2000000);
    EXPECT_EQ(refreshes, 3);
}

TEST_F(HomeFormTest, ClockButtonRecomputesOnlyWhenConfirmed) {
    std::vector<std::string> calls;
    bool confirm = false;
    state.hooks.pickObservingTime = [&](AppState&) {
        calls.push_back("pick");
        return confirm;
    };
    state.hooks.initEphemeris = [&](AppState&) { calls.push_back("ephemeris"); };
    state.hooks.refreshHomeView = [&](AppState&, FormWindow&) { calls.push_back("refresh"); };
    Tap(5146);
    confirm = true;
    Tap(5146);
    EXPECT_EQ(calls, (std::vector<std::string>{"pick", "pick", "ephemeris", "refresh"}));
}

TEST_F(HomeFormTest, LoadButtonCallsTheListHook) {
    int loads = 0;
    state.hooks.loadList = [&](AppState&) { ++loads; };
    Tap(5049);
    EXPECT_EQ(loads, 1);
}

}  // namespace
}  // namespace vsp::test
