// The satellites form in a whole shell over a database imported from the visual element sets:
// the information view's blocks, moving between satellites with the keys, a pass search and
// the sky of a pass, and a key that stops a search.

#include <algorithm>

#include "forms/SatelliteForm.h"
#include "satellites/ElementSetImport.h"
#include "shell/FormTable.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kNameText = 2803, kInfoLabelFirst = 2810, kInfoValueFirst = 2830;
constexpr int kHeaderList = 2854, kResultList = 2855, kPassesButton = 2861;
const char* const kVisualSets = VESPERTAR_SHARED_DATA "/tle/visual-2025-07-20.tle";

class SatelliteFormTest : public ShellTest {
protected:
    void SetUp() override {
        state.dir = home_.Dir();
        SatelliteDatabase database(state.dir, state.info);
        std::vector<ElementSetSourceReport> report;
        ASSERT_TRUE(ImportElementSets(database, {kVisualSets}, false, state.info, report));
        count_ = database.Count();
        iss_ = database.Find("ISS");
        ASSERT_GE(iss_, 0);
        SetSite(48.85f, -2.35f);
        prefs.site.tzOffset = 120;
        RegisterForm(state, kSatelliteFormId, [](AppState&, int) { return MakeSatelliteForm(); });
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        state.observingTime = CalendarDateTime{2025, 7, 20, 22, 0, 0};
        Pump();
    }
    void Key(int code) {
        loop.PostKey(KeyPress{code});
        Pump();
    }
    std::string Name() { return C(kNameText).Text(); }

    TempHome home_;
    int count_ = 0;
    int iss_ = -1;
};

TEST_F(SatelliteFormTest, InformationBlocksAndMovingBetweenSatellites) {
    Open(kSatelliteFormId);
    EXPECT_TRUE(Name().ends_with("(1/" + std::to_string(count_) + ")")) << Name();
    Key(kKeyUp);  // already the first
    EXPECT_EQ(prefs.currentSatellite, 0);
    Key(33);  // Page Up: the following one
    EXPECT_EQ(prefs.currentSatellite, 1);
    EXPECT_TRUE(Name().ends_with("(2/" + std::to_string(count_) + ")")) << Name();
    Key(kKeyDown);
    Key(34);  // Page Down: the preceding one
    EXPECT_EQ(prefs.currentSatellite, 1);

    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    EXPECT_TRUE(Name().starts_with("ISS")) << Name();
    EXPECT_EQ(std::pair(C(kInfoLabelFirst + 12).Text(), C(kInfoValueFirst + 12).Text()),
              std::pair(std::string("Orbit period"), std::string("93min")));  // the station's, 92.9 minutes
    EXPECT_TRUE(C(kInfoValueFirst + 1).Text().ends_with("\xB0N") || C(kInfoValueFirst + 1).Text().ends_with("\xB0S"));
}

TEST_F(SatelliteFormTest, PassesListInLocalTimeAndTheSkyOfAPass) {
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    Tap(kPassesButton);
    ASSERT_EQ(C(kHeaderList).RowCount(), 1);
    EXPECT_EQ(C(kHeaderList).Row(0)->text, "Date\tAos\tMax\tLos\tAlt\tDurat\xB0");
    ASSERT_GT(C(kResultList).RowCount(), 3);
    // Local dates from July 20 on, in time order.
    EXPECT_TRUE(C(kResultList).Row(0)->text.starts_with("07/2")) << C(kResultList).Row(0)->text;

    const Rect r = C(kResultList).Bounds();
    TapAt(r.left + 4, r.top + C(kResultList).RowHeight() / 2);
    EXPECT_FALSE(C(kResultList).Visible());
    ASSERT_NE(state.currentFormWindow->Picture(), nullptr);
}

TEST_F(SatelliteFormTest, AKeyStopsASearchAndIsNotTakenForAMove) {
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    const Rect b = C(kPassesButton).Bounds();
    windows.ScriptTap(b.left + 4, b.top + 4);
    windows.ScriptKey(KeyPress{kKeyDown});  // waiting while the search runs
    Pump();
    EXPECT_LT(C(kResultList).RowCount(), 5);  // stopped at its next look at the input; 30 otherwise
    EXPECT_EQ(prefs.currentSatellite, iss_);
}

}  // namespace
}  // namespace vsp::test
