#include "tools/Planner.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "catalog/CatalogTable.h"
#include "tools/PlannerRun.h"

namespace vsp {
namespace {

constexpr int kRemoveProgressStep = 15;

bool LeadsTheList(const ListEntry& entry) {
    return entry.kind == kEntryPlanet || entry.kind == kEntryMessier || entry.kind == kEntryCaldwell;
}

// Planets, Messier and Caldwell first, each in its own order; then everything else by catalog
// and number.
void SortResults(ObservingList& list) {
    std::vector<ListEntry> entries = list.Entries();
    std::stable_sort(entries.begin(), entries.end(), [](const ListEntry& a, const ListEntry& b) {
        const bool leadA = LeadsTheList(a), leadB = LeadsTheList(b);
        if (leadA != leadB) return leadA;
        if (leadA) return std::tie(a.kind, a.listNumber) < std::tie(b.kind, b.listNumber);
        return std::tie(a.catalog, a.number) < std::tie(b.catalog, b.number);
    });
    list.Assign(std::move(entries));
}

SearchEnd Search(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list) {
    PlannerRun run(criteria, context, list);
    for (auto source : {SearchPlanets, SearchConstellations, SearchMeteorShowers, SearchComets, SearchMinorPlanets,
                        SearchMessier, SearchUserObjects, SearchCaldwell, SearchBestNgc, SearchHerschel, SearchObjectDatabase}) {
        source(run);
        if (run.Over()) return run.End();
    }
    if (list.Count() > 1 && criteria.catalog != kCatalogUser) SortResults(list);
    SearchBrightStars(run);
    return run.End();
}

// Whether a listed entry counts as a member of the chosen numbered-list catalog.
bool KindFitsCatalog(int catalog, int kind) {
    switch (catalog) {
        case kCatalogMessier: return kind == kEntryMessier;
        case kCatalogCaldwell: return kind == kEntryCaldwell;
        case kCatalogHerschel: return kind == kEntryHerschel;
        case kCatalogSac: return kind == kEntrySac;
        default: return true;
    }
}

Candidate CandidateOfEntry(const ListEntry& entry) {
    return {entry.catalog, entry.type, entry.constellation, entry.ra, entry.dec, entry.magnitudeX10 / 10.0f,
            float(entry.size1), float(entry.size2)};
}

}  // namespace

SearchEnd NewSearch(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list) {
    list.Clear();
    return Search(criteria, context, list);
}

SearchEnd AddSearch(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list) {
    return Search(criteria, context, list);
}

void RemoveMatching(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list) {
    if (list.Empty()) {
        list.Clear();
        return;
    }
    const CalendarDateTime when = CriteriaTime(criteria);
    const FilterSetup setup = MakeFilterSetup(criteria, context, when);
    for (int32_t i = list.Count() - 1; i >= 0; --i) {
        if (i % kRemoveProgressStep == 0 && context.progress) {
            char text[40];
            std::snprintf(text, sizeof text, "Objects to check: %05d", int(i));
            context.progress(text);
        }
        const ListEntry& entry = list.Entries()[size_t(i)];
        if (KindFitsCatalog(criteria.catalog, entry.kind) && PassesCriteria(criteria, setup, CandidateOfEntry(entry)))
            list.Remove(i);
    }
}

}  // namespace vsp
