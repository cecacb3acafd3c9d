#include "satellites/SatelliteSearches.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "ephemeris/DayLength.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "satellites/Flare.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {

int PassMinimumElevation(int index) {
    static constexpr int kDegrees[] = {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
    return index >= 0 && index <= 10 ? kDegrees[index] : 0;
}

int FlareMinimumElevation(int index) {
    static constexpr int kDegrees[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    return index >= 0 && index <= 10 ? kDegrees[index] : 10;
}

namespace {

// What every step of one search shares.
struct SearchContext {
    const SatelliteSearchSettings& settings;
    SatelliteObserver observer;
    double deltaTSeconds;
    int tzOffset;
};

SearchContext MakeContext(const SatelliteSearchSettings& settings, SearchProgress& progress) {
    progress.tzOffsetMinutes = settings.ephemeris.location.tzOffset;
    const CalendarDateTime start = CalendarFromJulianDay(settings.startJd);
    return {settings, SearchObserver(settings.ephemeris.location, settings.deepSpaceOrbits),
            DeltaT(start.year, start.month, start.day, settings.ephemeris), settings.ephemeris.location.tzOffset};
}

bool EclipsedAt(double jdUt, const SearchContext& context, SatelliteElements& elements) {
    ComputeSatelliteVisibility(jdUt, context.deltaTSeconds, context.observer, elements);
    return elements.eclipsed;
}

// The list entry of a pass when it can be seen: not in the shadow at both ends, and high enough.
std::optional<SatelliteSearchResult> VisiblePass(const PassTimes& pass, int index, const std::string& name,
                                                 const SearchContext& context, SatelliteElements& elements) {
    const double maxElevation = QuickElevation(0.5 * (pass.rise + pass.set), context.observer, elements);
    if (EclipsedAt(pass.rise, context, elements) && EclipsedAt(pass.set, context, elements)) return std::nullopt;
    if (RoundHalfUp(maxElevation) < PassMinimumElevation(context.settings.minElevationIndex)) return std::nullopt;
    return MakePassResult(pass.rise, pass.set, maxElevation, context.tzOffset, index, name);
}

std::string LocalDateText(double jdUt, int tzOffset) {
    const CalendarDateTime local = CalendarFromJulianDay(jdUt + tzOffset / sat::kMinutesPerDay);
    return IsoDate(local.year, local.month, local.day) + " " + ClockMinutes(local.hour, local.minute);
}

// Sunrise to sunset (Julian Dates, UT) of the local day of an instant, one computation per day.
class Daylight {
public:
    explicit Daylight(const SearchContext& context) : context_(context) {}

    struct Interval {
        double rise = 0.0;
        double set = 0.0;  // equal to rise when the Sun stays down
    };

    const Interval& Of(double jdUt) {
        const CalendarDateTime local = CalendarFromJulianDay(jdUt + context_.tzOffset / sat::kMinutesPerDay);
        const int key = (local.year * 13 + local.month) * 32 + local.day;
        auto [at, fresh] = days_.try_emplace(key);
        if (fresh) at->second = Compute(local);
        return at->second;
    }

    bool Contains(double jdUt) {
        const Interval& day = Of(jdUt);
        return jdUt >= day.rise && jdUt <= day.set;
    }

private:
    Interval Compute(const CalendarDateTime& local) const {
        const RiseTransitSetTimes sun =
            SunCrossings(local.year, local.month, local.day, kSunriseAltitude, context_.settings.ephemeris);
        const double midnight = JulianDayLocal(local.year, local.month, local.day, 0, 0, 0, context_.tzOffset);
        if (sun.status == RiseSetStatus::NeverRises) return {midnight, midnight};
        return {midnight + sun.rise / 24.0, midnight + sun.set / 24.0};
    }

    const SearchContext& context_;
    std::map<int, Interval> days_;
};

std::optional<SatelliteSearchResult> FlareOfPass(const PassTimes& pass, int index, const std::string& name,
                                                 const SearchContext& context, Daylight& daylight,
                                                 SatelliteElements& elements) {
    const auto angle = [&](double jd) { return FlareAngle(jd, context.deltaTSeconds, context.observer, elements); };
    FlareInstant flare;
    if (!FindFlare(angle, pass.rise, context.settings.preciseFlares, flare)) return std::nullopt;
    if (daylight.Contains(flare.jdUt) || EclipsedAt(flare.jdUt, context, elements)) return std::nullopt;
    const double elevation = QuickElevation(flare.jdUt, context.observer, elements);
    if (RoundHalfUp(elevation) < FlareMinimumElevation(context.settings.minElevationIndex)) return std::nullopt;
    SatelliteSearchResult result = MakePassResult(pass.rise, pass.set, elevation, context.tzOffset, index, name);
    result.flareTime = flare.jdUt + context.tzOffset / sat::kMinutesPerDay;
    result.flareAngleDeg = flare.angleDeg;
    result.magnitude = FlareMagnitude(flare.angleDeg);
    return result;
}

}  // namespace

SatelliteObserver SearchObserver(const ObserverLocation& location, DeepSpaceOrbits deepSpaceOrbits) {
    return {location.latitude, -location.longitudeWest, location.height / 1000.0, deepSpaceOrbits};
}

DeepSpaceOrbits DeepSpaceOrbitsSetting(const Preferences& prefs) {
    return prefs.satDeepSpace == 1 ? DeepSpaceOrbits::Sdp4 : DeepSpaceOrbits::NearEarthFormulas;
}

std::vector<SatelliteSearchResult> SearchPasses(const SatelliteRecord& record, int index,
                                                const SatelliteSearchSettings& settings,
                                                SearchProgress& progress, InfoSink& messages) {
    const SearchContext context = MakeContext(settings, progress);
    SatelliteElements elements;
    ConvertSatelliteRecord(record, elements);
    std::vector<SatelliteSearchResult> results;
    if (!CanEverRise(elements, context.observer.latitudeDeg)) {
        messages.InfoBox(kSatelliteNeverVisible, "");
        return results;
    }
    Daylight daylight(context);
    const double end = settings.startJd + settings.passSearchDays;
    const double window = settings.flaresOfOne ? kFlarePassWindowDays : kPassWindowDays;
    double t = settings.startJd;
    while (static_cast<int>(results.size()) < kMaxSearchResults) {
        if (t > end) {
            if (settings.reportEnd) messages.InfoBox(std::string(kEndOfSearch) + LocalDateText(t, context.tzOffset), "");
            break;
        }
        PassTimes pass;
        if (!FindNextPass(t, t + window, elements, context.observer, progress, pass)) break;
        const auto entry = settings.flaresOfOne ? FlareOfPass(pass, index, record.name, context, daylight, elements)
                                                : VisiblePass(pass, index, record.name, context, elements);
        if (entry) results.push_back(*entry);
        t = NextSearchStart(pass, elements, context.observer);
    }
    if (settings.flaresOfOne) {
        SortFlares(results);
    } else {
        SortPasses(results);
    }
    return results;
}

std::vector<SatelliteSearchResult> SearchAllSatellites(AllSatelliteSearch kind, const SatelliteSource& source,
                                                       const SatelliteSearchSettings& settings,
                                                       SearchProgress& progress) {
    const SearchContext context = MakeContext(settings, progress);
    Daylight daylight(context);
    std::vector<SatelliteSearchResult> results;
    // Where each satellite's search goes on, so a pass that crosses a window's end is not found twice.
    std::vector<double> resume(source.count, settings.startJd);
    const double end = settings.startJd + kAllSatelliteSearchDays;
    const auto full = [&] { return static_cast<int>(results.size()) >= kMaxSearchResults; };
    for (double window = settings.startJd; window < end && !full(); window += kAllSatelliteWindowDays) {
        const double windowEnd = std::min(window + kAllSatelliteWindowDays, end);
        for (int index = 0; index < source.count && !full(); ++index) {
            if (progress.Poll()) break;
            SatelliteRecord record;
            if (!source.read(index, record)) return results;
            SatelliteElements elements;
            ConvertSatelliteRecord(record, elements);
            PassTimes pass;
            double& t = resume[index];
            while (!full() && t < windowEnd && FindNextPass(t, windowEnd, elements, context.observer, progress, pass)) {
                const Daylight::Interval& day = daylight.Of(pass.rise);
                if (pass.rise >= day.rise && pass.set <= day.set) {
                    t = day.set + kAfterDaylightDays;
                    continue;
                }
                const auto entry = kind == AllSatelliteSearch::Flares
                                       ? FlareOfPass(pass, index, record.name, context, daylight, elements)
                                       : VisiblePass(pass, index, record.name, context, elements);
                if (entry) results.push_back(*entry);
                t = NextSearchStart(pass, elements, context.observer);
            }
        }
        if (progress.stopped) break;
    }
    if (kind == AllSatelliteSearch::Flares) {
        SortFlares(results);
    } else {
        SortPasses(results);
    }
    return results;
}

}  // namespace vsp
