// Splits the command line into the common options and the command's own words, then runs the
// command.

#include <cstring>
#include <functional>
#include <iostream>
#include <map>

#include "cli/Command.h"

namespace vsp::cli {
namespace {

std::optional<CivilDate> ParseDate(std::string_view text) {
    CivilDate d;
    char tail = 0;
    if (std::sscanf(std::string(text).c_str(), "%d-%d-%d%c", &d.year, &d.month, &d.day, &tail) != 3) {
        return std::nullopt;
    }
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return std::nullopt;
    return d;
}

std::optional<ClockTime> ParseTime(std::string_view text) {
    ClockTime t;
    char tail = 0;
    const std::string s(text);
    const int n = std::sscanf(s.c_str(), "%d:%d:%d%c", &t.hour, &t.minute, &t.second, &tail);
    if (n != 2 && n != 3) return std::nullopt;
    if (n == 2 && s.find(':') != s.rfind(':')) return std::nullopt;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
        return std::nullopt;
    }
    return t;
}

using Setter = std::function<bool(CommonOptions&, std::string_view)>;

Setter Real(std::optional<double> CommonOptions::*field) {
    return [field](CommonOptions& o, std::string_view v) {
        auto n = ParseNumber(v);
        if (n) o.*field = *n;
        return n.has_value();
    };
}

const std::map<std::string, Setter, std::less<>>& ValueOptions() {
    static const std::map<std::string, Setter, std::less<>> options = {
        {"--home", [](CommonOptions& o, std::string_view v) { o.home = std::string(v); return !v.empty(); }},
        {"--lat", Real(&CommonOptions::latitude)},
        {"--lon", Real(&CommonOptions::longitudeEast)},
        {"--elev", Real(&CommonOptions::elevation)},
        {"--temp", Real(&CommonOptions::temperature)},
        {"--pressure", Real(&CommonOptions::pressure)},
        {"--tz", [](CommonOptions& o, std::string_view v) {
             auto n = ParseWhole(v);
             if (n) o.tzOffset = int(*n);
             return n.has_value();
         }},
        {"--mode", [](CommonOptions& o, std::string_view v) {
             auto n = ParseWhole(v);
             if (n && *n >= 0 && *n <= 3) o.mode = int(*n);
             return o.mode.has_value();
         }},
        {"--date", [](CommonOptions& o, std::string_view v) { return bool(o.date = ParseDate(v)); }},
        {"--time", [](CommonOptions& o, std::string_view v) { return bool(o.time = ParseTime(v)); }},
    };
    return options;
}

struct SplitLine {
    CommonOptions options;
    std::vector<std::string> words;  // the command name first, then its own arguments
    std::string error;
};

// Common options may stand before or after the command; "--" ends option processing.
SplitLine Split(int argc, char** argv) {
    SplitLine line;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsDone) {
            line.words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        if (arg == "--json") {
            line.options.json = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.options.help = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        auto it = ValueOptions().find(name);
        if (it == ValueOptions().end()) {
            line.words.push_back(arg);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                line.error = "option " + name + " needs a value";
                return line;
            }
            value = argv[++i];
        }
        if (!it->second(line.options, value)) {
            line.error = "unreadable value for " + name + ": " + value;
            return line;
        }
    }
    return line;
}

void PrintOverview(std::ostream& out) {
    out << "Usage: vespertar [OPTIONS] [COMMAND ...]\n"
           "Without a command the interactive window opens.\n\n"
           "Commands:\n";
    for (const CommandSpec& spec : CommandTable()) out << "  " << spec.synopsis << "\n";
    out << "\nCommon options:\n"
           "  --home DIR          program directory (default $VESPERTAR_HOME, else ~/.local/share/vespertar)\n"
           "  --lat DEG           observer latitude, north positive\n"
           "  --lon DEG           observer longitude, east positive\n"
           "  --elev M  --temp C  --pressure MBAR   height, temperature, pressure of the site\n"
           "  --tz MIN            time-zone offset in minutes (local clock = UT + offset)\n"
           "  --date YYYY-MM-DD  --time HH:MM[:SS]  observing date and local clock time\n"
           "                      (default the clock now; --date alone means 00:00, --time alone today)\n"
           "  --mode N            0 Geocentric, 1 Geoc. + Refract, 2 Topocentric, 3 Topo + Refract\n"
           "  --json              print one JSON document instead of text\n"
           "\nExit status: 0 success, 1 the job failed, 2 usage error.\n"
           "`vespertar COMMAND --help` describes a command.\n";
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const CommandSpec& spec : CommandTable()) {
        if (spec.name == name) return &spec;
    }
    return nullptr;
}

}  // namespace

bool HasCommand(int argc, char** argv) {
    SplitLine line = Split(argc, argv);
    return !line.words.empty() || line.options.help || !line.error.empty();
}

int RunCommandLine(int argc, char** argv) {
    SplitLine line = Split(argc, argv);
    CliContext ctx(line.options, std::cout, std::cerr);
    if (!line.error.empty()) return UsageError(ctx, line.error);
    if (line.words.empty()) {
        PrintOverview(std::cout);
        return line.options.help ? kExitOk : kExitUsage;
    }
    const CommandSpec* spec = FindCommand(line.words.front());
    if (!spec) return UsageError(ctx, "unknown command: " + line.words.front());
    if (line.options.help) {
        std::cout << "Usage: vespertar " << spec->synopsis << "\n\n" << spec->help;
        return kExitOk;
    }
    CommandArgs args(std::vector<std::string>(line.words.begin() + 1, line.words.end()));
    return spec->run(ctx, args);
}

}  // namespace vsp::cli
