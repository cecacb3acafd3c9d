#include "cli/Command.h"

#include <cmath>
#include <ostream>

#include "format/DateTimeParse.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"

namespace vsp::cli {

CLI::App* CommandRegistry::Add(const std::string& name, const std::string& description, CommandRun run,
                               CLI::App* family) {
    CLI::App* command = (family ? *family : program_).add_subcommand(name, description);
    runs_[command] = std::move(run);
    return command;
}

CLI::App* CommandRegistry::AddFamily(const std::string& name, const std::string& description) {
    const auto named = [&name](CLI::App* command) { return command->get_name() == name; };
    if (auto existing = program_.get_subcommands(named); !existing.empty()) return existing.front();
    CLI::App* family = program_.add_subcommand(name, description);
    family->require_subcommand(1);
    return family;
}

void CommandRegistry::AllowDashWord(CLI::App* command, std::optional<std::string>& word) {
    dashWords_[command] = &word;
}

const CLI::App* CommandRegistry::SelectedCommand() const {
    const CLI::App* command = &program_;
    while (!command->get_subcommands().empty()) command = command->get_subcommands().front();
    return command;
}

const CommandRun* CommandRegistry::Selected() const {
    auto it = runs_.find(SelectedCommand());
    return it == runs_.end() ? nullptr : &it->second;
}

bool CommandRegistry::PlaceExtras(const std::vector<std::string>& extras, std::string& problem) {
    if (extras.empty()) return true;
    auto slot = dashWords_.find(SelectedCommand());
    const bool fits = slot != dashWords_.end() && !*slot->second && extras.size() == 1 &&
                      extras.front().rfind("--", 0) != 0;
    if (fits) {
        *slot->second = extras.front();
        return true;
    }
    problem = "The following argument was not expected: " + extras.front();
    return false;
}

const CLI::Validator& FiniteNumber() {
    static const CLI::Validator finite(
        [](std::string& text) {
            double number = 0.0;
            const bool infinite = CLI::detail::lexical_cast(text, number) && !std::isfinite(number);
            return infinite ? "not a finite number: " + text : std::string();
        },
        "");
    return finite;
}

CLI::Option* AddNumber(CLI::App& command, const std::string& name, std::optional<double>& value,
                       const std::string& unit, const std::string& description) {
    auto read = [&value](double number) { value = number; };
    return command.add_option_function<double>(name, read, description)->type_name(unit)->check(FiniteNumber());
}

namespace {

// An option read by `parse`, whose reason for refusing a text becomes the usage error.
template <typename Value>
CLI::Option* AddParsed(CLI::App& command, const std::string& name, std::optional<Value>& value,
                       std::optional<Value> (*parse)(std::string_view, std::string&), const std::string& form,
                       const std::string& description) {
    auto read = [&value, parse](const std::string& text) {
        std::string reason;
        value = parse(text, reason);
        if (!value) throw CLI::ValidationError(reason);
    };
    return command.add_option_function<std::string>(name, read, description)->type_name(form);
}

}  // namespace

CLI::Option* AddDate(CLI::App& command, const std::string& name, std::optional<CalendarDay>& date,
                     const std::string& description) {
    return AddParsed(command, name, date, &ParseCalendarDay, "YYYY-MM-DD", description);
}

CLI::Option* AddClockTime(CLI::App& command, const std::string& name, std::optional<ClockTime>& time,
                          const std::string& description) {
    return AddParsed(command, name, time, &ParseClockTime, "HH:MM[:SS]", description);
}

int UsageError(CliContext& ctx, std::string_view reason) {
    ctx.Err() << "vespertar: " << reason << "\n";
    return kExitUsage;
}

int JobFailed(CliContext& ctx, std::string_view narrowMessage) {
    ctx.Err() << Cp1252ToUtf8(narrowMessage) << "\n";
    return kExitFailed;
}

namespace {

// Every text of the document, keys too, made valid UTF-8 (the serializer throws otherwise).
nlohmann::json WithValidText(const nlohmann::json& value) {
    if (value.is_string()) return ToValidUtf8(value.get_ref<const std::string&>());
    if (value.is_array()) {
        nlohmann::json out = nlohmann::json::array();
        for (const auto& item : value) out.push_back(WithValidText(item));
        return out;
    }
    if (value.is_object()) {
        nlohmann::json out = nlohmann::json::object();
        for (const auto& [key, item] : value.items()) out[ToValidUtf8(key)] = WithValidText(item);
        return out;
    }
    return value;
}

}  // namespace

std::string JsonText(const nlohmann::json& document, int indent) { return WithValidText(document).dump(indent); }

void PrintJson(CliContext& ctx, const nlohmann::json& document) { ctx.Out() << JsonText(document, 2) << "\n"; }

std::optional<std::pair<int, int>> ParseNumberPair(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    int first = 0, second = 0;
    if (at == std::string_view::npos || !ParseWhole(text.substr(0, at), first) ||
        !ParseWhole(text.substr(at + 1), second))
        return std::nullopt;
    return std::pair{first, second};
}

bool ParsePixelSize(const std::string& text, int& width, int& height) {
    const auto size = ParseNumberPair(text, 'x');
    if (!size || size->first < 1 || size->second < 1 || size->first > 4096 || size->second > 4096) return false;
    width = size->first;
    height = size->second;
    return true;
}

}  // namespace vsp::cli
