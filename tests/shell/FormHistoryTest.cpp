#include <array>

#include "ShellFixture.h"
#include "shell/FormHistory.h"

namespace vsp::test {
namespace {

using History = std::array<int32_t, kHistorySize>;
constexpr History kAllHome = {1950, 1950, 1950, 1950, 1950, 1950, 1950};

class FormHistoryTest : public ShellTest {};

TEST_F(FormHistoryTest, HomeResetsKnownFormsStayAndSevenKeepHomeAndTheNewest) {
    EXPECT_EQ(state.history, kAllHome);
    EnterForm(state, 1900);
    EnterForm(state, 2450);
    const History before = state.history;
    EnterForm(state, 1900);  // already in slot 5
    EXPECT_EQ(state.history, before);
    EnterForm(state, 1950);
    EXPECT_EQ(state.history, kAllHome);
    for (int id : {112, 1200, 1300, 1400, 1800, 1900, 2450}) EnterForm(state, id);
    EXPECT_EQ(state.history, History({1950, 1200, 1300, 1400, 1800, 1900, 2450}));
    EXPECT_EQ(state.lastFormId, 2450);
    EXPECT_EQ(ShiftHistoryBack(state), 1900);  // the oldest form moves up, home takes its place
    EXPECT_EQ(state.history, History({1950, 1950, 1200, 1300, 1400, 1800, 1900}));
}

TEST_F(FormHistoryTest, BackWalksTheChainAndShiftsTowardsTheOpenSlot) {
    CreateMainWindow();
    for (int id : {1900, 2450, 6000}) EnterForm(state, id);
    BackToPreviousForm(state);
    EXPECT_EQ(state.currentFormId, 2450);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1900, 2450}));
    EXPECT_EQ(ShiftHistoryBack(state), 1900);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1950, 1900}));
}

TEST_F(FormHistoryTest, OpenedFormsAreRecordedAndTheTitleGoesBack) {
    CreateMainWindow();
    Open(1950);
    Open(1900);  // unregistered: the empty form enters itself
    Open(6000);
    EXPECT_EQ(state.history, History({1950, 1950, 1950, 1950, 1950, 1900, 6000}));
    TapAt(2, 2);
    Pump();
    EXPECT_EQ(OpenFormId(), 1900);
    TapAt(2, 2);
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
}

}  // namespace
}  // namespace vsp::test
