// The chart form in a whole shell over the built catalogs: the zoom list sets and keeps the
// level, an object chosen from the list comes to the middle where a tap finds it again and a
// drag carries it along, the telescope list's messages, centring on the (emulated) telescope
// names the star it points at, and following it while a goto runs.

#include <algorithm>
#include <cmath>
#include <optional>

#include "catalog/CatalogSession.h"
#include "forms/ChartForm.h"
#include "forms/ChartFormLists.h"
#include "forms/ChartScopeActions.h"
#include "forms/ScopeForms.h"
#include "shell/FormTable.h"
#include "shell/Scale.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/CatalogHome.h"

namespace vsp::test {
namespace {

// Vega, J2000 (Hipparcos); the chart's wide fields do not tell it from its place of date.
constexpr EquatorialPosition kVega{18.61565, 38.78369};
// M31, J2000 (NGC 2000.0).
constexpr EquatorialPosition kM31{0.7117, 41.27};

class ChartFormTest : public ShellTest {
protected:
    void SetUp() override {
        const CatalogHome* built = RequireCatalogHome();
        if (!built) return;
        state.dir = ProgramDir(built->root);
        sky_.emplace(state.dir, state.info);
        prefs.scopeDrive = 5;  // LX200 on no port: the emulated mount answers,
        telescope_.Link().SetEmulating(true);  // as after the scope control form found none
        SetSite(48.85f, -2.35f);
        prefs.site.tzOffset = 120;
        RegisterScopeForms(state, *sky_, telescope_);
        RegisterForm(state, kSkyChartFormId, [this](AppState&, int) { return MakeChartForm(*sky_, telescope_, info_, std::make_shared<ObservingList>()); });
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        // 2024-10-01 23:00 local: M31 high in the east, Vega in the west.
        state.observingTime = CalendarDateTime{2024, 10, 1, 23, 0, 0};
        Pump();
        Open(kSkyChartFormId);
        ASSERT_EQ(OpenFormId(), kSkyChartFormId);
    }

    int RowOf(int list, const std::string& text) {
        for (int i = 0; i < C(list).RowCount(); ++i)
            if (C(list).Row(i)->text == text) return i;
        return -1;
    }
    void Scope(ChartScopeEntry entry) { ChooseRow(kChartScopeTrigger, kChartScopeList, int(entry)); }
    // The middle of the chart area (under the title bar), device pixels.
    std::pair<int, int> ChartMiddle() {
        const Rect form = state.currentFormWindow->Bounds();
        return {form.Width() / 2, (kTitleHeight + form.Height()) / 2};
    }
    size_t Copies() const {
        return size_t(std::ranges::count_if(windows.Log(), [](const std::string& l) { return l.starts_with("CopyCanvas 1900"); }));
    }
    EmulatedMount& Mount() { return telescope_.Dispatcher().Emulated(); }

