#pragma once
// The table of every setting in the settings block: its stable key (used on the command line
// and in JSON), where it lives (page, form, group, label), its kind with the rows of a choice
// in display order, its valid range with the value the start routine puts in place of an
// out-of-range one, and accessors that read and write it in a `Preferences`.
// Labels and row texts are narrow strings in the device code page (Windows-1252).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Preferences.h"

namespace vsp {

enum class PreferenceKind { Choice, Integer, Real, Text, Flag };

struct PreferenceSetting {
    std::string key;                 // snake_case, stable
    int page = 0;                    // 1..7; 0 = kept by another screen (no preference page)
    int formId = 0;                  // the page's form, 1200 for the location, 0 for none
    std::string group;
    std::string label;
    PreferenceKind kind = PreferenceKind::Integer;
    std::vector<std::string> rows;   // Choice: the rows, row 0 first

    // Integer and Real: the valid range (inclusive unless minimumExclusive) and the value an
    // out-of-range one becomes. Choice: rows outside 0..rows-1 become `fallback`.
    double minimum = 0.0;
    double maximum = 0.0;
    bool minimumExclusive = false;
    double fallback = 0.0;
    bool singlePrecision = false;    // Real stored as a 32-bit float
    // Text: the longest accepted value in bytes; longer or empty values become the default.
    // `fileName`: the value must also be a safe file name.
    size_t maxLength = 0;
    bool fileName = false;
    bool mayBeEmpty = false;

    // Choice, Integer, Real and Flag read and write through `number`; Text through `text`.
    std::function<double(const Preferences&)> getNumber;
    std::function<void(Preferences&, double)> setNumber;
    std::function<std::string(const Preferences&)> getText;
    std::function<void(Preferences&, const std::string&)> setText;
};

// Every setting, in page order (page 1..7 first, then the location and the kept state).
const std::vector<PreferenceSetting>& PreferenceTable();
// Null when no setting has that key.
const PreferenceSetting* FindPreference(std::string_view key);

// The rows of the page 4 lists for a field-of-view row (0 = 180° .. 9 = <10°); empty outside.
const std::vector<std::string>& ZoomStarLimitRows(int fovRow);
const std::vector<std::string>& ZoomObjectLimitRows(int fovRow);
const std::vector<std::string>& ZoomViewRows();

// The value behind a magnitude-list row: "All" is 100 (no limit), "<n" is n, "Scope" the
// telescope limit and "Eyes" the naked-eye limit given; nullopt for any other text.
std::optional<float> MagnitudeOfLimitRow(std::string_view row, float scopeLimit, float eyeLimit);
// The star and object limits chosen on page 4 for a zoom level (levels above 9 use row 9,
// a negative level gives 13 and "All").
float ZoomStarLimit(const Preferences& prefs, int zoomLevel, float scopeLimit, float eyeLimit);
float ZoomObjectLimit(const Preferences& prefs, int zoomLevel, float scopeLimit, float eyeLimit);

// Altitude of the "Horizon" row in degrees (0 for a row outside the list).
int HorizonDegrees(int row);
// Minimum elevations in whole degrees for the satellite searches (index 0..10; 0 outside).
int PassMinimumElevation(int index);
int FlareMinimumElevation(int index);

// The value of a setting as narrow text: a choice as its row text, a flag as "on"/"off",
// numbers in their shortest form, text as stored.
std::string FormatPreferenceValue(const PreferenceSetting& setting, const Preferences& prefs);
// The raw number of a Choice/Integer/Real/Flag setting in its shortest form.
std::string FormatPreferenceNumber(const PreferenceSetting& setting, const Preferences& prefs);

// Reads `text` (narrow, device code page) into the setting: a choice takes its row index or
// its row text (case-insensitive), a flag 0/1/on/off/true/false/yes/no, numbers must be read
// whole (an integer setting takes whole numbers only). No range check here. False, with
// `reason` (one line), when the text cannot be read.
bool ParsePreferenceValue(const PreferenceSetting& setting, std::string_view text,
                          Preferences& prefs, std::string& reason);
// A choice by its row text only (case-insensitive), for rows that read as numbers ("203").
bool ParsePreferenceRow(const PreferenceSetting& setting, std::string_view text,
                        Preferences& prefs, std::string& reason);

// Keys whose values differ between two blocks, in table order.
std::vector<std::string> DifferingPreferenceKeys(const Preferences& a, const Preferences& b);

}  // namespace vsp
