// `expand` through the built program: a worked example byte for byte, text and JSON, and the
// code page's degree sign (the expansion rules themselves are tested in tests/catalog).

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class ExpandCommand : public ProgramHomeTest {};

TEST_F(ExpandCommand, TextAndJsonInUtf8) {
    EXPECT_EQ(Run({"expand", "vF, S, R, psbM"}).out, "very faint ,  small ,  round ,  pretty suddenly brighter middle \n");
    EXPECT_EQ(Json({"expand", "p *"})["text"], "preceding  star ");
    // A degree sign typed in UTF-8 is one code-page byte inside; a description may begin with '-'.
    EXPECT_EQ(Run({"expand", "E 50\xC2\xB0, F"}).out, "extended  50\xC2\xB0,  faint \n");
    EXPECT_EQ(Run({"expand", "-F"}).out, "-faint \n");
    EXPECT_EQ(Run({"expand", "vF", "S"}).status, 2);
}

}  // namespace
}  // namespace vsp::test
