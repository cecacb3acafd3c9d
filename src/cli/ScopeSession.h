#pragma once
// One run's telescope for the `scope` commands: the settings with the drive and port given on
// the command line, the last two-star alignment brought back while it is fresh, and the
// connection made as the scope control form makes it.

#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/SkyTarget.h"
#include "scope/Telescope.h"

namespace vsp::cli {

struct ScopeOptions {
    std::optional<std::string> drive;  // a code or a drive list text
    std::optional<std::string> port;   // a device path
    std::string pier = "east";         // the answer to the Takahashi's pier side question
    bool siteKept = false;             // the Takahashi was set up by an earlier run
};

class ScopeSession {
public:
    ScopeSession(CliContext& ctx, Preferences prefs);

    ScopeDispatcher& Dispatcher() { return telescope_.Dispatcher(); }
    Preferences& Prefs() { return prefs_; }
    SerialLink& Link() { return telescope_.Link(); }
    Telescope& Scope() { return telescope_; }
    // Connected to the mount, or emulating it when no port is chosen at all.
    bool Connect();

private:
    CliContext& ctx_;
    Preferences prefs_;
    Telescope telescope_;
};

// The session without touching the mount; null with `status` set on a bad --drive.
std::unique_ptr<ScopeSession> MakeScope(CliContext& ctx, const ScopeOptions& options, int& status);
// The same, connected; null with `status` set when the mount cannot be reached.
std::unique_ptr<ScopeSession> OpenScope(CliContext& ctx, const ScopeOptions& options, int& status);

// `scope align`, `scope align show`, `scope align clear` under `scope`, reading `options`.
void AddScopeAlignCommands(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options);

// The record of a star centred now: its name, the clock angle and its place of date.
AlignStar MeasuredStarRecord(CliContext& ctx, const SkyTarget& star, const EquatorialPosition& apparent);

// `scope nstar add`, `fit`, `show`, `clear` under `scope`, reading `options`.
void AddScopeNStarCommands(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options);
// `scope encoders` under `scope`, reading `options`.
void AddScopeEncodersCommand(CommandRegistry& registry, CLI::App* scope, const ScopeOptions& options);

// The Julian Date (UT) of the clock now (or of --date/--time) at the site of the settings.
double RunningJulianDay(CliContext& ctx);

}  // namespace vsp::cli
