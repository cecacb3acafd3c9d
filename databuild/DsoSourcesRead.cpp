#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"

namespace vsp::databuild {

bool ReadDsoSources(const BuildOptions& options, DsoSources& out, std::string& problem) {
    out = DsoSources{};
    const std::string& stellarium = options.stellariumDir;
    const std::string& d3 = options.d3CelestialDir;
    const bool ok =
        ReadStellariumCatalog(PathBelow(stellarium, "nebulae/default/catalog.dat"), out.stellarium,
                              problem) &&
        ReadStellariumNames(PathBelow(stellarium, "nebulae/default/names.dat"), out.names, problem) &&
        ReadOpenNgc(PathBelow(options.kstarsDir, "OpenNGC.kscat"), out.openNgc, problem) &&
        ReadD3Names(PathBelow(d3, "data/dsonames.json"), out.d3Names, problem) &&
        ReadD3Morphology(PathBelow(d3, "data/dsos.20.json"), out.d3Morphology, problem) &&
        ReadD3LocalGroup(PathBelow(d3, "data/lg.json"), out.localGroup, problem) &&
        ReadScriptNumberList(PathBelow(stellarium, "scripts/best_ngc.ssc"), "objlist", out.bestNgc,
                             problem) &&
        ReadScriptNumberList(PathBelow(stellarium, "scripts/common_objects.inc"), "h400",
                             out.herschel400, problem);
    if (!ok) out = DsoSources{};
    return ok;
}

}  // namespace vsp::databuild
