#include "databuild/InputFiles.h"
#include "databuild/PackageProvenance.h"
#include "databuild/StarSources.h"

namespace vsp::databuild {

namespace {

constexpr const char* kStellariumPackage = "stellarium-data";

}  // namespace

bool ReadStarSources(const BuildOptions& options, StarSources& out, std::string& problem) {
    out = StarSources{};
    const std::string& stellarium = options.stellariumDir;
    const std::string& d3 = options.d3CelestialDir;
    const std::string starsPath = PathBelow(d3, "data/stars.14.json");
    const std::string namesPath = PathBelow(d3, "data/starnames.json");
    const std::string crossIdPath = PathBelow(stellarium, "stars/default/cross-id.dat");
    out.figurePaths[0] = PathBelow(stellarium, "skycultures/western/constellationship.fab");
    out.figurePaths[1] = PathBelow(stellarium, "skycultures/western_rey/constellationship.fab");
    const bool ok = ReadCrossIds(crossIdPath, out.crossIds, problem) &&
                    ReadFigures(out.figurePaths[0], out.figureSets[0], problem) &&
                    ReadFigures(out.figurePaths[1], out.figureSets[1], problem) &&
                    ReadD3StarNames(namesPath, out.names, problem) &&
                    ReadD3Stars(starsPath, out.hipStars, problem);
    if (!ok) {
        out = StarSources{};
        return false;
    }
    out.provenanceStars = NpmFileProvenance(d3, starsPath);
    out.provenanceNames = NpmFileProvenance(d3, namesPath);
    out.provenanceCrossIds = DebianFileProvenance(kStellariumPackage, crossIdPath);
    out.provenanceFigures = DebianFileProvenance(kStellariumPackage, out.figurePaths[0]) + " + " +
                            DebianFileProvenance(kStellariumPackage, out.figurePaths[1]);
    return true;
}

}  // namespace vsp::databuild
