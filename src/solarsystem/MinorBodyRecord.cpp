#include "solarsystem/MinorBodyRecord.h"

#include <algorithm>
#include <cctype>

namespace vsp {
namespace {

// Lower case, blanks dropped: "C/2023 A3" and "c/2023a3" compare equal.
std::string Folded(std::string_view text) {
    std::string out;
    for (char c : text)
        if (!std::isspace(uint8_t(c))) out += char(std::tolower(uint8_t(c)));
    return out;
}

}  // namespace

std::string MinorBodyLabel(const MinorBodyRecord& r) {
    if (r.name.empty()) return r.designation;
    if (r.elements.kind == MinorBodyKind::MinorPlanet) return r.designation + ' ' + r.name;
    if (r.number > 0) return r.designation + '/' + r.name;
    return r.designation + " (" + r.name + ')';
}

bool NamesMinorBody(const MinorBodyRecord& record, std::string_view typed) {
    const std::string wanted = Folded(typed);
    if (wanted.empty()) return false;
    return wanted == Folded(record.designation) || wanted == Folded(record.name) ||
           wanted == Folded(MinorBodyLabel(record)) || (record.number > 0 && wanted == std::to_string(record.number));
}

std::vector<int> MatchMinorBodies(const std::vector<MinorBodyRecord>& records, std::string_view typed, size_t limit) {
    const std::string wanted = Folded(typed);
    if (wanted.empty()) return {};
    // 0: begins with it, 1: holds it further on, 2: the number is it.
    std::vector<int> ranked[3];
    for (size_t i = 0; i < records.size(); ++i) {
        size_t best = std::string::npos;
        for (const std::string& text : {records[i].designation, records[i].name, MinorBodyLabel(records[i])})
            best = std::min(best, Folded(text).find(wanted));
        if (best != std::string::npos) ranked[best == 0 ? 0 : 1].push_back(int(i));
        else if (records[i].number > 0 && std::to_string(records[i].number) == wanted) ranked[2].push_back(int(i));
    }
    std::vector<int> found;
    for (const auto& rank : ranked) found.insert(found.end(), rank.begin(), rank.end());
    if (found.size() > limit) found.resize(limit);
    return found;
}

}  // namespace vsp
