#pragma once
// What every command gets: the common options, the program directory, the output streams,
// the message sink that stands in for the message box, and the preferences with the common
// options laid over them.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "format/DateTimeParse.h"
#include "format/TextFormats.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp::cli {

struct CommonOptions {
    std::optional<std::string> home;
    std::optional<double> latitude;       // north positive
    std::optional<double> longitudeEast;  // east positive (the stored value is west positive)
    std::optional<double> elevation, temperature, pressure;
    std::optional<int> tzOffset;          // minutes, local = UT + offset
    std::optional<CalendarDay> date;
    std::optional<ClockTime> time;
    std::optional<int> mode;              // correction mode 0..3
    bool json = false;
};

// In command mode a message box becomes lines on standard error: the first line, then the
// second when it is not empty, in UTF-8.
class StderrInfoSink : public InfoSink {
public:
    explicit StderrInfoSink(std::ostream& err) : err_(err) {}
    int InfoBox(std::string_view firstLine, std::string_view secondLine) override;
    // One line per report: "first: second".
    void ShowProgress(std::string_view firstLine, std::string_view secondLine) override;

private:
    std::ostream& err_;
};

class CliContext {
public:
    CliContext(CommonOptions options, std::ostream& out, std::ostream& err);

    const CommonOptions& Options() const { return options_; }
    const ProgramDir& Home() const { return home_; }
    bool Json() const { return options_.json; }
    std::ostream& Out() { return out_; }
    std::ostream& Err() { return err_; }
    InfoSink& Messages() { return messages_; }
    // Every setting, with the rows the subsystems own.
    const PreferenceTable& Settings() const { return settings_; }

    // The saved preferences (or the defaults), brought into range, with the common options
    // laid over them. Loaded on first use; a damaged settings file is reported once.
    Preferences& Prefs();
    // The saved preferences alone, as stored (for `prefs`), without the common options.
    Preferences& SavedPrefs();
    // SavedPrefs() read from the file again, for a change made under the user-files lock
    // (another command may have saved since the first read). The same object is refilled.
    Preferences& ReloadSavedPrefs();
    // The observing date and local clock time: --date and --time, else the device clock now.
    // --date alone means local midnight of that date; --time alone means today at that time.
    // Read once, so every use in one run sees the same instant.
    CalendarDateTime ObservingTime();
    // For commands that last (a telescope measuring stars): the clock read afresh at each
    // call, unless --date or --time fixed the observing time.
    CalendarDateTime RunningTime();
    // What the ephemeris reads: the site, correction mode and ΔT of Prefs(), the observing
    // year as the current year.
    EphemerisSettings Ephemeris();
    // The hour and angle formats of Prefs(), format errors going to the message sink.
    TextFormats Formats();

private:
    void LoadPrefs();

    CommonOptions options_;
    ProgramDir home_;
    std::ostream& out_;
    std::ostream& err_;
    StderrInfoSink messages_;
    PreferenceTable settings_;
    std::optional<Preferences> saved_;
    std::optional<Preferences> effective_;
    std::optional<CalendarDateTime> observingTime_;
};

}  // namespace vsp::cli
