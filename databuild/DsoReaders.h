#pragma once
// Reading the deep-sky inputs into DsoSources. Each reader takes the path of its one file so it
// can be used (and tested) alone; ReadDsoSources finds every file below the package folders of
// the build options. All return true when read, false with `problem` naming the file and the fault.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "databuild/DataBuild.h"
#include "databuild/DsoSources.h"

namespace vsp::databuild {

bool ReadDsoSources(const BuildOptions& options, DsoSources& out, std::string& problem);

// stellarium nebulae/default/catalog.dat (gzip'd or plain Qt stream): every record, file order.
bool ReadStellariumCatalog(const std::string& path, std::vector<StellariumDso>& out,
                          std::string& problem);
// stellarium nebulae/default/names.dat: every name line, file order.
bool ReadStellariumNames(const std::string& path, std::vector<StellariumName>& out,
                        std::string& problem);
// kstars OpenNGC.kscat (SQLite, table `cat`): every row, ordered by catalog_identifier.
bool ReadOpenNgc(const std::string& path, std::vector<OpenNgcRow>& out, std::string& problem);
// d3-celestial data/dsonames.json: designation as d3 writes it ("NGC 224") -> English name.
bool ReadD3Names(const std::string& path, std::map<std::string, std::string>& out,
                std::string& problem);
// d3-celestial data/dsos.20.json: feature id ("NGC 224", "Sh2 155", "PN G 000.0-01.3") ->
// morphology, for the features that have one.
bool ReadD3Morphology(const std::string& path, std::map<std::string, std::string>& out,
                     std::string& problem);
// d3-celestial data/lg.json: the Palomar, Terzan and UGCA objects (ids "Palomar1", "Terzan3",
// "UGCA86"), file order; the other Local Group objects are in other sources already.
bool ReadD3LocalGroup(const std::string& path, std::vector<LocalGroupObject>& out,
                     std::string& problem);
// The integers of `var NAME = [ ... ];` in a stellarium script, in file order:
// scripts/best_ngc.ssc (objlist) and scripts/common_objects.inc (h400).
bool ReadScriptNumberList(const std::string& path, const std::string& name,
                         std::vector<int32_t>& out, std::string& problem);

}  // namespace vsp::databuild
