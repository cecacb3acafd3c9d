#include <string>

#include "ShellFixture.h"
#include "shell/InfoBox.h"

namespace vsp::test {
namespace {

class InfoBoxTest : public ShellTest {};

TEST_F(InfoBoxTest, JoinsTheLinesAndAnswersWhetherTheMainWindowExists) {
    EXPECT_EQ(InfoBox(state, "before the window", ""), 0);  // another program's window owns it
    CreateMainWindow();
    EXPECT_EQ(InfoBox(state, "first", "second"), 1);
    windows.SetForeground(false);
    InfoBox(state, "nobody", "");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"before the window\n", "first\nsecond"}));
}

// While a box shows, five wait (each line cut to 255 bytes) and more are dropped; the first
// queued follows, then the rest newest first. The lower layers' sink reaches the same queue.
TEST_F(InfoBoxTest, QueueOfFiveFirstThenNewestFirst) {
    CreateMainWindow();
    InfoSink& sink = state.info;
    const std::string longLine(300, 'x');
    bool injected = false;
    windows.Boxes().whileShowing = [&](const MessageBoxRecord&) {
        if (std::exchange(injected, true)) return;
        EXPECT_EQ(sink.InfoBox(longLine, longLine), 1);
        for (char c = 'C'; c <= 'G'; ++c) EXPECT_EQ(InfoBox(state, std::string(1, c), "2"), 1);
    };
    InfoBox(state, longLine, "");
    const std::string cut(255, 'x');
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{longLine + "\n", cut + "\n" + cut, "F\n2", "E\n2", "D\n2", "C\n2"}));
    EXPECT_EQ(std::pair(state.boxes.count, state.boxes.busy), std::pair(0, false));
}

TEST_F(InfoBoxTest, MessagesArrivingWhileQueuedOnesShowAreShownToo) {
    CreateMainWindow();
    windows.Boxes().whileShowing = [&](const MessageBoxRecord& r) {
        if (r.text == "A\n") InfoBox(state, "B", "");
        if (r.text == "B\n") InfoBox(state, "C", "");
    };
    InfoBox(state, "A", "");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"A\n", "B\n", "C\n"}));
}

TEST_F(InfoBoxTest, YesNoAndSystemErrors) {
    CreateMainWindow();
    EXPECT_FALSE(InfoBoxYesNo(state, "Delete?", "x"));  // default answer Yes
    windows.Boxes().QueueAnswer(MessageBoxAnswer::No);
    EXPECT_TRUE(InfoBoxYesNo(state, "Delete?", "x"));
    EXPECT_EQ(windows.Boxes().Shown()[1].buttons, MessageBoxButtons::YesNo);
    windows.SetLastError(5, "Access is denied.");
    ShowLastSystemError(state);
    EXPECT_EQ(LastBox(), "Error 5: Access is denied.");
    EXPECT_EQ(windows.Boxes().Shown()[2].caption, "Error");
}

}  // namespace
}  // namespace vsp::test
