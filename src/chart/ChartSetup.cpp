#include "chart/ChartSetup.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartMinorBodies.h"
#include "chart/ChartSky.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "settings/MagnitudeLimits.h"

namespace vsp {

namespace {

std::vector<std::string> BrightStarNames(StarCatalog& stars) {
    std::vector<std::string> names(size_t(stars.DefaultStarsRead()));
    const int count = stars.BrightStarCount();
    for (int i = 0; i < count; ++i) {
        BrightStarRecord record;
        if (!stars.ReadBrightStar(i, record)) continue;
        if (record.starIndex >= 0 && size_t(record.starIndex) < names.size()) names[size_t(record.starIndex)] = record.name;
    }
    return names;
}

}  // namespace

float ZenithEyeLimit(const Preferences& prefs, const CalendarDateTime& local, const EphemerisSettings& settings) {
    NakedEyeConditions conditions;
    SetObserverConditions(prefs, conditions);
    conditions.year = local.year;
    conditions.month = local.month;
    const Instant when = LocalInstant(local, settings);
    BodyPosition place;
    BodyHorizon sun, moon;
    const auto compute = [&](int code, BodyHorizon& horizon) {
        return ComputeBody(place, code, when, settings, &horizon) == kEphemerisOk;
    };
    if (compute(kBodySun, sun)) {
        conditions.sunAltitude = sun.altitude;
        conditions.sunSeparation = 90.0 - sun.altitude;
    }
    if (compute(kBodyMoon, moon)) {
        conditions.moonAltitude = moon.altitude;
        conditions.moonSeparation = 90.0 - moon.altitude;
        conditions.moonPhaseAngle = PhaseAngleFromLitFraction(place.illuminatedFraction);
    }
    return NakedEyeLimitingMagnitude(conditions);
}

namespace {

// The faces the chart draws at its highest zooms.
void SetPlanetFaces(const Preferences& prefs, const CalendarDateTime& local, const EphemerisSettings& settings,
                    ChartScene& scene) {
    const Instant when = LocalInstant(local, settings);
    scene.planetFaces.clear();
    for (int body : {kBodyMars, kBodyJupiter, kBodySaturn}) {
        PlanetFaceScene face;
        if (BuildPlanetFaceScene(body, when, settings, prefs.grsLongitude, face)) scene.planetFaces[body] = face;
    }
}

}  // namespace

bool LoadChartScene(CatalogSession& session, InfoSink& messages, const Preferences& prefs,
                    const CalendarDateTime& local, const EphemerisSettings& settings,
                    std::vector<ChartObject>& objects, ChartScene& scene) {
    CatalogSessionOptions options;
    options.extendedCatalog = prefs.cardCatalog;
    CatalogSessionOpen(session, messages, options);
    if (!CatalogSessionNeedStars(session, prefs.constLineSet)) return false;
    objects.clear();
    LoadDeepSkyObjects(session, messages, objects);
    AppendSolarSystem(local, settings, objects);
    LoadChartMinorBodies(session.dir, messages, scene.minorBodies);
    AppendMinorBodies(local, settings, scene.minorBodies, objects);
    scene.stars = &session.stars;
    scene.objects = &objects;
    scene.brightStarNames = BrightStarNames(session.stars);
    ReadMilkyWay(session.dir, scene.milkyWay);
    scene.moonAgeDays = MoonAgeDays(local, settings);
    scene.scopeLimit = TelescopeLimitingMagnitude(TelescopeApertureMm(prefs));
    scene.eyeLimit = ZenithEyeLimit(prefs, local, settings);
    scene.local = local;
    SetPlanetFaces(prefs, local, settings, scene);
    scene.eyepiece = ChosenEyepiece(LoadEyepieces(session.dir), prefs.eyepiece);
    scene.telescopeFocalMm = TelescopeFocalLengthMm(prefs);
    return true;
}

bool MoveChartToInstant(const Preferences& prefs, const CalendarDateTime& local, const EphemerisSettings& settings,
                        std::vector<ChartObject>& objects, ChartScene& scene, ChartView& view) {
    std::vector<ChartObject> bodies;
    if (!AppendSolarSystem(local, settings, bodies) || !AppendMinorBodies(local, settings, scene.minorBodies, bodies))
        return false;
    const auto first = std::ranges::find_if(
        objects, [](const ChartObject& o) { return o.kind == kKindPlanet || IsMinorBodyEntry(o); });
    const size_t firstBody = size_t(first - objects.begin());
    objects.erase(first, objects.end());
    objects.insert(objects.end(), bodies.begin(), bodies.end());
    if (scene.selected >= int(firstBody) && size_t(scene.selected) < objects.size())
        objects[size_t(scene.selected)].alwaysShow = true;
    scene.moonAgeDays = MoonAgeDays(local, settings);
    scene.eyeLimit = ZenithEyeLimit(prefs, local, settings);
    scene.local = local;
    view.SetSky(BuildChartSky(local, settings));
    return true;
}

void SetViewFromPreferences(ChartView& view, const Preferences& prefs, int pixelUnit, int widthPx,
                            int heightPx, const CalendarDateTime& local, const EphemerisSettings& settings) {
    view.SetDisplay(pixelUnit, widthPx, heightPx);
    view.SetRememberedLevels(prefs.zoomLevelHorizon, prefs.zoomLevelOther);
    view.SetChartType(prefs.chartType);
    view.SetFlips(prefs.zoomFlip);
    view.SetSky(BuildChartSky(local, settings));
}

}  // namespace vsp
