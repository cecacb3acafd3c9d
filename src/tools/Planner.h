#pragma once
// The observing planner: runs through the sources of targets (planets, constellations, meteor
// showers, comets, minor planets, Messier, the user's objects, Caldwell, the 110 best NGC objects, Herschel,
// the object database, bright stars) for the date and time of the criteria, and puts those
// that pass the criteria into the observing list. Computes only: progress, the stop request
// and messages go through the context the caller gives.

#include <functional>
#include <string_view>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "ephemeris/EphemerisSettings.h"
#include "platform/InfoSink.h"
#include "settings/Preferences.h"
#include "tools/SelectionCriteria.h"

namespace vsp {

struct PlannerContext {
    CatalogSession& sky;
    const Preferences& prefs;       // aperture, horizon altitude, observer for the eye limit
    EphemerisSettings ephemeris;    // the site, correction mode and ΔT
    InfoSink& messages;
    // The progress box's text ("Checking Messier  ", "Objects to check: %05d").
    std::function<void(std::string_view)> progress;
    // Polled between targets; true ends the search with what was found.
    std::function<bool()> stopRequested;
};

enum class SearchEnd {
    Finished,
    Stopped,  // a key (or Ctrl+C) stopped it
    Full,     // the list reached its capacity
};

// Empties the list, then searches.
SearchEnd NewSearch(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list);
// Searches, appending to the list.
SearchEnd AddSearch(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list);
// Removes every entry that passes the criteria (last to first); an empty list is only cleared.
void RemoveMatching(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list);

}  // namespace vsp
