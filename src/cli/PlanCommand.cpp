// plan: the observing planner on the current list. The criteria come from the options (each
// a popup's index or its text), the time and place from the common options; the list found
// is saved as the current list and printed with each target's altitude at the search time.

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "catalog/CatalogTable.h"
#include "catalog/ConstellationTable.h"
#include "catalog/Eyepieces.h"
#include "catalog/ListTargets.h"
#include "catalog/ObjectLookup.h"
#include "catalog/ObjectTypeTable.h"
#include "cli/CommandOutput.h"
#include "cli/CurrentList.h"
#include "platform/StopSignals.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "tools/Planner.h"
#include "tools/PlannerSky.h"

namespace vsp::cli {
namespace {

struct PlanArgs {
    std::string difficulty, eyepiece, magnitude, type, constellation, visibility, catalog;
    bool add = false;
    bool remove = false;
};

// A table text without its padding of blanks and NULs.
std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text.substr(0, text.find('\0')))); }

// The row a word names among `count` rows: its index, or a row whose text (any of `texts`
// gives) matches it, case ignored. Texts are in the device code page.
template <typename TextsOf>
std::optional<int> ChooseRow(const std::string& word, int count, TextsOf textsOf) {
    if (const auto index = ParseWhole(word)) {
        if (*index >= 0 && *index < count) return int(*index);
        return std::nullopt;
    }
    const std::string wanted = Lower(Utf8ToCp1252(word));
    for (int row = 0; row < count; ++row) {
        for (std::string_view text : textsOf(row)) {
            if (!text.empty() && Lower(Trimmed(text)) == wanted) return row;
        }
    }
    return std::nullopt;
}

std::optional<int> ChooseText(const std::string& word, std::span<const std::string_view> texts) {
    return ChooseRow(word, int(texts.size()), [&](int row) { return std::vector<std::string_view>{texts[size_t(row)]}; });
}

// Reads every criterion option into `criteria`; false with the reason in `problem`.
bool ReadCriteria(const PlanArgs& args, CliContext& ctx, SelectionCriteria& criteria, std::string& problem) {
    const auto read = [&](const std::string& word, const char* option, auto choose) -> std::optional<int> {
        if (word.empty()) return 0;
        if (const std::optional<int> row = choose(word)) return *row;
        problem = std::string(option) + ": no such choice: " + word;
        return std::nullopt;
    };
    const auto difficulty = read(args.difficulty, "--difficulty", [](auto& w) { return ChooseText(w, kDifficultyTexts); });
    const auto magnitude = read(args.magnitude, "--magnitude", [](auto& w) { return ChooseText(w, kMagnitudeLimitTexts); });
    const auto visibility = read(args.visibility, "--visibility", [](auto& w) { return ChooseText(w, kVisibilityTexts); });
    const ObjectTypeTable types = DefaultObjectTypeTable();
    const auto type = read(args.type, "--type", [&types](auto& w) {
        return ChooseRow(w, kObjectTypeCount, [&types](int row) {
            return std::vector<std::string_view>{ObjectTypeCode(types[size_t(row)]), ObjectTypeName(types[size_t(row)])};
        });
    });
    const auto constellation = read(args.constellation, "--constellation", [](auto& w) {
        return ChooseRow(w, kConstellationCount, [](int row) {
            const ConstellationEntry& c = ConstellationTable()[size_t(row)];
            return std::vector<std::string_view>{ConstellationAbbreviation(c), ConstellationName(c)};
        });
    });
    const CatalogTable catalogs = DefaultCatalogTable();
    const auto catalog = read(args.catalog, "--catalog", [&catalogs](auto& w) {
        return ChooseRow(w, kCatalogCount, [&catalogs](int row) {
            return std::vector<std::string_view>{CatalogLongName(catalogs[size_t(row)]), CatalogPrefix(catalogs[size_t(row)])};
        });
    });
    const auto eyepiece = read(args.eyepiece, "--eyepiece", [](auto& w) { return ParseWhole(w); });
    if (!difficulty || !magnitude || !visibility || !type || !constellation || !catalog || !eyepiece) return false;

    criteria.difficulty = int16_t(*difficulty);
    criteria.magnitudeLimit = int16_t(*magnitude);
    criteria.visibility = int16_t(*visibility);
    ChooseObjectType(criteria, int16_t(*type));
    criteria.constellation = int16_t(args.constellation.empty() ? 0 : *constellation + 1);
    criteria.catalog = int16_t(*catalog);
    if (*eyepiece > 0) {
        const auto chosen = ChosenEyepiece(LoadEyepieces(ctx.Home()), int(*eyepiece));
        if (!chosen) {
            problem = "--eyepiece: no eyepiece " + args.eyepiece + " in the eyepiece list";
            return false;
        }
        criteria.eyepiece = int16_t(*eyepiece);
        criteria.eyepieceValue = int16_t(chosen->focalMm);
    }
    SetCriteriaTime(criteria, ctx.ObservingTime());
    return true;
}

const char* EndKey(SearchEnd end) {
    switch (end) {
        case SearchEnd::Stopped: return "stopped";
        case SearchEnd::Full: return "full";
        case SearchEnd::Finished: break;
    }
    return "finished";
}

