#pragma once
// The rows of the chart form's lists: the objects a user can centre on and the telescope
// entries (the zoom list shows the levels' fields of view).

#include <optional>
#include <string>
#include <vector>

#include "catalog/ObservingList.h"
#include "chart/ChartIdentify.h"
#include "chart/ChartObjects.h"

namespace vsp {

// The entries of the object table a user picks by name: the Sun, the Moon and the planets, the
// brightest comets and then the brightest minor planets at the chart's instant (brightest
// first), then the objects known by a number of the Messier or Caldwell lists ("M31" rather
// than "NGC 224"), Messier first, each list in number order. Indexes into the table.
std::vector<int> OfferedObjects(const std::vector<ChartObject>& objects);

// A row of the object list: its text and what choosing it selects (tableIndex -1 when the
// target is not in the object table: a star, a constellation, a meteor radiant).
struct ObjectListRow {
    std::string label;
    ChartSelection selection;
};
// The entries of the observing list when it has any, else the objects OfferedObjects names.
std::vector<ObjectListRow> ObjectListRows(const std::vector<ChartObject>& objects, const ObservingList& list);

// Rows of the telescope list, by position.
enum class ChartScopeEntry {
    TwoStarAlignment,
    NStarAlignment,
    GotoSelected,
    CentreOnScope,
    ScopeControl,
    FollowScope,
    ObjectInformation,
    Preferences,
    SyncOnSelected,
};
inline constexpr int kChartScopeEntryCount = 9;

const char* ScopeEntryText(ChartScopeEntry entry, bool following);

}  // namespace vsp
