#include <cstring>

#include "ShellFixture.h"
#include "shell/Form.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/Scale.h"

namespace vsp::test {
namespace {

constexpr int kName = 10;
constexpr int kList = 20;
constexpr int kTrigger = 30;
constexpr int kPopup = 31;

// A form with a text field, a list and a popup whose trigger sits at `triggerTop`.
class FieldsForm : public Form {
public:
    explicit FieldsForm(int triggerTop) : triggerTop_(triggerTop) {}
    FormTemplate BuildTemplate(AppState&, int) override {
        FormTemplate t;
        t.title = "Fields";
        t.controls = {{8000, ControlKind::TitleButton, "", Rect{0, 0, 50, 20}},
                      {kName, ControlKind::Edit, "start", Rect{0, 30, 100, 50}},
                      {kList, ControlKind::List, "", Rect{0, 60, 120, 108}},  // 3 rows of 16
                      {kTrigger, ControlKind::PopupTrigger, "", Rect{10, triggerTop_, 110, triggerTop_ + 20}},
                      {kPopup, ControlKind::List, "", Rect{0, 0, 100, 10}}};
        return t;
    }
    void OnOpen(AppState& state, FormWindow& window) override { InitTitle(state, window); }

private:
    int triggerTop_;
};

class FormOpsTest : public ShellTest {
protected:
    explicit FormOpsTest(const DeviceCaps& caps = DeviceCaps{}) : ShellTest(caps) {}
    void OpenFields(int triggerTop = 40) {
        CreateMainWindow();
        RegisterForm(state, 1200, [=](AppState&, int) { return std::make_unique<FieldsForm>(triggerTop); });
        Open(1200);
        ASSERT_EQ(OpenFormId(), 1200);
    }
    Control& C(int id) { return *state.currentFormWindow->FindControl(id); }
    void AddRows(int listId, int n) {
        for (int i = 0; i < n; ++i) AddListRow(state, listId, "row" + std::to_string(n - 1 - i));
    }
};

TEST_F(FormOpsTest, FieldsRoundTripAndBufferIsBounded) {
    OpenFields();
    EXPECT_TRUE(SetField(state, kName, "M31 \xB0"));
    char buffer[16];
    EXPECT_EQ(GetField(state, kName, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "M31 \xB0");
    char small[4];
    GetField(state, kName, small, sizeof small);
    EXPECT_STREQ(small, "M31");
    EXPECT_TRUE(windows.Boxes().Shown().empty());
}

TEST_F(FormOpsTest, MissingControlsGiveTheirBoxesAndDoNothing) {
    OpenFields();
    EXPECT_TRUE(SetField(state, 999, "x"));
    char buffer[8] = "stale";
    EXPECT_EQ(GetField(state, 998, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(ShowControl(state, nullptr, 997, false));
    EXPECT_EQ(GetListSelection(state, 996), -1);
    SetListSelection(state, 995, 2);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"SetField: NULL Obj ptr\n999", "GetField; Bad id 998\n",
                                                    "Show: NULL Obj ptr\n997", "Get: NULL List ptr\n996",
                                                    "Set: NULL List ptr\n995"}));
}

TEST_F(FormOpsTest, WithoutACurrentFormFieldsAnswerNoForm) {
    CreateMainWindow();
    char buffer[8] = "stale";
    EXPECT_FALSE(SetField(state, kName, "x"));
    EXPECT_EQ(GetField(state, kName, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(FormOpsTest, RowsGoInAtTheTopAndSelectionScrollsIntoView) {
    OpenFields();
    AddListRow(state, kList, "first");
    AddListRow(state, kList, "second");
    EXPECT_EQ(C(kList).Row(0)->text, "second");
    EXPECT_EQ(C(kList).Row(1)->text, "first");
    AddRows(kList, 6);  // 8 rows, 3 visible
    EXPECT_EQ(GetListSelection(state, kList), -1);
    SetListSelection(state, kList, 6);
    EXPECT_EQ(GetListSelection(state, kList), 6);
    EXPECT_TRUE(C(kList).Row(6)->selected);
    EXPECT_TRUE(C(kList).Row(6)->focused);
    EXPECT_EQ(C(kList).TopRow(), 4);
    SetListSelection(state, kList, 1);
    EXPECT_FALSE(C(kList).Row(6)->selected);
    EXPECT_EQ(C(kList).TopRow(), 1);
    SetListSelection(state, kList, -1);
    EXPECT_EQ(GetListSelection(state, kList), -1);
    for (int i = 0; i < C(kList).RowCount(); ++i) {
        EXPECT_FALSE(C(kList).Row(i)->selected);
        EXPECT_FALSE(C(kList).Row(i)->focused);
    }
}

TEST_F(FormOpsTest, TitleIsSizedToItsTextAndRegistered) {
    OpenFields();
    const Control& title = C(8000);
    EXPECT_EQ(title.Text(), "Fields");
    EXPECT_EQ(title.Bounds().Width(), windows.TextWidth("Fields") + 12);
    EXPECT_EQ(title.Bounds().Height(), 24);
    EXPECT_NE(title.Hook(), nullptr);
    EXPECT_TRUE(state.registry.Contains(8000));
}

TEST_F(FormOpsTest, PopupListGeometryBelowTheTrigger) {
    OpenFields(40);
    AddRows(kPopup, 4);
    ASSERT_TRUE(SetPopupList(state, kTrigger, kPopup, -1, 0, 2));
    const Control& list = C(kPopup);
    EXPECT_EQ(list.Bounds().top, 60);           // under the trigger
    EXPECT_EQ(list.Bounds().left, 10);
    EXPECT_EQ(list.Bounds().Height(), 5 * 16);  // rows + 1 visible
    EXPECT_EQ(list.ColumnWidth(), 100 - 15);
    EXPECT_TRUE(list.FullRowSelect());
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(list.Colours().background, windows.SystemColours().Get(4));
    EXPECT_EQ(GetListSelection(state, kPopup), 2);
    EXPECT_TRUE(state.registry.Contains(kTrigger));
}

TEST_F(FormOpsTest, ScrollingPopupEndingOnTheBottomMarginStaysBelow) {
    OpenFields(214);
    AddRows(kPopup, 8);
    // 8 rows in 4 visible ones: it scrolls, so the column also loses a scroll-bar width.
    ASSERT_TRUE(SetPopupList(state, kTrigger, kPopup, -1, 4, 0));
    EXPECT_EQ(C(kPopup).Bounds().Height(), 64);
    EXPECT_EQ(C(kPopup).Bounds().top, 234);  // 234 + 64 = 298 = 320 - 22
    EXPECT_EQ(C(kPopup).ColumnWidth(), 100 - 15 - 13);
}

TEST_F(FormOpsTest, PopupOnePixelPastTheMarginGoesAbove) {
    OpenFields(215);
    AddRows(kPopup, 8);
    ASSERT_TRUE(SetPopupList(state, kTrigger, kPopup, -1, 4, 0));
    EXPECT_EQ(C(kPopup).Bounds().top, 215 - 64);
}

TEST_F(FormOpsTest, PopupListFlipsAboveTheTrigger) {
    OpenFields(240);
    AddRows(kPopup, 4);
    ASSERT_TRUE(SetPopupList(state, kTrigger, kPopup, 4, 0, 0));
    // Below would end at 260 + 80 = 340 > 298.
    EXPECT_EQ(C(kPopup).Bounds().top, 240 - 80);
    EXPECT_EQ(C(kPopup).Bounds().bottom, 240);
}

TEST_F(FormOpsTest, UpAndDownStepThroughThePopupButNotAboveRowZero) {
    OpenFields();
    AddRows(kPopup, 3);
    SetPopupList(state, kTrigger, kPopup, -1, 0, 1);
    state.currentFormWindow->SetFocusedControl(kTrigger);
    auto key = [&](int code) {
        windows.ScriptKey(KeyPress{code});
        Pump();
    };
    key(kKeyUp);
    EXPECT_EQ(GetListSelection(state, kPopup), 0);
    EXPECT_EQ(C(kTrigger).Text(), "row0");
    key(kKeyUp);
    EXPECT_EQ(GetListSelection(state, kPopup), 0);
    key(kKeyDown);
    key(kKeyDown);
    key(kKeyDown);
    EXPECT_EQ(GetListSelection(state, kPopup), 2);
    EXPECT_EQ(C(kTrigger).Text(), "row2");
}

TEST_F(FormOpsTest, TappingTheTriggerOpensTheListAndARowClosesIt) {
    OpenFields();
    AddRows(kPopup, 3);
    SetPopupList(state, kTrigger, kPopup, -1, 0, -1);
    windows.ScriptTap(20, 45);
    Pump();
    ASSERT_TRUE(C(kPopup).Visible());
    windows.ScriptTap(20, 60 + 16 + 3);  // second row
    Pump();
    EXPECT_FALSE(C(kPopup).Visible());
    EXPECT_EQ(GetListSelection(state, kPopup), 1);
    EXPECT_EQ(C(kTrigger).Text(), "row1");
}

TEST_F(FormOpsTest, ClosingAFormReleasesItsControlsAndEmptiesTheRegistry) {
    OpenFields();
    AddRows(kPopup, 2);
    SetPopupList(state, kTrigger, kPopup, -1, 0, 0);
    FormWindow* window = state.currentFormWindow;
    ASSERT_EQ(state.registry.Count(), 2);
    std::weak_ptr<ControlHook> title = window->FindControl(8000)->HookRef();
    std::weak_ptr<ControlHook> trigger = window->FindControl(kTrigger)->HookRef();
    CloseFormWindow(state, window);
    EXPECT_EQ(state.registry.Count(), 0);
    EXPECT_TRUE(title.expired());
    EXPECT_TRUE(trigger.expired());
    EXPECT_EQ(state.currentFormWindow, nullptr);
    EXPECT_TRUE(windows.Forms().empty());
}

TEST_F(FormOpsTest, ANewFormsTitleClosesAFormStillOpen) {
    OpenFields();
    FormWindow* first = state.currentFormWindow;
    // Created directly, without ShowForm closing the old one first.
    loop.PostCommand(9900, 1900);
    Pump();
    EXPECT_EQ(OpenFormId(), 1900);
    EXPECT_EQ(windows.Forms().size(), 1u);
    EXPECT_NE(windows.Forms()[0], first);
}

TEST(ControlRegistryTest, GrowsToTwiceItsSizePlusOne) {
    ControlRegistry r;
    std::vector<int> capacities;
    for (int i = 0; i < 8; ++i) {
        r.Add(8000 + i);
        capacities.push_back(r.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 3, 3, 7, 7, 7, 7, 15}));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(r.At(i), 8000 + i);
    r.Clear();
    EXPECT_EQ(r.Count(), 0);
    EXPECT_FALSE(r.Contains(8000));
}

class FormOpsDpi192Test : public FormOpsTest {
protected:
    FormOpsDpi192Test() : FormOpsTest(DeviceCaps::ForDpi(192)) {}
};

TEST_F(FormOpsDpi192Test, LayoutLengthsAreScaled) {
    CreateMainWindow();
    ComputeScaleFactors(state);
    RegisterForm(state, 1200, [](AppState&, int) { return std::make_unique<FieldsForm>(200); });
    Open(1200);
    const Control& title = C(8000);
    EXPECT_EQ(title.Bounds().Height(), 48);
    EXPECT_EQ(title.Bounds().Width(), windows.TextWidth("Fields") + 24);
    AddRows(kPopup, 8);
    SetPopupList(state, kTrigger, kPopup, -1, 0, 0);
    // Trigger 400..440 device px; 9 rows of 32 = 288; below would end at 728 > 640 - 44.
    EXPECT_EQ(C(kPopup).Bounds().top, 400 - 288);
}

}  // namespace
}  // namespace vsp::test
