// `data build`: every file of data/ from the installed catalog packages; `data info`: what
// data/ holds.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "databuild/DataBuild.h"
#include "platform/ProgramDir.h"
#include "platform/Text.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp::cli {
namespace {

int RunDataBuild(CliContext& ctx, databuild::BuildOptions options) {

    // On a fresh machine the program directory, even its parents, may not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(ctx.Home().Root(), ignored);
    options.dataDir = ctx.Home().Path(kDataDir);

    databuild::BuildReport report;
    report.progress = [&ctx](std::string_view line) {
        ctx.Err() << line << "\n";
        ctx.Err().flush();
    };
    if (!databuild::DataBuild(options, report)) {
        ctx.Err() << (report.problem.empty() ? std::string("the build stopped") : report.problem) << "\n";
        return kExitFailed;
    }

    if (ctx.Json()) {
        nlohmann::json files = nlohmann::json::array();
        for (const databuild::BuiltFile& file : report.files) {
            files.push_back({{"name", file.name},
                             {"records", file.records},
                             {"record_size", file.recordSize},
                             {"source", file.source}});
        }
        PrintJson(ctx, {{"files", files}, {"notes", report.notes}});
        return kExitOk;
    }
    size_t width = 0;
    for (const databuild::BuiltFile& file : report.files) width = std::max(width, file.name.size());
    for (const databuild::BuiltFile& file : report.files) {
        ctx.Out() << file.name << std::string(width + 2 - file.name.size(), ' ') << file.records << " records of "
                  << file.recordSize << " bytes\n";
    }
    for (const std::string& note : report.notes) ctx.Out() << "note: " << note << "\n";
    return kExitOk;
}

struct DataFileInfo {
    std::string name;
    uint32_t version = 0, tag = 0;
    int64_t records = 0, recordSize = 0;
    bool complete = false;  // the file holds every record its header counts
};

bool ReadInfo(const std::filesystem::path& path, DataFileInfo& info) {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    uint8_t header[kRecordHeaderSize];
    const bool whole = std::fread(header, 1, sizeof header, f) == sizeof header;
    std::fclose(f);
    if (!whole) return false;
    info.version = ReadU32(header);
    info.tag = ReadU32(header + 4);
    info.records = ReadI32(header + 8);
    info.recordSize = ReadI32(header + 12);
    info.complete = info.records >= 0 && info.recordSize >= 0 &&
                    uint64_t(kRecordHeaderSize) + uint64_t(info.records) * uint64_t(info.recordSize) <= size;
    return true;
}

int RunDataInfo(CliContext& ctx) {
    const std::filesystem::path folder = ctx.Home().Path(kDataDir);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        ctx.Err() << "no data folder: " << folder.string() << " (vespertar data build makes it)\n";
        return kExitFailed;
    }
    std::vector<DataFileInfo> files;
    std::vector<std::string> unreadable;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        if (!item.is_regular_file(ec) || item.path().extension() != ".ppc") continue;
        DataFileInfo info;
        info.name = item.path().filename().string();
        if (ReadInfo(item.path(), info)) files.push_back(info);
        else unreadable.push_back(info.name);
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::sort(unreadable.begin(), unreadable.end());

    if (ctx.Json()) {
        nlohmann::json list = nlohmann::json::array();
        for (const DataFileInfo& file : files) {
            list.push_back({{"name", file.name},
                            {"records", file.records},
                            {"record_size", file.recordSize},
                            {"version", file.version},
                            {"tag", Cp1252ToUtf8(FourCharCodeToString(file.tag))},
                            {"complete", file.complete}});
        }
        PrintJson(ctx, {{"files", list}, {"unreadable", unreadable}});
        return kExitOk;
    }
    if (files.empty() && unreadable.empty()) ctx.Out() << "no data files in " << folder.string() << "\n";
    size_t width = 0;
    for (const DataFileInfo& file : files) width = std::max(width, file.name.size());
    for (const DataFileInfo& file : files) {
        ctx.Out() << file.name << std::string(width + 2 - file.name.size(), ' ') << file.records << " records of "
                  << file.recordSize << " bytes, version " << file.version << ", tag "
                  << Cp1252ToUtf8(FourCharCodeToString(file.tag)) << (file.complete ? "" : ", shorter than its header says")
                  << "\n";
    }
    for (const std::string& name : unreadable) ctx.Out() << name << "  no record-file header\n";
    return kExitOk;
}

// An input path option of data build; an empty path is refused.
template <typename Path>
void AddInput(CLI::App& build, const std::string& name, Path& path, const std::string& unit,
              const std::string& description) {
    build.add_option(name, path, description)->type_name(unit)->check([](const std::string& text) {
        return text.empty() ? std::string("an input option needs a path") : std::string();
    });
}

}  // namespace

void AddDataCommands(CommandRegistry& registry) {
    CLI::App* data = registry.AddFamily("data", "The catalogs of data/: build them, list them");
    auto options = std::make_shared<databuild::BuildOptions>();
    CLI::App* build = registry.Add("build", "Builds every file of data/ from the installed catalog packages",
                                   [options](CliContext& ctx) { return RunDataBuild(ctx, *options); }, data);
    AddInput(*build, "--ngc2000", options->ngc2000Path, "FILE", "the NGC 2000.0 table: adds the description file");
    AddInput(*build, "--tycho2", options->tycho2Dir, "DIR", "Tycho-2 as CDS distributes it: adds the Tycho catalogs");
    AddInput(*build, "--stellarium", options->stellariumDir, "DIR", "another copy of stellarium-data");
    AddInput(*build, "--kstars", options->kstarsDir, "DIR", "another copy of kstars-data");
    AddInput(*build, "--d3celestial", options->d3CelestialDir, "DIR",
             "the npm package d3-celestial (default: $VESPERTAR_D3CELESTIAL, else "
             "node_modules/d3-celestial beside the program or its folder, or under their databuild/)");
    build->footer("Each step reports on stderr; then each file built with its record count (--json: files with "
                  "name, records, record_size, source; notes). A failed step stops the build (exit 1) and leaves "
                  "the files it had not replaced as they were.");
    registry.Add("info", "Every .ppc file of data/ with records, record_size, version and tag", RunDataInfo, data)
        ->footer("--json: files, each with complete = the file holds every record its header counts; "
                 "unreadable: .ppc files too short for a header.");
}

}  // namespace vsp::cli
