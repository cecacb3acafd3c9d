#pragma once
// The table of every setting in the settings block, in page order (pages 1..7, then the
// location and the state other screens keep, then what is only stored). Each setting is
// declared once, in PreferenceTable.cpp (see PreferenceSetting.h for how).
//
// The program builds one table at start-up, supplies the rows and conditions that belong to
// subsystems above the settings (the drive list: scope/DriveTable.h), and passes it to
// whoever needs it (the application state, a command's context); a test builds its own.

#include <optional>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

#include "settings/PreferenceSetting.h"
#include "settings/Preferences.h"

namespace vsp {

class PreferenceTable {
public:
    explicit PreferenceTable(std::vector<PreferenceSetting> settings) : settings_(std::move(settings)) {}

    // Every setting, those kept in the record only included.
    const std::vector<PreferenceSetting>& All() const { return settings_; }
    // The settings of `prefs`, the range checks and the pages.
    auto Listed() const {
        return settings_ | std::views::filter([](const PreferenceSetting& s) { return s.listed; });
    }
    // A listed setting by its key; null when none has it.
    const PreferenceSetting* Find(std::string_view key) const;

    // The rows of every choice that takes them from `source`.
    // `values`: what each row stores, when not its index.
    void SupplyRows(RowSource source, const std::vector<std::string>& rows, const std::vector<int>& values = {});
    // When the lines waiting for `condition` are shown.
    void SupplyCondition(ShowCondition condition, const std::function<bool(const Preferences&)>& shown);

private:
    std::vector<PreferenceSetting> settings_;
};

// The settings the program declares, with their own rows; the rows and conditions of the
// subsystems above are still to be supplied.
PreferenceTable StandardPreferenceTable();

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

}  // namespace vsp
