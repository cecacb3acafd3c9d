#pragma once
// The command-line front end: one program, one job per run. A command family lives in its own
// file (PrefsCommand.cpp, RecordsCommand.cpp, ...) as a function `int RunXxx(CliContext&,
// CommandArgs&)` listed in CommandTable.cpp. Common options have already been taken out of
// the arguments when the command runs; what is left are the command's own words and options.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliContext.h"

namespace vsp::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the job failed; the system's message on stderr
inline constexpr int kExitUsage = 2;   // unknown command or option, unreadable value

// The command's own arguments, in order, with small helpers to take options out of them.
class CommandArgs {
public:
    explicit CommandArgs(std::vector<std::string> words) : words_(std::move(words)) {}

    // Takes "--name VALUE" or "--name=VALUE"; nullopt when absent. A missing value is an error
    // reported through `error`.
    std::optional<std::string> TakeOption(std::string_view name);
    bool TakeFlag(std::string_view name);
    // The next positional word, or nullopt.
    std::optional<std::string> TakeWord();
    bool Empty() const { return words_.empty(); }
    // First unexpected word or option left over (for "unknown option" errors).
    std::optional<std::string> Leftover() const;
    const std::vector<std::string>& Words() const { return words_; }
    std::string error;  // set when an option lacks its value

private:
    std::vector<std::string> words_;
};

using CommandRun = int (*)(CliContext&, CommandArgs&);

struct CommandSpec {
    std::string_view name;
    std::string_view synopsis;  // "prefs [show] | prefs set KEY=VALUE... | prefs reset"
    std::string_view help;      // the text of `vespertar COMMAND --help`
    CommandRun run;
};

const std::vector<CommandSpec>& CommandTable();

// Prints the one-line reason on stderr and returns kExitUsage.
int UsageError(CliContext& ctx, std::string_view reason);
// Prints the system's message (narrow, code page) on stderr and returns kExitFailed.
int JobFailed(CliContext& ctx, std::string_view narrowMessage);
// Leftover words or options after a command took what it knows: a usage error, else kExitOk.
int CheckNoLeftover(CliContext& ctx, const CommandArgs& args);
// Writes one JSON document on stdout.
void PrintJson(CliContext& ctx, const nlohmann::json& document);
// Parses numbers strictly (the whole text); nullopt when unreadable.
std::optional<double> ParseNumber(std::string_view text);
std::optional<int64_t> ParseWhole(std::string_view text);

// The commands of this issue and later ones.
int RunVersion(CliContext& ctx, CommandArgs& args);
int RunPrefs(CliContext& ctx, CommandArgs& args);
int RunRecords(CliContext& ctx, CommandArgs& args);
// Time and angles (TimeCommands.cpp).
int RunTime(CliContext& ctx, CommandArgs& args);
int RunFormat(CliContext& ctx, CommandArgs& args);
int RunParse(CliContext& ctx, CommandArgs& args);
int RunCalendar(CliContext& ctx, CommandArgs& args);
int RunDeltaT(CliContext& ctx, CommandArgs& args);
int RunJd(CliContext& ctx, CommandArgs& args);
// The reduction (ReductionCommands.cpp).
int RunNutation(CliContext& ctx, CommandArgs& args);
int RunApparent(CliContext& ctx, CommandArgs& args);
// The Sun, the planets and Pluto (BodyCommands.cpp).
int RunBody(CliContext& ctx, CommandArgs& args);
int RunHelio(CliContext& ctx, CommandArgs& args);
int RunEarth(CliContext& ctx, CommandArgs& args);
// The Moon's age, phase, distance and size (MoonCommands.cpp).
int RunMoon(CliContext& ctx, CommandArgs& args);
// Rise, transit and set; the day length (RiseSetCommands.cpp).
int RunRiseSet(CliContext& ctx, CommandArgs& args);
int RunDayLength(CliContext& ctx, CommandArgs& args);
// The Moon's phases and the eclipses (EventCommands.cpp).
int RunPhases(CliContext& ctx, CommandArgs& args);
int RunEclipses(CliContext& ctx, CommandArgs& args);
// The expansion of a short deep-sky description (DescriptionCommands.cpp).
int RunExpand(CliContext& ctx, CommandArgs& args);
// The constellation of a position (ConstellationCommand.cpp).
int RunConstellation(CliContext& ctx, CommandArgs& args);
// The catalog data: building and listing data/ (DataCommands.cpp), a deep-sky object by its
// designation (ObjectCommand.cpp), a star by its number (StarCommand.cpp).
int RunData(CliContext& ctx, CommandArgs& args);
int RunObject(CliContext& ctx, CommandArgs& args);
int RunStar(CliContext& ctx, CommandArgs& args);

// The whole front end: returns the exit status.
int RunCommandLine(int argc, char** argv);
// True when argv holds a command (else the interactive window opens).
bool HasCommand(int argc, char** argv);

}  // namespace vsp::cli
