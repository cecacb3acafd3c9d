#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "databuild/InputFiles.h"
#include "databuild/StarSources.h"

namespace vsp::databuild {

namespace {

using nlohmann::json;

int ParseJsonObject(const std::string& path, json& document, std::string& problem) {
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return 0;
    document = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (document.is_discarded() || !document.is_object()) {
        problem = InputProblem(path, "not a JSON object");
        return 0;
    }
    return 1;
}

const json* Member(const json& object, const char* key) {
    if (!object.is_object()) return nullptr;
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::string TextOf(const json* value) {
    return value && value->is_string() ? value->get<std::string>() : std::string();
}

// d3 writes B-V as a string ("0.482", "" when unknown); a number is taken as well.
bool NumberOf(const json* value, double& out) {
    if (value && value->is_number()) {
        out = value->get<double>();
        return true;
    }
    const std::string text = TextOf(value);
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end != text.c_str();
}

std::string FeatureProblem(const std::string& path, size_t index, std::string_view why) {
    return InputProblem(path, "feature " + std::to_string(index + 1) + " " + std::string(why));
}

bool ReadFeature(const json& feature, HipStar& star) {
    const json* id = Member(feature, "id");
    const json* properties = Member(feature, "properties");
    const json* geometry = Member(feature, "geometry");
    const json* coordinates = geometry ? Member(*geometry, "coordinates") : nullptr;
    const json* magnitude = properties ? Member(*properties, "mag") : nullptr;
    if (!id || !id->is_number_integer() || id->get<int64_t>() <= 0 || id->get<int64_t>() > INT32_MAX)
        return false;
    if (!coordinates || !coordinates->is_array() || coordinates->size() < 2 ||
        !(*coordinates)[0].is_number() || !(*coordinates)[1].is_number())
        return false;
    if (!magnitude || !magnitude->is_number()) return false;
    star.hip = int32_t(id->get<int64_t>());
    const double ra = (*coordinates)[0].get<double>();  // -180 .. 180 degrees
    star.decDeg = (*coordinates)[1].get<double>();
    if (!(ra >= -180.0 && ra <= 360.0) || !(star.decDeg >= -90.0 && star.decDeg <= 90.0)) return false;
    star.raHours = (ra < 0.0 ? ra + 360.0 : ra) / 15.0;
    if (star.raHours >= 24.0) star.raHours -= 24.0;
    star.magnitude = magnitude->get<double>();
    star.hasColour = NumberOf(Member(*properties, "bv"), star.colour);
    if (!star.hasColour) star.colour = 0.0;
    return true;
}

int FlamsteedOf(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 255) return 0;
    return value;
}

}  // namespace

const HipStar* HipStarTable::Find(int32_t hip) const {
    const auto found = std::lower_bound(stars.begin(), stars.end(), hip,
                                        [](const HipStar& s, int32_t h) { return s.hip < h; });
    return found != stars.end() && found->hip == hip ? &*found : nullptr;
}

int ReadD3Stars(const std::string& path, HipStarTable& out, std::string& problem) {
    out.stars.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return 0;
    const json* features = Member(document, "features");
    if (!features || !features->is_array()) {
        problem = InputProblem(path, "no \"features\" list (not a GeoJSON feature collection)");
        return 0;
    }
    out.stars.reserve(features->size());
    for (size_t i = 0; i < features->size(); ++i) {
        HipStar star;
        if (!ReadFeature((*features)[i], star)) {
            problem = FeatureProblem(path, i, "is not a star (HIP id, position, magnitude)");
            out.stars.clear();
            return 0;
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
        return 0;
    }
    return 1;
}

int ReadD3StarNames(const std::string& path, std::map<int32_t, StarName>& out, std::string& problem) {
    out.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return 0;
    for (const auto& [key, value] : document.items()) {
        int32_t hip = 0;
        const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), hip);
        if (error != std::errc() || end != key.data() + key.size() || hip <= 0 || !value.is_object()) {
            problem = InputProblem(path, "entry \"" + key + "\" is not a HIP number with its names");
            out.clear();
            return 0;
        }
        StarName name;
        name.name = std::string(Trim(TextOf(Member(value, "name"))));
        name.bayer = TextOf(Member(value, "bayer"));
        name.flamsteed = FlamsteedOf(TextOf(Member(value, "flam")));
        out[hip] = std::move(name);
    }
    return 1;
}

}  // namespace vsp::databuild
