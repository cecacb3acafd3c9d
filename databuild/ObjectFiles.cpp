#include "databuild/DataBuild.h"

namespace vsp::databuild {

// Placeholder until this step is written.
int BuildObjectFiles(const BuildOptions& options, BuildReport& report) {
    report.problem = "BuildObjectFiles: not written yet";
    return 0;
}

}  // namespace vsp::databuild
