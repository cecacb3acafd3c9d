#include <algorithm>
#include <cctype>

#include "ShellFixture.h"
#include "shell/Form.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"

namespace vsp::test {
namespace {

enum : int { kName = 10, kList = 20, kTrigger = 30, kPopup = 31, kRadioA = 40, kRadioB = 41, kRadioC = 42 };

// A form with a text field, a list and a popup whose trigger sits at `triggerTop`.
struct FieldsForm : Form {
    explicit FieldsForm(int triggerTop) : triggerTop(triggerTop) {}
    FormTemplate BuildTemplate(AppState&, int) override {
        return {.title = "Fields",
                .controls = {{8000, ControlKind::TitleButton, "", Rect{0, 0, 50, 20}},
                             {kName, ControlKind::Edit, "start", Rect{0, 30, 100, 50}},
                             {kList, ControlKind::List, "", Rect{0, 60, 120, 108}},  // 3 rows of 16
                             {kTrigger, ControlKind::PopupTrigger, "", Rect{10, triggerTop, 110, triggerTop + 20}},
                             {kPopup, ControlKind::List, "", Rect{0, 0, 100, 10}},
                             {kRadioA, ControlKind::Radio, "A", Rect{130, 30, 180, 45}, true, IconId::None, 1},
                             {kRadioB, ControlKind::Radio, "B", Rect{130, 50, 180, 65}, true, IconId::None, 1},
                             {kRadioC, ControlKind::Radio, "C", Rect{130, 70, 180, 85}, true, IconId::None, 2}}};
    }
    void OnOpen(AppState& state, FormWindow& window) override { InitTitle(state, window); }
    void OnControl(AppState&, FormWindow&, int id, ControlNotify notify) override { told.push_back({id, notify}); }
    int triggerTop;
    std::vector<std::pair<int, ControlNotify>> told;
};

class FormOpsTest : public ShellTest {
protected:
    void OpenFields(int triggerTop = 40) {
        CreateMainWindow();
        RegisterForm(state, 1200, [=, this](AppState&, int) {
            auto form = std::make_unique<FieldsForm>(triggerTop);
            fields = form.get();
            return form;
        });
        Open(1200);
        ASSERT_EQ(OpenFormId(), 1200);
    }
    void AddRows(int listId, int n) {
        for (int i = 0; i < n; ++i) AddListRow(state, listId, "row" + std::to_string(n - 1 - i));
    }
    void Key(int code, char text = 0) {
        windows.ScriptKey(KeyPress{code, false, false, text});
        Pump();
    }
    FieldsForm* fields = nullptr;
};

TEST_F(FormOpsTest, TheFocusedControlTakesTypingAndListKeysAndRadiosExcludeTheirGroup) {
    OpenFields();
    TapAt(2, 32);  // the edit's corner the trigger does not cover
    for (const char c : std::string("M3x")) Key(std::toupper(c), c);
    Key(kKeyBackspace);
    Key('1', '1');
    Key('Q', 'q');
    EXPECT_EQ(C(kName).Text(), "startM31q");
    EXPECT_EQ(std::count(fields->told.begin(), fields->told.end(), std::pair{int(kName), ControlNotify::TextChanged}), 6);

    AddRows(kList, 5);
    Tap(kList);  // the middle row of three shown
    Key(kKeyDown);
    Key(kKeyDown);
    EXPECT_EQ(C(kList).SelectionMark(), 3);
    EXPECT_EQ(C(kList).TopRow(), 1);
    fields->told.clear();
    Key(kKeyEnter);
    EXPECT_EQ(fields->told, (std::vector<std::pair<int, ControlNotify>>{{kList, ControlNotify::RowChosen}}));
    // Drawn up by two rows, the list scrolls and keeps its selection.
    const Rect r = C(kList).Bounds();
    Drag(r.left + 5, r.bottom - 2, r.left + 5, r.bottom - 2 - 2 * C(kList).RowHeight());
    EXPECT_EQ((std::pair{C(kList).TopRow(), C(kList).SelectionMark()}), std::pair(2, 3));

    Tap(kRadioA);
    Tap(kRadioC);
    Tap(kRadioB);
    EXPECT_EQ((std::vector{C(kRadioA).Checked(), C(kRadioB).Checked(), C(kRadioC).Checked()}),
              (std::vector{false, true, true}));
}

TEST_F(FormOpsTest, FieldsRoundTripAndMissingControlsGiveTheirBoxes) {
    char buffer[8] = "stale";
    EXPECT_FALSE(SetField(state, kName, "x"));  // no form yet
    EXPECT_EQ((std::pair{GetField(state, kName, buffer, sizeof buffer), std::string(buffer)}), std::pair(0, std::string()));
    OpenFields();
    EXPECT_TRUE(SetField(state, kName, "M31 \xB0"));
    EXPECT_EQ((std::pair{GetField(state, kName, buffer, sizeof buffer), std::string(buffer)}),
              std::pair(1, std::string("M31 \xB0")));
    GetField(state, kName, buffer, 4);
    EXPECT_STREQ(buffer, "M31");
    EXPECT_TRUE(SetField(state, 999, "x"));
    EXPECT_EQ(GetField(state, 998, buffer, sizeof buffer), 1);
    EXPECT_FALSE(ShowControl(state, nullptr, 997, false));
    EXPECT_EQ(GetListSelection(state, 996), -1);
    SetListSelection(state, 995, 2);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"SetField: NULL Obj ptr\n999", "GetField; Bad id 998\n",
                                                    "Show: NULL Obj ptr\n997", "Get: NULL List ptr\n996",
                                                    "Set: NULL List ptr\n995"}));
}

