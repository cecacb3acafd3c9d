#include "cli/ListExchangeCommands.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "catalog/ListTargets.h"
#include "catalog/ProgramDataTables.h"
#include "cli/CommandOutput.h"
#include "cli/CurrentList.h"
#include "cli/ListResolve.h"
#include "platform/ReplaceFile.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"

namespace vsp::cli {
namespace {

std::string ExportedMessage(int count) {
    char text[48];
    std::snprintf(text, sizeof text, "%d Object%s exported.", count, count >= 2 ? "s" : "");
    return text;
}

// "M 31" as the program types it, "M31"; designations such as "C/2023 A3" are tried as written too.
// A star goes by its proper name first: "Vega" is the star `list add Vega` gives.
std::vector<std::string> Candidates(const ExchangedEntry& entry) {
    std::vector<std::string> words;
    const bool star = ObjectTypeShortCode(entry.type).ends_with("STAR");
    if (star && !entry.name.empty()) words.push_back(Cp1252ToUtf8(entry.name));
    for (const std::string& designation : entry.designations) {
        std::string compact;
        for (char c : designation)
            if (c != ' ') compact += c;
        words.push_back(Cp1252ToUtf8(compact));
        if (compact != designation) words.push_back(Cp1252ToUtf8(designation));
    }
    if (!star && !entry.name.empty()) words.push_back(Cp1252ToUtf8(entry.name));
    return words;
}

std::optional<ListEntry> Found(CliContext& ctx, ObjectCatalogs& catalogs, const ExchangedEntry& entry) {
    std::string problem;
    for (const std::string& word : Candidates(entry))
        if (auto found = FindListEntry(ctx, catalogs, word, problem)) return found;
    return std::nullopt;
}

std::string Shown(const ExchangedEntry& entry) {
    return Cp1252ToUtf8(entry.name.empty() ? entry.designations.front() : entry.name);
}

bool Parse(ListFileFormat format, std::string_view text, std::vector<ExchangedEntry>& entries, std::string& problem) {
    return format == ListFileFormat::Skylist ? ParseSkylist(text, entries, problem)
                                             : ParseListCsv(text, entries, problem);
}

}  // namespace

int RunListFileExport(CliContext& ctx, ListFileFormat format, const std::string& path) {
    const ObservingList list = LoadCurrentList(ctx);
    std::vector<ExchangedEntry> entries;
    for (const ListEntry& entry : list.Entries()) entries.push_back(ExchangedOf(DefaultCatalogTable(), entry));
    const std::string text = format == ListFileFormat::Skylist ? SkylistText(entries) : ListCsvText(entries);
    if (!ReplaceFile(path, [&](std::FILE* file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); }))
        return JobFailed(ctx, "Can't write file: " + path);
    if (ctx.Json()) PrintJson(ctx, {{"exported", list.Count()}, {"file", path}});
    else ctx.Out() << ExportedMessage(list.Count()) << "\n" << path << "\n";
    return kExitOk;
}

int RunListFileImport(CliContext& ctx, ListFileFormat format, std::string_view text) {
    std::vector<ExchangedEntry> entries;
    std::string problem;
    if (!Parse(format, text, entries, problem)) return JobFailed(ctx, problem);
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    std::vector<std::pair<ExchangedEntry, std::optional<ListEntry>>> resolved;
    for (const ExchangedEntry& entry : entries) resolved.emplace_back(entry, Found(ctx, catalogs, entry));
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    list.Clear();
    list.time = ToTheMinute(ctx.ObservingTime());
    nlohmann::json missing = nlohmann::json::array();
    for (const auto& [entry, found] : resolved) {
        if (!found) {
            missing.push_back(Shown(entry));
            ctx.Err() << "Not found: " << Shown(entry) << "\n";
        } else if (list.Add(*found) == ListAddResult::Full) {
            missing.push_back(Shown(entry));
            ctx.Err() << "The list is full: " << Shown(entry) << "\n";
        }
    }
    if (ctx.Json()) PrintJson(ctx, {{"count", list.Count()}, {"complete", missing.empty()}, {"not_found", missing}});
    else ctx.Out() << list.Count() << " entries in the list\n";
    return SaveCurrentList(ctx, list) && missing.empty() ? kExitOk : kExitFailed;
}

}  // namespace vsp::cli
