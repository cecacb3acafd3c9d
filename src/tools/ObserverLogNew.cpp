#include "tools/ObserverLogNew.h"

#include <cmath>

#include "catalog/Designation.h"
#include "chart/ChartSetup.h"
#include "ephemeris/ComputeBody.h"
#include "settings/MagnitudeLimits.h"

namespace vsp {
namespace {

struct SunAndMoon {
    double sunAltitude = 0.0;
    double moonIlluminated = 0.0;  // 0..1
};

// Zeros where the ephemeris has no answer for the instant.
SunAndMoon ComputeSunAndMoon(const CalendarDateTime& t, const EphemerisSettings& settings) {
    SunAndMoon sky;
    const Instant when = LocalInstant(t, settings);
    BodyPosition place;
    BodyHorizon horizon;
    if (ComputeBody(place, kBodySun, when, settings, &horizon) == kEphemerisOk) sky.sunAltitude = horizon.altitude;
    if (ComputeBody(place, kBodyMoon, when, settings) == kEphemerisOk)
        sky.moonIlluminated = place.illuminatedFraction;
    return sky;
}

std::string EntryName(const ListEntry& entry) {
    if (!entry.name.empty()) return entry.name;
    const EntryDesignation id = ListEntryDesignation(entry);
    return CatalogDesignation(DefaultCatalogTable(), id.catalog, id.number);
}

void SetChosenObject(const NewLogSource& source, ObserverLogRecord& note) {
    const ObservingList* list = source.list;
    if (list && list->selected >= 0 && list->selected < list->Count()) {
        const ListEntry& entry = list->Entries()[size_t(list->selected)];
        note.objectName = EntryName(entry).substr(0, kLogChosenNameChars);
        note.objectType = entry.type;
        note.objectMagnitudeX10 = entry.magnitudeX10;
        note.ra = entry.ra;
        note.dec = entry.dec;
    } else if (const auto& choice = source.chartChoice) {
        note.objectName = choice->name.substr(0, kLogChosenNameChars);
        note.objectType = choice->type;
        note.objectMagnitudeX10 = int32_t(std::lround(choice->magnitude * 10.0));
        note.ra = float(choice->ra);
        note.dec = float(choice->dec);
    }
}

}  // namespace

ObserverLogRecord NewLog(const NewLogSource& source, std::string_view objectName) {
    const Preferences& prefs = *source.prefs;
    const CalendarDateTime& t = source.local;
    ObserverLogRecord note;
    note.year = t.year;
    note.month = t.month;
    note.day = t.day;
    note.hour = t.hour;
    note.minute = t.minute;
    const SunAndMoon sky = ComputeSunAndMoon(t, source.ephemeris);
    note.moonPhasePercent = int32_t(sky.moonIlluminated * 100.0);
    note.sunAltitude = int32_t(sky.sunAltitude);
    note.visualLimitX10 = int32_t(double(ZenithEyeLimit(prefs, t, source.ephemeris)) * 10.0);
    note.transparency = source.transparency;
    note.seeing = source.seeing;
    note.filter = kNoFilterName;
    note.eyepiece = prefs.eyepiece;
    note.scope = std::to_string(TelescopeApertureMm(prefs)) + "mm";
    note.location = prefs.site.name.substr(0, kLogLocationChars);
    if (!objectName.empty())
        note.objectName = std::string(objectName.substr(0, kLogChosenNameChars));
    else
        SetChosenObject(source, note);
    return note;
}

}  // namespace vsp