TEST_F(FormOpsTest, RowsGoInAtTheTopAndSelectionScrollsIntoView) {
    OpenFields();
    AddRows(kList, 8);  // 3 visible
    EXPECT_EQ(C(kList).Row(7)->text, "row7");
    SetListSelection(state, kList, 6);
    EXPECT_EQ(std::tuple(GetListSelection(state, kList), C(kList).Row(6)->focused, C(kList).TopRow()), std::tuple(6, true, 4));
    SetListSelection(state, kList, 1);
    EXPECT_EQ(std::pair(C(kList).Row(6)->selected, C(kList).TopRow()), std::pair(false, 1));
    SetListSelection(state, kList, -1);
    EXPECT_EQ(std::pair(GetListSelection(state, kList), C(kList).Row(1)->selected), std::pair(-1, false));
}

struct Placement {
    int triggerTop, rows, visible, top, column;
};
class PopupPlacementTest : public FormOpsTest, public ::testing::WithParamInterface<Placement> {};

// Below unless the list would cross the bottom margin (320 - 22); a list that scrolls also
// loses a scroll-bar width from its column.
TEST_P(PopupPlacementTest, AboveOnlyPastTheBottomMargin) {
    const Placement c = GetParam();
    OpenFields(c.triggerTop);
    AddRows(kPopup, c.rows);
    ASSERT_TRUE(SetPopupList(state, kTrigger, kPopup, c.rows, c.visible, 0));
    EXPECT_EQ(C(kPopup).Bounds().top, c.top);
    EXPECT_EQ(C(kPopup).ColumnWidth(), c.column);
}

INSTANTIATE_TEST_SUITE_P(Edges, PopupPlacementTest,
                         ::testing::Values(Placement{40, 4, 0, 60, 100 - 15},  // rows + 1 visible, below
                                           Placement{214, 8, 4, 234, 100 - 15 - 13},  // ends on the margin
                                           Placement{215, 8, 4, 215 - 64, 100 - 15 - 13},
                                           Placement{240, 4, 0, 240 - 80, 100 - 15}));

TEST_F(FormOpsTest, KeysStepThroughThePopupAndTapsPickARow) {
    OpenFields();
    AddRows(kPopup, 3);
    SetPopupList(state, kTrigger, kPopup, -1, 0, 1);
    EXPECT_FALSE(C(kPopup).Visible());  // until the trigger is tapped
    EXPECT_EQ(GetListSelection(state, kPopup), 1);
    state.currentFormWindow->SetFocusedControl(kTrigger);
    Key(kKeyUp);
    Key(kKeyUp);  // not above row 0
    EXPECT_EQ(std::pair(GetListSelection(state, kPopup), C(kTrigger).Text()), std::pair(0, std::string("row0")));
    for (int i = 0; i < 3; ++i) Key(kKeyDown);
    EXPECT_EQ(GetListSelection(state, kPopup), 2);
    EXPECT_EQ(fields->told.back(), std::pair(int(kPopup), ControlNotify::SelectionMoved));
    TapAt(20, 45);
    ASSERT_TRUE(C(kPopup).Visible());
    TapAt(20, 60 + 16 + 3);  // second row
    EXPECT_EQ(std::pair(C(kPopup).Visible(), C(kTrigger).Text()), std::pair(false, std::string("row1")));
}

TEST_F(FormOpsTest, ClosingAFormReleasesItsControlsAndEmptiesTheRegistry) {
    OpenFields();
    SetPopupList(state, kTrigger, kPopup, -1, 0, 0);
    FormWindow* window = state.currentFormWindow;
    ASSERT_EQ(state.registry.Count(), 2);
    std::weak_ptr<ControlHook> trigger = window->FindControl(kTrigger)->HookRef();
    CloseFormWindow(state, window);
    EXPECT_EQ(state.registry.Count(), 0);
    EXPECT_TRUE(trigger.expired());
    EXPECT_EQ(state.currentFormWindow, nullptr);
    EXPECT_TRUE(windows.Forms().empty());
}

}  // namespace
}  // namespace vsp::test
