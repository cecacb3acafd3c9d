// Lunar and Martian surface features from the IAU nomenclature as stellarium ships it
// (data/nomenclature.dat, gzip'd text). A feature line is tab-separated:
//   body, feature id, _("Name","context"), two-letter type, latitude, longitude (east), size km
// Other bodies, comments and blank lines are passed over.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "catalog/CatalogFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "databuild/DataBuild.h"
#include "databuild/DataFileWriter.h"
#include "databuild/InputFiles.h"
#include "ephemeris/ReduceAngle.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp::databuild {
namespace {

constexpr int kLatitudeOffset = 32;
constexpr int kLongitudeOffset = 36;
constexpr int kDiameterOffset = 40;
constexpr int kTypeOffset = 44;
static_assert(kTypeOffset + 2 + 2 == kFeatureRecordSize);
static_assert(kFeatureNameSize == kLatitudeOffset);

struct Feature {
    uint8_t name[kFeatureNameSize] = {};  // Windows-1252, NUL-padded: compared as bytes
    float latitude = 0.0f;
    float longitude = 0.0f;
    float diameter = 0.0f;
    char type[2] = {};
    int32_t id = 0;
};

bool FeatureOrder(const Feature& a, const Feature& b) {
    if (const int c = std::memcmp(a.name, b.name, sizeof a.name); c != 0) return c < 0;
    if (a.latitude != b.latitude) return a.latitude < b.latitude;
    if (a.longitude != b.longitude) return a.longitude < b.longitude;
    return a.id < b.id;
}

bool ParseNumber(std::string_view text, double& out) {
    return ParseWhole(TrimBlanks(text), out) && std::isfinite(out);
}

// The name inside _("Name","context") or _("Name").
bool ParseName(std::string_view field, std::string& out) {
    field = TrimBlanks(field);
    if (field.substr(0, 3) != "_(\"") return false;
    const size_t end = field.find('"', 3);
    if (end == std::string_view::npos || end == 3) return false;
    out.assign(field.substr(3, end - 3));
    return true;
}

// Combining marks (U+0300 .. U+036F) have no byte of their own in Windows-1252: dropped, so
// "Harad" + comma below keeps its letters.
std::string WithoutCombiningMarks(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = uint8_t(utf8[i]);
        const bool mark =
            i + 1 < utf8.size() && (lead == 0xCC || (lead == 0xCD && uint8_t(utf8[i + 1]) <= 0xAF));
        if (mark) {
            ++i;
            continue;
        }
        out += utf8[i];
    }
    return out;
}

// Longitude east in -180 .. 180.
double EastLongitude(double degrees) { return ReduceAngleSigned(degrees, 360.0); }

// One feature line into `out`; false with `why` when a field cannot be read.
bool ParseFeature(const std::vector<std::string_view>& fields, Feature& out, std::string& why) {
    std::string name;
    double id = 0.0, latitude = 0.0, longitude = 0.0, diameter = 0.0;
    if (fields.size() < 7) {
        why = "fewer than 7 tab-separated fields";
        return false;
    }
    if (!ParseName(fields[2], name)) {
        why = "the name is not written _(\"Name\",\"context\")";
        return false;
    }
    const std::string_view type = TrimBlanks(fields[3]);
    if (type.size() != 2) {
        why = "the feature type is not two letters";
        return false;
    }
    if (!ParseNumber(fields[1], id) || !ParseNumber(fields[4], latitude) ||
        !ParseNumber(fields[5], longitude) || !ParseNumber(fields[6], diameter) || std::fabs(latitude) > 90.0) {
        why = "id, latitude, longitude or size is not a number in range";
        return false;
    }
    PutText(out.name, sizeof out.name, WithoutCombiningMarks(name));
    out.latitude = float(latitude);
    out.longitude = float(EastLongitude(longitude));
    out.diameter = float(diameter);
    out.type[0] = type[0];
    out.type[1] = type[1];
    out.id = int32_t(id);
    return true;
}

bool WriteFeatures(std::vector<Feature>& features, std::string_view name, uint32_t tag, uint16_t version,
                  const std::string& source, const BuildOptions& options, BuildReport& report) {
    std::sort(features.begin(), features.end(), FeatureOrder);
    DataFileWriter file{std::string(name), tag, version, kFeatureRecordSize};
    for (const Feature& feature : features) {
        uint8_t* record = file.Append();
        std::memcpy(record, feature.name, sizeof feature.name);
        WriteF32(record + kLatitudeOffset, feature.latitude);
        WriteF32(record + kLongitudeOffset, feature.longitude);
        WriteF32(record + kDiameterOffset, feature.diameter);
        record[kTypeOffset] = uint8_t(feature.type[0]);
        record[kTypeOffset + 1] = uint8_t(feature.type[1]);
    }
    return file.Commit(options.dataDir, source, report);
}

}  // namespace

bool BuildFeatureFiles(const BuildOptions& options, BuildReport& report) {
    const std::string path = PathBelow(options.stellariumDir, "data/nomenclature.dat");
    report.Progress("Moon and Mars features from " + path);
    std::string text;
    std::string problem;
    if (!ReadWholeFile(path, text, problem)) {
        report.problem = problem;
        return false;
    }
    std::vector<Feature> moon, mars;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const bool isMoon = line.substr(0, 5) == "Moon\t";
        if (!isMoon && line.substr(0, 5) != "Mars\t") continue;
        Feature feature;
        std::string why;
        if (!ParseFeature(SplitFields(line, '\t'), feature, why)) {
            report.problem = InputLineProblem(path, i + 1, why);
            return false;
        }
        (isMoon ? moon : mars).push_back(feature);
    }
    if (moon.empty() || mars.empty()) {
        report.problem = InputProblem(path, moon.empty() ? "no Moon feature" : "no Mars feature");
        return false;
    }
    const std::string source = "IAU planetary nomenclature (stellarium-data) " + path;
    return WriteFeatures(moon, kMoonFile, kMoonTypeCode, kMoonFileVersion, source, options, report) &&
           WriteFeatures(mars, kMarsFile, kMarsTypeCode, kFeatureFileVersion, source, options, report);
}

}  // namespace vsp::databuild
