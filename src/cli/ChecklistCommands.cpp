// `checklist show|add|tick|untick|reset|rename|delete|move`: the three pages of the observing
// checklist in the home's userlogs/checklist.txt, every edit the CheckList forms make.

#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/Text.h"
#include "tools/Checklist.h"

namespace vsp::cli {
namespace {

struct ChecklistArgs {
    std::optional<int> page;
    int index = 0, newIndex = 0;
    std::string text;
};

void PrintChecklist(CliContext& ctx, const Checklist& list, std::optional<int> onlyPage) {
    nlohmann::json pages = nlohmann::json::array();
    for (int page = 1; page <= kChecklistPages; ++page) {
        if (onlyPage && *onlyPage != page) continue;
        const auto& items = list.pages[size_t(page - 1)];
        nlohmann::json rows = nlohmann::json::array();
        if (!ctx.Json()) ctx.Out() << "Page " << page << "\n";
        for (size_t i = 0; i < items.size(); ++i) {
            const std::string text = Cp1252ToUtf8(items[i].text);
            rows.push_back({{"index", i + 1}, {"text", text}, {"ticked", items[i].ticked}});
            if (!ctx.Json()) ctx.Out() << (items[i].ticked ? "[x] " : "[ ] ") << i + 1 << ". " << text << "\n";
        }
        pages.push_back({{"page", page}, {"items", rows}});
    }
    if (ctx.Json()) PrintJson(ctx, {{"pages", pages}});
}

int RunShow(CliContext& ctx, const ChecklistArgs& args) {
    Checklist list;
    std::string problem;
    if (!LoadChecklist(ctx.Home(), list, problem)) return JobFailed(ctx, Utf8ToCp1252(problem));
    PrintChecklist(ctx, list, args.page);
    return kExitOk;
}

// Runs one edit under the lock, then shows the page it changed (every page for a reset).
int RunEdit(CliContext& ctx, const ChecklistArgs& args, const ChecklistEdit& edit) {
    Checklist list;
    std::string problem;
    if (!EditChecklist(ctx.Home(), ctx.Messages(), edit, list, problem))
        return problem.empty() ? kExitFailed : JobFailed(ctx, Utf8ToCp1252(problem));
    PrintChecklist(ctx, list, args.page);
    return kExitOk;
}

}  // namespace

void AddChecklistCommands(CommandRegistry& registry) {
    CLI::App* family = registry.AddFamily("checklist", "The observing checklists: three pages of items to tick");
    auto args = std::make_shared<ChecklistArgs>();
    const auto page = [&args](CLI::App* command, bool required) {
        CLI::Option* option = command->add_option("--page", args->page, "the page, 1 to 3")->check(CLI::Range(1, 3));
        if (required) option->required();
    };
    const auto index = [&args](CLI::App* command, const char* name, int& value) {
        command->add_option(name, value, "an item's number as show gives it, from 1")->required();
    };
    const auto pageOf = [args] { return args->page.value_or(1); };

    CLI::App* show = registry.Add("show", "The items with their ticks (every page, or --page N)",
                                  [args](CliContext& ctx) { return RunShow(ctx, *args); }, family);
    page(show, false);
    show->footer("Without a file userlogs/checklist.txt the first content is shown. --json: pages [{page, items "
                 "[{index, text, ticked}]}].");

    CLI::App* add = registry.Add("add", "Adds an item at the end of a page (page 1 unless --page)", [args, pageOf](CliContext& ctx) {
        args->page = pageOf();
        return RunEdit(ctx, *args, [&](Checklist& l) { return ChecklistAdd(l, *args->page, args->text); });
    }, family);
    page(add, false);
    add->add_option("text", args->text, "the item's text (32 characters at most)")->required();

    for (const bool ticked : {true, false}) {
        CLI::App* tick = registry.Add(
            ticked ? "tick" : "untick", ticked ? "Ticks an item, or clears its tick when it has one" : "Clears an item's tick",
            [args, pageOf, ticked](CliContext& ctx) {
                args->page = pageOf();
                return RunEdit(ctx, *args, [&](Checklist& l) {
                    return ticked ? ChecklistToggle(l, *args->page, args->index)
                                  : ChecklistSetTick(l, *args->page, args->index, false);
                });
            },
            family);
        page(tick, false);
        index(tick, "index", args->index);
    }

    registry.Add("reset", "Clears every tick of every page, for a new night", [args](CliContext& ctx) {
        return RunEdit(ctx, *args, [](Checklist& l) {
            ChecklistReset(l);
            return std::string();
        });
    }, family);

    CLI::App* rename = registry.Add("rename", "Gives an item a new text", [args](CliContext& ctx) {
        return RunEdit(ctx, *args, [&](Checklist& l) { return ChecklistRename(l, *args->page, args->index, args->text); });
    }, family);
    page(rename, true);
    index(rename, "index", args->index);
    rename->add_option("text", args->text, "the new text")->required();

    CLI::App* remove = registry.Add("delete", "Removes an item", [args](CliContext& ctx) {
        return RunEdit(ctx, *args, [&](Checklist& l) { return ChecklistDelete(l, *args->page, args->index); });
    }, family);
    page(remove, true);
    index(remove, "index", args->index);

    CLI::App* move = registry.Add("move", "Moves an item to another place on its page", [args](CliContext& ctx) {
        return RunEdit(ctx, *args, [&](Checklist& l) { return ChecklistMove(l, *args->page, args->index, args->newIndex); });
    }, family);
    page(move, true);
    index(move, "index", args->index);
    index(move, "new_index", args->newIndex);
}

}  // namespace vsp::cli
