#include <set>

#include "ShellFixture.h"
#include "shell/NightMode.h"

namespace vsp::test {
namespace {

class NightModeTest : public ShellTest {
protected:
    Colour Sys(int index) { return windows.SystemColours().Get(index); }

    // Every index the level paints red must hold `red`, the menu `menuRed`, the rest near black.
    void ExpectNightColours(Colour menuRed, Colour red) {
        const std::set<int> redIndices = {20, 13, 10, 6, 15, 22, 21, 9, 17, 19, 23, 26, 7, 8};
        for (int i = 0; i < kSystemColourCount; ++i) {
            if (i == 4) {
                EXPECT_EQ(Sys(i), menuRed) << "index " << i;
            } else if (redIndices.count(i)) {
                EXPECT_EQ(Sys(i), red) << "index " << i;
            } else {
                EXPECT_EQ(Sys(i), 1u) << "index " << i;
            }
        }
    }
};

TEST_F(NightModeTest, LevelOneIsMenuRed15AndRed102) {
    ApplyNightMode(state, 1);
    ExpectNightColours(15, 102);
    EXPECT_EQ(state.display.backgroundBrush, 0u);
    EXPECT_EQ(state.display.foregroundPen, 102u);
    EXPECT_EQ(state.display.highlightBrush, 102u);
    EXPECT_EQ(state.display.secondPen, 0u);
}

TEST_F(NightModeTest, BareMainWindowPaintsInTheModesBackground) {
    CreateMainWindow();
    ApplyNightMode(state, 2);
    loop.PostPaint();
    Pump();
    EXPECT_EQ(windows.LastFill(), 0u);
    ApplyNightMode(state, 0);
    loop.PostPaint();
    Pump();
    EXPECT_EQ(windows.LastFill(), 0xFFFFFFu);
}

TEST_F(NightModeTest, LevelTwoAndThree) {
    ApplyNightMode(state, 2);
    ExpectNightColours(20, 140);
    ApplyNightMode(state, 3);
    ExpectNightColours(25, 204);
    EXPECT_EQ(state.display.foregroundPen, 204u);
}

TEST_F(NightModeTest, LevelZeroRestoresTheColoursSavedTheFirstTime) {
    const SystemColourArray original = windows.SystemColours().Values();
    ApplyNightMode(state, 1);
    ApplyNightMode(state, 3);  // must not save the red level-1 colours over the originals
    ApplyNightMode(state, 0);
    EXPECT_EQ(windows.SystemColours().Values(), original);
    EXPECT_EQ(state.display.backgroundBrush, 0xFFFFFFu);
    EXPECT_EQ(state.display.foregroundPen, 0u);
    EXPECT_EQ(state.display.highlightBrush, 0xC8413Eu);
    EXPECT_EQ(state.display.secondPen, 0xFFFFFFu);
}

TEST_F(NightModeTest, LevelZeroWithNothingSavedLeavesTheDeviceAlone) {
    const int changes = windows.SystemColours().ChangeCount();
    ApplyNightMode(state, 0);
    EXPECT_EQ(windows.SystemColours().ChangeCount(), changes);
    EXPECT_FALSE(state.coloursSaved);
}

TEST_F(NightModeTest, ChosenBuiltInSetIsWhatLevelZeroRestores) {
    const SystemColourArray original = windows.SystemColours().Values();
    ApplyNightMode(state, 2);
    ChooseDefaultColours(state, DefaultColourSet::Set2005);
    ApplyNightMode(state, 0);
    const auto& set = DefaultColours(DefaultColourSet::Set2005);
    EXPECT_NE(windows.SystemColours().Values(), original);
    for (int i = 0; i < kSystemColourCount; ++i) EXPECT_EQ(Sys(i), set[size_t(i)]) << i;
    // The built-in sets repeat indices 1, 15, 16, 20, 20 at their end like the save list.
    for (const auto* s : {&DefaultColours(DefaultColourSet::Set2003), &set}) {
        EXPECT_EQ((*s)[29], (*s)[1]);
        EXPECT_EQ((*s)[30], (*s)[15]);
        EXPECT_EQ((*s)[31], (*s)[16]);
        EXPECT_EQ((*s)[32], (*s)[20]);
        EXPECT_EQ((*s)[33], (*s)[20]);
    }
}

TEST_F(NightModeTest, DialogShowsTheModeAppliesTheChoiceAndReopensTheForm) {
    CreateMainWindow();
    Open(1900);
    std::vector<std::string> statuses;
    std::string caption;
    windows.dialogObserver = [&](const FormWindow& dialog) {
        caption = dialog.Title();
        statuses.push_back(dialog.FindControl(kNightStatusText)->Text());
    };
    windows.ScriptDialogButtons({kNight2003Button, kNightBrightButton});
    RunNightModeDialog(state);
    EXPECT_EQ(caption, "NightMode Settings");
    EXPECT_EQ(statuses, (std::vector<std::string>{"Current Mode: <Normal> mode",
                                                  "Current Mode: <Normal> mode",
                                                  "Current Mode: <Bright> mode"}));
    EXPECT_EQ(state.nightLevel, 3);
    EXPECT_EQ(prefs.nightLevel, 3);
    EXPECT_EQ(Sys(4), 25u);
    Pump();
    EXPECT_EQ(OpenFormId(), 1900);

    // "Off" brings back the 2003 set chosen before.
    windows.ScriptDialogButtons({kNightOffButton});
    RunNightModeDialog(state);
    EXPECT_EQ(state.nightLevel, 0);
    for (int i = 0; i < kSystemColourCount; ++i) {
        EXPECT_EQ(Sys(i), DefaultColours(DefaultColourSet::Set2003)[size_t(i)]) << i;
    }
}

}  // namespace
}  // namespace vsp::test
