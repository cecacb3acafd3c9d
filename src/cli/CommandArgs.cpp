#include <charconv>
#include <cmath>
#include <iostream>

#include "cli/Command.h"
#include "platform/Text.h"

namespace vsp::cli {

std::optional<std::string> CommandArgs::TakeOption(std::string_view name) {
    for (size_t i = 0; i < words_.size(); ++i) {
        const std::string& w = words_[i];
        if (w == name) {
            if (i + 1 >= words_.size()) {
                error = "option " + std::string(name) + " needs a value";
                words_.erase(words_.begin() + i);
                return std::nullopt;
            }
            std::string value = words_[i + 1];
            words_.erase(words_.begin() + i, words_.begin() + i + 2);
            return value;
        }
        if (w.size() > name.size() && w.compare(0, name.size(), name) == 0 && w[name.size()] == '=') {
            std::string value = w.substr(name.size() + 1);
            words_.erase(words_.begin() + i);
            return value;
        }
    }
    return std::nullopt;
}

bool CommandArgs::TakeFlag(std::string_view name) {
    for (size_t i = 0; i < words_.size(); ++i) {
        if (words_[i] == name) {
            words_.erase(words_.begin() + i);
            return true;
        }
    }
    return false;
}

std::optional<std::string> CommandArgs::TakeWord() {
    for (size_t i = 0; i < words_.size(); ++i) {
        const std::string& w = words_[i];
        // A lone "-" or a negative number is a word, not an option.
        const bool option = w.size() > 1 && w[0] == '-' && !ParseNumber(w);
        if (!option) {
            std::string word = w;
            words_.erase(words_.begin() + i);
            return word;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CommandArgs::Leftover() const {
    if (words_.empty()) return std::nullopt;
    return words_.front();
}

int UsageError(CliContext& ctx, std::string_view reason) {
    ctx.Err() << "vespertar: " << reason << "\n";
    return kExitUsage;
}

int JobFailed(CliContext& ctx, std::string_view narrowMessage) {
    ctx.Err() << Cp1252ToUtf8(narrowMessage) << "\n";
    return kExitFailed;
}

int CheckNoLeftover(CliContext& ctx, const CommandArgs& args) {
    if (!args.error.empty()) return UsageError(ctx, args.error);
    if (auto extra = args.Leftover()) {
        const bool option = extra->size() > 1 && (*extra)[0] == '-';
        return UsageError(ctx, (option ? "unknown option: " : "unexpected argument: ") + *extra);
    }
    return kExitOk;
}

void PrintJson(CliContext& ctx, const nlohmann::json& document) {
    ctx.Out() << document.dump(2) << "\n";
}

std::optional<double> ParseNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> ParseWhole(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace vsp::cli
