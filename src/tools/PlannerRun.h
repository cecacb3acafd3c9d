#pragma once
// One search of the planner under way: the criteria, what they are compared with, and the
// list being filled. Every source offers its targets here; the run ends at the first stop
// request or when the list is full.

#include <string_view>

#include "catalog/ListEntry.h"
#include "tools/Planner.h"
#include "tools/PlannerFilter.h"

namespace vsp {

class PlannerRun {
public:
    PlannerRun(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list);

    const SelectionCriteria& Criteria() const { return criteria_; }
    PlannerContext& Context() { return context_; }
    const FilterSetup& Setup() const { return setup_; }
    const CalendarDateTime& When() const { return when_; }
    ObservingList& List() { return list_; }
    SearchEnd End() const { return end_; }
    bool Over() const { return end_ != SearchEnd::Finished; }

    void Progress(std::string_view text) const;
    // The criteria of a source that searches under its own object type (bright stars).
    void SetObjectType(int16_t type);
    // Adds the entry when the candidate passes and is not listed yet. False once the run is
    // over: a stop was requested or the list is full.
    bool Offer(const Candidate& candidate, const ListEntry& entry) {
        return Offer(candidate, [&entry] { return entry; });
    }
    // The same with the entry made only for a candidate that passes: of the database's
    // thousands of records few do, and naming each one cost more than weighing it.
    template <typename MakeEntry>
    bool Offer(const Candidate& candidate, MakeEntry makeEntry) {
        if (!Continues()) return false;
        if (!PassesCriteria(criteria_, setup_, candidate)) return true;
        return Add(makeEntry());
    }

private:
    // False once the run is over, a stop request ending it now.
    bool Continues();
    bool Add(const ListEntry& entry);

    SelectionCriteria criteria_;
    PlannerContext& context_;
    ObservingList& list_;
    CalendarDateTime when_;
    FilterSetup setup_;
    SearchEnd end_ = SearchEnd::Finished;
};

// The entry of a candidate: place, sizes (a zero second size takes the first), magnitude x 10.
ListEntry EntryOfCandidate(const Candidate& candidate, std::string_view name, int32_t number, int16_t kind);

// The filter setup of the instant, from the preferences and the criteria.
FilterSetup MakeFilterSetup(const SelectionCriteria& criteria, const PlannerContext& context,
                            const CalendarDateTime& when);

// The sources, in the order a search visits them; each checks its own condition.
void SearchPlanets(PlannerRun& run);
void SearchConstellations(PlannerRun& run);
void SearchMeteorShowers(PlannerRun& run);
void SearchComets(PlannerRun& run);
void SearchMinorPlanets(PlannerRun& run);
void SearchMessier(PlannerRun& run);
void SearchUserObjects(PlannerRun& run);
void SearchCaldwell(PlannerRun& run);
void SearchBestNgc(PlannerRun& run);
void SearchHerschel(PlannerRun& run);
void SearchObjectDatabase(PlannerRun& run);
void SearchBrightStars(PlannerRun& run);

}  // namespace vsp
