// minor import FILE|URL: the Minor Planet Center's element files into the comet and minor-planet
// databases; minor list: what they hold; minor find TEXT: the objects a text may mean.

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandOutput.h"
#include "cli/MinorCommand.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/Time.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MinorBodyImport.h"

namespace vsp::cli {
namespace {

constexpr size_t kFindLimit = 50;

struct ImportArgs {
    std::string source;
    bool comets = false, asteroids = false;
    std::optional<double> brighter;
    std::vector<std::string> only;
};

// The magnitude of elements at the observing time.
std::function<double(const MinorBodyElements&)> MagnitudeNow(CliContext& ctx) {
    const Instant when = LocalInstant(ctx.ObservingTime(), ctx.Ephemeris());
    std::array<double, 3> earth{};
    EarthHeliocentricEcliptic(when, earth.data());
    return [earth, tt = when.tt](const MinorBodyElements& body) { return MinorBodyMagnitudeAt(body, tt, earth.data()); };
}

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

void PrintImport(CliContext& ctx, const std::string& source, const MinorBodyImportReport& report) {
    if (ctx.Json()) {
        nlohmann::json rejected = nlohmann::json::array();
        for (const auto& reject : report.rejects) rejected.push_back({{"line", reject.line}, {"reason", reject.reason}});
        auto kind = [&](int slot) {
            return nlohmann::json{{"read", report.read[slot]}, {"kept", report.kept[slot]}, {"written", report.written[slot]}};
        };
        PrintJson(ctx, {{"source", source}, {"lines", report.lines}, {"comets", kind(0)}, {"asteroids", kind(1)},
                        {"rejected", rejected}, {"rejected_count", report.rejectCount}});
        return;
    }
    const char* names[2][2] = {{"comet", "comets"}, {"minor planet", "minor planets"}};
    for (int slot = 0; slot < 2; ++slot) {
        if (report.read[slot] == 0) continue;
        ctx.Out() << Plural(report.written[slot], names[slot][0], names[slot][1]) << " imported from " << source;
        if (report.kept[slot] != report.read[slot]) ctx.Out() << " (" << report.read[slot] << " read)";
        ctx.Out() << "\n";
        if (report.kept[slot] > report.written[slot])
            ctx.Out() << "The " << report.written[slot] << " brightest of " << report.kept[slot] << " kept.\n";
    }
    for (const auto& reject : report.rejects) ctx.Out() << "Line " << reject.line << ": " << reject.reason << "\n";
    if (report.rejectCount > long(report.rejects.size()))
        ctx.Out() << report.rejectCount - long(report.rejects.size()) << " more damaged lines\n";
}

int RunImportFrom(CliContext& ctx, const std::string& source, const MinorBodyImportOptions& options) {
    MinorBodyImportReport report;
    const bool imported = ImportMinorBodies(ctx.Home(), source, options, ctx.Messages(), report);
    PrintImport(ctx, source, report);  // the damaged lines, even when nothing came in
    return imported;
}

int RunImport(CliContext& ctx, const ImportArgs& args) {
    if (args.comets && args.asteroids) return UsageError(ctx, "minor import takes --comets or --asteroids, not both");
    MinorBodyImportOptions options;
    if (args.comets) options.kind = MinorBodyKind::Comet;
    if (args.asteroids) options.kind = MinorBodyKind::MinorPlanet;
    options.brighterThan = args.brighter;
    if (args.brighter) options.magnitude = MagnitudeNow(ctx);
    options.only = args.only;
    if (!args.source.empty()) return RunImportFrom(ctx, args.source, options) ? kExitOk : kExitFailed;
    // The settings' two addresses, each read as its own kind unless one was chosen.
    bool all = true;
    for (const auto& [address, kind] : {std::pair{ctx.Prefs().cometUrl, MinorBodyKind::Comet},
                                        std::pair{ctx.Prefs().asteroidUrl, MinorBodyKind::MinorPlanet}}) {
        if (options.kind && *options.kind != kind) continue;
        MinorBodyImportOptions own = options;
        own.kind = kind;
        all = RunImportFrom(ctx, address, own) && all;
    }
    return all ? kExitOk : kExitFailed;
}

nlohmann::json Row(const MinorBodyRecord& r, const std::function<double(const MinorBodyElements&)>& magnitude) {
    return {{"designation", r.designation},
            {"number", r.number > 0 ? nlohmann::json(r.number) : nlohmann::json(nullptr)},
            {"name", r.name},
            {"kind", MinorKindKey(r.elements.kind)},
            {"magnitude", MagnitudeJson(magnitude(r.elements))},
            {"label", MinorBodyLabel(r)}};
}

void PrintRows(CliContext& ctx, const nlohmann::json& rows) {
    if (ctx.Json()) {
        PrintJson(ctx, rows);
        return;
    }
    ctx.Out() << "kind      magnitude  label\n";
    for (const auto& row : rows) {
        char line[48];
        const nlohmann::json& m = row["magnitude"];
        char magnitude[16] = "-";
        if (!m.is_null()) std::snprintf(magnitude, sizeof magnitude, "%.1f", m.get<double>());
        std::snprintf(line, sizeof line, "%-8s  %9s  ", row["kind"].get<std::string>().c_str(), magnitude);
        ctx.Out() << line << row["label"].get<std::string>() << "\n";
    }
}

int RunList(CliContext& ctx) {
    std::vector<MinorBodyRecord> all;
    if (!LoadAllMinorBodies(ctx, all)) return kExitFailed;
    const auto magnitude = MagnitudeNow(ctx);
    nlohmann::json rows = nlohmann::json::array();
    for (const MinorBodyRecord& r : all) rows.push_back(Row(r, magnitude));
    PrintRows(ctx, rows);
    return kExitOk;
}

int RunFind(CliContext& ctx, const std::string& text) {
    std::vector<MinorBodyRecord> all;
    if (!LoadAllMinorBodies(ctx, all)) return kExitFailed;
    const auto magnitude = MagnitudeNow(ctx);
    nlohmann::json rows = nlohmann::json::array();
    for (int index : MatchMinorBodies(all, text, kFindLimit)) rows.push_back(Row(all[size_t(index)], magnitude));
    if (rows.empty() && !ctx.Json()) return JobFailed(ctx, "No comet or minor planet \"" + text + "\" in the databases.");
    PrintRows(ctx, rows);
    return kExitOk;
}

}  // namespace

void AddMinorDataCommands(CommandRegistry& registry) {
    CLI::App* minor = MinorFamily(registry);
    auto import = std::make_shared<ImportArgs>();
    CLI::App* importCommand = registry.Add(
        "import", "Minor Planet Center element files (MPCORB, CometEls) from a file or an http(s) address",
        [import](CliContext& ctx) { return RunImport(ctx, *import); }, minor);
    importCommand->add_option("source", import->source, "an element file, gzip or not, or its address; none: "
                                                        "comet_url and asteroid_url")
        ->type_name("FILE|URL");
    importCommand->add_flag("--comets", import->comets, "read every line as a comet line");
    importCommand->add_flag("--asteroids", import->asteroids, "read every line as a minor-planet line");
    importCommand->add_option("--brighter", import->brighter, "keep what is brighter than MAG at the observing time")
        ->type_name("MAG");
    importCommand->add_option("--only", import->only, "keep what these name (designation, number or name)")
        ->type_name("DESIGNATION...");
    importCommand->footer("Without --comets or --asteroids each line's layout tells its kind. MPCORB's header "
                          "(to its line of dashes) is skipped; a line that cannot be read is reported as \"Line N: "
                          "why\" and skipped. A database is replaced only when at least one object of its kind came "
                          "in; past 65535 the brightest are kept. --json: source, lines, comets and asteroids "
                          "[read, kept, written], rejected [line, reason], rejected_count.");
    registry.Add("list", "The comets and minor planets of the databases with their magnitudes now", RunList, minor)
        ->footer("Comets first. --json: an array of designation, number (null when none), name, kind (comet | "
                 "asteroid), magnitude (at the observing time, null when the elements give none), label.");
    auto text = std::make_shared<std::string>();
    CLI::App* find = registry.Add(
        "find", "The comets and minor planets a text may mean", [text](CliContext& ctx) { return RunFind(ctx, *text); },
        minor);
    find->add_option("text", *text, "any part of a designation, name or label, or a number")->required();
    find->footer("Beginnings first, then the rest; case and blanks ignored. --json: rows as minor list gives them.");
}

}  // namespace vsp::cli
