// The catalogs under data/ as a damaged or foreign copy may leave them: one file of the
// program's catalogs (those of VESPERTAR_FUZZ_CATALOGS, linked one by one, or a few names
// alone without them) replaced by any bytes, then the catalogs opened as a run opens them and
// looked into as the object, star and city commands, the chart's star field and object table
// and the planner's scan do.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogTable.h"
#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/ObjectFacts.h"
#include "catalog/ObjectLookup.h"
#include "catalog/ObjectRecord.h"
#include "catalog/StarCatalog.h"
#include "catalog/StarLookup.h"
#include "catalog/CityList.h"
#include "chart/ChartObjects.h"
#include "tools/PlannerRun.h"
#include "support/TempHome.h"

namespace {

using namespace vsp;
namespace fs = std::filesystem;

// The data/ folder of the harness's own home: every catalog linked, so that one can be
// replaced by a file of the input's bytes and linked back afterwards.
struct CatalogCopy {
    test::TempHome home;
    fs::path source;
    std::vector<std::string> names;

    CatalogCopy() {
        fs::create_directories(home.Path("data"));
        const char* catalogs = std::getenv("VESPERTAR_FUZZ_CATALOGS");
        if (catalogs && *catalogs) source = fs::path(catalogs) / "data";
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(source, ec)) {
            names.push_back(entry.path().filename().string());
            fs::create_symlink(entry.path(), home.Path("data/" + names.back()));
        }
        if (names.empty()) {
            for (std::string_view name : {kObjectFile18k, kDescriptionFileName, kCrossReferenceFile,
                                          kDefaultStarsFileName, kBrightStarFileName, kCityFileName, kMoonFile})
                names.emplace_back(name);
        }
        std::sort(names.begin(), names.end());
    }
    void Replace(const std::string& name, const std::string& bytes) {
        const std::string path = home.Path("data/" + name);
        fs::remove(path);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    void Restore(const std::string& name) {
        const std::string path = home.Path("data/" + name);
        fs::remove(path);
        std::error_code ec;
        if (!source.empty()) fs::create_symlink(source / name, path, ec);
    }
};

void LookIntoObjects(CatalogSession& sky, InfoSink& messages) {
    for (const auto& [catalog, number] : {std::pair{kCatalogMessier, 31}, {kCatalogNgc, 7000}, {kCatalogCaldwell, 14},
                                          {kCatalogIc, 434}, {kCatalogMelotte, 111}}) {
        FoundObject found;
        std::string problem;
        if (FindObject(sky, messages, catalog, number, found, problem) != ObjectSearch::Found) continue;
        ReadObjectFacts(sky, messages, found);
        char text[kDescriptionShortSize];
        DescriptionFind(sky.files.descriptions, messages, found.record.catalog, found.record.number, text);
    }
    CrossReferenceNamedKeys(sky.files.crossReferences);  // the chart's common-name lookup
}

// The chart's table and the planner's scan of the database read the object file whole; the
// names of the table's first objects are built as drawing them would.
void ScanObjects(CatalogSession& sky, InfoSink& messages) {
    std::vector<ChartObject> table;
    LoadDeepSkyObjects(sky, messages, table);
    for (size_t i = 0; i < table.size() && i < 64; ++i) {
        ChartLabel(table[i]);
        ChartDesignation(table[i]);
    }
    const Preferences prefs;
    SelectionCriteria criteria;
    criteria.magnitudeLimit = 5;
    criteria.visibility = 1;
    SetCriteriaTime(criteria, {2026, 8, 15, 22, 30, 0});
    ObservingList list(500);
    PlannerContext planner{sky, prefs, {}, messages, {}, {}};
    PlannerRun run(criteria, planner, list);
    SearchObjectDatabase(run);
}

void LookIntoStars(CatalogSession& sky, InfoSink& messages) {
    FoundStar star;
    std::string problem;
    FindStar(sky.stars, sky.dir, messages, kCatalogHr, 7001, star, problem);
    FindStar(sky.stars, sky.dir, messages, kCatalogHip, 91262, star, problem);
    FindStarByName(sky.stars, sky.dir, messages, "Vega", star, problem);
    CatalogSessionNeedStars(sky, 0);
    CatalogSessionNeedStars(sky, 1);
}

void LookIntoCities(const ProgramDir& dir) {
    CityList cities;
    if (!cities.Open(dir)) return;
    const int32_t first = cities.FindPrefix("Par");
    CityEntry city;
    for (int32_t i = std::max(first, 0); i < cities.Count() && i < first + 8; ++i) cities.Read(i, city);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CatalogCopy copy;
    FuzzedDataProvider input(data, size);
    const std::string& name = copy.names[input.ConsumeIntegralInRange<size_t>(0, copy.names.size() - 1)];
    copy.Replace(name, input.ConsumeRemainingBytesAsString());
    {
        RecordingInfoSink messages;
        ObjectCatalogs catalogs(copy.home.Dir(), messages);
        catalogs.Open();
        LookIntoObjects(catalogs.Session(), messages);
        ScanObjects(catalogs.Session(), messages);
        LookIntoStars(catalogs.Session(), messages);
        LookIntoCities(copy.home.Dir());
    }
    copy.Restore(name);
    return 0;
}
