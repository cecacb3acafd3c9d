#include "satellites/VisiblePassSearch.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "satellites/CatalogNumber.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

void AddPassesOf(const SatelliteRecord& record, int index, const VisiblePassSettings& settings,
                 const SatelliteObserver& observer, double deltaT, const StandardMagnitudes& magnitudes,
                 SearchProgress& progress, std::vector<VisiblePass>& found) {
    if (FindElementValueFault(record)) return;
    SatelliteElements elements;
    ConvertSatelliteRecord(record, elements);
    if (!CanEverRise(elements, observer.latitudeDeg)) return;
    const double start = settings.search.startJd;
    CompletePassOptions options;
    options.minElevationDeg = PassMinimumElevation(settings.search.minElevationIndex);
    const std::optional<double> standard = StandardMagnitudeOf(magnitudes, SatelliteCatalogNumber(record).value_or(-1));
    const double age = start - elements.epochJd;
    for (const SatellitePass& pass : FindAllPasses(elements, observer, start, start + settings.days, options, &progress)) {
        VisiblePass v{index, pass, JudgePassVisibility(pass, elements, observer, deltaT), std::nullopt, age,
                      AreOldElements(age, settings.oldElementsDays)};
        if (!v.visibility.Visible()) continue;
        if (standard) v.magnitude = SatelliteMagnitude(*standard, v.visibility.rangeKmAtMax, v.visibility.phaseDegAtMax);
        found.push_back(v);
    }
}

}  // namespace

bool AreOldElements(double ageDays, int oldElementsDays) { return std::fabs(ageDays) > oldElementsDays; }

std::vector<VisiblePass> SearchVisiblePasses(const SatelliteSource& source, const std::vector<int>& indices,
                                             const VisiblePassSettings& settings,
                                             const StandardMagnitudes& magnitudes, SearchProgress& progress) {
    std::vector<VisiblePass> found;
    const SatelliteObserver observer = SearchObserver(settings.search.ephemeris.location, settings.search.deepSpaceOrbits);
    const CalendarDateTime day = CalendarFromJulianDay(settings.search.startJd);
    const double deltaT = DeltaT(day.year, day.month, day.day, settings.search.ephemeris);
    std::vector<int> all;
    if (indices.empty())
        for (int i = 0; i < source.count; ++i) all.push_back(i);
    for (int index : indices.empty() ? all : indices) {
        if (progress.Poll()) break;
        SatelliteRecord record;
        if (!source.read(index, record)) continue;
        AddPassesOf(record, index, settings, observer, deltaT, magnitudes, progress, found);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const VisiblePass& a, const VisiblePass& b) { return a.pass.riseJd < b.pass.riseJd; });
    return found;
}

}  // namespace vsp
