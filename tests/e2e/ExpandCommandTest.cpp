// `expand` through the built program: the worked examples byte for byte, text and JSON.

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class ExpandCommand : public ProgramHomeTest {};

TEST_F(ExpandCommand, WorkedExamplesByteForByte) {
    EXPECT_EQ(Run({"expand", "vF, S, R, psbM"}).out,
              "very faint ,  small ,  round ,  pretty suddenly brighter middle \n");
    EXPECT_EQ(Json({"expand", "vF, S, R, psbM"})["text"],
              "very faint ,  small ,  round ,  pretty suddenly brighter middle ");
    EXPECT_EQ(Json({"expand", "!!!"})["text"], "a magnificent ");
    EXPECT_EQ(Json({"expand", "pF"})["text"], "pretty faint ");
    EXPECT_EQ(Json({"expand", "p *"})["text"], "preceding  star ");
    EXPECT_EQ(Json({"expand", "=M 31"})["text"], "= 31");
    EXPECT_EQ(Json({"expand", "(var)"})["text"], "(var)");
    EXPECT_EQ(Json({"expand", ""})["text"], "");

    std::string many, expected;
    for (int k = 0; k < 16; ++k) many += "!!!";
    for (int k = 0; k < 14; ++k) expected += "a magnificent ";
    EXPECT_EQ(Json({"expand", many})["text"], expected);
}

TEST_F(ExpandCommand, TextIsCodePageInsideAndUtf8Outside) {
    // A degree sign typed in UTF-8 is one code-page byte inside and comes back as UTF-8.
    EXPECT_EQ(Run({"expand", "E 50\xC2\xB0, F"}).out, "extended  50\xC2\xB0,  faint \n");
    // A description may begin with '-'.
    EXPECT_EQ(Run({"expand", "-F"}).out, "-faint \n");
}

TEST_F(ExpandCommand, UsageErrors) {
    EXPECT_EQ(Run({"expand"}).status, 2);
    EXPECT_EQ(Run({"expand", "vF", "S"}).status, 2);
    EXPECT_EQ(Run({"expand", "vF", "--bogus"}).status, 2);
}

}  // namespace
}  // namespace vsp::test
