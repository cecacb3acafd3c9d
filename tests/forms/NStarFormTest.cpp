// The N-star form in a whole shell: stars picked on the chart, typed readings taken by Sync,
// Calc fitting the external model with the term count the list allows, the list kept for the
// `scope nstar` commands, and the refusals of each button.

#include "catalog/CatalogSession.h"
#include "forms/ScopeForms.h"
#include "scope/NStarStore.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kStarList = 2101, kAxis1 = 2105, kAxis2 = 2106, kError = 2112;
constexpr int kAdd = 2113, kSync = 2114, kDelete = 2115, kCalc = 2116;

// A one-line message as the box shows it.
std::string Said(std::string_view text) { return std::string(text) + "\n"; }

class NStarForm : public ShellTest {
protected:
    NStarForm() {
        state.dir = home_.Dir();
        prefs.scopeDrive = 0;  // readings are typed
        prefs.alignMethod = 1;
        RegisterScopeForms(state, sky_, telescope_);
        EXPECT_EQ(StartApplication(state), StartResult::Started);
        Pump();
    }
    static ScopeMoment Moment() { return {{2024, 4, 8, 22, 0, 0}, {}, {}}; }
    // Add, then the chart's tap on the star, then back.
    void Pick(const char* name, double raHours, double decDeg) {
        Open(2100);
        Tap(kAdd);
        ASSERT_EQ(OpenFormId(), kSkyChartFormId);
        ASSERT_TRUE(telescope_.StarPickRequested());
        telescope_.DeliverStarPick({name, 0, raHours, decDeg});
        Open(2100);
    }
    // The typed reading of the selected star: RA hours (output type 0) and Dec degrees.
    void SyncTyped(const std::string& raHours, const std::string& decDeg) {
        C(kAxis1).SetText(raHours);
        C(kAxis2).SetText(decDeg);
        Tap(kSync);
    }
    NStarList& List() { return telescope_.NStars().list; }

    TempHome home_;
    CatalogSession sky_{state.dir, state.info};
    Telescope telescope_{prefs, state.info, Moment, [](int) {}};
};

TEST_F(NStarForm, PickedStarsSyncedAndFittedAreKeptForTheCommands) {
    Open(2100);
    Tap(kCalc);
    EXPECT_EQ(LastBox(), Said("Please add at least one stars."));
    EXPECT_EQ(C(kError).Text(), "No stars");

    Pick("Vega", 18.6156, 38.7837);
    Pick("Vega again", 18.62, 39.2);  // within 0.5 deg of RA and 1 deg of Dec
    EXPECT_EQ(LastBox(), Said("There is already a star selected at this position"));
    Pick("Arcturus", 14.261, 19.1824);
    Pick("Deneb", 20.6905, 45.2803);
    ASSERT_EQ(List().Size(), 3u);
    EXPECT_EQ(C(kStarList).RowCount(), 3);

    // Each reading 0.1 deg (24 s of time) east of the star's place of date.
    for (int row = 0; row < 3; ++row) {
        SetListSelection(state, kStarList, row);
        const AlignStar& star = List().Stars()[size_t(row)];
        SyncTyped(std::to_string((star.raDeg + 0.1) / 15), std::to_string(star.decDeg));
        EXPECT_NEAR(star.measuredAxis1Deg, star.raDeg + 0.1, 1e-4);
        EXPECT_NEAR(star.measuredAxis2Deg, star.decDeg, 1e-4);
    }
    Tap(kCalc);
    EXPECT_EQ(telescope_.TwoStar().pointing.Terms(), 4);  // three stars: four terms
    EXPECT_NE(C(kError).Text(), "No stars");
    EXPECT_NEAR(List().Stars()[0].correctedAxis1Deg, List().Stars()[0].measuredAxis1Deg, 1e-3);

    NStarState saved;
    ASSERT_TRUE(LoadNStars(home_.Dir(), saved));
    EXPECT_EQ(saved.list.Size(), 3u);
    EXPECT_EQ(saved.model.Terms(), 4);

    SetListSelection(state, kStarList, 1);
    Tap(kDelete);
    ASSERT_EQ(List().Size(), 2u);
    EXPECT_EQ(List().Stars()[1].name, "Deneb");
}

TEST_F(NStarForm, ButtonsRefuseWhatTheListOrAlignmentCannotGive) {
    Open(2100);
    Tap(kDelete);
    EXPECT_EQ(LastBox(), Said("Sorry, there is no more star to delete."));
    Tap(kSync);
    EXPECT_EQ(LastBox(), Said("Please add at least one stars."));
    Pick("Vega", 18.6156, 38.7837);
    SetListSelection(state, kStarList, -1);
    Tap(kSync);
    EXPECT_EQ(LastBox(), Said("Please select one stars."));

    prefs.alignMethod = 0;  // the two-star method needs its alignment and four stars
    Tap(kAdd);
    EXPECT_EQ(LastBox(), Said("Please do 2 stars alignment first"));
    EXPECT_EQ(OpenFormId(), 2100);
    Tap(kCalc);
    EXPECT_EQ(LastBox(), Said("Please add at least 4 stars to do correction."));

    prefs.alignMethod = 1;
    for (int i = 1; i < 35; ++i) ASSERT_TRUE(List().Add(NewNStar("", 0, 0, i * 0.6, 0, true, 0, 0), state.info));
    Tap(kAdd);
    EXPECT_EQ(LastBox(), Said("Sorry, no more than 35 stars could be used to do correction"));
    EXPECT_FALSE(telescope_.StarPickRequested());
}

}  // namespace
}  // namespace vsp::test
