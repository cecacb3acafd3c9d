// The planner's comets and minor planets: every record of the comet database, then of the
// minor-planet database, placed and weighed for the search time. Both sources run when the
// catalog Comet&Asteroid or the type COMET or MINOR is chosen; a source whose objects the
// chosen type would refuse all is not read. A missing database is an empty source.

#include <cmath>

#include "catalog/CatalogTable.h"
#include "catalog/ObjectTypeTable.h"
#include "tools/MinorBodyTargets.h"
#include "tools/PlannerRun.h"

namespace vsp {
namespace {

// The cheap magnitude (no light time, no reduction) differs from the full one by far less.
constexpr double kCheapMagnitudeMargin = 0.1;

bool SourceWanted(const SelectionCriteria& c, int type) {
    const bool chosen = c.catalog == kCatalogComet || c.objectType == kTypeComet || c.objectType == kTypeMinorPlanet;
    return chosen && (c.objectType == 0 || c.objectType == type);
}

void SearchMinorBodies(PlannerRun& run, MinorBodyKind kind, std::string_view progress) {
    const int type = kind == MinorBodyKind::Comet ? kTypeComet : kTypeMinorPlanet;
    if (!SourceWanted(run.Criteria(), type)) return;
    run.Progress(progress);
    MinorBodyDatabase database(run.Context().sky.dir, run.Context().messages, kind);
    std::vector<MinorBodyRecord> records;
    if (!database.Open() || !database.ReadAll(records)) return;

    const EphemerisSettings& settings = run.Context().ephemeris;
    const Instant when = LocalInstant(run.When(), settings);
    const int16_t limitRow = run.Criteria().magnitudeLimit;
    const double limit = run.Setup().magnitudeTable[size_t(limitRow)];
    double earth[3];
    EarthHeliocentricEcliptic(when, earth);
    for (size_t i = 0; i < records.size(); ++i) {
        const MinorBodyRecord& record = records[i];
        if (limitRow > 0 && MinorBodyMagnitudeAt(record.elements, when.tt, earth) > limit + kCheapMagnitudeMargin)
            continue;
        MinorBodyPlace place;
        if (!MinorBodyPlaceAt(record, when, settings, place)) continue;
        const ListEntry entry = MinorBodyListEntry(record, place, int32_t(i));
        const Candidate candidate{entry.catalog, entry.type, entry.constellation, place.raJ2000, place.decJ2000,
                                  float(place.magnitude), 0.0f, 0.0f};
        if (!run.Offer(candidate, entry)) return;
    }
}

}  // namespace

void SearchComets(PlannerRun& run) { SearchMinorBodies(run, MinorBodyKind::Comet, "Checking Comets&Asteroid"); }

void SearchMinorPlanets(PlannerRun& run) {
    SearchMinorBodies(run, MinorBodyKind::MinorPlanet, "Checking Minor Planets");
}

}  // namespace vsp
