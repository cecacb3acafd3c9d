#include <string>

#include "ShellFixture.h"
#include "shell/InfoBox.h"

namespace vsp::test {
namespace {

class InfoBoxTest : public ShellTest {};

TEST_F(InfoBoxTest, JoinsTheLinesUnderTheInformationCaption) {
    CreateMainWindow();
    EXPECT_EQ(InfoBox(state, "first", "second"), 1);
    EXPECT_EQ(InfoBox(state, "alone", ""), 1);
    ASSERT_EQ(windows.Boxes().Shown().size(), 2u);
    EXPECT_EQ(windows.Boxes().Shown()[0].text, "first\nsecond");
    EXPECT_EQ(windows.Boxes().Shown()[0].caption, "Information");
    EXPECT_EQ(windows.Boxes().Shown()[0].buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(windows.Boxes().Shown()[1].text, "alone\n");
    EXPECT_FALSE(state.boxes.busy);
}

TEST_F(InfoBoxTest, AnswersZeroWithoutMainWindowAndShowsNothingWithoutForeground) {
    EXPECT_EQ(InfoBox(state, "before the window", ""), 0);
    EXPECT_EQ(windows.Boxes().Shown().size(), 1u);  // another program's window owns it
    windows.SetForeground(false);
    EXPECT_EQ(InfoBox(state, "nobody", ""), 0);
    EXPECT_EQ(windows.Boxes().Shown().size(), 1u);
}

TEST_F(InfoBoxTest, SixWhileShowingGiveFiveFirstQueuedThenNewestFirst) {
    CreateMainWindow();
    bool injected = false;
    windows.Boxes().whileShowing = [&](const MessageBoxRecord&) {
        if (injected) return;
        injected = true;
        for (char c = 'B'; c <= 'G'; ++c) {
            EXPECT_EQ(InfoBox(state, std::string(1, c), "2"), 1);
        }
    };
    InfoBox(state, "A", "1");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"A\n1", "B\n2", "F\n2", "E\n2", "D\n2", "C\n2"}));
    EXPECT_EQ(state.boxes.count, 0);
    EXPECT_FALSE(state.boxes.busy);
}

TEST_F(InfoBoxTest, QueuedLinesAreCutTo255Bytes) {
    CreateMainWindow();
    const std::string longFirst(300, 'x');
    const std::string longSecond(400, 'y');
    bool injected = false;
    windows.Boxes().whileShowing = [&](const MessageBoxRecord&) {
        if (!injected) {
            injected = true;
            InfoBox(state, longFirst, longSecond);
        }
    };
    InfoBox(state, longFirst, "");  // shown at once: not cut
    ASSERT_EQ(windows.Boxes().Shown().size(), 2u);
    EXPECT_EQ(windows.Boxes().Shown()[0].text, longFirst + "\n");
    EXPECT_EQ(windows.Boxes().Shown()[1].text, std::string(255, 'x') + "\n" + std::string(255, 'y'));
}

TEST_F(InfoBoxTest, MessagesArrivingWhileQueuedOnesShowAreShownToo) {
    CreateMainWindow();
    int shown = 0;
    windows.Boxes().whileShowing = [&](const MessageBoxRecord& r) {
        ++shown;
        if (r.text == "A\n") InfoBox(state, "B", "");
        if (r.text == "B\n") InfoBox(state, "C", "");
    };
    InfoBox(state, "A", "");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"A\n", "B\n", "C\n"}));
}

TEST_F(InfoBoxTest, YesNoIsTrueOnlyForNo) {
    CreateMainWindow();
    EXPECT_FALSE(InfoBoxYesNo(state, "Delete?", "x"));  // default answer Yes
    windows.Boxes().QueueAnswer(MessageBoxAnswer::No);
    EXPECT_TRUE(InfoBoxYesNo(state, "Delete?", "x"));
    ASSERT_EQ(windows.Boxes().Shown().size(), 2u);
    EXPECT_EQ(windows.Boxes().Shown()[1].buttons, MessageBoxButtons::YesNo);
    EXPECT_EQ(windows.Boxes().Shown()[1].caption, "Information");
    EXPECT_EQ(windows.Boxes().Shown()[1].text, "Delete?\nx");
}

TEST_F(InfoBoxTest, SystemErrorIsNumberedAndCaptionedError) {
    CreateMainWindow();
    windows.SetLastError(5, "Access is denied.");
    ShowLastSystemError(state);
    ASSERT_EQ(windows.Boxes().Shown().size(), 1u);
    EXPECT_EQ(windows.Boxes().Shown()[0].text, "Error 5: Access is denied.");
    EXPECT_EQ(windows.Boxes().Shown()[0].caption, "Error");
}

TEST_F(InfoBoxTest, LowerLayersReachTheQueueThroughTheSink) {
    CreateMainWindow();
    InfoSink& sink = state.info;
    windows.Boxes().whileShowing = [&](const MessageBoxRecord& r) {
        if (r.text == "outer\n") EXPECT_EQ(sink.InfoBox("inner", ""), 1);
    };
    EXPECT_EQ(sink.InfoBox("outer", ""), 1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"outer\n", "inner\n"}));
}

}  // namespace
}  // namespace vsp::test
