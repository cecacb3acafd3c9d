// log new|edit|list|show|delete|export|link: the observer notes of userlogs/.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/ObjectTypeTable.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "tools/ObserverLogExport.h"
#include "tools/ObserverLogNew.h"
#include "tools/ObserverLogOal.h"
#include "tools/ObserverLogShot.h"
#include "tools/ObserverLogStore.h"

namespace vsp::cli {
namespace {

// The fields a command may set, typed in UTF-8.
struct NoteOptions {
    std::optional<std::string> text, scope, filter, location;
    std::optional<int> transparency, seeing, eyepiece, detection, impression;
};

struct NoteArgs {
    std::string name;
    std::optional<std::string> newName;
    NoteOptions fields;
};

void AddNoteOptions(CLI::App& command, NoteOptions& fields) {
    command.add_option("--text", fields.text, "the free text (287 characters kept)");
    command.add_option("--scope", fields.scope, "the instrument (19 characters kept)");
    command.add_option("--filter", fields.filter, "the filter (14 characters kept)");
    command.add_option("--location", fields.location, "the place (29 characters kept)");
    command.add_option("--transparency", fields.transparency, "0 Poor, 1 Good, 2 Excellent")->check(CLI::Range(0, 2));
    command.add_option("--seeing", fields.seeing, "0 Poor, 1 Good, 2 Excellent")->check(CLI::Range(0, 2));
    command.add_option("--eyepiece", fields.eyepiece, "entry N of the eyepiece list, 0 none")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--detection", fields.detection, "0 Difficult, 1 Easy, 2 Evident")->check(CLI::Range(0, 2));
    command.add_option("--impression", fields.impression, "0 Faint, 1 Bright")->check(CLI::Range(0, 1));
}

void SetText(const std::optional<std::string>& typed, size_t chars, std::string& field) {
    if (typed) field = Utf8ToCp1252(*typed).substr(0, chars);
}

void ApplyNoteOptions(const NoteOptions& fields, ObserverLogRecord& note) {
    SetText(fields.text, kLogTextChars, note.logText);
    SetText(fields.scope, kLogScopeChars, note.scope);
    SetText(fields.filter, kLogFilterChars, note.filter);
    SetText(fields.location, kLogLocationChars, note.location);
    for (auto [value, field] : {std::pair{&fields.transparency, &note.transparency},
                                {&fields.seeing, &note.seeing},
                                {&fields.eyepiece, &note.eyepiece},
                                {&fields.detection, &note.detection},
                                {&fields.impression, &note.impression}})
        if (*value) *field = **value;
}

// The type's name without the blanks of the unnamed row 0.
std::string TypeNameOf(int32_t type) {
    static const ObjectTypeTable table = DefaultObjectTypeTable();
    if (type < 0 || type >= kObjectTypeCount) return "";
    return std::string(TrimTrailingBlanks(ObjectTypeName(table[size_t(type)])));
}

void PrintNote(CliContext& ctx, const ObserverLogRecord& note) {
    const auto utf8 = [](const std::string& text) { return Cp1252ToUtf8(text); };
    const std::vector<std::pair<std::string, nlohmann::json>> fields = {
        {"object", utf8(note.objectName)},
        {"date", NoteDateText(note, DeviceDateOrder())},
        {"time", NoteTimeText(note)},
        {"ra_hours", note.ra},
        {"dec_deg", note.dec},
        {"moon_percent", note.moonPhasePercent},
        {"sun_alt_deg", note.sunAltitude},
        {"visual_limit", note.visualLimitX10 / 10.0},
        {"type", utf8(TypeNameOf(note.objectType))},
        {"magnitude", note.objectMagnitudeX10 / 10.0},
        {"transparency", note.transparency},
        {"seeing", note.seeing},
        {"scope", utf8(note.scope)},
        {"location", utf8(note.location)},
        {"filter", utf8(note.filter)},
        {"text", utf8(note.logText)},
        {"eyepiece", note.eyepiece},
        {"detection", note.detection},
        {"impression", note.impression},
        {"file", ctx.Home().Path(kUserLogsDir, LogFileName(note.objectName))},
    };
    if (ctx.Json()) {
        nlohmann::json document = nlohmann::json::object();
        for (const auto& [key, value] : fields) document[key] = value;
        PrintJson(ctx, document);
        return;
    }
    Rows rows;
    for (const auto& [key, value] : fields)
        rows.emplace_back(key, value.is_string() ? value.get<std::string>() : JsonText(value));
    PrintRows(ctx, rows);
}

// False with the message for a typed name the code page cannot hold: "Ωmega" and "Ψmega"
// would both name the note "?mega".
bool KeptApart(CliContext& ctx, const std::string& typedName) {
    if (FitsCp1252(typedName)) return true;
    ctx.Err() << kUnsafeLogNameMessage << "\n\"" << typedName << "\" (a character outside Windows-1252)\n";
    return false;
}

// The file of the note named `typedName`, or the message and false for a name that cannot be one.
bool NoteFile(CliContext& ctx, const std::string& typedName, std::string& file) {
    if (!KeptApart(ctx, typedName)) return false;
    const std::string name = Utf8ToCp1252(typedName);
    if (!IsSafeFileName(name)) {
        ctx.Messages().InfoBox(kUnsafeLogNameMessage, "\"" + name + "\"");
        return false;
    }
    file = LogFileName(name);
    return true;
}

bool LoadNamedNote(CliContext& ctx, const std::string& typedName, ObserverLogRecord& note, std::string& file) {
    if (!NoteFile(ctx, typedName, file)) return false;
    const std::vector<std::string> names = ListLogs(ctx.Home());
    const auto found = std::find(names.begin(), names.end(), file);
    return LoadLog(ctx.Home(), names, found == names.end() ? -1 : int(found - names.begin()), note, ctx.Messages());
}

int RunNew(CliContext& ctx, const NoteArgs& args) {
    if (!KeptApart(ctx, args.name)) return kExitFailed;
    const Preferences& prefs = ctx.Prefs();
    NewLogSource source;
    source.local = ctx.ObservingTime();
    source.ephemeris = ctx.Ephemeris();
    source.prefs = &prefs;
    ObserverLogRecord note = NewLog(source, Utf8ToCp1252(args.name));
    ApplyNoteOptions(args.fields, note);
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock) || !SaveLog(ctx.Home(), note, "", ctx.Messages()))
        return kExitFailed;
    PrintNote(ctx, note);
    return kExitOk;
}

