#include "databuild/DataBuild.h"

#include "catalog/DescriptionFile.h"
#include "catalog/DescriptionFileBuild.h"
#include "platform/ProgramDir.h"

namespace vsp::databuild {

std::string DefaultD3CelestialDir() { return std::string(VESPERTAR_DATABUILD_DIR) + "/node_modules/d3-celestial"; }

int DataBuild(const BuildOptions& options, BuildReport& report) {
    if (!MakeDirectory(options.dataDir)) {
        report.problem = options.dataDir + ": cannot be created";
        return 0;
    }
    using Step = int (*)(const BuildOptions&, BuildReport&);
    static constexpr Step kSteps[] = {BuildStarFiles, BuildTychoFiles, BuildObjectFiles,
                                      BuildFeatureFiles, BuildDescriptions};
    for (Step step : kSteps) {
        if (!step(options, report)) return 0;
    }
    return 1;
}

int BuildDescriptions(const BuildOptions& options, BuildReport& report) {
    if (options.ngc2000Path.empty()) {
        report.notes.push_back(std::string(kDescriptionFileName) +
                               " not built: no NGC 2000.0 table given (--ngc2000 FILE)");
        return 1;
    }
    report.Progress("descriptions from " + options.ngc2000Path);
    DescriptionBuildResult result;
    const std::string name(kDescriptionFileName);
    if (!DescriptionFileBuild(options.ngc2000Path, options.dataDir + name, result)) {
        report.problem = result.problem;
        return 0;
    }
    report.files.push_back({name, result.records, kDescriptionRecordSize,
                            "NGC 2000.0 (Sinnott 1988) " + options.ngc2000Path});
    report.Progress(name + ": " + std::to_string(result.records) + " records");
    return 1;
}

}  // namespace vsp::databuild
