#include "databuild/DsoReaders.h"

namespace vsp::databuild {

namespace {

std::string Below(const std::string& dir, const char* relative) {
    if (dir.empty() || dir.back() == '/') return dir + relative;
    return dir + "/" + relative;
}

}  // namespace

int ReadDsoSources(const BuildOptions& options, DsoSources& out, std::string& problem) {
    out = DsoSources{};
    const std::string& stellarium = options.stellariumDir;
    const std::string d3 =
        options.d3CelestialDir.empty() ? DefaultD3CelestialDir() : options.d3CelestialDir;
    const bool ok =
        ReadStellariumCatalog(Below(stellarium, "nebulae/default/catalog.dat"), out.stellarium,
                              problem) &&
        ReadStellariumNames(Below(stellarium, "nebulae/default/names.dat"), out.names, problem) &&
        ReadOpenNgc(Below(options.kstarsDir, "OpenNGC.kscat"), out.openNgc, problem) &&
        ReadD3Names(Below(d3, "data/dsonames.json"), out.d3Names, problem) &&
        ReadD3Morphology(Below(d3, "data/dsos.20.json"), out.d3Morphology, problem) &&
        ReadD3LocalGroup(Below(d3, "data/lg.json"), out.localGroup, problem) &&
        ReadScriptNumberList(Below(stellarium, "scripts/best_ngc.ssc"), "objlist", out.bestNgc,
                             problem) &&
        ReadScriptNumberList(Below(stellarium, "scripts/common_objects.inc"), "h400",
                             out.herschel400, problem);
    if (!ok) out = DsoSources{};
    return ok ? 1 : 0;
}

}  // namespace vsp::databuild
