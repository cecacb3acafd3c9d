#include "databuild/StarSelection.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <tuple>

namespace vsp::databuild {

namespace {

// Which HR number of a HIP star is the star itself: the primary "A", then the unsplit
// system, then the other components.
int ComponentRank(const std::string& component) {
    if (component == "A") return 0;
    if (component.empty()) return 1;
    return 2;
}

bool Brighter(const HipStar* a, const HipStar* b) {
    return std::tie(a->magnitude, a->hip) < std::tie(b->magnitude, b->hip);
}

}  // namespace

HrSelection::HrSelection(const StarSources& sources) {
    std::map<int32_t, const HipStar*> starOfHr;
    std::set<int32_t> named;
    for (const CrossId& line : sources.crossIds) {
        named.insert(line.hr);
        linesOfHip_.emplace(line.hip, &line);
        const HipStar* star = sources.hipStars.Find(line.hip);
        if (!star) continue;
        auto [at, inserted] = starOfHr.emplace(line.hr, star);
        if (!inserted && Brighter(star, at->second)) at->second = star;
    }
    withoutStar_ = int32_t(named.size() - starOfHr.size());
    std::map<int32_t, std::pair<int, int32_t>> bestOfHip;  // HIP -> (rank, HR)
    for (const auto& [hr, star] : starOfHr) {
        stars_.push_back({hr, star});
        int rank = 2;
        const auto [first, last] = linesOfHip_.equal_range(star->hip);
        for (auto it = first; it != last; ++it)
            if (it->second->hr == hr) rank = std::min(rank, ComponentRank(it->second->component));
        const std::pair<int, int32_t> key{rank, hr};
        auto [at, inserted] = bestOfHip.emplace(star->hip, key);
        if (!inserted && key < at->second) at->second = key;
    }
    for (const auto& [hip, key] : bestOfHip) hrOfHip_[hip] = key.second;
}

const HipStar* HrSelection::StarOfHr(int32_t hr) const {
    const auto found = std::lower_bound(stars_.begin(), stars_.end(), hr,
                                        [](const ChosenStar& s, int32_t n) { return s.number < n; });
    return found != stars_.end() && found->number == hr ? found->star : nullptr;
}

int32_t HrSelection::FigureHr(int32_t hip) const {
    if (const auto own = hrOfHip_.find(hip); own != hrOfHip_.end()) return own->second;
    // Every HR number of this HIP star went to a brighter component: the figure's star is
    // that component, as the default file holds it.
    std::vector<std::pair<int, int32_t>> ranked;
    const auto [first, last] = linesOfHip_.equal_range(hip);
    for (auto it = first; it != last; ++it) ranked.emplace_back(ComponentRank(it->second->component), it->second->hr);
    std::sort(ranked.begin(), ranked.end());
    for (const auto& [rank, hr] : ranked) {
        const HipStar* star = StarOfHr(hr);
        if (!star) continue;
        if (const auto other = hrOfHip_.find(star->hip); other != hrOfHip_.end()) return other->second;
    }
    return 0;
}

bool SelectDefaultStars(const StarSources& sources, const HrSelection& hr, int count,
                       DefaultSelection& out, std::string& problem) {
    out = DefaultSelection{};
    std::set<int32_t> chosen;
    std::set<int32_t> withoutHr;
    for (const auto& set : sources.figureSets)
        for (const Figure& figure : set)
            for (const FigureSegment& segment : figure.segments)
                for (int32_t hip : {segment.fromHip, segment.toHip}) {
                    if (const int32_t number = hr.FigureHr(hip)) chosen.insert(number);
                    else withoutHr.insert(hip);
                }
    out.figureStars = int32_t(chosen.size());
    out.figureHipsWithoutHr.assign(withoutHr.begin(), withoutHr.end());
    if (int(chosen.size()) > count) {
        problem = "The constellation figures use " + std::to_string(chosen.size()) +
                  " stars; the default star file holds only " + std::to_string(count);
        return false;
    }
    std::vector<ChosenStar> others;
    for (const auto& [hip, number] : hr.HrOfHip())
        if (!chosen.count(number)) others.push_back({number, hr.StarOfHr(number)});
    std::sort(others.begin(), others.end(), [](const ChosenStar& a, const ChosenStar& b) {
        return std::tie(a.star->magnitude, a.number) < std::tie(b.star->magnitude, b.number);
    });
    for (size_t i = 0; i < others.size() && int(chosen.size()) < count; ++i) {
        chosen.insert(others[i].number);
        out.faintestOther = others[i].star->magnitude;
    }
    if (int(chosen.size()) < count) {
        problem = "Only " + std::to_string(chosen.size()) +
                  " HR stars have a Hipparcos position; the default star file needs " + std::to_string(count);
        return false;
    }
    for (int32_t number : chosen) out.stars.push_back({number, hr.StarOfHr(number)});
    return true;
}

std::vector<ChosenStar> SelectBrightestHip(const HipStarTable& table, size_t count) {
    std::vector<const HipStar*> order;
    order.reserve(table.stars.size());
    for (const HipStar& star : table.stars) order.push_back(&star);
    count = std::min(count, order.size());
    std::partial_sort(order.begin(), order.begin() + std::ptrdiff_t(count), order.end(), Brighter);
    std::vector<ChosenStar> out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) out.push_back({order[i]->hip, order[i]});
    return out;
}

}  // namespace vsp::databuild
