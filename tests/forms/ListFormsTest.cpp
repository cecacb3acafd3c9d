// The observing-list forms in a whole shell over the built catalogs: the criteria form runs the
// planner into the list form, whose entry opens the chart on it; the list manager saves,
// loads and refuses names that are not file names; a home quick selection fills the list and
// opens the chart; the last list comes back at the next start.

#include <filesystem>

#include "catalog/CatalogSession.h"
#include "catalog/ListFile.h"
#include "catalog/ObjectTypeTable.h"
#include "forms/ChartForm.h"
#include "forms/ChartFormLists.h"
#include "forms/ListForms.h"
#include "forms/ScopeForms.h"
#include "shell/FormTable.h"
#include "shell/HomeForm.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/CatalogHome.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

// Control ids of the forms, as a user finds them by their labels.
constexpr int kCriteriaCatalogTrigger = 1723, kCriteriaCatalogList = 1733;
constexpr int kCriteriaVisibilityTrigger = 1726, kCriteriaVisibilityList = 1736;
constexpr int kCriteriaNewButton = 1703;
constexpr int kPlannerEntries = 1803, kPlannerChart = 1805, kPlannerRemove = 1806;
constexpr int kManagerName = 1055, kManagerLoad = 1057, kManagerSave = 1058;

class ListFormsTest : public ShellTest {
protected:
    void SetUp() override {
        if (!LinkCatalogData(home_.Path("data"))) return;
        state.dir = home_.Dir();
        sky_.emplace(state.dir, state.info);
        SetSite(48.85f, -2.35f);  // Paris
        prefs.site.tzOffset = 60;
        Wire();
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        state.observingTime = CalendarDateTime{2024, 1, 15, 22, 0, 0};
        Pump();
    }

    void Wire() {
        state.hooks.openCatalogs = [this](AppState& app) { CatalogSessionOpen(*sky_, app.info, {}); };
        list_ = std::make_shared<ObservingList>();
        RegisterListForms(state, *sky_, list_);
        RegisterForm(state, kSkyChartFormId, [this](AppState&, int) {
            return MakeChartForm(*sky_, telescope_, std::make_shared<ObjectSelection>(), list_);
        });
    }

    TempHome home_;
    std::optional<CatalogSession> sky_;
    Telescope telescope_{prefs, state.info, ObservingScopeClock(state), [](int) {}};
    std::shared_ptr<ObservingList> list_;
};

TEST_F(ListFormsTest, CriteriaRunThePlannerIntoTheListWhoseEntryOpensTheChart) {
    Open(kCriteriaFormId);
    ChooseRow(kCriteriaCatalogTrigger, kCriteriaCatalogList, kCatalogMessier);
    ChooseRow(kCriteriaVisibilityTrigger, kCriteriaVisibilityList, 5);  // ">30°"
    EXPECT_EQ(C(kCriteriaCatalogTrigger).Text(), "Messier");
    EXPECT_EQ(C(kCriteriaVisibilityTrigger).Text(), ">30\xB0");
    Tap(kCriteriaNewButton);

    ASSERT_EQ(OpenFormId(), kPlannerFormId);
    ASSERT_GT(list_->Count(), 10);  // a January evening at Paris has many Messiers high up
    ASSERT_EQ(C(kPlannerEntries).RowCount(), list_->Count());
    for (const ListEntry& e : list_->Entries()) EXPECT_EQ(e.kind, kEntryMessier) << e.name;
    EXPECT_EQ(C(kPlannerEntries).Row(0)->text.substr(0, list_->Entries()[0].name.size()), list_->Entries()[0].name);

    // Removing the first entry, then opening the chart on the (new) first one.
    TapRow(kPlannerEntries, 0);
    const std::string second = list_->Entries()[1].name;
    Tap(kPlannerRemove);
    EXPECT_EQ(list_->Entries()[0].name, second);
    TapRow(kPlannerEntries, 0);
    Tap(kPlannerChart);
    ASSERT_EQ(OpenFormId(), kSkyChartFormId);
    EXPECT_EQ(C(kChartObjectTrigger).Text(), second);
    EXPECT_EQ(C(kChartObjectList).RowCount(), list_->Count());  // the chart offers the list
}

TEST_F(ListFormsTest, ManagerSavesLoadsAndRefusesPaths) {
    ListEntry m42;
    m42.name = "M42", m42.catalog = 42, m42.number = 1976, m42.kind = kEntryMessier, m42.listNumber = 41;
    list_->Add(m42);
    Open(kListManagerFormId);
    for (const int button : {kManagerLoad, kManagerSave}) {  // nothing chosen or typed yet
        const size_t boxes = BoxTexts().size();
        Tap(button);
        ASSERT_EQ(BoxTexts().size(), boxes + 1);
        EXPECT_TRUE(LastBox().starts_with("No name is selected.\n")) << LastBox();
    }
    EXPECT_EQ(list_->Count(), 1);
    TypeInto(kManagerName, "../evil");
    Tap(kManagerSave);
    EXPECT_NE(LastBox().find("Please type a name"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home_.Path("evil.lst")));

    TypeInto(kManagerName, "winter");
    Tap(kManagerSave);
    ASSERT_TRUE(std::filesystem::exists(home_.Path("userlists/winter.lst")));
    list_->Clear();
    Tap(kManagerLoad);
    ASSERT_EQ(list_->Count(), 1);
    EXPECT_EQ(list_->Entries()[0].name, "M42");
    EXPECT_EQ(list_->name, "winter");
}

TEST_F(ListFormsTest, QuickSelectionFillsTheListAndTheLastListComesBack) {
    Open(kHomeFormId);
    state.hooks.selectVisible(state, kGroupGalaxy, 0, 0);
    ASSERT_GT(list_->Count(), 0);
    for (const ListEntry& e : list_->Entries()) EXPECT_EQ(DefaultObjectTypeTable()[size_t(e.type)].group, kGroupGalaxy);

    const std::vector<ListEntry> before = list_->Entries();
    state.hooks.saveLastList(state);
    Wire();  // the next run
    state.hooks.loadLastList(state);
    ASSERT_EQ(list_->Count(), int(before.size()));
    EXPECT_EQ(list_->Entries().back().name, before.back().name);
    list_->Clear();
    state.hooks.saveLastList(state);  // an emptied list does not come back
    EXPECT_FALSE(std::filesystem::exists(home_.Path("userlists/last_list.lst")));
}

}  // namespace
}  // namespace vsp::test