int RunEdit(CliContext& ctx, const NoteArgs& args) {
    if (args.newName && !KeptApart(ctx, *args.newName)) return kExitFailed;
    UserFilesLock lock;
    if (!LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    ObserverLogRecord note;
    std::string file;
    if (!LoadNamedNote(ctx, args.name, note, file)) return kExitFailed;
    SetText(args.newName, kLogObjectNameChars, note.objectName);
    ApplyNoteOptions(args.fields, note);
    if (SaveReplacesAnotherLog(ctx.Home(), note, file)) {
        ctx.Messages().InfoBox(kLogNameTakenMessage, "\"" + note.objectName + "\"");
        return kExitFailed;
    }
    if (!SaveLog(ctx.Home(), note, file, ctx.Messages())) return kExitFailed;
    PrintNote(ctx, note);
    return kExitOk;
}

int RunShow(CliContext& ctx, const NoteArgs& args) {
    ObserverLogRecord note;
    std::string file;
    if (!LoadNamedNote(ctx, args.name, note, file)) return kExitFailed;
    PrintNote(ctx, note);
    return kExitOk;
}

int RunDelete(CliContext& ctx, const NoteArgs& args) {
    std::string file;
    UserFilesLock lock;
    if (!NoteFile(ctx, args.name, file) || !LockUserFiles(ctx.Home(), ctx.Messages(), lock)) return kExitFailed;
    if (!DeleteLog(ctx.Home(), file)) {
        ctx.Messages().InfoBox(kSelectLogMessage, "");
        return kExitFailed;
    }
    if (ctx.Json()) PrintJson(ctx, {{"deleted", ctx.Home().Path(kUserLogsDir, file)}});
    return kExitOk;
}

int RunList(CliContext& ctx) {
    const DateOrder order = DeviceDateOrder();
    nlohmann::json rows = nlohmann::json::array();
    for (const std::string& file : ListLogs(ctx.Home())) {
        ObserverLogRecord note;
        if (ReadLogFile(ctx.Home().Path(kUserLogsDir, file), note) != LogReadResult::Read) {
            rows.push_back({{"file", Cp1252ToUtf8(file)}, {"object", nullptr}});
            continue;
        }
        rows.push_back({{"file", Cp1252ToUtf8(file)},
                        {"object", Cp1252ToUtf8(note.objectName)},
                        {"date", NoteDateText(note, order)},
                        {"time", NoteTimeText(note)}});
    }
    if (ctx.Json()) {
        PrintJson(ctx, rows);
        return kExitOk;
    }
    for (const auto& row : rows) {
        if (row["object"].is_null())
            ctx.Out() << row["file"].get<std::string>() << "  (unreadable)\n";
        else
            ctx.Out() << row["date"].get<std::string>() << "  " << row["time"].get<std::string>() << "  "
                      << row["object"].get<std::string>() << "\n";
    }
    return kExitOk;
}

OalEquipment Equipment(CliContext& ctx) {
    return OalEquipmentOf(ctx.Home(), ctx.Prefs(), ctx.Ephemeris().location.tzOffset);
}

int RunOalExport(CliContext& ctx, const std::string& path) {
    OalExportResult result;
    if (!ExportOalLog(ctx.Home(), Equipment(ctx), path, ctx.Messages(), result)) return kExitFailed;
    if (ctx.Json()) PrintJson(ctx, {{"exported", result.exported}, {"file", path}});
    else ctx.Out() << result.exported << " note" << (result.exported == 1 ? "" : "s") << " written to " << path << "\n";
    return kExitOk;
}

int RunOalImport(CliContext& ctx, const std::string& path) {
    OalImportResult result;
    if (!ImportOalLog(ctx.Home(), Equipment(ctx), path, ctx.Messages(), result)) return kExitFailed;
    if (ctx.Json()) PrintJson(ctx, {{"imported", result.imported}, {"skipped", result.skipped}});
    else ctx.Out() << result.imported << " imported, " << result.skipped << " skipped\n";
    return result.imported > 0 || result.skipped == 0 ? kExitOk : kExitFailed;
}

int RunExport(CliContext& ctx, const std::optional<std::string>& oal) {
    if (oal) return RunOalExport(ctx, *oal);
    RecordingInfoSink messages;
    LogExportResult result;
    const bool exported = ExportLogs(ctx.Home(), DeviceDateOrder(), ctx.Formats(), messages, result);
    if (!exported) {
        for (const auto& [first, second] : messages.messages) ctx.Messages().InfoBox(first, second);
        return kExitFailed;
    }
    nlohmann::json shown = nlohmann::json::array();
    for (const auto& [first, second] : messages.messages)
        shown.push_back(Cp1252ToUtf8(second.empty() ? first : first + "\n" + second));
    if (ctx.Json()) {
        PrintJson(ctx, {{"exported", result.exported}, {"files", result.files}, {"messages", shown}});
        return kExitOk;
    }
    for (const std::string& file : result.files) ctx.Out() << file << "\n";
    for (const auto& message : shown) {
        const std::string text = message.get<std::string>();
        ctx.Out() << text << (text.ends_with('\n') ? "" : "\n");
    }
    return kExitOk;
}

int RunLink(CliContext& ctx, const NoteArgs& args) {
    ObserverLogRecord note;
    std::string file;
    if (!LoadNamedNote(ctx, args.name, note, file)) return kExitFailed;
    const ShotLinkResult shot = LinkShot(ctx.Home(), note, ctx.Messages());
    if (shot.link != ShotLink::Found) return kExitFailed;
    if (ctx.Json())
        PrintJson(ctx, {{"image", Cp1252ToUtf8(shot.imageName)}, {"path", Cp1252ToUtf8(shot.path)}});
    else
        ctx.Out() << shot.path << "\n";
    return kExitOk;
}

using NoteRun = int (*)(CliContext&, const NoteArgs&);

// A command on one note named on the line.
std::pair<CLI::App*, std::shared_ptr<NoteArgs>> AddNoteCommand(CommandRegistry& registry, CLI::App* family,
                                                               const std::string& name, const std::string& description,
                                                               NoteRun run) {
    auto args = std::make_shared<NoteArgs>();
    CLI::App* command = registry.Add(
        name, description, [args, run](CliContext& ctx) { return run(ctx, *args); }, family);
    command->add_option("name", args->name, "the note's object or event name")->required()->type_name("NAME");
    return {command, args};
}

}  // namespace

