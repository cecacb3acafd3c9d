#include "cli/CliContext.h"

#include <ostream>

#include "platform/Text.h"
#include "shell/PreferenceStart.h"

namespace vsp::cli {

int StderrInfoSink::InfoBox(std::string_view firstLine, std::string_view secondLine) {
    err_ << Cp1252ToUtf8(firstLine) << "\n";
    if (!secondLine.empty()) err_ << Cp1252ToUtf8(secondLine) << "\n";
    err_.flush();
    return 1;
}

CliContext::CliContext(CommonOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      home_(ProgramDir::Resolve(options_.home)),
      out_(out),
      err_(err),
      messages_(err) {}

void CliContext::LoadPrefs() {
    saved_.emplace();
    const PreferenceLoadResult result = StartPreferences(home_, *saved_);
    if (!result.message.empty()) messages_.InfoBox(result.message, "");
}

Preferences& CliContext::SavedPrefs() {
    if (!saved_) LoadPrefs();
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

}  // namespace vsp::cli
