#include <gtest/gtest.h>

#include "platform/FormPainter.h"
#include "platform/MessageBoxPainter.h"

namespace vsp {
namespace {

constexpr Rect kBox{20, 30, 80, 62};  // 60 x 32, far from the form's edges

struct OneControl {
    FormWindow form;
    Control& control;
    explicit OneControl(ControlKind kind, const std::string& text, Rect rect = kBox)
        : form(1, FormTemplate{.id = 1, .title = "", .controls = {{5, kind, text, rect}}}, DeviceCaps{}),
          control(*form.FindControl(5)) {}
    Canvas Paint(const SystemColourTable& colours = {}) const {
        Canvas canvas;
        EXPECT_TRUE(SnapshotForm(form, colours, 1.0, canvas));
        return canvas;
    }
};

// How many pixels (x, y) of `area` pass `test`.
int CountIf(const Rect& area, auto&& test) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) n += test(x, y) ? 1 : 0;
    }
    return n;
}

Rect Whole(const Canvas& c) { return MakeRect(0, 0, c.Width(), c.Height()); }

// The smallest rectangle holding every pixel of `area` not of colour `paper`.
Rect InkBounds(const Canvas& c, const Rect& area, Colour paper) {
    Rect ink{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (c.At(x, y) == PackRgb565(paper)) continue;
            ink = Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                       std::max(ink.bottom, y + 1)};
        }
    }
    return ink;
}

TEST(FormPainterTest, EveryKindKeepsItsInkInsideItsRectangleAndACheckShows) {
    const std::string longText = "Wide words overflowing every edge of the box WWWWWWWWWW";
    const Pixel565 background = PackRgb565(SystemColourTable{}.Get(5));
    for (ControlKind kind : {ControlKind::Button, ControlKind::TitleButton, ControlKind::StaticText, ControlKind::Edit,
                             ControlKind::CheckBox, ControlKind::Radio, ControlKind::PopupTrigger, ControlKind::List}) {
        OneControl one(kind, longText);
        one.control.InsertRow(0, longText);
        one.form.SetFocusedControl(5);
        const Canvas c = one.Paint();
        const auto ink = [&](int x, int y) { return c.At(x, y) != background; };
        EXPECT_EQ(CountIf(Whole(c), ink) - CountIf(kBox, ink), 0) << int(kind);
        EXPECT_GT(CountIf(kBox, ink), 20) << int(kind);
        if (kind != ControlKind::CheckBox && kind != ControlKind::Radio) continue;
        one.control.SetChecked(true);
        const Canvas checked = one.Paint();
        EXPECT_GT(CountIf(kBox, [&](int x, int y) { return checked.At(x, y) != c.At(x, y); }), 10) << int(kind);
    }
}

TEST(FormPainterTest, StaticTextWrapsOnBlanksAndLineBreaks) {
    const Rect lower{kBox.left, kBox.top + 16, kBox.right, kBox.bottom};  // below the first line
    const Pixel565 background = PackRgb565(SystemColourTable{}.Get(5));
    for (const char* text : {"Mars Venus", "Io\nEuropa"}) {
        const Canvas c = OneControl(ControlKind::StaticText, text).Paint();
        EXPECT_GT(CountIf(lower, [&](int x, int y) { return c.At(x, y) != background; }), 10) << text;
    }
}

// Each cell starts at its column, however long the cell before it.
TEST(FormPainterTest, CellsOfARowStartAtTheirColumns) {
    const Pixel565 background = PackRgb565(SystemColourTable{}.Get(5));
    OneControl one(ControlKind::List, "", MakeRect(20, 30, 140, 50));
    one.control.InsertRow(0, "WWWWWWWWWWWW\tMars");
    one.control.SetColumns({30, 60});
    const Canvas c = one.Paint();
    // The first cell is cut its padding short of 51, the second begins after its padding.
    const Rect gap{49, 31, 53, 46}, secondColumnHead{53, 31, 62, 46};
    const auto ink = [&](int x, int y) { return c.At(x, y) != background; };
    EXPECT_EQ(CountIf(gap, ink), 0);
    EXPECT_GT(CountIf(secondColumnHead, ink), 5);
}

