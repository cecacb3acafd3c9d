#include "databuild/DataBuild.h"

namespace vsp::databuild {

// Placeholder until this step is written.
int BuildStarFiles(const BuildOptions& options, BuildReport& report) {
    report.problem = "BuildStarFiles: not written yet";
    return 0;
}

}  // namespace vsp::databuild
