#include <gtest/gtest.h>

#include <sstream>

#include "platform/ConsoleMessageBox.h"

namespace vsp {
namespace {

TEST(ConsoleMessageBoxTest, WritesUtf8LinesAndSkipsAnEmptySecond) {
    std::ostringstream err;
    ConsoleMessageBoxes boxes(err);
    EXPECT_EQ(boxes.Show("Alt 45\xB0\n", "Information", MessageBoxButtons::Ok), MessageBoxAnswer::Ok);
    EXPECT_EQ(boxes.Show("\x95 one\n\x95 two", "Information", MessageBoxButtons::YesNo), MessageBoxAnswer::Yes);
    ConsoleInfoSink sink(err);
    EXPECT_EQ(sink.InfoBox("a", "b"), 1);
    EXPECT_EQ(err.str(), "Alt 45\xC2\xB0\n\xE2\x80\xA2 one\n\xE2\x80\xA2 two\na\nb\n");
}

}  // namespace
}  // namespace vsp
