#include <algorithm>

#include "ShellFixture.h"
#include "platform/PaintParts.h"
#include "shell/NightMode.h"

namespace vsp::test {
namespace {

struct NightModeTest : ShellTest {
    Colour Sys(int index) { return windows.SystemColours().Get(index); }
};

// Text painted at night stays legible: on every surface the painter uses, one of text and
// ground is the level's red and the other near black, the widest contrast the level offers.
TEST_F(NightModeTest, PaintedTextKeepsTheLevelsFullContrast) {
    for (int level = 1; level <= 3; ++level) {
        ApplyNightMode(state, level);
        const PaintPalette p = PaletteOf(windows.SystemColours());
        const Colour red = state.display.foregroundPen;
        const std::pair<Colour, Colour> pairs[] = {
            {p.window, p.windowText}, {p.face, p.buttonText}, {p.caption, p.captionText}, {p.highlight, p.highlightText}};
        for (const auto& [ground, text] : pairs)
            EXPECT_EQ(std::minmax(ground, text), std::minmax(kNearBlack, red)) << "level " << level;
    }
}

TEST_F(NightModeTest, LevelZeroRestoresTheColoursSavedTheFirstTimeAndTheBackground) {
    CreateMainWindow();
    auto paintedFill = [&] { return loop.PostPaint(), Pump(), windows.LastFill(); };
    const int changes = windows.SystemColours().ChangeCount();
    ApplyNightMode(state, 0);  // nothing saved yet: the device is left alone
    EXPECT_EQ(windows.SystemColours().ChangeCount(), changes);
    const SystemColourArray original = windows.SystemColours().Values();
    ApplyNightMode(state, 1);
    ApplyNightMode(state, 3);  // must not save the red level-1 colours over the first ones
    EXPECT_EQ(paintedFill(), 0u);  // the bare main window paints in the mode's background
    ApplyNightMode(state, 0);
    EXPECT_EQ(windows.SystemColours().Values(), original);
    EXPECT_EQ(std::pair(state.display.backgroundBrush, state.display.highlightBrush), std::pair(0xFFFFFFu, 0xC8413Eu));
    EXPECT_EQ(paintedFill(), 0xFFFFFFu);
}

TEST_F(NightModeTest, DialogAppliesTheChoiceAndOffBringsBackTheChosenSet) {
    CreateMainWindow();
    Open(1900);
    std::vector<std::string> statuses;
    windows.dialogObserver = [&](const FormWindow& d) { statuses.push_back(d.FindControl(kNightStatusText)->Text()); };
    windows.ScriptDialogButtons({kNight2003Button, kNightBrightButton});
    RunNightModeDialog(state);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Current Mode: <Normal> mode", "Current Mode: <Normal> mode",
                                                  "Current Mode: <Bright> mode"}));
    Pump();
    EXPECT_EQ(std::tuple(state.nightLevel, prefs.nightLevel, OpenFormId()), std::tuple(3, 3, 1900));
    windows.ScriptDialogButtons({kNightOffButton});
    RunNightModeDialog(state);
    EXPECT_EQ(state.nightLevel, 0);
    const auto& set2003 = DefaultColours(DefaultColourSet::Set2003);
    for (int i = 0; i < kSystemColourCount; ++i) EXPECT_EQ(Sys(i), set2003[size_t(i)]) << "index " << i;
}

}  // namespace
}  // namespace vsp::test