void AddLogCommands(CommandRegistry& registry) {
    CLI::App* log = registry.AddFamily("log", "The observer notes of userlogs/");
    auto [newCommand, newArgs] =
        AddNoteCommand(registry, log, "new", "A note for OBJECT at the observing date, time and site", RunNew);
    AddNoteOptions(*newCommand, newArgs->fields);
    newCommand->footer(
        "Filled in as the note form fills a new note: the Moon's light, the Sun's altitude, the "
        "naked-eye limit, the aperture, the site's name, filter \"None\"; the name keeps 14 "
        "characters. A note of that name is replaced. --json: the note as `log show` prints it.");
    auto [editCommand, editArgs] =
        AddNoteCommand(registry, log, "edit", "Changes a note's fields; --name renames it and its file", RunEdit);
    AddNoteOptions(*editCommand, editArgs->fields);
    editCommand->add_option("--name", editArgs->newName, "a new object name (19 characters kept)");
    AddNoteCommand(registry, log, "show", "Every field of a note", RunShow)
        .first->footer(
            "--json: object, date, time, ra_hours, dec_deg, moon_percent, sun_alt_deg, visual_limit, "
            "type, magnitude, transparency, seeing, scope, location, filter, text, eyepiece, detection, "
            "impression, file.");
    AddNoteCommand(registry, log, "delete", "Deletes a note", RunDelete);
    AddNoteCommand(registry, log, "link", "The photograph of shots/ linked to a note", RunLink)
        .first->footer(
            "The picture is shots/YYYYMMDD<name> (the name cut at its first ','), .jpg, .jpeg or .png. "
            "--json: image, path.");
    registry.Add("list", "The notes: date, time and object", RunList, log)
        ->footer("--json: an array of file, object, date, time (object null for an unreadable file).");
    auto oalFile = std::make_shared<std::optional<std::string>>();
    CLI::App* exportCommand = registry.Add(
        "export", "Every note as text: userlogs/logs_N.txt; or as one OpenAstronomyLog 2.1 file",
        [oalFile](CliContext& ctx) { return RunExport(ctx, *oalFile); }, log);
    exportCommand->add_option("--oal", *oalFile, "write every note to FILE as OpenAstronomyLog 2.1 XML")
        ->type_name("FILE");
    exportCommand->footer(
        "Dates follow the order of the user's short dates (LC_TIME); a file is closed once it passes "
        "65036 bytes. --json: exported, files, messages. With --oal: one XML file for every note (sites, "
        "sessions, targets, scopes, eyepieces, filters; times with the site's zone); --json: exported, file.");
    auto oalImport = std::make_shared<std::string>();
    CLI::App* importCommand = registry.Add(
        "import", "Notes from an OpenAstronomyLog 2.0/2.1 XML file",
        [oalImport](CliContext& ctx) { return RunOalImport(ctx, *oalImport); }, log);
    importCommand->add_option("--oal", *oalImport, "the XML file")->required()->type_name("FILE");
    importCommand->footer(
        "Each observation becomes a note named by its target (a note of that name is replaced; the same "
        "name twice gets \" 2\", ...), times on the site's clock. --json: imported, skipped.");
}

}  // namespace vsp::cli
