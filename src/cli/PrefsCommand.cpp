// `prefs [show]` | `prefs set KEY=VALUE...` | `prefs reset`: the persisted settings.

#include <memory>
#include <ostream>
#include <string_view>

#include "cli/Command.h"
#include "cli/ProgramSettings.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "settings/PreferenceStart.h"
#include "settings/PreferenceStore.h"
#include "settings/PreferenceValues.h"
#include "settings/PreferencesJson.h"

namespace vsp::cli {
namespace {

// The stored settings brought into range; a damaged file is reported and the defaults used.
Preferences LoadStored(CliContext& ctx) { return ctx.ReloadSavedPrefs(); }

std::string ShownValue(const PreferenceSetting& s, const Preferences& prefs) {
    if (s.kind == PreferenceKind::Choice)
        return FormatPreferenceNumber(s, prefs) + " (" + FormatPreferenceValue(s, prefs) + ")";
    return FormatPreferenceValue(s, prefs);
}

int Show(CliContext& ctx) {
    const Preferences prefs = LoadStored(ctx);
    if (ctx.Json()) {
        PrintJson(ctx, PreferencesJson(ctx.Settings(), prefs));
        return kExitOk;
    }
    for (const PreferenceSetting& s : ctx.Settings().Listed())
        ctx.Out() << s.key << " = " << Cp1252ToUtf8(ShownValue(s, prefs)) << "\n";
    return kExitOk;
}

// One KEY=VALUE; KEY_text=ROW names a choice by its row text even when the row reads as a
// number ("diameter_text=203").
int ApplyAssignment(CliContext& ctx, const std::string& word, Preferences& prefs,
                    std::vector<const PreferenceSetting*>& touched) {
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) return UsageError(ctx, "expected KEY=VALUE: " + word);
    std::string key = word.substr(0, eq);
    const std::string value = Utf8ToCp1252(word.substr(eq + 1));
    bool byRow = false;
    const PreferenceSetting* setting = ctx.Settings().Find(key);
    const size_t suffix = sizeof kRowTextSuffix - 1;
    if (!setting && key.size() > suffix && key.compare(key.size() - suffix, suffix, kRowTextSuffix) == 0) {
        setting = ctx.Settings().Find(key.substr(0, key.size() - suffix));
        byRow = setting && setting->kind == PreferenceKind::Choice;
        if (!byRow) setting = nullptr;
    }
    if (!setting) return UsageError(ctx, "unknown setting: " + key);
    std::string reason;
    const bool ok = byRow ? ParsePreferenceRow(*setting, value, prefs, reason)
                          : ParsePreferenceValue(*setting, value, prefs, reason);
    if (!ok) return UsageError(ctx, Cp1252ToUtf8(reason));
    touched.push_back(setting);
    return kExitOk;
}

// The start routine keeps a saved date only whole (year, month and day) and drops any other;
// typed, such a date is refused instead, so that nothing typed vanishes as "out of range".
constexpr std::string_view kSavedDateNotWhole =
    "saved_year, saved_month, saved_day: a saved date needs all three, each in range (saved_year=0 takes the clock)";

int Set(CliContext& ctx, const std::vector<std::string>& assignments) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    const Preferences stored = LoadStored(ctx);
    Preferences prefs = stored;
    std::vector<const PreferenceSetting*> touched;
    for (const std::string& word : assignments)
        if (int status = ApplyAssignment(ctx, word, prefs, touched)) return status;
    // Year 0 asks for the clock: the rest of the saved date goes with the year.
    if (stored.savedDateTime.year != 0 && prefs.savedDateTime.year == 0) prefs.savedDateTime = SavedDateTime{};

    const Preferences asGiven = prefs;
    CheckPreferenceRanges(ctx.Settings(), prefs);
    if (asGiven.savedDateTime != SavedDateTime{} && prefs.savedDateTime == SavedDateTime{})
        return UsageError(ctx, kSavedDateNotWhole);
    for (const std::string& key : DifferingPreferenceKeys(ctx.Settings(), asGiven, prefs)) {
        const PreferenceSetting& s = *ctx.Settings().Find(key);
        ctx.Err() << key << ": " << Cp1252ToUtf8(FormatPreferenceNumber(s, asGiven))
                  << " is out of range; set to " << Cp1252ToUtf8(ShownValue(s, prefs)) << "\n";
    }
    if (!SavePreferences(ctx.Settings(), ctx.Home(), prefs)) return JobFailed(ctx, std::string(kSettingsNotSaved));

    if (ctx.Json()) {
        nlohmann::json out = nlohmann::json::object();
        for (const PreferenceSetting* s : touched) AddPreferenceJson(out, *s, prefs);
        PrintJson(ctx, out);
    }
    return kExitOk;
}

int Reset(CliContext& ctx) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    Preferences prefs;
    ResetProgramPreferences(ctx.Home(), prefs);
    if (!SavePreferences(ctx.Settings(), ctx.Home(), prefs)) return JobFailed(ctx, std::string(kSettingsNotSaved));
    return kExitOk;
}

}  // namespace

void AddPrefsCommands(CommandRegistry& registry) {
    CLI::App* prefs = registry.Add("prefs", "The persisted settings (alone: show them)", Show);
    registry.Add("show", "Every setting with its value", Show, prefs)
        ->footer("--json: one object; a choice gives its row index and KEY_text its row text. "
                 "longitude_west_deg counts west positive (as stored); --lon is east positive.");
    auto assignments = std::make_shared<std::vector<std::string>>();
    registry
        .Add("set", "Saves KEY=VALUE pairs",
             [assignments](CliContext& ctx) { return Set(ctx, *assignments); }, prefs)
        ->footer("A choice takes its row index or its row text; KEY_text=ROW picks a row whose text is a "
                 "number (diameter_text=203). Values go through the start routine's range checks before "
                 "they are saved; a value that is replaced is reported. A saved date is given whole (saved_year, "
                 "saved_month and saved_day) or refused; saved_year=0 clears it.")
        ->add_option("assignments", *assignments, "KEY=VALUE")
        ->required();
    registry.Add("reset", "Saves the defaults", Reset, prefs);
}

}  // namespace vsp::cli
