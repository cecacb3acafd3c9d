// `prefs [show]` | `prefs set KEY=VALUE...` | `prefs reset`: the persisted settings.

#include <charconv>
#include <memory>
#include <ostream>

#include "cli/Command.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "shell/PreferenceStart.h"
#include "shell/PreferenceStore.h"
#include "shell/PreferenceTable.h"

namespace vsp::cli {
namespace {

constexpr char kTextSuffix[] = "_text";

// The stored settings brought into range; a damaged file is reported and the defaults used.
Preferences LoadStored(CliContext& ctx) { return ctx.ReloadSavedPrefs(); }

nlohmann::json JsonValue(const PreferenceSetting& s, const Preferences& prefs) {
    switch (s.kind) {
        case PreferenceKind::Text:
            return Cp1252ToUtf8(s.getText(prefs));
        case PreferenceKind::Flag:
            return s.getNumber(prefs) != 0.0;
        case PreferenceKind::Real:
            // Through the shortest text, so that a float shows as typed (51.1, not 51.0999...).
        {
            const std::string text = FormatPreferenceNumber(s, prefs);
            double value = s.getNumber(prefs);
            std::from_chars(text.data(), text.data() + text.size(), value);
            return value;
        }
        default:
            return int64_t(s.getNumber(prefs));
    }
}

void AddJson(nlohmann::json& out, const PreferenceSetting& s, const Preferences& prefs) {
    out[s.key] = JsonValue(s, prefs);
    if (s.kind == PreferenceKind::Choice)
        out[s.key + kTextSuffix] = Cp1252ToUtf8(FormatPreferenceValue(s, prefs));
}

std::string ShownValue(const PreferenceSetting& s, const Preferences& prefs) {
    if (s.kind == PreferenceKind::Choice)
        return FormatPreferenceNumber(s, prefs) + " (" + FormatPreferenceValue(s, prefs) + ")";
    return FormatPreferenceValue(s, prefs);
}

int Show(CliContext& ctx) {
    const Preferences prefs = LoadStored(ctx);
    if (ctx.Json()) {
        nlohmann::json out = nlohmann::json::object();
        for (const PreferenceSetting& s : PreferenceTable()) AddJson(out, s, prefs);
        PrintJson(ctx, out);
        return kExitOk;
    }
    for (const PreferenceSetting& s : PreferenceTable())
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
    const PreferenceSetting* setting = FindPreference(key);
    const size_t suffix = sizeof kTextSuffix - 1;
    if (!setting && key.size() > suffix && key.compare(key.size() - suffix, suffix, kTextSuffix) == 0) {
        setting = FindPreference(key.substr(0, key.size() - suffix));
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

int Set(CliContext& ctx, const std::vector<std::string>& assignments) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    Preferences prefs = LoadStored(ctx);
    std::vector<const PreferenceSetting*> touched;
    for (const std::string& word : assignments)
        if (int status = ApplyAssignment(ctx, word, prefs, touched)) return status;

    const Preferences asGiven = prefs;
    CheckPreferenceRanges(prefs);
    for (const std::string& key : DifferingPreferenceKeys(asGiven, prefs)) {
        const PreferenceSetting& s = *FindPreference(key);
        ctx.Err() << key << ": " << Cp1252ToUtf8(FormatPreferenceNumber(s, asGiven))
                  << " is out of range; set to " << Cp1252ToUtf8(ShownValue(s, prefs)) << "\n";
    }
    if (!SavePreferences(ctx.Home(), prefs)) return JobFailed(ctx, std::string(kSettingsNotSaved));

    if (ctx.Json()) {
        nlohmann::json out = nlohmann::json::object();
        for (const PreferenceSetting* s : touched) AddJson(out, *s, prefs);
        PrintJson(ctx, out);
    }
    return kExitOk;
}

int Reset(CliContext& ctx) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    Preferences prefs;
    ResetPreferences(prefs);
    if (!SavePreferences(ctx.Home(), prefs)) return JobFailed(ctx, std::string(kSettingsNotSaved));
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
                 "they are saved; a value that is replaced is reported.")
        ->add_option("assignments", *assignments, "KEY=VALUE")
        ->required();
    registry.Add("reset", "Saves the defaults", Reset, prefs);
}

}  // namespace vsp::cli
