// The expansion scan against worked examples written out by hand from the abbreviation tables
// and the scan's rules (never from the program's own output).

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "catalog/DreyerExpand.h"

namespace vsp {
namespace {

std::string Expand(const std::string& shortText) {
    char out[kDescriptionLongSize];
    std::memset(out, 'x', sizeof out);
    const size_t length = DescriptionExpand(shortText, out);
    EXPECT_EQ(length, std::strlen(out));
    return out;
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int k = 0; k < times; ++k) text += piece;
    return text;
}

TEST(DreyerExpand, WorkedExamples) {
    // Two blanks after every comma: the comma's own and the blank copied from the input.
    EXPECT_EQ(Expand("vF, S, R, psbM"), "very faint ,  small ,  round ,  pretty suddenly brighter middle ");
    EXPECT_EQ(Expand("pB"), "pretty bright ");
    EXPECT_EQ(Expand("nf"), "north following ");
    EXPECT_EQ(Expand(""), "");
    EXPECT_EQ(Expand(","), ", ");
}

TEST(DreyerExpand, LongerAbbreviationsComeFirstWhereTheTableSaysSo) {
    EXPECT_EQ(Expand("!!!"), "a magnificent ");
    EXPECT_EQ(Expand("!!"), "very remarkable ");
    EXPECT_EQ(Expand("!!!!"), "a magnificent remarkable ");
    EXPECT_EQ(Expand("***"), "triple star ");
    EXPECT_EQ(Expand("eeL"), "most extremely large ");
    EXPECT_EQ(Expand("cl."), "cluster ");
    EXPECT_EQ(Expand("cl"), "considerably little ");
    EXPECT_EQ(Expand("Cl"), "cluster ");
    EXPECT_EQ(Expand("bB"), "brighter bright ");  // case decides
    EXPECT_EQ(Expand("..."), " to  ");
    // The first of two rows with one abbreviation always wins, even over a longer later row.
    EXPECT_EQ(Expand("st"), "stars from ");
    EXPECT_EQ(Expand("s"), "south ");
    EXPECT_EQ(Expand("stell"), "stars from extremely little little ");
}

TEST(DreyerExpand, PrettyOnlyBeforeBrightnessOrSizeLetters) {
    EXPECT_EQ(Expand("pF"), "pretty faint ");
    EXPECT_EQ(Expand("pL"), "pretty large ");
    EXPECT_EQ(Expand("pRi"), "pretty rich in stars ");
    EXPECT_EQ(Expand("p *"), "preceding  star ");
    EXPECT_EQ(Expand("p"), "preceding ");
    EXPECT_EQ(Expand("pM"), "preceding middle ");
    // An "i" two places on also reads "pretty".
    EXPECT_EQ(Expand("p iF"), "pretty  irregular figure ");
    EXPECT_EQ(Expand("np"), "north preceding ");
}

TEST(DreyerExpand, NumbersNotesAndCrossReferencesAreCopied) {
    EXPECT_EQ(Expand("12"), "12");
    EXPECT_EQ(Expand("15', vF"), "15',  very faint ");
    EXPECT_EQ(Expand("*9 sp 50\""), "star 9 south preceding  50\"");
    EXPECT_EQ(Expand("st 9...13"), "stars from  9...13");
    EXPECT_EQ(Expand("(var)"), "(var)");
    EXPECT_EQ(Expand("(vS) F"), "(vS) faint ");
    EXPECT_EQ(Expand("(vS"), "(vS");  // a note that never closes runs to the end
    // The letter right after "=" is dropped and the copy stops at the blank; 31 is a number.
    EXPECT_EQ(Expand("=M 31"), "= 31");
    EXPECT_EQ(Expand("="), "=");
    EXPECT_EQ(Expand("= M31"), "=M31");
    EXPECT_EQ(Expand("!!! eeB, eL, vmE (Andromeda); = M31"),
              "a magnificent  most extremely bright ,  extremely large ,  very much extended  "
              "(Andromeda); =M31");
}

TEST(DreyerExpand, StopsAtTheStepThatPasses190) {
    // 13 steps of 14 characters make 182; the 14th makes 196 and is the last.
    EXPECT_EQ(Expand(Repeat("!!!", 16)), Repeat("a magnificent ", 14));
    // Exactly 190 is not past the limit: one more step is taken.
    EXPECT_EQ(Expand(Repeat("w", 40)), Repeat("with ", 39));
    // A number is copied only while the output is below 195.
    EXPECT_EQ(Expand(Repeat("w", 38) + "12345678"), Repeat("with ", 38) + "12345");
    // A step that would run past the 200-byte buffer is cut at its last byte.
    const std::string cut = Expand(Repeat("w", 37) + "bf");
    EXPECT_EQ(cut, (Repeat("with ", 37) + "brightest towards the following side ").substr(0, 199));
}

TEST(DreyerExpand, TablesHoldTheirRowsInOrder) {
    ASSERT_EQ(kAbbreviationTableA.size(), 47u);
    ASSERT_EQ(kAbbreviationTableB.size(), 49u);
    EXPECT_STREQ(kAbbreviationTableA[13].abbreviation, "bf");
    EXPECT_STREQ(kAbbreviationTableA[46].expansion, "irregular");
    EXPECT_STREQ(kAbbreviationTableB[17].expansion, "pretty");
    EXPECT_STREQ(kAbbreviationTableB[18].expansion, "preceding");
    EXPECT_STREQ(kAbbreviationTableB[24].expansion, "partially relolved");
    EXPECT_STREQ(kAbbreviationTableB[48].abbreviation, "...");
}

}  // namespace
}  // namespace vsp
