// list show|add|remove|clear|save|load|saved|export|import: the current observing list, the
// one the window keeps as "last_list", and the saved lists and memos of userlists/.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalog/ConstellationTable.h"
#include "catalog/Designation.h"
#include "catalog/ListFile.h"
#include "catalog/ListMemo.h"
#include "catalog/ListTargets.h"
#include "catalog/ProgramDataTables.h"
#include "cli/CommandOutput.h"
#include "cli/CurrentList.h"
#include "cli/ListExchangeCommands.h"
#include "cli/ListResolve.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Time.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "tools/MinorBodyTargets.h"

namespace vsp::cli {
namespace {

nlohmann::json ConstellationOf(int32_t index) {
    const ConstellationEntry* entry = ConstellationAt(index);
    return entry ? nlohmann::json(std::string(ConstellationAbbreviation(*entry))) : nlohmann::json();
}

std::string ListTime(const CalendarDateTime& t) {
    return IsoDate(t.year, t.month, t.day) + " " + ClockMinutes(t.hour, t.minute);
}

int RunShow(CliContext& ctx) {
    const ObservingList list = LoadCurrentList(ctx);
    nlohmann::json entries = nlohmann::json::array();
    for (int32_t i = 0; i < list.Count(); ++i) {
        const ListEntry& e = list.Entries()[size_t(i)];
        entries.push_back({{"index", i + 1},
                           {"name", Cp1252ToUtf8(e.name)},
                           {"designation", Cp1252ToUtf8(ListEntryDesignationText(DefaultCatalogTable(), e))},
                           {"catalog", e.catalog},
                           {"number", e.number},
                           {"kind", e.kind},
                           {"type", ObjectTypeShortCode(e.type)},
                           {"constellation", ConstellationOf(e.constellation)},
                           {"ra_hours", double(e.ra)},
                           {"dec_deg", double(e.dec)},
                           {"magnitude", e.magnitudeX10 / 10.0}});
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"name", Cp1252ToUtf8(list.name)}, {"time", ListTime(list.time)}, {"entries", entries}});
        return kExitOk;
    }
    ctx.Out() << "list " << Cp1252ToUtf8(list.name) << " of " << ListTime(list.time) << ": " << list.Count()
              << " of " << list.Capacity() << " entries\n";
    for (const auto& row : entries) {
        char line[200];
        std::snprintf(line, sizeof line, "%4d  %-15s %-15s %-6s %-4s %s %s %5.1f\n", row["index"].get<int>(),
                      row["designation"].get<std::string>().c_str(), row["name"].get<std::string>().c_str(),
                      row["type"].get<std::string>().c_str(),
                      row["constellation"].is_null() ? "" : row["constellation"].get<std::string>().c_str(),
                      Cp1252ToUtf8(HMSToStr(row["ra_hours"].get<double>(), ctx.Formats())).c_str(),
                      Cp1252ToUtf8(DmsToStr(row["dec_deg"].get<double>(), ctx.Formats())).c_str(),
                      row["magnitude"].get<double>());
        ctx.Out() << line;
    }
    return kExitOk;
}

int SaveOrFail(CliContext& ctx, const ObservingList& list, int status) {
    return SaveCurrentList(ctx, list) ? status : kExitFailed;
}

int RunAdd(CliContext& ctx, const std::vector<std::string>& words) {
    // The look-ups come first: the list is read and saved under the lock, which they would
    // only make longer.
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    int status = kExitOk;
    std::vector<std::pair<std::string, ListEntry>> found;
    for (const std::string& word : words) {
        if (const std::optional<ListEntry> entry = ResolveEntry(ctx, catalogs, word)) found.emplace_back(word, *entry);
        else status = kExitFailed;
    }
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    if (list.Empty()) {
        const CalendarDateTime t = ctx.ObservingTime();
        list.time = ToTheMinute(t);
    }
    nlohmann::json added = nlohmann::json::array();
    for (const auto& [word, entry] : found) {
        switch (list.Add(entry)) {
            case ListAddResult::Added: added.push_back(Cp1252ToUtf8(ListEntryDesignationText(catalogs.Table(), entry))); break;
            case ListAddResult::Duplicate: status = JobFailed(ctx, "Already loaded: " + word); break;
            case ListAddResult::Full: status = JobFailed(ctx, "The list is full: " + word); break;
        }
    }
    if (ctx.Json()) PrintJson(ctx, {{"added", added}, {"count", list.Count()}});
    else for (const auto& name : added) ctx.Out() << "added " << name.get<std::string>() << "\n";
    return SaveOrFail(ctx, list, status);
}

