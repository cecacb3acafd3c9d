// sat import FILE|URL [--append], sat update: element sets into the satellite database;
// sat import --magnitudes FILE: the user's standard magnitudes;
// sat list: what it holds; sat export: the database as text memos under export/.

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/SatelliteCommand.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "platform/Text.h"
#include "satellites/CatalogNumber.h"
#include "satellites/ElementSetImport.h"
#include "satellites/SatelliteExport.h"
#include "satellites/SatellitePropagation.h"
#include "satellites/StandardMagnitudes.h"

namespace vsp::cli {
namespace {

struct ImportArgs {
    std::string source;
    bool append = false;
    std::string magnitudes;
};

int RunMagnitudesImport(CliContext& ctx, const std::string& path) {
    MagnitudeImport result;
    const bool imported = ImportStandardMagnitudes(ctx.Home(), path, ctx.Messages(), result);
    if (ctx.Json()) {
        nlohmann::json rejected = nlohmann::json::array();
        for (const auto& reject : result.rejects) rejected.push_back({{"line", reject.line}, {"reason", reject.reason}});
        PrintJson(ctx, {{"source", path}, {"imported", imported ? result.imported : 0}, {"rejected", rejected}});
    } else {
        if (imported) ctx.Out() << result.imported << " standard magnitudes imported from " << path << "\n";
        for (const auto& reject : result.rejects) ctx.Out() << "line " << reject.line << ": " << reject.reason << "\n";
    }
    return imported ? kExitOk : kExitFailed;
}


void PrintImport(CliContext& ctx, const std::vector<ElementSetSourceReport>& report, int total) {
    if (ctx.Json()) {
        nlohmann::json sources = nlohmann::json::array();
        for (const auto& source : report) {
            nlohmann::json rejected = nlohmann::json::array();
            for (const auto& reject : source.rejects)
                rejected.push_back(reject.record == 0 ? nlohmann::json{{"line", reject.line}, {"reason", reject.reason}}
                                                      : nlohmann::json{{"record", reject.record}, {"reason", reject.reason}});
            sources.push_back({{"source", source.source}, {"imported", source.imported}, {"rejected", rejected}});
        }
        PrintJson(ctx, {{"sources", sources}, {"records", total}});
        return;
    }
    for (const auto& source : report) {
        ctx.Out() << ElementSetCountText(source.imported) << " imported from "
                  << source.source << "\n";
        for (const auto& reject : source.rejects)
            ctx.Out() << (reject.record == 0 ? "line " + std::to_string(reject.line) : "record " + std::to_string(reject.record))
                      << ": " << reject.reason << "\n";
    }
    ctx.Out() << SatellitesInDatabaseText(total) << "\n";
}

int RunImport(CliContext& ctx, const std::vector<std::string>& sources, bool append) {
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    database.Open();  // none yet is fine: the import makes it
    std::vector<ElementSetSourceReport> report;
    const bool imported = ImportElementSets(database, sources, append, ctx.Messages(), report);
    PrintImport(ctx, report, database.Count());  // what was rejected, even when nothing came in
    return imported ? kExitOk : kExitFailed;
}

int RunImportCommand(CliContext& ctx, const ImportArgs& args) {
    if (args.magnitudes.empty() == args.source.empty())
        return UsageError(ctx, "sat import needs FILE|URL or --magnitudes FILE");
    if (!args.magnitudes.empty()) return RunMagnitudesImport(ctx, args.magnitudes);
    return RunImport(ctx, {args.source}, args.append);
}

// Opened, or the database's own message and false.
bool OpenDatabase(CliContext& ctx, SatelliteDatabase& database) {
    if (database.Open()) return true;
    ctx.Messages().InfoBox(kSatelliteDatabaseNotOpen, "");
    return false;
}

int RunList(CliContext& ctx) {
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    std::vector<SatelliteRecord> records;
    if (!OpenDatabase(ctx, database) || !database.ReadAll(records)) return kExitFailed;
    const CalendarDateTime t = ctx.ObservingTime();
    const double jdNow = JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, ctx.Prefs().site.tzOffset);
    nlohmann::json rows = nlohmann::json::array();
    for (size_t i = 0; i < records.size(); ++i) {
        SatelliteElements elements;
        ConvertSatelliteRecord(records[i], elements);
        const std::string name(TrimTrailingBlanks(records[i].name));
        rows.push_back({{"index", i},
                        {"name", name},
                        {"catalog_number", CatalogNumberJson(records[i])},
                        {"epoch_jd", elements.epochJd},
                        {"period_min", elements.periodMin},
                        {"inclination_deg", elements.inclination * kRadToDeg},
                        {"age_days", jdNow - elements.epochJd}});
    }
    if (ctx.Json()) {
        PrintJson(ctx, rows);
        return kExitOk;
    }
    ctx.Out() << "index  name                      epoch_jd       period_min  inclination_deg  age_days  catalog_number\n";
    for (const auto& row : rows) {
        char line[160];
        std::snprintf(line, sizeof line, "%5d  %-24s  %13.6f  %10.2f  %15.4f  %8.2f", row["index"].get<int>(),
                      row["name"].get<std::string>().c_str(), row["epoch_jd"].get<double>(),
                      row["period_min"].get<double>(), row["inclination_deg"].get<double>(),
                      row["age_days"].get<double>());
        const nlohmann::json& number = row["catalog_number"];
        ctx.Out() << line << "  " << (number.is_null() ? std::string("-") : std::to_string(number.get<int64_t>()))
                  << "\n";
    }
    return kExitOk;
}

int RunExport(CliContext& ctx) {
    SatelliteDatabase database(ctx.Home(), ctx.Messages());
    if (!OpenDatabase(ctx, database)) return kExitFailed;
    const CalendarDateTime t = ctx.ObservingTime();
    MemoWriter memos(ctx.Home(), StampedName(t, "satellites"), ctx.Messages());
    RecordingInfoSink result;
    int exported = 0;
    std::vector<SatelliteRecord> skipped;
    const bool complete = ExportSatellites(database, memos, result, exported, skipped);
    if (!complete) {
        for (const auto& [first, second] : result.messages) ctx.Messages().InfoBox(first, second);
        return kExitFailed;
    }
    const std::string message = result.messages.empty() ? "" : result.messages.back().first;
    if (ctx.Json()) {
        nlohmann::json left = nlohmann::json::array();
        for (const SatelliteRecord& record : skipped)
            left.push_back({{"name", TrimTrailingBlanks(record.name)}, {"catalog_number", record.largeCatalogNumber}});
        PrintJson(ctx, {{"exported", exported}, {"files", memos.Files()}, {"message", message}, {"skipped", left}});
    } else {
        ctx.Out() << message;
        for (const std::string& file : memos.Files()) ctx.Out() << file << "\n";
        for (const SatelliteRecord& record : skipped)
            ctx.Out() << "skipped, catalog number " << record.largeCatalogNumber << " has no two-line form: "
                      << TrimTrailingBlanks(record.name) << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddSatelliteDataCommands(CommandRegistry& registry) {
    CLI::App* sat = SatelliteFamily(registry);
    auto import = std::make_shared<ImportArgs>();
    CLI::App* importCommand = registry.Add(
        "import", "Element sets (two-line or OMM) from a file or an http(s) address into the satellite database",
        [import](CliContext& ctx) { return RunImportCommand(ctx, *import); }, sat);
    importCommand->add_option("source", import->source, "a file of element sets (two-line, or OMM as CSV, JSON or XML), or its address")
        ->type_name("FILE|URL");
    importCommand->add_option("--magnitudes", import->magnitudes,
                              "instead: a file of \"catalog number, standard magnitude\" lines (at 1000 km, 90 "
                              "degrees of phase) for the magnitudes of visible passes; it replaces the kept one")
        ->type_name("FILE");
    importCommand->add_flag("--append", import->append, "keep the element sets already in the database");
    importCommand->footer("The format is told by the content: two-line sets (a name line and the two element lines, "
                          "69 characters, valid check digits, one catalog number, Alpha-5 past 99999) or OMM as "
                          "CSV (a header line of keys), JSON or XML (EPHEMERIS_TYPE 0 only). A set that cannot "
                          "be used is reported as \"line N: why\" (JSON and XML: \"record N: why\") and skipped. "
                          "The database is replaced only when at least one set came in. --json: sources [source, "
                          "imported, rejected [line or record, reason]], records. --magnitudes: a bad line is "
                          "reported as \"line N: why\" and skipped; the file kept as "
                          "usercatalogs/satellite_magnitudes.txt is replaced only when at least one line was good. "
                          "--json: source, imported, rejected [line, reason].");

    registry.Add(
        "update", "Downloads the element sets of satellite_url and iridium_url into one new satellite database",
        [](CliContext& ctx) { return RunImport(ctx, ElementSetUpdateAddresses(ctx.Prefs()), false); },
        sat);
    registry.Add("list", "The satellites of the database: index, name, epoch, period, inclination, age, catalog number",
                 RunList, sat)
        ->footer("age_days is counted from the element epoch to the observing time. --json: an array of index, "
                 "name, catalog_number, epoch_jd, period_min, inclination_deg, age_days.");
    registry.Add("export", "The satellite database as text memos under export/ of the program directory", RunExport,
                 sat)
        ->footer("Each memo holds whole element sets (name and two lines, Alpha-5 past 99999) and is closed once "
                 "it passes 3596 characters. A set numbered past 339999 has no two-line form: it is skipped and "
                 "named. --json: exported, files, message, skipped [name, catalog_number].");
}

}  // namespace vsp::cli
