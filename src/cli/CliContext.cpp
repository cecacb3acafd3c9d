#include "cli/CliContext.h"

#include <ostream>

#include "cli/ProgramSettings.h"
#include "forms/ObservingContext.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "settings/PreferenceStart.h"

namespace vsp::cli {

int StderrInfoSink::InfoBox(std::string_view firstLine, std::string_view secondLine) {
    // A box's line may end in its own line break; the terminal needs only one.
    if (firstLine.ends_with('\n')) firstLine.remove_suffix(1);
    err_ << Cp1252ToUtf8(firstLine) << "\n";
    if (!secondLine.empty()) err_ << Cp1252ToUtf8(secondLine) << "\n";
    err_.flush();
    return 1;
}

void StderrInfoSink::ShowProgress(std::string_view firstLine, std::string_view secondLine) {
    err_ << Cp1252ToUtf8(firstLine) << (secondLine.empty() ? "" : ": ") << Cp1252ToUtf8(secondLine) << std::endl;
}

CliContext::CliContext(CommonOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      home_(ProgramDir::Resolve(options_.home)),
      out_(out),
      err_(err),
      messages_(err),
      settings_(ProgramPreferenceTable()) {}

void CliContext::LoadPrefs() {
    saved_.emplace();
    const PreferenceLoadResult result = StartProgramPreferences(settings_, home_, *saved_);
    if (!result.message.empty()) messages_.InfoBox(result.message, "");
}

Preferences& CliContext::SavedPrefs() {
    if (!saved_) LoadPrefs();
    return *saved_;
}

Preferences& CliContext::ReloadSavedPrefs() {
    if (!saved_) return SavedPrefs();
    Preferences stored;
    StartProgramPreferences(settings_, home_, stored);  // a damaged file was reported at the first read
    *saved_ = std::move(stored);
    return *saved_;
}

Preferences& CliContext::Prefs() {
    if (effective_) return *effective_;
    effective_ = SavedPrefs();
    Site& site = effective_->site;
    if (options_.latitude) site.latitude = float(*options_.latitude);
    if (options_.longitudeEast) site.longitude = float(-*options_.longitudeEast);
    if (options_.elevation) site.elevation = int32_t(*options_.elevation);
    if (options_.temperature) site.temperature = float(*options_.temperature);
    if (options_.pressure) site.pressure = float(*options_.pressure);
    if (options_.tzOffset) site.tzOffset = int16_t(*options_.tzOffset);
    if (options_.mode) effective_->correction = *options_.mode;
    return *effective_;
}

CalendarDateTime CliContext::ObservingTime() {
    if (observingTime_) return *observingTime_;
    CalendarDateTime t;
    if (!options_.date || !options_.time) t = LocalClockTime();
    if (options_.date) t = CalendarDateTime{*options_.date, ClockTime{}};
    if (options_.time) static_cast<ClockTime&>(t) = *options_.time;
    observingTime_ = t;
    return t;
}

CalendarDateTime CliContext::RunningTime() {
    return options_.date || options_.time ? ObservingTime() : LocalClockTime();
}

EphemerisSettings CliContext::Ephemeris() {
    EphemerisSettings settings = SiteEphemeris(Prefs(), ObservingTime().year);
    // A value given on the command line keeps all its digits (the site record holds floats).
    ObserverLocation& place = settings.location;
    place.latitude = options_.latitude.value_or(place.latitude);
    if (options_.longitudeEast) place.longitudeWest = -*options_.longitudeEast;
    place.height = options_.elevation.value_or(place.height);
    place.tzOffset = options_.tzOffset.value_or(place.tzOffset);
    place.temperature = options_.temperature.value_or(place.temperature);
    place.pressure = options_.pressure.value_or(place.pressure);
    return settings;
}

TextFormats CliContext::Formats() {
    const Preferences& prefs = Prefs();
    return {prefs.raFormat, prefs.decFormat, &messages_};
}

}  // namespace vsp::cli
