// The program's one CLI11 app: the common options, every command family, and the interactive
// window when no command is given.

#include <algorithm>
#include <ostream>

#include "cli/Command.h"

namespace vsp::cli {
namespace {

constexpr char kWindowOnly[] = "--dpi";
constexpr const char* kSharedWithWindow[] = {"--home", "--dpi", "--help"};

void RegisterCommands(CommandRegistry& registry) {
    AddVersionCommand(registry);
    AddPrefsCommands(registry);
    AddRecordsCommands(registry);
    AddTimeCommands(registry);
    AddReductionCommands(registry);
    AddBodyCommands(registry);
    AddMoonCommand(registry);
    AddPlanetCommands(registry);
    AddRiseSetCommands(registry);
    AddEventCommands(registry);
    AddDescriptionCommand(registry);
    AddConstellationCommand(registry);
    AddDataCommands(registry);
    AddObjectCommand(registry);
    AddStarCommand(registry);
    AddCityCommand(registry);
    AddChartCommands(registry);
    AddFinderCommand(registry);
    AddScreenCommand(registry);
    AddGpsCommand(registry);
    AddCameraCommands(registry);
    AddPolarCommand(registry);
    AddChecklistCommands(registry);
    AddEmulateCommands(registry);
    AddServeCommands(registry);
    AddScopeCommands(registry);
    AddSatelliteDataCommands(registry);
    AddSatelliteCommands(registry);
    AddSatellitePassCommands(registry);
    AddSatelliteTransitCommand(registry);
    AddImportCommands(registry);
    AddLogCommands(registry);
    AddLogImportCommand(registry);
    AddListCommands(registry);
    AddPlanCommand(registry);
    AddMinorDataCommands(registry);
    AddMinorEphemerisCommands(registry);
}

void AddCommonOptions(CLI::App& program, CommonOptions& options, WindowOptions& window) {
    program.add_option_function<std::string>(
               "--home", [&](const std::string& dir) { options.home = window.home = dir; },
               "program directory (default $VESPERTAR_HOME, else ~/.local/share/vespertar)")
        ->type_name("DIR")
        ->check([](const std::string& dir) { return dir.empty() ? "needs a directory" : ""; });
    AddNumber(program, "--lat", options.latitude, "DEG", "observer latitude, north positive");
    AddNumber(program, "--lon", options.longitudeEast, "DEG", "observer longitude, east positive");
    AddNumber(program, "--elev", options.elevation, "M", "height of the site");
    AddNumber(program, "--temp", options.temperature, "C", "temperature at the site");
    AddNumber(program, "--pressure", options.pressure, "MBAR", "air pressure at the site");
    program.add_option_function<int>("--tz", [&](int minutes) { options.tzOffset = minutes; },
                                     "time-zone offset in minutes (local clock = UT + offset)")
        ->type_name("MIN");
    AddDate(program, "--date", options.date, "observing date (default today; alone: 00:00 of that date)");
    AddClockTime(program, "--time", options.time, "observing local clock time (default now)");
    program.add_option_function<int>("--mode", [&](int mode) { options.mode = mode; },
                                     "0 Geocentric, 1 Geoc. + Refract, 2 Topocentric, 3 Topo + Refract")
        ->type_name("N")
        ->check(CLI::Range(0, 3));
    program.add_flag("--json", options.json, "print one JSON document instead of text");
    program.add_option(kWindowOnly, window.dpi,
                       "interactive window: display dots per inch (96 gives 240 x 320; default: the last run's "
                       "scale, else the largest whole scale the display holds)")
        ->type_name("N")
        ->check(CLI::Range(48, 960));
}

// Without a command only the window's own options make sense.
std::optional<std::string> MisplacedOption(const CLI::App& program, bool hasCommand) {
    for (const CLI::Option* option : program.get_options()) {
        if (option->count() == 0) continue;
        const std::string name = option->get_name();
        const bool windowOnly = name == kWindowOnly;
        const bool shared = std::find(std::begin(kSharedWithWindow), std::end(kSharedWithWindow), name) !=
                            std::end(kSharedWithWindow);
        if (hasCommand && windowOnly) return name + " is an option of the interactive window, not of a command";
        if (!hasCommand && !shared) return name + " needs a command (see vespertar --help)";
    }
    return std::nullopt;
}

}  // namespace

int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err,
                   const WindowRun& openWindow) {
    CommonOptions options;
    WindowOptions window;
    CLI::App program("A pocket planetarium. Without a command the interactive window opens.\n"
                     "Exit status: 0 success, 1 the job failed, 2 usage error.",
                     "vespertar");
    program.fallthrough();         // common options stand before or after the command
    program.require_subcommand(0, 1);
    program.footer("`vespertar COMMAND --help` describes a command.");
    AddCommonOptions(program, options, window);
    CommandRegistry registry(program);
    RegisterCommands(registry);
    program.allow_extras();  // after the commands, which would inherit it; PlaceExtras decides

    std::reverse(args.begin(), args.end());  // CLI11 takes the words last first
    try {
        program.parse(args);
    } catch (const CLI::CallForHelp&) {
        out << program.help();
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        err << "vespertar: " << error.what() << "\n";
        return kExitUsage;
    }
    std::string problem;
    if (!registry.PlaceExtras(program.remaining(), problem)) {
        err << "vespertar: " << problem << "\n";
        return kExitUsage;
    }
    const CommandRun* run = registry.Selected();
    if (auto misplaced = MisplacedOption(program, run != nullptr)) {
        err << "vespertar: " << *misplaced << "\n";
        return kExitUsage;
    }
    if (!run) return openWindow(window);
    CliContext ctx(options, out, err);
    return (*run)(ctx);
}

}  // namespace vsp::cli
