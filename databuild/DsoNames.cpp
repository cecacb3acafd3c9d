#include "databuild/DsoNames.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "catalog/CatalogTable.h"
#include "databuild/DsoDesignations.h"
#include "databuild/DsoValues.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

using KeyMap = std::unordered_map<std::string, int32_t>;
using TextMap = std::unordered_map<std::string, std::string>;

// Every key under which names.dat or d3 may name the object, most specific first.
std::vector<std::string> ObjectKeys(const DsoSources& sources, const DsoObject& object) {
    std::vector<std::string> keys;
    std::vector<int32_t> rows;
    if (object.stellariumRow >= 0) rows.push_back(object.stellariumRow);
    rows.insert(rows.end(), object.mergedStellariumRows.begin(), object.mergedStellariumRows.end());
    for (int32_t row : rows) {
        const StellariumDso& source = sources.stellarium[size_t(row)];
        for (int slot = 0; slot < kStellariumIdCount; ++slot)
            if (!source.ids[size_t(slot)].empty())
                keys.push_back(NameKey(StellariumSlotPrefix(slot), source.ids[size_t(slot)]));
        keys.push_back(std::string("#").append(std::to_string(source.number)));
    }
    for (const TableDesignation& d : object.designations) {
        const char* prefix = d.catalog == kCatalogNgc       ? "NGC"
                             : d.catalog == kCatalogIc      ? "IC"
                             : d.catalog == kCatalogMessier ? "M"
                             : d.catalog == kCatalogCaldwell ? "C"
                                                             : nullptr;
        if (prefix) keys.push_back(NameKey(prefix, std::to_string(d.number)));
    }
    return keys;
}

// d3 writes its keys as one text ("NGC 224"); the first of equal keys wins.
TextMap NormalizedKeys(const std::map<std::string, std::string>& byText) {
    TextMap out;
    for (const auto& [text, value] : byText) {
        const std::string key = NameKeyOfText(text);
        if (!key.empty()) out.emplace(key, value);
    }
    return out;
}

const std::string* FirstFound(const TextMap& map, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        const auto found = map.find(key);
        if (found != map.end()) return &found->second;
    }
    return nullptr;
}

std::string LongNameCommonPart(const std::string& longName) {
    size_t start = 0;
    while (start <= longName.size()) {
        size_t end = longName.find(',', start);
        if (end == std::string::npos) end = longName.size();
        const std::string_view part = TrimBlanks(std::string_view(longName).substr(start, end - start));
        if (!part.empty() && !LooksLikeDesignation(std::string(part))) return std::string(part);
        start = end + 1;
    }
    return {};
}

void SetClassText(const DsoSources& sources, const TextMap& d3Morphology,
                  const std::vector<std::string>& keys, DsoObject& object) {
    object.classPart = ClassPartOfType(object.type);
    object.classText.clear();
    if (object.classPart == ClassPart::kNone) return;
    if (object.stellariumRow >= 0)
        object.classText = ClassTextOf(sources.stellarium[size_t(object.stellariumRow)].morphology, object.classPart);
    if (object.classText.empty())
        if (const std::string* morphology = FirstFound(d3Morphology, keys))
            object.classText = ClassTextOf(*morphology, object.classPart);
}

}  // namespace

void SetNamesAndClassTexts(const DsoSources& sources, std::vector<DsoObject>& objects) {
    std::vector<std::vector<std::string>> keys(objects.size());
    KeyMap owner;
    for (size_t i = 0; i < objects.size(); ++i) {
        keys[i] = ObjectKeys(sources, objects[i]);
        for (const std::string& key : keys[i]) owner.emplace(key, int32_t(i));
    }
    for (const StellariumName& line : sources.names) {
        const auto found = owner.find(NameKey(line.prefix, line.id));
        if (found == owner.end()) continue;
        std::string& name = objects[size_t(found->second)].commonName;
        if (name.empty()) name = line.name;
    }
    const TextMap d3Names = NormalizedKeys(sources.d3Names);
    const TextMap d3Morphology = NormalizedKeys(sources.d3Morphology);
    for (size_t i = 0; i < objects.size(); ++i) {
        DsoObject& object = objects[i];
        if (object.commonName.empty())
            if (const std::string* name = FirstFound(d3Names, keys[i])) object.commonName = *name;
        if (object.commonName.empty() && object.openNgcRow >= 0)
            object.commonName = LongNameCommonPart(sources.openNgc[size_t(object.openNgcRow)].longName);
        SetClassText(sources, d3Morphology, keys[i], object);
    }
}

}  // namespace vsp::databuild
