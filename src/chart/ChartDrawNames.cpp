// The names on the chart: drawn where their layers ask, or, with the label priority, the most
// important first and each only where it covers no other name and none of the fixed text.
#include <algorithm>
#include <cstdlib>

#include "chart/ChartRedraw.h"

namespace vsp {

namespace {

constexpr int kCellPixels = 32;

bool Meets(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Boxes by the cells of a coarse grid they reach, so that a test looks at the few nearby.
class BoxGrid {
public:
    BoxGrid(int width, int height)
        : columns_(std::max(1, width / kCellPixels + 1)), rows_(std::max(1, height / kCellPixels + 1)),
          cells_(size_t(columns_) * size_t(rows_)) {}

    void Add(const Rect& box) {
        const int index = int(boxes_.size());
        boxes_.push_back(box);
        ForCells(box, [&](std::vector<int>& cell) {
            cell.push_back(index);
            return false;
        });
    }
    bool AnyMeets(const Rect& box) {
        return ForCells(box, [&](std::vector<int>& cell) {
            return std::ranges::any_of(cell, [&](int i) { return Meets(boxes_[size_t(i)], box); });
        });
    }

private:
    template <class Visit>
    bool ForCells(const Rect& box, Visit visit) {
        const int left = Column(box.left), right = Column(box.right - 1);
        const int top = Row(box.top), bottom = Row(box.bottom - 1);
        for (int row = top; row <= bottom; ++row) {
            for (int column = left; column <= right; ++column) {
                if (visit(cells_[size_t(row) * size_t(columns_) + size_t(column)])) return true;
            }
        }
        return false;
    }
    int Column(int x) const { return std::clamp(x / kCellPixels, 0, columns_ - 1); }
    int Row(int y) const { return std::clamp(y / kCellPixels, 0, rows_ - 1); }

    int columns_, rows_;
    std::vector<std::vector<int>> cells_;
    std::vector<Rect> boxes_;
};

}  // namespace

void ChartRedraw::RequestName(NameRequest request) {
    if (Prioritised()) {
        names_.push_back(std::move(request));
    } else {
        DrawName(request, request.x);
    }
}

void ChartRedraw::DrawName(const NameRequest& request, int x) {
    canvas_.SetTextColour(request.colour);
    canvas_.DrawText(x, request.y, request.text, request.font, TextBackground::Transparent);
    const Rect box = Intersect(canvas_.TextInk(x, request.y, request.text, request.font), MakeRect(0, 0, width_, height_));
    if (box.left < box.right && box.top < box.bottom) drawn_.labels.push_back(DrawnLabel{request.text, box});
}

void ChartRedraw::DrawFixedText(int x, int y, std::string_view text, FontId font) {
    canvas_.DrawText(x, y, text, font, TextBackground::Transparent);
    taken_.push_back(canvas_.TextInk(x, y, text, font));
}

void ChartRedraw::PlaceNamesByPriority() {
    std::ranges::stable_sort(names_, [](const NameRequest& a, const NameRequest& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.magnitude < b.magnitude;
    });
    const Rect chart = MakeRect(0, 0, width_, height_);
    BoxGrid boxes(width_, height_);
    for (const Rect& box : taken_) boxes.Add(box);
    // Each named object's clearance box: a later object inside it goes without a name.
    BoxGrid cleared(width_, height_);
    for (const NameRequest& request : names_) {
        if (request.anchor && cleared.AnyMeets(MakeRect(request.anchor->x, request.anchor->y, 1, 1))) continue;
        for (const std::optional<int> x : {std::optional(request.x), request.otherX}) {
            if (!x) continue;
            const Rect box = canvas_.TextInk(*x, request.y, request.text, request.font);
            if (box.left >= box.right || Intersect(box, chart) != box || boxes.AnyMeets(box)) continue;
            DrawName(request, *x);
            boxes.Add(box);
            if (request.anchor) {
                const ScreenPoint& a = *request.anchor;
                cleared.Add(Rect{a.x - kNameClearX + 1, a.y - kNameClearY + 1, a.x + kNameClearX, a.y + kNameClearY});
            }
            break;
        }
    }
    names_.clear();
}

}  // namespace vsp
