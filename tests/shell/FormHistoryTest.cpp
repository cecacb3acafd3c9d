#include <array>

#include "ShellFixture.h"
#include "shell/FormHistory.h"

namespace vsp::test {
namespace {

using History = std::array<int32_t, kHistorySize>;

class FormHistoryTest : public ShellTest {};

TEST_F(FormHistoryTest, StartsAllHomeAndHomeResetsEverything) {
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1950, 1950}));
    EnterForm(state, 1900);
    EnterForm(state, 2450);
    EnterForm(state, 1950);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1950, 1950}));
    EXPECT_EQ(state.lastFormId, 1950);
}

TEST_F(FormHistoryTest, FormAlreadyInHistoryChangesNothing) {
    EnterForm(state, 1900);
    EnterForm(state, 2450);
    const History before = state.history;
    EnterForm(state, 1900);  // in slot 5
    EXPECT_EQ(state.history, before);
    EnterForm(state, 2450);  // in slot 6
    EXPECT_EQ(state.history, before);
    EXPECT_EQ(state.lastFormId, 2450);
}

TEST_F(FormHistoryTest, SevenFormsKeepHomeAndTheSixNewest) {
    for (int id : {112, 1200, 1300, 1400, 1800, 1900, 2450}) EnterForm(state, id);
    EXPECT_EQ(state.history, History({1950, 1200, 1300, 1400, 1800, 1900, 2450}));
}

TEST_F(FormHistoryTest, BackFromAFormOpenedFromHomeGoesHome) {
    CreateMainWindow();
    EnterForm(state, 1950);
    EnterForm(state, 1900);
    EXPECT_EQ(state.history[5], 1950);
    BackToPreviousForm(state);
    EXPECT_EQ(state.currentFormId, 1950);
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
}

TEST_F(FormHistoryTest, BackWalksTheChainAndShiftsTowardsTheOpenSlot) {
    CreateMainWindow();
    for (int id : {1900, 2450, 6000}) EnterForm(state, id);
    BackToPreviousForm(state);
    EXPECT_EQ(state.currentFormId, 2450);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1900, 2450}));
    // The variant without opening: the next step back would lead to 1900.
    EXPECT_EQ(ShiftHistoryBack(state), 1900);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1950, 1900}));
}

TEST_F(FormHistoryTest, OpeningFormsThroughTheLoopRecordsThem) {
    CreateMainWindow();
    Open(1950);
    Open(1900);  // unregistered: the empty form enters itself
    Open(6000);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1900, 6000}));
    // Tapping the title is Back.
    windows.ScriptTap(2, 2);
    Pump();
    Pump();
    EXPECT_EQ(OpenFormId(), 1900);
}

}  // namespace
}  // namespace vsp::test