void PrintPlan(CliContext& ctx, const ObservingList& list, const PlannerSky& sky, SearchEnd end) {
    static const ObjectTypeTable types = DefaultObjectTypeTable();
    nlohmann::json entries = nlohmann::json::array();
    for (const ListEntry& e : list.Entries()) {
        const ConstellationEntry* constellation = ConstellationAt(e.constellation);
        entries.push_back(
            {{"name", Cp1252ToUtf8(e.name)},
             {"designation", Cp1252ToUtf8(ListEntryDesignationText(DefaultCatalogTable(), e))},
             {"catalog", e.catalog},
             {"number", e.number},
             {"type", e.type >= 0 && e.type < kObjectTypeCount ? Trimmed(ObjectTypeCode(types[size_t(e.type)])) : ""},
             {"constellation", constellation ? nlohmann::json(std::string(ConstellationAbbreviation(*constellation)))
                                             : nlohmann::json()},
             {"ra_hours", double(e.ra)},
             {"dec_deg", double(e.dec)},
             {"magnitude", e.magnitudeX10 / 10.0},
             {"alt_deg", AltitudeDegrees(sky, e.ra, e.dec)}});
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"count", list.Count()}, {"entries", entries}, {"end", EndKey(end)}});
        return;
    }
    ctx.Out() << list.Count() << " targets (" << EndKey(end) << ")\n";
    for (const auto& row : entries) {
        char line[160];
        std::snprintf(line, sizeof line, "%-15s %-6s %-4s %8.4f %8.3f %5.1f %6.1f\n",
                      row["name"].get<std::string>().c_str(), row["type"].get<std::string>().c_str(),
                      row["constellation"].is_null() ? "" : row["constellation"].get<std::string>().c_str(),
                      row["ra_hours"].get<double>(), row["dec_deg"].get<double>(), row["magnitude"].get<double>(),
                      row["alt_deg"].get<double>());
        ctx.Out() << line;
    }
}

bool SameList(const ObservingList& a, const ObservingList& b) {
    return a.name == b.name && a.time == b.time && a.Entries() == b.Entries();
}

int RunPlan(CliContext& ctx, const PlanArgs& args) {
    if (args.add && args.remove) return UsageError(ctx, "--add and --remove exclude each other");
    SelectionCriteria criteria;
    std::string problem;
    if (!ReadCriteria(args, ctx, criteria, problem)) return UsageError(ctx, problem);

    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    CatchStopSignals();
    const bool terminal = isatty(STDERR_FILENO) == 1;
    PlannerContext planner{catalogs.Session(), ctx.Prefs(), ctx.Ephemeris(), ctx.Messages(),
                           [&](std::string_view text) {
                               if (terminal) ctx.Err() << '\r' << Cp1252ToUtf8(text) << "\x1b[K" << std::flush;
                           },
                           [] { return StopSignalled(); }};

    const auto search = [&](ObservingList& list) {
        if (args.remove) RemoveMatching(criteria, planner, list);
        else return args.add ? AddSearch(criteria, planner, list) : NewSearch(criteria, planner, list);
        return SearchEnd::Finished;
    };
    // The search runs before the lock (it may take long); a list that another command changed
    // meanwhile is searched again under the lock, so that --add and --remove lose nothing.
    const ObservingList before = LoadCurrentList(ctx);
    ObservingList list = before;
    SearchEnd end = search(list);
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    if (const ObservingList now = LoadCurrentList(ctx); (args.add || args.remove) && !SameList(now, before)) {
        list = now;
        end = search(list);
    }
    if (terminal) ctx.Err() << "\r\x1b[K" << std::flush;

    const CalendarDateTime when = ctx.ObservingTime();
    list.time = ToTheMinute(when);
    if (!SaveCurrentList(ctx, list)) return kExitFailed;
    PrintPlan(ctx, list, MakePlannerSky(list.time, ctx.Ephemeris().location), end);
    return kExitOk;
}

}  // namespace

void AddPlanCommand(CommandRegistry& registry) {
    auto args = std::make_shared<PlanArgs>();
    CLI::App* plan = registry.Add(
        "plan",
        "the observing planner: fills the current list with the targets that pass the criteria at the observing "
        "time and prints them with their altitude",
        [args](CliContext& ctx) { return RunPlan(ctx, *args); });
    plan->add_option("--difficulty", args->difficulty, "0-4 or No Criteria, Very Easy, Easy, Difficult, Very Difficult");
    plan->add_option("--eyepiece", args->eyepiece, "entry N of the eyepiece list (0: no criterion)");
    plan->add_option("--magnitude", args->magnitude, "0-8 or Eyes Limit, Scope Limit, <4, <6 ... <14");
    plan->add_option("--type", args->type, "object type: index, code (GALXY) or name (Galaxy)");
    plan->add_option("--constellation", args->constellation, "abbreviation or name");
    plan->add_option("--visibility", args->visibility, "0-10 or Visible, >15\xC2\xB0 ... >50\xC2\xB0, Not Visible");
    plan->add_option("--catalog", args->catalog, "catalog: index, long name (Messier) or prefix (NGC)");
    plan->add_flag("--add", args->add, "append to the current list instead of replacing it");
    plan->add_flag("--remove", args->remove, "remove the entries of the current list that pass the criteria");
}

}  // namespace vsp::cli
