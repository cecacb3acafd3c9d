#include "databuild/DataBuild.h"

#include <cstdlib>
#include <filesystem>

#include "catalog/DescriptionFile.h"
#include "databuild/DescriptionFileBuild.h"
#include "databuild/InputFiles.h"
#include "platform/ProgramDir.h"

namespace vsp::databuild {

bool FindD3Celestial(const std::string& given, std::string& dir, std::string& problem) {
    if (!given.empty()) {
        dir = given;
        return true;
    }
    if (const char* fromEnvironment = std::getenv("VESPERTAR_D3CELESTIAL"); fromEnvironment && *fromEnvironment) {
        dir = fromEnvironment;
        return true;
    }
    std::error_code error;
    const std::filesystem::path executableDir = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::string lookedAt;
    for (const std::filesystem::path& base : {executableDir, executableDir.parent_path()}) {
        for (const std::filesystem::path& candidate :
             {base / "node_modules/d3-celestial", base / "databuild/node_modules/d3-celestial"}) {
            if (std::filesystem::is_directory(candidate, error)) {
                dir = candidate.string();
                return true;
            }
            lookedAt += "\n  " + candidate.string();
        }
    }
    problem = "d3-celestial not found (give --d3celestial DIR or set VESPERTAR_D3CELESTIAL); looked in:" + lookedAt;
    return false;
}

bool DataBuild(const BuildOptions& given, BuildReport& report) {
    BuildOptions options = given;
    if (!FindD3Celestial(given.d3CelestialDir, options.d3CelestialDir, report.problem)) return false;
    if (!MakeDirectory(options.dataDir)) {
        report.problem = options.dataDir + ": cannot be created";
        return false;
    }
    using Step = bool (*)(const BuildOptions&, BuildReport&);
    static constexpr Step kSteps[] = {BuildStarFiles, BuildTychoFiles, BuildObjectFiles,
                                      BuildFeatureFiles, BuildMilkyWayFile, BuildDescriptions, BuildCityFile};
    for (Step step : kSteps) {
        if (!step(options, report)) return false;
    }
    return true;
}

bool BuildDescriptions(const BuildOptions& options, BuildReport& report) {
    if (options.ngc2000Path.empty()) {
        report.notes.push_back(std::string(kDescriptionFileName) +
                               " not built: no NGC 2000.0 table given (--ngc2000 FILE)");
        return true;
    }
    report.Progress("descriptions from " + options.ngc2000Path);
    DescriptionBuildResult result;
    const std::string name(kDescriptionFileName);
    if (!DescriptionFileBuild(options.ngc2000Path, PathBelow(options.dataDir, name), result)) {
        report.problem = result.problem;
        return false;
    }
    report.files.push_back({name, result.records, kDescriptionRecordSize,
                            "NGC 2000.0 (Sinnott 1988) " + options.ngc2000Path});
    report.Progress(name + ": " + std::to_string(result.records) + " records");
    return true;
}

}  // namespace vsp::databuild
