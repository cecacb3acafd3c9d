#include "tools/PlannerRun.h"

#include <cmath>

#include "chart/ChartSetup.h"
#include "settings/MagnitudeLimits.h"
#include "settings/PreferenceTable.h"

namespace vsp {

FilterSetup MakeFilterSetup(const SelectionCriteria& criteria, const PlannerContext& context,
                            const CalendarDateTime& when) {
    const float eyeLimit = ZenithEyeLimit(context.prefs, when, context.ephemeris);
    ScopeAndSky scope;
    scope.apertureMm = TelescopeApertureMm(context.prefs);
    scope.focalLengthMm = TelescopeFocalLengthMm(context.prefs);
    scope.scopeLimit = TelescopeLimitingMagnitude(int(scope.apertureMm));
    scope.skyBrightness = SkyBrightnessOfEyeLimit(eyeLimit);
    return MakeFilterSetup(criteria, eyeLimit, scope, MakePlannerSky(when, context.ephemeris.location),
                           HorizonDegrees(context.prefs.horizon));
}

PlannerRun::PlannerRun(const SelectionCriteria& criteria, PlannerContext& context, ObservingList& list)
    : criteria_(criteria), context_(context), list_(list), when_(CriteriaTime(criteria)),
      setup_(MakeFilterSetup(criteria, context, when_)) {}

void PlannerRun::Progress(std::string_view text) const {
    if (context_.progress) context_.progress(text);
}

void PlannerRun::SetObjectType(int16_t type) { criteria_.objectType = type; }

bool PlannerRun::Continues() {
    if (Over()) return false;
    if (context_.stopRequested && context_.stopRequested()) {
        end_ = SearchEnd::Stopped;
        return false;
    }
    return true;
}

bool PlannerRun::Add(const ListEntry& entry) {
    if (list_.Add(entry) == ListAddResult::Full || list_.Full()) end_ = SearchEnd::Full;
    return !Over();
}

ListEntry EntryOfCandidate(const Candidate& candidate, std::string_view name, int32_t number, int16_t kind) {
    ListEntry entry;
    entry.name = std::string(name.substr(0, kListEntryNameSize - 1));
    entry.number = number;
    entry.catalog = candidate.catalog;
    entry.type = candidate.type;
    entry.constellation = candidate.constellation;
    entry.ra = float(candidate.raJ2000);
    entry.dec = float(candidate.decJ2000);
    entry.size1 = int16_t(candidate.size1);
    entry.size2 = int16_t(candidate.size2) != 0 ? int16_t(candidate.size2) : entry.size1;
    entry.kind = kind;
    entry.magnitudeX10 = int32_t(std::lround(candidate.magnitude * 10.0));
    return entry;
}

}  // namespace vsp
