#include <nlohmann/json.hpp>

#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"
#include "databuild/JsonInput.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp::databuild {

namespace {

using nlohmann::json;

bool IsLocalGroupRowId(const std::string& id) {
    for (const char* prefix : {"Palomar", "Terzan", "UGCA"}) {
        const std::string_view start(prefix);
        if (id.size() > start.size() && id.compare(0, start.size(), start) == 0 &&
            id.find_first_not_of("0123456789", start.size()) == std::string::npos)
            return true;
    }
    return false;
}

bool ReadLocalGroupFeature(const json& feature, LocalGroupObject& object, std::string& why) {
    const json* properties = Member(&feature, "properties");
    const json* coordinates = PointOf(feature);
    if (!properties || !properties->is_object()) {
        why = "has no properties";
        return false;
    }
    if (!coordinates) {
        why = "has no point coordinates";
        return false;
    }
    object.name = TextOf(Member(properties, "name"));
    object.raDeg = ReduceAngle((*coordinates)[0].get<double>(), 360.0);
    object.decDeg = (*coordinates)[1].get<double>();
    // d3 writes numbers as strings ("13.2", "" when unknown) and sometimes as numbers.
    object.magnitude = NumberOf(Member(properties, "mag")).value_or(LocalGroupObject{}.magnitude);
    // "5.0x3.1" or "2.8": the first figure is the major axis.
    object.majorArcmin = NumberOf(Member(properties, "dim")).value_or(LocalGroupObject{}.majorArcmin);
    object.type = TextOf(Member(properties, "type"));
    return true;
}

// dsos.20.json is 17 MB of which only two strings per feature matter: read it as a stream of
// events instead of building the whole document tree (measured: well under half the time).
class MorphologyEvents : public nlohmann::json_sax<json> {
public:
    explicit MorphologyEvents(std::map<std::string, std::string>& out) : out_(out) {}

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool string(string_t& value) override {
        if (InFeature() && key_ == "id") id_ = value, hasId_ = true;
        if (inProperties_ && depth_ == kFeatureDepth + 1 && key_ == "morph") morphology_ = value;
        return true;
    }
    bool key(string_t& value) override {
        key_ = value;
        return true;
    }
    bool start_object(std::size_t) override {
        ++depth_;
        if (InFeature()) id_.clear(), morphology_.clear(), hasId_ = false, ++features_;
        if (inFeatures_ && depth_ == kFeatureDepth + 1 && key_ == "properties") inProperties_ = true;
        return true;
    }
    bool end_object() override {
        if (inProperties_ && depth_ == kFeatureDepth + 1) inProperties_ = false;
        if (InFeature() && !FinishFeature()) return false;
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override {
        ++depth_;
        if (depth_ == kFeatureDepth - 1 && key_ == "features") inFeatures_ = sawFeatures_ = true;
        return true;
    }
    bool end_array() override {
        if (depth_ == kFeatureDepth - 1) inFeatures_ = false;
        --depth_;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        if (fault_.empty()) fault_ = "not valid JSON";
        return false;
    }

    // Why the file was refused; empty when it was read.
    std::string Fault() const {
        if (!fault_.empty()) return fault_;
        if (!sawFeatures_) return std::string(kNoFeatureList);
        return {};
    }

private:
    static constexpr int kFeatureDepth = 3;  // document, features list, feature

    bool InFeature() const { return inFeatures_ && depth_ == kFeatureDepth; }
    bool FinishFeature() {
        if (!hasId_ || id_.empty()) {
            fault_ = "feature " + std::to_string(features_) + " has no id";
            return false;
        }
        // The first feature of an id wins, as the merge takes a source's first row.
        if (!morphology_.empty()) out_.emplace(id_, morphology_);
        return true;
    }

    std::map<std::string, std::string>& out_;
    int depth_ = 0;
    size_t features_ = 0;
    bool inFeatures_ = false, sawFeatures_ = false, inProperties_ = false, hasId_ = false;
    std::string key_, id_, morphology_, fault_;
};

}  // namespace

bool ReadD3Names(const std::string& path, std::map<std::string, std::string>& out,
                std::string& problem) {
    out.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return false;
    for (const auto& [key, entry] : document.items()) {
        const json* name = Member(&entry, "name");
        if (!name || !name->is_string()) {
            problem = InputProblem(path, "entry \"" + key + "\" has no name");
            out.clear();
            return false;
        }
        out.emplace(key, name->get<std::string>());
    }
    return true;
}

bool ReadD3Morphology(const std::string& path, std::map<std::string, std::string>& out,
                     std::string& problem) {
    out.clear();
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    MorphologyEvents events(out);
    json::sax_parse(text, &events);
    const std::string fault = events.Fault();
    if (fault.empty()) return true;
    problem = InputProblem(path, fault);
    out.clear();
    return false;
}

bool ReadD3LocalGroup(const std::string& path, std::vector<LocalGroupObject>& out,
                     std::string& problem) {
    out.clear();
    json document;
    if (!ParseJsonObject(path, document, problem)) return false;
    const json* features = FeaturesOf(document, path, problem);
    if (!features) return false;
    for (size_t i = 0; i < features->size(); ++i) {
        const json& feature = (*features)[i];
        const std::string id = TextOf(Member(&feature, "id"));
        if (!IsLocalGroupRowId(id)) continue;
        LocalGroupObject object;
        object.id = id;
        std::string why;
        if (!ReadLocalGroupFeature(feature, object, why)) {
            problem = FeatureProblem(path, i, "(" + id + ") " + why);
            out.clear();
            return false;
        }
        out.push_back(std::move(object));
    }
    return true;
}

}  // namespace vsp::databuild
