#include <algorithm>
#include <map>

#include "databuild/ObjectFileLayout.h"

namespace vsp::databuild {

namespace {

struct Part {
    ClassPart part;
    int32_t first;  // first code of the part
    int32_t size;
};

constexpr Part kParts[] = {{ClassPart::kGalaxy, 0, 100},
                           {ClassPart::kCluster, 100, 100},
                           {ClassPart::kNebula, 200, kClassTextCount - 200}};

}  // namespace

std::vector<std::string> ChooseClassTexts(const std::vector<DsoObject>& objects,
                                          const std::vector<bool>& listed, std::vector<uint16_t>& codes) {
    std::vector<std::string> texts(static_cast<size_t>(kClassTextCount), std::string());
    codes.assign(objects.size(), kNoSmallCode);
    for (const Part& part : kParts) {
        std::map<std::string, std::pair<bool, int32_t>> counts;  // text -> (of a list object, count)
        for (size_t i = 0; i < objects.size(); ++i) {
            const DsoObject& object = objects[i];
            if (object.classPart != part.part || object.classText.empty()) continue;
            auto& [ofListObject, count] = counts[object.classText];
            ofListObject = ofListObject || listed[i];
            ++count;
        }
        std::vector<std::pair<std::string, std::pair<bool, int32_t>>> ranked(counts.begin(), counts.end());
        // The texts of list objects first, then the most frequent; equal ranks in text order,
        // so the table never depends on anything but the inputs.
        std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
            return std::make_pair(a.second.first, a.second.second) > std::make_pair(b.second.first, b.second.second);
        });
        std::map<std::string, uint16_t> code;
        for (int32_t i = 0; i < part.size && size_t(i) < ranked.size(); ++i) {
            texts[size_t(part.first + i)] = ranked[size_t(i)].first;
            code[ranked[size_t(i)].first] = uint16_t(part.first + i);
        }
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i].classPart != part.part) continue;
            const auto found = code.find(objects[i].classText);
            if (found != code.end()) codes[i] = found->second;
        }
    }
    return texts;
}

}  // namespace vsp::databuild