    std::optional<CatalogSession> sky_;  // over the built catalogs
    Telescope telescope_{prefs, state.info, ObservingScopeClock(state), [](int) {}};
    SharedObjectSelection info_ = std::make_shared<ObjectSelection>();
};

TEST_F(ChartFormTest, ZoomListObjectListTapAndDrag) {
    ASSERT_NE(state.currentFormWindow->Picture(), nullptr);
    EXPECT_EQ(C(kChartZoomTrigger).Text(), "180\xB0");
    // At 5 degrees M31 stands clear of M32 and M110 within the tap's box.
    ChooseRow(kChartZoomTrigger, kChartZoomList, 9);
    EXPECT_EQ(C(kChartZoomTrigger).Text(), "5\xB0");
    EXPECT_EQ(prefs.zoomLevelOther, 9);  // "Sky Map" keeps its own level

    const int m31 = RowOf(kChartObjectList, "M31"), moon = RowOf(kChartObjectList, "Moon");
    ASSERT_GE(m31, 10);  // after the Sun, the Moon and the planets
    ChooseRow(kChartObjectTrigger, kChartObjectList, m31);
    EXPECT_EQ(C(kChartObjectTrigger).Text(), "M31");

    // The Moon is below the horizon, so choosing it leaves the chart where it was: a tap at the
    // middle then finds M31 there.
    ChooseRow(kChartObjectTrigger, kChartObjectList, moon);
    ASSERT_EQ(C(kChartObjectTrigger).Text(), "Moon");
    const auto [x, y] = ChartMiddle();
    TapAt(x, y);
    EXPECT_EQ(C(kChartObjectTrigger).Text(), "M31");

    // A drag carries the chart with the pen.
    Drag(x, y, x + 60, y + 40);
    TapAt(x, y);
    EXPECT_NE(C(kChartObjectTrigger).Text(), "M31");
    TapAt(x + 60, y + 40);
    EXPECT_EQ(C(kChartObjectTrigger).Text(), "M31");
    EXPECT_TRUE(BoxTexts().empty()) << LastBox();
}

TEST_F(ChartFormTest, TelescopeEntriesSayWhatIsMissing) {
    Scope(ChartScopeEntry::GotoSelected);
    EXPECT_EQ(LastBox(), std::string(chart_text::kNoSelection) + "\n");
    Scope(ChartScopeEntry::ObjectInformation);
    EXPECT_EQ(LastBox(), std::string(chart_text::kNoSelection) + "\n");

    ChooseRow(kChartObjectTrigger, kChartObjectList, RowOf(kChartObjectList, "Sun"));
    Scope(ChartScopeEntry::GotoSelected);
    EXPECT_EQ(LastBox(), std::string(chart_text::kNoGotoSun) + "\n");
    EXPECT_FALSE(Mount().Moving());

    Mount().Sync({kVega.raHours + 12.0, -kVega.decDegrees});  // far below the horizon
    Scope(ChartScopeEntry::CentreOnScope);
    EXPECT_EQ(LastBox(), std::string(chart_text::kNotInSky) + "\n" + std::string(chart_text::kCheckPlaceTime));

    prefs.scopeDrive = 0;
    Scope(ChartScopeEntry::CentreOnScope);
    EXPECT_EQ(LastBox(), std::string(chart_text::kNoDrive) + "\n");

    Tap(kChartInfoButton);
    EXPECT_EQ(LastBox(), std::string(chart_text::kHelpFirst) + "\n" + std::string(chart_text::kHelpSecond));
    // The date and time line at the bottom opens the date and time.
    TapAt(20, state.currentFormWindow->Bounds().Height() - 4);
    EXPECT_EQ(OpenFormId(), 5200);
}

TEST_F(ChartFormTest, CentreOnScopeNamesTheStarAndFollowingWatchesAGoto) {
    Mount().Sync(kVega);
    Scope(ChartScopeEntry::CentreOnScope);
    EXPECT_EQ(C(kChartObjectTrigger).Text(), "???");  // a star is no entry of the object table
    Scope(ChartScopeEntry::ObjectInformation);
    ASSERT_TRUE(info_->chosen);
    ASSERT_TRUE(info_->star.has_value());
    EXPECT_EQ(info_->star->name, "Vega");
    EXPECT_EQ(info_->star->designation, "HR7001");

    Open(kSkyChartFormId);
    Scope(ChartScopeEntry::FollowScope);
    EXPECT_EQ(C(kChartScopeList).Row(int(ChartScopeEntry::FollowScope))->text, "Stop Following");
    const auto [x, y] = ChartMiddle();
    TapAt(x, y);  // while a "Sky Map" follows the telescope, the pen does not select
    EXPECT_EQ(LastBox(), std::string(chart_text::kUseKeys) + "\n");

    ChooseRow(kChartObjectTrigger, kChartObjectList, RowOf(kChartObjectList, "M31"));
    Scope(ChartScopeEntry::GotoSelected);
    EXPECT_TRUE(telescope_.SlewStarted());
    EXPECT_EQ(OpenFormId(), kSkyChartFormId);
    const size_t before = Copies();
    for (int tick = 0; tick < 80; ++tick) Wait(250);  // the emulated mount closes a tenth of the way per read
    EXPECT_GE(Copies() - before, 20u);  // the chart redraws as the marker moves
    // The goto went to M31's place of date: within a degree of its J2000 place in 2024.
    EXPECT_NEAR(Mount().Current().raHours, kM31.raHours, 0.06);
    EXPECT_NEAR(Mount().Current().decDegrees, kM31.decDegrees, 0.5);

    Scope(ChartScopeEntry::FollowScope);
    EXPECT_FALSE(loop.HasTimer(state.currentFormWindow->Handle(), kChartFollowTimer));
    const size_t stopped = Copies();
    Wait(1000);
    EXPECT_EQ(Copies(), stopped);
}

}  // namespace
}  // namespace vsp::test
