#include "forms/ChartFormLists.h"

#include <algorithm>
#include <cctype>
#include <tuple>


namespace vsp {
namespace {

// The brightest comets and the brightest minor planets the list offers, each: enough for a
// night's targets, few enough to scroll; the chart's taps and the comet form reach the rest.
constexpr int kOfferedMinorBodies = 60;

// An object's label that is a list number ("M31", "C14"), split as the list's rank among the
// offered lists and the number; nothing for a catalog's own designation. A record no list
// names is labelled by its designation: its names are not built for this.
std::optional<std::pair<int, int>> ListNumber(const ChartObject& object) {
    if (object.recordIndex >= 0 && object.listName.catalog == 0) return std::nullopt;
    auto squeezed = [](std::string text) {
        std::erase(text, ' ');
        return text;
    };
    const std::string label = ChartLabel(object);
    if (label.size() < 2 || squeezed(label) == squeezed(ChartDesignation(object))) return std::nullopt;
    const char list = label[0];
    if ((list != 'M' && list != 'C') || !std::isdigit(static_cast<unsigned char>(label[1]))) return std::nullopt;
    return std::pair{list == 'M' ? 0 : 1, std::atoi(label.c_str() + 1)};
}

}  // namespace

std::vector<int> OfferedObjects(const std::vector<ChartObject>& objects) {
    std::vector<int> bodies;
    std::vector<std::tuple<int, int, int>> listed;  // list, number, index
    std::vector<std::tuple<int, int32_t, int>> minor;  // comets first, magnitude, index
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].kind == kKindPlanet) {
            bodies.push_back(int(i));
        } else if (IsMinorBodyEntry(objects[i])) {
            minor.emplace_back(objects[i].displayType != kDisplayComet, objects[i].magnitudeTenths, int(i));
        } else if (const auto number = ListNumber(objects[i])) {
            listed.emplace_back(number->first, number->second, int(i));
        }
    }
    std::ranges::sort(minor);
    int offered[2] = {0, 0};
    for (const auto& [group, magnitude, index] : minor) {
        if (offered[group]++ < kOfferedMinorBodies) bodies.push_back(index);
    }
    std::ranges::sort(listed);
    for (const auto& [list, number, index] : listed) bodies.push_back(index);
    return bodies;
}

namespace {

ChartSelection SelectionOf(const ChartObject& o, int index) {
    return ChartSelection{o.kind, o.number, o.displayType, o.raHours, o.decDeg, o.magnitudeTenths / 10.0f,
                          ChartLabel(o).substr(0, kSelectionNameLength), index};
}

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The object table's row of a list entry: the body of that name, the comet or minor planet of
// that label or designation, or the deep-sky object of the same catalog and number; -1 when
// the table has none.
int TableIndexOf(const std::vector<ChartObject>& objects, const ListEntry& entry) {
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChartObject& o = objects[i];
        bool match = false;
        if (entry.kind == kEntryPlanet) {
            match = o.kind == kKindPlanet && SameText(o.label, entry.name);
        } else if (IsMinorBodyEntry(o)) {
            match = entry.catalog == kKindMinorBody && (SameText(o.label, entry.name) || SameText(o.designation, entry.name));
        } else {
            match = o.kind == entry.catalog && o.number == entry.number;
        }
        if (match) return int(i);
    }
    return -1;
}

}  // namespace

std::vector<ObjectListRow> ObjectListRows(const std::vector<ChartObject>& objects, const ObservingList& list) {
    std::vector<ObjectListRow> rows;
    if (list.Empty()) {
        for (const int index : OfferedObjects(objects))
            rows.push_back({ChartLabel(objects[size_t(index)]), SelectionOf(objects[size_t(index)], index)});
        return rows;
    }
    for (const ListEntry& entry : list.Entries()) {
        const int index = TableIndexOf(objects, entry);
        if (index >= 0) {
            ChartSelection selection = SelectionOf(objects[size_t(index)], index);
            selection.name = entry.name.substr(0, kSelectionNameLength);
            rows.push_back({entry.name, selection});
            continue;
        }
        rows.push_back({entry.name, ChartSelection{entry.catalog, entry.number, entry.type, entry.ra, entry.dec,
                                                   entry.magnitudeX10 / 10.0f, entry.name.substr(0, kSelectionNameLength), -1}});
    }
    return rows;
}

const char* ScopeEntryText(ChartScopeEntry entry, bool following) {
    static constexpr const char* kRows[kChartScopeEntryCount] = {
        "2-Star Alignment", "N-Star Alignment", "GoTo Object", "Center on Scope", "Scope Control",
        "Follow Scope",     "Object Info",      "Preferences", "Sync on Object"};
    if (entry == ChartScopeEntry::FollowScope && following) return "Stop Following";
    return kRows[int(entry)];
}

}  // namespace vsp
