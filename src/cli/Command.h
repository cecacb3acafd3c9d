#pragma once
// The command-line front end: one program, one job per run, read by one CLI11 app.
//
// Adding a command: in the file of its family (one file per family), write
// `void AddXxxCommands(CommandRegistry& registry)` that declares each subcommand with
// registry.Add(name, description, run) and binds its options and positionals (add_option,
// add_flag, AddDate, ...) to a small struct that the run shares through a std::shared_ptr;
// declare that function below and call it from RegisterCommands (CommandLine.cpp). The help of
// `vespertar COMMAND --help` is made from the descriptions given there.

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/CliContext.h"
#include "cli/WindowOptions.h"

namespace vsp::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the job failed; the system's message on stderr
inline constexpr int kExitUsage = 2;   // unknown command or option, unreadable value

using CommandRun = std::function<int(CliContext&)>;

// The subcommands of the program and what each one runs.
class CommandRegistry {
public:
    explicit CommandRegistry(CLI::App& program) : program_(program) {}
    // A command (of `family` when given) that runs `run` when it is the last one on the line.
    CLI::App* Add(const std::string& name, const std::string& description, CommandRun run,
                  CLI::App* family = nullptr);
    // A command that only groups others ("data build", "data info"): one of them must follow.
    // Declared again by name (a family whose commands live in several files), the same one.
    CLI::App* AddFamily(const std::string& name, const std::string& description);
    // A text positional of `command` that may begin with '-' ("expand -F"): a word the parser
    // took for an unknown option fills it when it is still empty.
    void AllowDashWord(CLI::App* command, std::optional<std::string>& word);
    // The run of the command given on the line, or null.
    const CommandRun* Selected() const;
    // Gives the words no option or positional took (`extras`) to the selected command's dash
    // word; false with `problem` set when any word is left.
    bool PlaceExtras(const std::vector<std::string>& extras, std::string& problem);

private:
    const CLI::App* SelectedCommand() const;

    CLI::App& program_;
    std::map<const CLI::App*, CommandRun> runs_;
    std::map<const CLI::App*, std::optional<std::string>*> dashWords_;
};

// Refuses "nan", "inf" and the like, which the option parser reads as numbers: every decimal
// option and positional takes it.
const CLI::Validator& FiniteNumber();
// A decimal option or positional; `unit` names its value in the help ("DEG", "H").
CLI::Option* AddNumber(CLI::App& command, const std::string& name, std::optional<double>& value,
                       const std::string& unit, const std::string& description);
// A date (YYYY-MM-DD) or clock time (HH:MM[:SS]) option or positional read by the program's
// one date and time parser: a day its calendar does not have is a usage error with the
// parser's reason.
CLI::Option* AddDate(CLI::App& command, const std::string& name, std::optional<CalendarDay>& date,
                     const std::string& description);
CLI::Option* AddClockTime(CLI::App& command, const std::string& name, std::optional<ClockTime>& time,
                          const std::string& description);

// Two whole numbers joined by `separator` ("320x320", "12,40"), nothing for any other text.
std::optional<std::pair<int, int>> ParseNumberPair(std::string_view text, char separator);
// A picture size "WxH" with sides from 1 to 4096 pixels; false otherwise.
bool ParsePixelSize(const std::string& text, int& width, int& height);
inline constexpr char kPixelSizeUsage[] = "--size must be WxH with sides from 1 to 4096 pixels: ";

// Prints the one-line reason on stderr and returns kExitUsage.
int UsageError(CliContext& ctx, std::string_view reason);
// Prints the system's message (narrow, code page) on stderr and returns kExitFailed.
int JobFailed(CliContext& ctx, std::string_view narrowMessage);
// The document as JSON text (`indent` as nlohmann's dump: -1 one line). A text that is not
// valid UTF-8 (code-page text that missed its conversion, the bytes of a file name) is written
// with its stray bytes read as code-page bytes (ToValidUtf8): every document prints.
std::string JsonText(const nlohmann::json& document, int indent = -1);
// Writes one JSON document on stdout, as JsonText with an indent of 2.
void PrintJson(CliContext& ctx, const nlohmann::json& document);

// The command families.
void AddVersionCommand(CommandRegistry& registry);
void AddPrefsCommands(CommandRegistry& registry);
void AddRecordsCommands(CommandRegistry& registry);
void AddTimeCommands(CommandRegistry& registry);         // time, format, parse, calendar, deltat, jd
void AddReductionCommands(CommandRegistry& registry);    // nutation, apparent
void AddBodyCommands(CommandRegistry& registry);         // body, helio, earth
void AddMoonCommand(CommandRegistry& registry);
void AddPlanetCommands(CommandRegistry& registry);       // planet moons|events|face
void AddRiseSetCommands(CommandRegistry& registry);      // riseset, daylength
void AddEventCommands(CommandRegistry& registry);        // phases, eclipses
void AddDescriptionCommand(CommandRegistry& registry);   // expand
void AddConstellationCommand(CommandRegistry& registry);
void AddDataCommands(CommandRegistry& registry);         // data build, data info
void AddObjectCommand(CommandRegistry& registry);
void AddStarCommand(CommandRegistry& registry);
void AddCityCommand(CommandRegistry& registry);
void AddChartCommands(CommandRegistry& registry);        // chart, chart at
void AddFinderCommand(CommandRegistry& registry);        // finder
void AddScreenCommand(CommandRegistry& registry);
void AddGpsCommand(CommandRegistry& registry);
void AddCameraCommands(CommandRegistry& registry);       // camera expose
void AddPolarCommand(CommandRegistry& registry);
void AddChecklistCommands(CommandRegistry& registry);    // checklist show|add|tick|untick|reset|rename|delete|move
void AddEmulateCommands(CommandRegistry& registry);      // emulate lx200, emulate gps
void AddServeCommands(CommandRegistry& registry);        // serve lx200
void AddScopeCommands(CommandRegistry& registry);        // scope position|goto|sync|move|stop|align
void AddSatelliteDataCommands(CommandRegistry& registry);  // sat import|update|list|export
void AddSatelliteCommands(CommandRegistry& registry);      // sat propagate|info
void AddSatellitePassCommands(CommandRegistry& registry);  // sat passes, sat flares
void AddSatelliteTransitCommand(CommandRegistry& registry);  // sat transits
void AddImportCommands(CommandRegistry& registry);         // import eyepieces|locations|catalog
void AddLogCommands(CommandRegistry& registry);            // log new|edit|list|show|delete|export|link
void AddLogImportCommand(CommandRegistry& registry);       // import logs
void AddListCommands(CommandRegistry& registry);           // list show|add|remove|clear|save|load|saved|export|import
void AddPlanCommand(CommandRegistry& registry);            // plan
void AddMinorDataCommands(CommandRegistry& registry);      // minor import|list|find
void AddMinorEphemerisCommands(CommandRegistry& registry);  // minor show|ephemeris

// The whole front end on `args` (the words after the program name): runs the command, or
// `openWindow` when there is none; returns the exit status.
int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err,
                   const WindowRun& openWindow);

}  // namespace vsp::cli
