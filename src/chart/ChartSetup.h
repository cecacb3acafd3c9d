#pragma once
// What the chart needs before its first redraw, gathered once: the star catalogs with the
// names of the bright stars, the object table with the bodies of the instant, and a view set
// from the preferences. The chart form and `vespertar chart` start the same way.
#include <string>
#include <vector>

#include "catalog/CatalogSession.h"
#include "chart/ChartObjects.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartView.h"
#include "ephemeris/EphemerisSettings.h"
#include "platform/InfoSink.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr std::string_view kOffscreenFailed = "Can't allocate offscreen window";

// Opens the catalogs of the preferences (extended star catalog of "Card Catalog", the line set
// of "Const. Lines"), loads the default stars and the names of the bright ones, the deep-sky
// table, the bodies and the comets and minor planets of the user's databases at `local`. False when the default stars cannot be had; the messages
// have gone to `messages`.
bool LoadChartScene(CatalogSession& session, InfoSink& messages, const Preferences& prefs,
                    const CalendarDateTime& local, const EphemerisSettings& settings,
                    std::vector<ChartObject>& objects, ChartScene& scene);

// A new instant for a loaded scene and its view: the bodies, comets and minor planets
// recomputed in place (the table
// keeps its order, so a selected body stays selected), the Moon's age, the naked-eye limit and
// the view's sky. False when the instant lies outside the ephemeris (the bodies are kept).
bool MoveChartToInstant(const Preferences& prefs, const CalendarDateTime& local, const EphemerisSettings& settings,
                        std::vector<ChartObject>& objects, ChartScene& scene, ChartView& view);

// The naked-eye limit at the zenith for the instant: the Sun's and the Moon's altitudes and the
// Moon's phase brighten the sky.
float ZenithEyeLimit(const Preferences& prefs, const CalendarDateTime& local, const EphemerisSettings& settings);

// The chart type, remembered zoom levels, flips and the "Sky Map" rotation of the preferences,
// the display (`pu` and the area in pixels) and the sky of the instant.
void SetViewFromPreferences(ChartView& view, const Preferences& prefs, int pixelUnit, int widthPx,
                            int heightPx, const CalendarDateTime& local, const EphemerisSettings& settings);

}  // namespace vsp
