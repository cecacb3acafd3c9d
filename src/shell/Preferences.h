#pragma once
// The settings block: every setting of the seven preference pages, the current site and the
// three stored sites, the saved observing date and time and the start form.
// Each popup choice is stored as its row index (row 0 = top row as shown).

#include <array>
#include <cstdint>
#include <string>

namespace vsp {

// An observer location. Longitude is stored west-positive, as the location record keeps it.
struct Site {
    std::string name = "None";
    float latitude = 51.0f;    // degrees, north positive
    float longitude = 0.0f;    // degrees, WEST positive
    int32_t elevation = 0;     // metres
    int16_t tzOffset = 0;      // minutes, local clock = UT + offset
    int16_t daylight = 0;      // daylight-saving flag, 0 or 1
    float temperature = 10.0f; // degrees Celsius
    float pressure = 1013.0f;  // millibars
    float humidity = 40.0f;    // percent
};

// The observing date and time kept between runs; year 0 means "take the clock".
struct SavedDateTime {
    int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

struct Preferences {
    Site site;
    std::array<Site, 3> storedSites;
    SavedDateTime savedDateTime;
    int32_t startForm = 1950;

    // Page 1
    int32_t scopeDrive = 0;     // "Scope Drive", 21 rows
    int32_t correction = 0;     // "Correction": the chart mode 0..3
    // Page 2
    int32_t nightLevel = 0;     // "Night Mode": 0 Off, 1 Dark, 2 Medium, 3 Bright
    // Page 3
    int32_t timeStep = 0;       // "Time Step", 18 rows

    // The remaining settings of the seven pages follow (see PreferenceTable.h).
};

}  // namespace vsp
