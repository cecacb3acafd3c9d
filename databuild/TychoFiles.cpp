#include "databuild/DataBuild.h"

namespace vsp::databuild {

// Placeholder until this step is written.
int BuildTychoFiles(const BuildOptions& options, BuildReport& report) {
    report.problem = "BuildTychoFiles: not written yet";
    return 0;
}

}  // namespace vsp::databuild
