#include "forms/ChartFormLists.h"

#include <algorithm>
#include <cctype>
#include <tuple>


namespace vsp {
namespace {

// An object's label that is a list number ("M31", "C14"), split as the list's rank among the
// offered lists and the number; nothing for a catalog's own designation.
std::optional<std::pair<int, int>> ListNumber(const ChartObject& object) {
    auto squeezed = [](std::string text) {
        std::erase(text, ' ');
        return text;
    };
    if (object.label.size() < 2 || squeezed(object.label) == squeezed(object.designation)) return std::nullopt;
    const char list = object.label[0];
    if ((list != 'M' && list != 'C') || !std::isdigit(static_cast<unsigned char>(object.label[1]))) return std::nullopt;
    return std::pair{list == 'M' ? 0 : 1, std::atoi(object.label.c_str() + 1)};
}

}  // namespace

std::vector<int> OfferedObjects(const std::vector<ChartObject>& objects) {
    std::vector<int> bodies;
    std::vector<std::tuple<int, int, int>> listed;  // list, number, index
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].kind == kKindPlanet) {
            bodies.push_back(int(i));
        } else if (const auto number = ListNumber(objects[i])) {
            listed.emplace_back(number->first, number->second, int(i));
        }
    }
    std::ranges::sort(listed);
    for (const auto& [list, number, index] : listed) bodies.push_back(index);
    return bodies;
}

const char* ScopeEntryText(ChartScopeEntry entry, bool following) {
    static constexpr const char* kRows[kChartScopeEntryCount] = {
        "2-Star Alignment", "N-Star Alignment", "GoTo Object", "Center on Scope", "Scope Control",
        "Follow Scope",     "Object Info",      "Preferences", "Sync on Object"};
    if (entry == ChartScopeEntry::FollowScope && following) return "Stop Following";
    return kRows[int(entry)];
}

}  // namespace vsp
