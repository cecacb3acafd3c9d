// Searches over the sources that need no catalog files (the Sun, Moon and planets, the
// constellations, the meteor showers): the source conditions, stopping when the list is full
// or a stop is asked for, duplicates, the order of the results and removal.

#include <gtest/gtest.h>

#include "support/TempHome.h"
#include "tools/Planner.h"

namespace vsp {
namespace {

class PlannerSearch : public testing::Test {
protected:
    PlannerContext Context() {
        return {sky, prefs, ephemeris, messages, {}, [this] { return stopAfter >= 0 && polls++ >= stopAfter; }};
    }
    SearchEnd Search(bool add = false) {
        PlannerContext context = Context();
        return add ? AddSearch(criteria, context, list) : NewSearch(criteria, context, list);
    }
    const ListEntry& At(int i) const { return list.Entries().at(size_t(i)); }

    test::TempHome home;
    RecordingInfoSink messages;
    CatalogSession sky{home.Dir(), messages};
    Preferences prefs;
    EphemerisSettings ephemeris;
    SelectionCriteria criteria{.day = 1, .month = 10, .year = 2024, .hour = 22};
    ObservingList list{500};
    int stopAfter = -1;
    int polls = 0;
};

TEST_F(PlannerSearch, ObjectTypeAndCatalogChooseTheSources) {
    ChooseObjectType(criteria, 27);  // planets only
    Search();
    ASSERT_EQ(list.Count(), 10);
    EXPECT_EQ(At(4).name, "Mars");
    EXPECT_EQ(At(9).kind, kEntryPlanet);

    ChooseObjectType(criteria, 0);
    criteria.catalog = 40;  // Messier: no planets (and no catalog files here)
    Search();
    EXPECT_EQ(list.Count(), 0);

    criteria.catalog = 41;
    Search();
    ASSERT_EQ(list.Count(), 70);
    EXPECT_EQ(At(40).name, "Perseids");

    for (const auto& [catalog, message] : {std::pair{63, "No personnal object found."},
                                           {54, "Could not find vespertar_brightstar.ppc catalog."}}) {
        criteria.catalog = int16_t(catalog);
        Search();
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_EQ(messages.messages.back().first, message);
    }
}

TEST_F(PlannerSearch, StopsAtOnceWhenFullOrAskedAndNeverListsTwice) {
    criteria.catalog = 13;
    list.SetCapacity(25);
    EXPECT_EQ(Search(), SearchEnd::Full);
    EXPECT_EQ(list.Count(), 25);  // in the middle of the 89 constellations

    list.SetCapacity(500);
    stopAfter = 7;
    EXPECT_EQ(Search(), SearchEnd::Stopped);
    EXPECT_EQ(list.Count(), 7);

    stopAfter = -1;
    EXPECT_EQ(Search(true), SearchEnd::Finished);
    EXPECT_EQ(Search(true), SearchEnd::Finished);
    EXPECT_EQ(list.Count(), 89);
}

TEST_F(PlannerSearch, PlanetsLeadTheSortedResultsAndRemovalTakesWhatPasses) {
    criteria.catalog = 41;
    Search();
    criteria.catalog = 13;
    Search(true);
    criteria.catalog = 0;
    Search(true);  // the planets, appended, then everything sorted
    ASSERT_EQ(list.Count(), 10 + 70 + 89);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(At(i).listNumber, i);
    EXPECT_EQ(At(10).catalog * 1000 + At(10).number, 13000);
    EXPECT_EQ(At(99).catalog * 1000 + At(99).number, 41000);

    PlannerContext context = Context();
    ChooseObjectType(criteria, 14);  // constellations
    RemoveMatching(criteria, context, list);
    EXPECT_EQ(list.Count(), 80);
    criteria = {.catalog = 40};  // only Messier entries count: none here
    RemoveMatching(criteria, context, list);
    EXPECT_EQ(list.Count(), 80);
}

}  // namespace
}  // namespace vsp
