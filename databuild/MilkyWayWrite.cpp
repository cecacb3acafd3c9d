// The Milky Way's outline from d3-celestial's data/mw.json: a FeatureCollection of five
// MultiPolygon features "ol1" (faintest) .. "ol5", coordinates [longitude, latitude] in
// degrees with the longitude the J2000 RA (-180..180). Written as catalog/MilkyWay.h lays out.
#include <string>

#include "catalog/MilkyWay.h"
#include "databuild/DataBuild.h"
#include "databuild/DataFileWriter.h"
#include "databuild/InputFiles.h"
#include "databuild/JsonInput.h"
#include "databuild/PackageProvenance.h"

namespace vsp::databuild {

namespace {

constexpr uint32_t kMilkyWayFileVersion = 1;

// The density level of a feature ("ol3" is 3), 0 when it names none.
int LevelOf(const nlohmann::json& feature) {
    const std::string id = TextOf(Member(&feature, "id"));
    if (id.size() != 3 || id.compare(0, 2, "ol") != 0) return 0;
    const int level = id[2] - '0';
    return level >= 1 && level <= kMilkyWayLevels ? level : 0;
}

// One ring's [lon, lat] pairs; false at anything that is not a number pair.
bool AddRing(const nlohmann::json& ring, int level, DataFileWriter& file) {
    if (!ring.is_array()) return false;
    bool start = true;
    for (const nlohmann::json& vertex : ring) {
        if (!vertex.is_array() || vertex.size() < 2 || !vertex[0].is_number() || !vertex[1].is_number()) return false;
        const double lon = vertex[0].get<double>(), lat = vertex[1].get<double>();
        if (!(lat >= -90.0 && lat <= 90.0) || !(lon >= -360.0 && lon <= 360.0)) return false;
        if (file.Count() >= kMilkyWayMaxPoints) return false;
        EncodeMilkyWayPoint(level, start, lon / 15.0, lat, file.Append());
        start = false;
    }
    return true;
}

}  // namespace

bool ReadMilkyWayJson(const std::string& path, DataFileWriter& file, std::string& problem) {
    nlohmann::json document;
    if (!ParseJsonObject(path, document, problem)) return false;
    const nlohmann::json* features = FeaturesOf(document, path, problem);
    if (!features) return false;
    for (size_t i = 0; i < features->size(); ++i) {
        const nlohmann::json& feature = (*features)[i];
        const int level = LevelOf(feature);
        const nlohmann::json* polygons = Member(Member(&feature, "geometry"), "coordinates");
        if (level == 0 || !polygons || !polygons->is_array()) {
            problem = FeatureProblem(path, i + 1, "is no density level \"ol1\"..\"ol5\" with coordinates");
            return false;
        }
        for (const nlohmann::json& polygon : *polygons) {
            if (!polygon.is_array()) {
                problem = FeatureProblem(path, i + 1, "has a polygon that is no list of rings");
                return false;
            }
            for (const nlohmann::json& ring : polygon) {
                if (!AddRing(ring, level, file)) {
                    problem = FeatureProblem(path, i + 1, "has a ring of other than [RA, Dec] degrees, or too many");
                    return false;
                }
            }
        }
    }
    return true;
}

bool BuildMilkyWayFile(const BuildOptions& options, BuildReport& report) {
    const std::string path = PathBelow(options.d3CelestialDir, "data/mw.json");
    DataFileWriter file(std::string(kMilkyWayFileName), kMilkyWayTypeCode, kMilkyWayFileVersion,
                        kMilkyWayRecordSize);
    if (!ReadMilkyWayJson(path, file, report.problem)) return false;
    return file.Commit(options.dataDir, NpmFileProvenance(options.d3CelestialDir, path), report);
}

}  // namespace vsp::databuild
