#include "platform/Icons.h"

#include <iterator>

#include "platform/tables/IconData.h"

namespace vsp {

namespace data = icon_data;

static_assert(std::size(data::kSmallCoverage) == kIconCount && std::size(data::kLargeCoverage) == kIconCount);

IconImage FindIcon(IconId id, double scale, int maxSide) {
    const int index = int(id) - 1;
    if (index < 0 || index >= kIconCount) return {};
    if (scale >= 1.5 && data::kLargeSide <= maxSide) return {data::kLargeSide, data::kLargeCoverage[index]};
    if (data::kSmallSide <= maxSide) return {data::kSmallSide, data::kSmallCoverage[index]};
    return {};
}

}  // namespace vsp
