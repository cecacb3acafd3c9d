#include <gtest/gtest.h>

#include <sstream>

#include "platform/ConsoleMessageBox.h"
#include "platform/headless/FakeClock.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace vsp {
namespace {

TEST(ConsoleMessageBoxTest, WritesUtf8LinesAndSkipsAnEmptySecond) {
    std::ostringstream err;
    ConsoleMessageBoxes boxes(err);
    EXPECT_EQ(boxes.Show("Alt 45\xB0\n", "Information", MessageBoxButtons::Ok), MessageBoxAnswer::Ok);
    EXPECT_EQ(boxes.Show("\x95 one\n\x95 two", "Information", MessageBoxButtons::YesNo),
              MessageBoxAnswer::Yes);
    EXPECT_EQ(boxes.Show("single", "Error", MessageBoxButtons::Ok), MessageBoxAnswer::Ok);
    EXPECT_EQ(err.str(), "Alt 45\xC2\xB0\n\xE2\x80\xA2 one\n\xE2\x80\xA2 two\nsingle\n");
}

TEST(ConsoleMessageBoxTest, InfoSinkWritesTheSameLines) {
    std::ostringstream err;
    ConsoleInfoSink sink(err);
    EXPECT_EQ(sink.InfoBox("first", ""), 1);
    EXPECT_EQ(sink.InfoBox("a", "b"), 1);
    EXPECT_EQ(err.str(), "first\na\nb\n");
}

TEST(HeadlessWindowSystemTest, BoxesAreRecordedAndAnsweredFromTheScript) {
    FakeClock clock;
    EventLoop loop(clock);
    HeadlessWindowSystem ws(loop);
    ws.Boxes().QueueAnswer(MessageBoxAnswer::No);
    EXPECT_EQ(ws.MessageBox("q?", "Information", MessageBoxButtons::YesNo), MessageBoxAnswer::No);
    EXPECT_EQ(ws.MessageBox("q?", "Information", MessageBoxButtons::YesNo), MessageBoxAnswer::Yes);
    EXPECT_EQ(ws.MessageBox("ok", "Information", MessageBoxButtons::Ok), MessageBoxAnswer::Ok);
    ASSERT_EQ(ws.Boxes().Shown().size(), 3u);
    EXPECT_EQ(ws.Boxes().Shown()[2].text, "ok");
}

TEST(HeadlessWindowSystemTest, ConsoleBoxesCanStandInForTheScript) {
    FakeClock clock;
    EventLoop loop(clock);
    std::ostringstream err;
    ConsoleMessageBoxes console(err);
    HeadlessWindowSystem ws(loop, DeviceCaps{}, &console);
    ws.MessageBox("to stderr\n", "Information", MessageBoxButtons::Ok);
    EXPECT_EQ(err.str(), "to stderr\n");
    EXPECT_TRUE(ws.Boxes().Shown().empty());
}

TEST(HeadlessWindowSystemTest, DestroyingAFormStopsItsTimersAndOneMainWindowOnly) {
    FakeClock clock;
    EventLoop loop(clock);
    HeadlessWindowSystem ws(loop);
    FormTemplate t;
    t.id = 5;
    EXPECT_EQ(ws.CreateForm(t), nullptr);  // no parent yet
    ASSERT_TRUE(ws.CreateMainWindow("POCKETPC", "Vespertar"));
    EXPECT_FALSE(ws.CreateMainWindow("POCKETPC", "Vespertar"));
    FormWindow* form = ws.CreateForm(t);
    ASSERT_NE(form, nullptr);
    const WindowHandle h = form->Handle();
    EXPECT_NE(h, kMainWindowHandle);
    loop.SetTimer(h, 1, 100);
    ws.DestroyForm(form);
    EXPECT_FALSE(loop.HasTimer(h, 1));
    EXPECT_EQ(ws.FindForm(h), nullptr);
}

}  // namespace
}  // namespace vsp
