#pragma once
// The table of objects the chart draws beside the stars: the deep-sky objects of the chart
// index that is open, and the Sun, the Moon and the planets at the chart's instant. Each entry
// carries what the renderer reads (place, magnitude, type, size, label) and what a redraw
// leaves behind for taps (its vector and screen place).
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/CatalogSession.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectTypeTable.h"
#include "chart/ChartView.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "platform/InfoSink.h"

namespace vsp {

// Object kinds are catalog rows: these are the ones the chart treats apart.
inline constexpr int kKindPlanet = 45;       // Sun, Moon and planets; places of date
inline constexpr int kKindHrStar = 28;       // labelled "HR%d"
inline constexpr int kKindBrightStar = 54;   // skipped among the single-star symbols
inline constexpr int kKindMinorBody = 12;    // comets and minor planets ("Comet&Asteroid"); places of date
// Display types are rows of the object-type table.
inline constexpr int kTypeSolarSystem = 27;
inline constexpr int kTypeSingleStar = 30;
inline constexpr int kDisplayComet = 13;
inline constexpr int kDisplayMinorPlanet = 18;

// The kinds whose places are apparent places of the true equator of date, not J2000.
inline bool IsPlaceOfDate(int32_t kind) { return kind == kKindPlanet || kind == kKindMinorBody; }

// The magnitude of an object whose magnitude is not known, in tenths: it passes only "All".
inline constexpr int32_t kUnknownMagnitudeTenths = 999;

// "HR7001": how the chart names a star of the HR catalog.
inline std::string HrDesignation(int32_t number) { return "HR" + std::to_string(number); }

struct ChartObject {
    int32_t kind = 0;          // catalog row
    int32_t number = 0;        // catalog number; the body code for kKindPlanet, the index
                               // into ChartScene::minorBodies for kKindMinorBody
    int32_t displayType = 0;   // object-type row
    int32_t recordIndex = -1;  // in the object file; -1 for bodies
    double raHours = 0.0;      // J2000; true equator of date where IsPlaceOfDate(kind)
    double decDeg = 0.0;
    int32_t magnitudeTenths = 0;
    float sizeMajor = 0.0f;    // arcminutes; for bodies the apparent diameter
    float sizeMinor = 0.0f;
    float positionAngle = 0.0f;  // degrees from north through east
    int8_t colour = 0;         // colour index in tenths, for single stars
    // Given for bodies, comets and minor planets; empty for deep-sky records, whose names
    // ChartLabel and ChartDesignation build when they are shown (most never are).
    std::string label;         // name or designation, device code page
    std::string designation;   // catalog designation with a blank ("NGC 224"); bodies "moon"
    ListNumberName listName;         // a record's Messier or Caldwell number
    bool alwaysShow = false;   // the selected object
    bool listed = false;       // a Messier or Caldwell object
    bool named = false;        // one the cross-reference file gives a common name
    // Left by a redraw.
    ChartVector vector;
    uint32_t vectorGeneration = 0xFFFFFFFFu;
    ScreenPoint screen;
};

// The name shown beside the object: the given label, else the record's list designation
// ("M31") or its catalog designation ("NGC7000").
std::string ChartLabel(const ChartObject& object);
// The given designation, else the record's catalog designation with a blank ("NGC 224").
std::string ChartDesignation(const ChartObject& object);

// Every record of the open chart index, in index order (by declination), in place of what `out`
// held. False, with the message of the failed read, when the index or the object file cannot be
// read; a file that is not open gives an empty table (its opening has said why).
bool LoadDeepSkyObjects(CatalogSession& session, InfoSink& messages, std::vector<ChartObject>& out);

// The Sun, the Moon and the planets Mercury to Pluto at a local clock time, apparent places of
// date, appended to `out`. False when the instant lies outside the ephemeris (nothing added).
bool AppendSolarSystem(const CalendarDateTime& local, const EphemerisSettings& settings,
                       std::vector<ChartObject>& out);

// The Moon's age in whole days at a local clock time, for its picture's phase.
int MoonAgeDays(const CalendarDateTime& local, const EphemerisSettings& settings);

// A comet or minor planet of the user's databases (ChartMinorBodies.h), not a deep-sky record.
inline bool IsMinorBodyEntry(const ChartObject& object) {
    return object.kind == kKindMinorBody && object.recordIndex < 0;
}

}  // namespace vsp