int RunRemove(CliContext& ctx, int position) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    if (!list.Remove(position - 1)) {
        return JobFailed(ctx, "No entry " + std::to_string(position) + ": the list has " + std::to_string(list.Count()));
    }
    if (ctx.Json()) PrintJson(ctx, {{"count", list.Count()}});
    return SaveOrFail(ctx, list, kExitOk);
}

int RunClear(CliContext& ctx) {
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    list.Clear();
    if (ctx.Json()) PrintJson(ctx, {{"count", 0}});
    return SaveOrFail(ctx, list, kExitOk);
}

bool SafeListName(CliContext& ctx, const std::string& name) {
    if (!FitsCp1252(name)) {
        UsageError(ctx, "not a list name (a character outside the device code page, Windows-1252): " + name);
        return false;
    }
    if (IsSafeFileName(Utf8ToCp1252(name))) return true;
    UsageError(ctx, "not a list name (a file name without '/', '\\', \"..\" or control characters): " + name);
    return false;
}

int RunSave(CliContext& ctx, const std::string& name) {
    if (!SafeListName(ctx, name)) return kExitUsage;
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    if (list.Empty()) return JobFailed(ctx, "The list is empty: nothing was saved.");
    list.name = Utf8ToCp1252(name);
    if (!SaveList(ctx.Home(), list, list.name, ctx.Messages())) return kExitFailed;
    if (ctx.Json()) PrintJson(ctx, {{"name", name}, {"count", list.Count()}});
    return SaveOrFail(ctx, list, kExitOk);
}

int RunLoad(CliContext& ctx, const std::string& name) {
    if (!SafeListName(ctx, name)) return kExitUsage;
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list(ListCapacityOfRow(ctx.Prefs().maxSelected));
    if (!LoadList(ctx.Home(), Utf8ToCp1252(name), list, ctx.Messages())) return kExitFailed;
    if (ctx.Json()) PrintJson(ctx, {{"name", Cp1252ToUtf8(list.name)}, {"count", list.Count()}});
    return SaveOrFail(ctx, list, kExitOk);
}

int RunSaved(CliContext& ctx) {
    nlohmann::json names = nlohmann::json::array();
    for (const std::string& name : SavedLists(ctx.Home())) names.push_back(Cp1252ToUtf8(name));
    if (ctx.Json()) PrintJson(ctx, names);
    else for (const auto& name : names) ctx.Out() << name.get<std::string>() << "\n";
    return kExitOk;
}

struct ExportArgs {
    std::optional<std::string> skylist, csv;
};

int RunExport(CliContext& ctx, const ExportArgs& args) {
    if (args.skylist) return RunListFileExport(ctx, ListFileFormat::Skylist, *args.skylist);
    if (args.csv) return RunListFileExport(ctx, ListFileFormat::Csv, *args.csv);
    const ObservingList list = LoadCurrentList(ctx);
    CatalogSession sky(ctx.Home(), ctx.Messages());
    ClassTextsLoad(ctx.Home(), sky.classTexts);  // without them the class field stays blank
    const CalendarDateTime t = ctx.ObservingTime();
    RecordingInfoSink result;
    std::vector<std::string> files;
    if (!ExportListMemo(ctx.Home(), list, {t.year, t.month, t.day, t.hour, t.minute}, sky, ctx.Formats(), result,
                        files)) {
        for (const auto& [first, second] : result.messages) ctx.Messages().InfoBox(first, second);
        return kExitFailed;
    }
    const std::string message = result.messages.back().first;
    if (ctx.Json()) {
        PrintJson(ctx, {{"exported", list.Count()}, {"files", files}, {"message", message}});
        return kExitOk;
    }
    ctx.Out() << message;
    for (const std::string& file : files) ctx.Out() << file << "\n";
    return kExitOk;
}

