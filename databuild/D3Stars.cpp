#include <algorithm>
#include <nlohmann/json.hpp>

#include "databuild/InputFiles.h"
#include "databuild/JsonInput.h"
#include "databuild/StarSources.h"
#include "ephemeris/ReduceAngle.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

using nlohmann::json;

bool ReadFeature(const json& feature, HipStar& star) {
    const json* id = Member(&feature, "id");
    const json* properties = Member(&feature, "properties");
    const json* coordinates = PointOf(feature);
    const json* magnitude = Member(properties, "mag");
    if (!id || !id->is_number_integer() || id->get<int64_t>() <= 0 || id->get<int64_t>() > INT32_MAX)
        return false;
    if (!coordinates || !magnitude || !magnitude->is_number()) return false;
    star.hip = int32_t(id->get<int64_t>());
    const double ra = (*coordinates)[0].get<double>();  // -180 .. 180 degrees
    star.decDeg = (*coordinates)[1].get<double>();
    if (!(ra >= -180.0 && ra <= 360.0) || !(star.decDeg >= -90.0 && star.decDeg <= 90.0)) return false;
    star.raHours = ReduceAngle(ra, 360.0) / 15.0;
    star.magnitude = magnitude->get<double>();
    // d3 writes B-V as a string ("0.482", "" when unknown); a number is taken as well.
    const std::optional<double> colour = NumberOf(Member(properties, "bv"));
    star.hasColour = colour.has_value();
    star.colour = colour.value_or(0.0);
    return true;
}

int FlamsteedOf(const std::string& text) {
    int value = 0;
    if (!ParseWhole(text, value) || value < 0 || value > 255) return 0;
    return value;
}

}  // namespace

const HipStar* HipStarTable::Find(int32_t hip) const {
    const auto found = std::lower_bound(stars.begin(), stars.end(), hip,
                                        [](const HipStar& s, int32_t h) { return s.hip < h; });
    return found != stars.end() && found->hip == hip ? &*found : nullptr;
}

bool ReadD3Stars(const std::string& path, HipStarTable& out, std::string& problem) {
    out.stars.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return false;
    const json* features = FeaturesOf(document, path, problem);
    if (!features) return false;
    out.stars.reserve(features->size());
    for (size_t i = 0; i < features->size(); ++i) {
        HipStar star;
        if (!ReadFeature((*features)[i], star)) {
            problem = FeatureProblem(path, i, "is not a star (HIP id, position, magnitude)");
            out.stars.clear();
            return false;
        }
        out.stars.push_back(star);
    }
    // A number given twice keeps its first appearance.
    std::stable_sort(out.stars.begin(), out.stars.end(),
                     [](const HipStar& a, const HipStar& b) { return a.hip < b.hip; });
    out.stars.erase(std::unique(out.stars.begin(), out.stars.end(),
                                [](const HipStar& a, const HipStar& b) { return a.hip == b.hip; }),
                    out.stars.end());
    if (out.stars.empty()) {
        problem = InputProblem(path, "holds no stars");
        return false;
    }
    return true;
}

bool ReadD3StarNames(const std::string& path, std::map<int32_t, StarName>& out, std::string& problem) {
    out.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return false;
    for (const auto& [key, value] : document.items()) {
        int32_t hip = 0;
        if (!ParseWhole(key, hip) || hip <= 0 || !value.is_object()) {
            problem = InputProblem(path, "entry \"" + key + "\" is not a HIP number with its names");
            out.clear();
            return false;
        }
        StarName name;
        name.name = std::string(TrimBlanks(TextOf(Member(&value, "name"))));
        name.bayer = TextOf(Member(&value, "bayer"));
        name.flamsteed = FlamsteedOf(TextOf(Member(&value, "flam")));
        out[hip] = std::move(name);
    }
    return true;
}

}  // namespace vsp::databuild
