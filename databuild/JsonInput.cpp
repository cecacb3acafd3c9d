#include "databuild/JsonInput.h"

#include <cstdlib>

#include "databuild/InputFiles.h"

namespace vsp::databuild {

using nlohmann::json;

bool ParseJsonObject(const std::string& path, json& document, std::string& problem) {
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    document = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (document.is_discarded() || !document.is_object()) {
        problem = InputProblem(path, "not a JSON object");
        return false;
    }
    return true;
}

const json* Member(const json* object, const char* key) {
    if (!object || !object->is_object()) return nullptr;
    const auto found = object->find(key);
    return found == object->end() ? nullptr : &*found;
}

std::string TextOf(const json* value) {
    return value && value->is_string() ? value->get<std::string>() : std::string();
}

std::optional<double> NumberOf(const json* value) {
    if (value && value->is_number()) return value->get<double>();
    const std::string text = TextOf(value);
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    return number;
}

const json* FeaturesOf(const json& document, const std::string& path, std::string& problem) {
    const json* features = Member(&document, "features");
    if (!features || !features->is_array()) {
        problem = InputProblem(path, kNoFeatureList);
        return nullptr;
    }
    return features;
}

const json* PointOf(const json& feature) {
    const json* coordinates = Member(Member(&feature, "geometry"), "coordinates");
    if (!coordinates || !coordinates->is_array() || coordinates->size() < 2 ||
        !(*coordinates)[0].is_number() || !(*coordinates)[1].is_number())
        return nullptr;
    return coordinates;
}

std::string FeatureProblem(const std::string& path, size_t index, std::string_view why) {
    return InputProblem(path, "feature " + std::to_string(index + 1) + " " + std::string(why));
}

}  // namespace vsp::databuild