int RunImport(CliContext& ctx, const std::optional<std::string>& file) {
    const std::string path =
        file ? *file : ctx.Home().Path(kListDir, std::string(kDefaultMemoName) + ".txt");
    std::string text;
    if (!ReadMemoText(path, text)) {
        ctx.Messages().InfoBox("Can't open file.", path);
        return kExitFailed;
    }
    if (const ListFileFormat format = DetectListFormat(text); format != ListFileFormat::Memo)
        return RunListFileImport(ctx, format, text);
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();  // without the catalogs every entry is taken from its line
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObservingList list = LoadCurrentList(ctx);
    const bool complete = ImportListMemo(text, catalogs.Session(), ctx.Messages(), list);
    if (ctx.Json()) PrintJson(ctx, {{"count", list.Count()}, {"complete", complete}});
    else ctx.Out() << list.Count() << " entries in the list\n";
    return SaveOrFail(ctx, list, complete ? kExitOk : kExitFailed);
}

struct ListArgs {
    std::vector<std::string> words;
    std::string name;
    int position = 0;
    std::optional<std::string> file;
};

}  // namespace

void AddListCommands(CommandRegistry& registry) {
    CLI::App* family = registry.AddFamily("list", "The current observing list and the saved lists of userlists/");
    auto args = std::make_shared<ListArgs>();
    registry.Add("show", "The current list: its name, date and time, and each entry", RunShow, family)
        ->footer("--json: name, time, entries [index (from 1), name, designation, catalog (index), number, kind, "
                 "type, constellation, ra_hours, dec_deg (J2000; planets of date), magnitude].");
    registry.Add("add", "Adds objects, planets, stars, comets and minor planets to the current list",
                 [args](CliContext& ctx) { return RunAdd(ctx, args->words); }, family)
        ->add_option("designation", args->words, "M31, NGC7000, C14, jupiter, HR7001, HIP91262, Vega, 12P, Ceres")
        ->required();
    registry.Add("remove", "Removes entry N (as list show numbers them)",
                 [args](CliContext& ctx) { return RunRemove(ctx, args->position); }, family)
        ->add_option("n", args->position, "the entry's index")->required();
    registry.Add("clear", "Empties the current list", RunClear, family);
    registry.Add("save", "Saves the current list as userlists/NAME.lst under that name",
                 [args](CliContext& ctx) { return RunSave(ctx, args->name); }, family)
        ->add_option("name", args->name, "a file name without the extension")->required();
    registry.Add("load", "Makes userlists/NAME.lst the current list",
                 [args](CliContext& ctx) { return RunLoad(ctx, args->name); }, family)
        ->add_option("name", args->name, "a saved list's name")->required();
    registry.Add("saved", "The saved lists of userlists/", RunSaved, family);
    auto exportArgs = std::make_shared<ExportArgs>();
    CLI::App* exportCommand = registry.Add(
        "export", "The current list as text memos userlists/YYYYMMDD_vespermemo_HHMM[_N].txt, or as FILE",
        [exportArgs](CliContext& ctx) { return RunExport(ctx, *exportArgs); }, family);
    CLI::Option* skylist = exportCommand->add_option("--skylist", exportArgs->skylist, "a SkySafari observing list")
                               ->type_name("FILE");
    exportCommand->add_option("--csv", exportArgs->csv, "CSV: Name, Designation, RA, Dec (J2000), Type, Magnitude")
        ->type_name("FILE")
        ->excludes(skylist);
    exportCommand->footer("--json: exported, files, message; with --skylist or --csv: exported, file.");
    CLI::App* importCommand = registry.Add(
        "import",
        "Replaces the current list by the entries of a memo (userlists/user_object.txt by default), a SkySafari "
        "list or a CSV, told apart by their content",
        [args](CliContext& ctx) { return RunImport(ctx, args->file); }, family);
    importCommand->add_option("file", args->file, "a memo, .skylist or CSV file");
    importCommand->footer("--json: count, complete; for a SkySafari list or CSV also not_found (names found in no catalog).");
}

}  // namespace vsp::cli
