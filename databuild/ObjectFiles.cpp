#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"
#include "databuild/ObjectFilesWrite.h"
#include "databuild/PackageProvenance.h"
#include "databuild/SourceCorrections.h"

namespace vsp::databuild {

DsoProvenance DsoProvenanceOf(const BuildOptions& options) {
    const std::string& d3 = options.d3CelestialDir;
    const std::string stellarium = "stellarium-data";
    const auto stel = [&](const char* file) {
        return DebianFileProvenance(stellarium, PathBelow(options.stellariumDir, file));
    };
    const auto npm = [&](const char* file) { return NpmFileProvenance(d3, PathBelow(d3, file)); };
    DsoProvenance p;
    p.objects = stel("nebulae/default/catalog.dat") + " + " +
                DebianFileProvenance("kstars-data", PathBelow(options.kstarsDir, "OpenNGC.kscat")) +
                " + " + npm("data/lg.json");
    p.messierCaldwell = "Messier and Caldwell numbers of " + stel("nebulae/default/catalog.dat");
    p.bestNgc = stel("scripts/best_ngc.ssc");
    p.herschel = stel("scripts/common_objects.inc");
    p.names = stel("nebulae/default/names.dat") + " + " + npm("data/dsonames.json") +
              " + OpenNGC long names";
    p.morphology = stel("nebulae/default/catalog.dat") + " morphology + " + npm("data/dsos.20.json");
    return p;
}

bool WriteObjectFiles(const DsoSources& sources, const BuildOptions& options, BuildReport& report) {
    DsoCatalog catalog;
    MergeDsoSources(sources, catalog);
    ObjectFileLayout layout;
    std::vector<std::string> notes = catalog.notes;
    if (!LayOutObjectFile(catalog, layout, notes, report.problem)) return false;
    const DsoProvenance provenance = DsoProvenanceOf(options);
    const bool ok = WriteObjectRecordFiles(layout, options.dataDir, provenance, report) &&
                    WriteProgramDataFiles(layout, options.dataDir, provenance, report) &&
                    WriteObjectIndexFiles(catalog, layout, options.dataDir, provenance, report) &&
                    WriteCrossReferenceFile(catalog, layout, options.dataDir, provenance, report);
    if (!ok) return false;
    for (std::string& note : notes) report.notes.push_back("deep-sky objects: " + std::move(note));
    return true;
}

bool BuildObjectFiles(const BuildOptions& options, BuildReport& report) {
    report.Progress("deep-sky objects: reading stellarium, OpenNGC and d3-celestial");
    DsoSources sources;
    if (!ReadDsoSources(options, sources, report.problem)) return false;
    std::vector<std::string> corrections;
    CorrectLocalGroupSigns(sources.localGroup, corrections);
    for (std::string& note : corrections) report.notes.push_back("deep-sky objects: " + std::move(note));
    return WriteObjectFiles(sources, options, report);
}

}  // namespace vsp::databuild
