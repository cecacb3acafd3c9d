#include <gtest/gtest.h>

#include "platform/FormWindow.h"
#include "platform/SystemColours.h"

namespace vsp {
namespace {

FormTemplate ListForm() {
    FormTemplate t;
    t.id = 1700;
    t.title = "Choose";
    t.controls = {{1, ControlKind::Button, "Ok", Rect{0, 0, 40, 20}},
                  {2, ControlKind::List, "", Rect{0, 30, 100, 78}},  // three rows of 16
                  {3, ControlKind::StaticText, "hidden", Rect{0, 0, 40, 20}, false}};
    return t;
}

TEST(FormWindowTest, TemplateRectanglesAreScaledToTheDevice) {
    FormWindow w(7, ListForm(), DeviceCaps::ForDpi(192));
    EXPECT_EQ(w.FindControl(2)->Bounds(), (Rect{0, 60, 200, 156}));
    EXPECT_EQ(w.FindControl(2)->RowHeight(), 32);
    EXPECT_EQ(w.FindControl(2)->VisibleRows(), 3);
    EXPECT_EQ(w.Bounds(), (Rect{0, 0, 480, 640}));
    EXPECT_EQ(w.FindControl(99), nullptr);
}

TEST(FormWindowTest, HitTestSkipsHiddenControlsAndPrefersTheLaterOne) {
    FormWindow w(7, ListForm(), DeviceCaps{});
    EXPECT_EQ(w.ControlAt(5, 5)->Id(), 1);  // 3 is on top but hidden
    w.FindControl(3)->SetVisible(true);
    EXPECT_EQ(w.ControlAt(5, 5)->Id(), 3);
    EXPECT_EQ(w.ControlAt(5, 25), nullptr);
    EXPECT_EQ(w.ControlAt(99, 77)->Id(), 2);
    EXPECT_EQ(w.ControlAt(100, 77), nullptr);  // right edge is outside
}

TEST(ControlTest, OneSelectedAndOneFocusedRow) {
    FormWindow w(7, ListForm(), DeviceCaps{});
    Control& list = *w.FindControl(2);
    for (const char* t : {"a", "b", "c", "d", "e"}) list.InsertRow(list.RowCount(), t);
    list.SetRowState(1, true, true);
    list.SetRowState(3, true, true);
    EXPECT_FALSE(list.Row(1)->selected);
    EXPECT_FALSE(list.Row(1)->focused);
    EXPECT_TRUE(list.Row(3)->selected);
    list.SetRowState(-1, false, false);
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_FALSE(list.Row(i)->selected);
    list.SetRowState(-1, true, false);  // every row, as the device allows for -1
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_TRUE(list.Row(i)->selected);
}

TEST(ControlTest, InsertingAboveTheMarkKeepsItOnItsRow) {
    FormWindow w(7, ListForm(), DeviceCaps{});
    Control& list = *w.FindControl(2);
    list.InsertRow(0, "x");
    list.InsertRow(0, "y");
    list.SetSelectionMark(1);  // "x"
    list.InsertRow(0, "z");
    EXPECT_EQ(list.Row(list.SelectionMark())->text, "x");
    list.InsertRow(99, "end");
    EXPECT_EQ(list.Row(3)->text, "end");
}

TEST(ControlTest, EnsureVisibleScrollsTheLeastNeeded) {
    FormWindow w(7, ListForm(), DeviceCaps{});
    Control& list = *w.FindControl(2);
    for (int i = 0; i < 10; ++i) list.InsertRow(i, std::to_string(i));
    list.EnsureVisible(2);
    EXPECT_EQ(list.TopRow(), 0);
    list.EnsureVisible(7);
    EXPECT_EQ(list.TopRow(), 5);
    list.EnsureVisible(6);
    EXPECT_EQ(list.TopRow(), 5);
    list.EnsureVisible(1);
    EXPECT_EQ(list.TopRow(), 1);
    EXPECT_EQ(list.RowAt(30 + 16 * 2 + 5), 3);
    EXPECT_EQ(list.RowAt(29), -1);
}

struct CountingHook : ControlHook {
    explicit CountingHook(int& alive) : alive_(alive) { ++alive_; }
    ~CountingHook() override { --alive_; }
    bool OnKey(Control&, const KeyPress&) override { return true; }
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
        EXPECT_EQ(button.Hook(), nullptr);
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(button.Subclass(std::make_unique<CountingHook>(alive)));
    w.ReleaseAllHooks();
    EXPECT_EQ(alive, 0);
}

TEST(SystemColourTableTest, IndexListsRepeatAndRejectBadIndices) {
    SystemColourTable table;
    const int indices[] = {4, 15, 15};
    const Colour values[] = {0x10, 0x20, 0x30};
    EXPECT_TRUE(table.Set(indices, values));
    EXPECT_EQ(table.Get(4), 0x10u);
    EXPECT_EQ(table.Get(15), 0x30u);  // the last one wins
    const SystemColourArray before = table.Values();
    const int bad[] = {3, 29};
    const Colour two[] = {1, 2};
    EXPECT_FALSE(table.Set(bad, two));
    EXPECT_EQ(table.Values(), before);  // nothing half done
    const int get[] = {15, 4, 15};
    Colour out[3] = {};
    EXPECT_TRUE(table.Get(get, out));
    EXPECT_EQ(out[0], 0x30u);
    EXPECT_EQ(out[1], 0x10u);
    EXPECT_EQ(table.Get(-1), 0u);
    EXPECT_EQ(table.ChangeCount(), 1);
}

TEST(ColourTest, StoredAsBlueGreenRed) {
    EXPECT_EQ(MakeColour(0x3E, 0x41, 0xC8), 0xC8413Eu);
    EXPECT_EQ(ColourBlue(0xC8413E), 0xC8);
    EXPECT_EQ(ColourRed(0xC8413E), 0x3E);
}

}  // namespace
}  // namespace vsp