TEST(FormPainterTest, SelectedRowIsHighlightedAcrossTheRowOnlyWithFullRowSelect) {
    const SystemColourTable colours;
    const Pixel565 highlight = PackRgb565(colours.Get(13));
    OneControl one(ControlKind::List, "", MakeRect(20, 30, 100, 50));  // three rows of 16
    for (const char* row : {"Sun", "Moon", "Mars", "Venus", "Io"}) one.control.InsertRow(one.control.RowCount(), row);
    one.control.SetRowState(3, true, true);
    one.control.SetTopRow(2);  // row 3 is the second row shown
    const auto highlightedAt = [&](const Canvas& c, int shownRow, int x) {
        return c.At(x, 31 + shownRow * 16 + 8) == highlight;
    };
    const Canvas narrow = one.Paint();
    EXPECT_TRUE(highlightedAt(narrow, 1, 22));
    EXPECT_FALSE(highlightedAt(narrow, 0, 22) || highlightedAt(narrow, 2, 22) || highlightedAt(narrow, 1, 90));
    one.control.SetFullRowSelect(true);
    EXPECT_TRUE(highlightedAt(one.Paint(colours), 1, 90));
}

// An icon button at each scale, with and without room for its label: no ink outside it, the
// drawing of the scale, and the symmetric information icon centred (a labelled one sits a
// little higher, as the label's line is taller than its letters).
TEST(FormPainterTest, IconButtonCentresItsIconInsideItsRectangle) {
    const SystemColourTable colours;
    const Pixel565 window = PackRgb565(colours.Get(5));
    for (const auto& [scale, box, side, labelled] :
         {std::tuple{1.0, MakeRect(20, 30, 60, 44), 21, true}, {1.0, MakeRect(20, 30, 40, 26), 21, false},
          {1.0, MakeRect(20, 30, 120, 88), 21, true}, {2.0, MakeRect(20, 30, 80, 52), 41, false},
          {2.0, MakeRect(20, 30, 120, 88), 41, true}}) {
        SCOPED_TRACE(box.Width() * scale);
        const FormWindow form(1, {1, "", {{5, ControlKind::Button, "Inf", box, true, IconId::Information}}}, {});
        Canvas c;
        ASSERT_TRUE(SnapshotForm(form, colours, scale, c));
        const auto ink = [&](int x, int y) { return c.At(x, y) != window; };
        EXPECT_EQ(CountIf(Whole(c), ink), CountIf(box, ink));
        const Rect inner{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
        const Rect drawn = InkBounds(c, inner, colours.Get(kColourIndexButtonFace));
        EXPECT_NEAR(drawn.left + drawn.right, inner.left + inner.right, 2);
        EXPECT_NEAR(drawn.top + drawn.bottom, inner.top + inner.bottom, labelled ? 6 * scale : 2);
        EXPECT_TRUE(drawn.Width() >= side - 4 && drawn.Width() <= side);
        EXPECT_EQ(drawn.Height() > side + 4, labelled);
    }
}

TEST(FormPainterTest, RedOnlyColoursGiveRedOnlyPixels) {
    SystemColourArray reds{};
    for (int i = 0; i < kSystemColourCount; ++i) reds[size_t(i)] = MakeColour(uint8_t(8 * i + 7), 0, 0);
    const SystemColourTable night(reds);
    FormTemplate tmpl{.id = 1, .title = "", .controls = {}};
    int id = 1;
    for (ControlKind kind : {ControlKind::Button, ControlKind::TitleButton, ControlKind::StaticText, ControlKind::Edit,
                             ControlKind::CheckBox, ControlKind::PopupTrigger, ControlKind::List}) {
        tmpl.controls.push_back({id, kind, "Mag 6.5", MakeRect(10, 40 * id, 150, 36)});
        ++id;
    }
    tmpl.controls.push_back({id, ControlKind::Button, "Mars", MakeRect(160, 40, 60, 44), true, IconId::Mars});
    FormWindow form(1, tmpl, DeviceCaps::ForDpi(192));
    for (int i = 0; i < 9; ++i) form.FindControl(7)->InsertRow(0, "Orion");
    form.FindControl(7)->SetRowState(1, true, true);
    form.FindControl(5)->SetChecked(true);
    form.SetFocusedControl(4);
    Canvas c;
    ASSERT_TRUE(SnapshotForm(form, night, 2.0, c));
    PaintMessageBox(c, night, 2.0, "Information", "Please set your location first!", MessageBoxButtons::YesNo);
    EXPECT_EQ(CountIf(Whole(c), [&](int x, int y) { return (c.At(x, y) & 0x07FF) != 0; }), 0);  // green, blue
    EXPECT_GT(CountIf(Whole(c), [&](int x, int y) { return c.At(x, y) > 0x0800; }), 1000);
}

}  // namespace
}  // namespace vsp
