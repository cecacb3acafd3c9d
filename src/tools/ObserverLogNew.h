#pragma once
// A new note filled in from the sky of the moment: the observing date and clock time, the
// Moon's light, the Sun's altitude, the naked-eye limit, the instrument and place of the
// settings, and the object the user has chosen.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/ObservingList.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "settings/Preferences.h"
#include "tools/ObserverLogRecord.h"

namespace vsp {

inline constexpr size_t kLogChosenNameChars = 14;  // of a name taken from a chosen object
inline constexpr char kNoFilterName[] = "None";

// An object selected on the chart, as its caller describes it.
struct ChartObjectChoice {
    std::string name;
    int32_t type = 0;        // row of the object type table
    double magnitude = 0.0;
    double ra = 0.0;         // hours, J2000
    double dec = 0.0;        // degrees, J2000
};

struct NewLogSource {
    CalendarDateTime local;          // the observing date and clock time
    EphemerisSettings ephemeris;     // the site and correction mode
    const Preferences* prefs = nullptr;
    const ObservingList* list = nullptr;           // its selected entry, when one is
    std::optional<ChartObjectChoice> chartChoice;  // used when no list entry is selected
    int32_t transparency = 0;        // the last chosen in the note form
    int32_t seeing = 0;
};

// A note for `objectName` when it is not empty (cut to 14 characters), else for the list's
// selected entry, else for the chart's choice, else for no object.
ObserverLogRecord NewLog(const NewLogSource& source, std::string_view objectName);

}  // namespace vsp
