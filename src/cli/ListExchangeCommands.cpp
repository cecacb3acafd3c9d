#include "cli/ListExchangeCommands.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "catalog/ListMemo.h"
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
    if (!ReplaceFileText(path, text))
        return JobFailed(ctx, "Can't write file: " + path);
    if (ctx.Json()) PrintJson(ctx, {{"exported", list.Count()}, {"file", path}});
    else ctx.Out() << ExportedObjectsMessage(list.Count()) << "\n" << path << "\n";
    return kExitOk;
}

int RunListFileImport(CliContext& ctx, ListFileFormat format, std::string_view text) {
    std::vector<ExchangedEntry> entries;
    std::string problem;
    if (!Parse(format, text, entries, problem)) return JobFailed(ctx, problem);
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    const std::vector<std::optional<ListEntry>> found = FindExchangedEntries(ListPlaceOf(ctx), catalogs, entries);
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    list.Clear();
    list.time = ToTheMinute(ctx.ObservingTime());
    nlohmann::json missing = nlohmann::json::array();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string label = ExchangedEntryLabel(entries[i]);
        if (!found[i]) {
            missing.push_back(label);
            ctx.Err() << "Not found: " << label << "\n";
        } else if (list.Add(*found[i]) == ListAddResult::Full) {
            missing.push_back(label);
            ctx.Err() << "The list is full: " << label << "\n";
        }
    }
    if (ctx.Json()) PrintJson(ctx, {{"count", list.Count()}, {"complete", missing.empty()}, {"not_found", missing}});
    else ctx.Out() << list.Count() << " entries in the list\n";
    return SaveCurrentList(ctx, list) && missing.empty() ? kExitOk : kExitFailed;
}

}  // namespace vsp::cli
