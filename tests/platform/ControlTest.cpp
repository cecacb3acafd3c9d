#include <gtest/gtest.h>

#include "platform/FormWindow.h"
#include "platform/SystemColours.h"

namespace vsp {
namespace {

FormTemplate ListForm() {
    return {.id = 1700, .title = "",
            .controls = {{1, ControlKind::Button, "Ok", Rect{0, 0, 40, 20}},
                         {2, ControlKind::List, "", Rect{0, 30, 100, 78}},  // three rows of 16
                         {3, ControlKind::StaticText, "hidden", Rect{0, 0, 40, 20}, false}}};
}

TEST(FormWindowTest, ScaledRectanglesAndHitTesting) {
    FormWindow big(7, ListForm(), DeviceCaps::ForDpi(192));
    EXPECT_EQ(std::pair(big.FindControl(2)->Bounds(), big.FindControl(2)->VisibleRows()), std::pair(Rect{0, 60, 200, 156}, 3));
    EXPECT_EQ(big.Bounds(), (Rect{0, 0, 480, 640}));

    FormWindow w(7, ListForm(), DeviceCaps{});
    EXPECT_EQ(w.ControlAt(5, 5)->Id(), 1);  // 3 is on top but hidden
    w.FindControl(3)->SetVisible(true);
    EXPECT_EQ(w.ControlAt(5, 5)->Id(), 3);
    EXPECT_EQ(w.ControlAt(99, 77)->Id(), 2);
    EXPECT_EQ(w.ControlAt(100, 77), nullptr);  // right edge is outside
}

TEST(ControlTest, RowsSelectionMarkAndScrolling) {
    FormWindow w(7, ListForm(), DeviceCaps{});
    Control& list = *w.FindControl(2);
    for (int i = 0; i < 10; ++i) list.InsertRow(i, std::to_string(i));
    list.SetRowState(1, true, true);
    list.SetRowState(3, true, true);  // one selected and focused row at a time
    EXPECT_FALSE(list.Row(1)->selected || list.Row(1)->focused);
    list.SetSelectionMark(3);
    list.InsertRow(0, "z");  // inserting above the mark keeps it on its row
    EXPECT_EQ(list.Row(list.SelectionMark())->text, "3");
    list.SetRowState(-1, true, false);  // every row, as the device allows for -1
    EXPECT_TRUE(list.Row(0)->selected && list.Row(10)->selected);

    const std::pair<int, int> scrolls[] = {{2, 0}, {7, 5}, {6, 5}, {1, 1}};  // row, top row after
    for (auto [row, top] : scrolls) {
        list.EnsureVisible(row);
        EXPECT_EQ(list.TopRow(), top) << row;
    }
    EXPECT_EQ(std::pair(list.RowAt(30 + 16 * 2 + 5), list.RowAt(29)), std::pair(3, -1));
}

struct CountingHook : ControlHook {
    explicit CountingHook(int& alive) : alive_(alive) { ++alive_; }
    ~CountingHook() override { --alive_; }
    int& alive_;
};

TEST(ControlTest, SubclassOnceAndReleaseFreesTheState) {
    int alive = 0;
    FormWindow w(7, ListForm(), DeviceCaps{});
    Control& button = *w.FindControl(1);
    EXPECT_TRUE(button.Subclass(std::make_unique<CountingHook>(alive)));
    EXPECT_FALSE(button.Subclass(std::make_unique<CountingHook>(alive)));
    EXPECT_EQ(alive, 1);
    {
        auto held = button.HookRef();  // a caller still inside the hook keeps it alive
        button.ReleaseSubclass();
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(button.Subclass(std::make_unique<CountingHook>(alive)));
    w.ReleaseAllHooks();
    EXPECT_EQ(alive, 0);
}

TEST(SystemColourTableTest, IndexListsRepeatAndRejectBadIndicesWhole) {
    SystemColourTable table;
    const int indices[] = {4, 15, 15};
    const Colour values[] = {0x10, 0x20, 0x30};
    EXPECT_TRUE(table.Set(indices, values));
    EXPECT_EQ(table.Get(15), 0x30u);  // the last one wins
    const SystemColourArray before = table.Values();
    const int bad[] = {3, 29};
    EXPECT_FALSE(table.Set(bad, std::span<const Colour>(values, 2)));
    EXPECT_EQ(table.Values(), before);  // nothing half done
    EXPECT_EQ(table.Get(-1), 0u);
}

}  // namespace
}  // namespace vsp
