#pragma once
// Reading d3-celestial's JSON files: the whole document, members that may be missing, and
// the numbers d3 writes as text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vsp::databuild {

inline constexpr std::string_view kNoFeatureList =
    "no \"features\" list (not a GeoJSON feature collection)";

// The file (gzip or plain) as a JSON object; false with `problem` on failure.
bool ParseJsonObject(const std::string& path, nlohmann::json& document, std::string& problem);

// The member `key` of an object; null when `object` is null, no object or has no such member.
const nlohmann::json* Member(const nlohmann::json* object, const char* key);
// The string, or "" for anything else.
std::string TextOf(const nlohmann::json* value);
// A number, or a string that starts with one ("13.2"); nothing for "" and other values.
std::optional<double> NumberOf(const nlohmann::json* value);

// The feature list of a GeoJSON FeatureCollection; null (with the problem) when absent.
const nlohmann::json* FeaturesOf(const nlohmann::json& document, const std::string& path,
                                 std::string& problem);
// The [longitude, latitude] of a feature's point geometry; null when it has none.
const nlohmann::json* PointOf(const nlohmann::json& feature);
// "PATH: feature N WHY", N counted from 1.
std::string FeatureProblem(const std::string& path, size_t index, std::string_view why);

}  // namespace vsp::databuild
