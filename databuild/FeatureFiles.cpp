#include "databuild/DataBuild.h"

namespace vsp::databuild {

// Placeholder until this step is written.
int BuildFeatureFiles(const BuildOptions& options, BuildReport& report) {
    report.problem = "BuildFeatureFiles: not written yet";
    return 0;
}

}  // namespace vsp::databuild
