#include "chart/ChartSetup.h"

#include "chart/ChartSky.h"

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
    scene.stars = &session.stars;
    scene.objects = &objects;
    scene.brightStarNames = BrightStarNames(session.stars);
    scene.moonAgeDays = MoonAgeDays(local, settings);
    scene.local = local;
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
