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
    const struct { const char* in; const char* out; } cases[] = {
        // Two blanks after every comma: the comma's own and the blank copied from the input.
        {"vF, S, R, psbM", "very faint ,  small ,  round ,  pretty suddenly brighter middle "},
        // Longer abbreviations first where the table puts them first; case decides.
        {",", ", "}, {"!!", "very remarkable "}, {"!!!!", "a magnificent remarkable "}, {"***", "triple star "},
        {"eeL", "most extremely large "}, {"cl.", "cluster "}, {"cl", "considerably little "},
        {"Cl", "cluster "}, {"bB", "brighter bright "}, {"...", " to  "},
        // The first of two rows with one abbreviation always wins, even over a longer later row.
        {"st", "stars from "}, {"s", "south "}, {"stell", "stars from extremely little little "},
        // "p" is "pretty" before faint, bright, large, small and round (the catalogue's "pF",
        // "pB", "pL", "pS", "pR") or with an "i" two places on, and "preceding" elsewhere.
        {"pB", "pretty bright "}, {"pL", "pretty large "}, {"pS", "pretty small "}, {"pR", "pretty round "},
        {"pRi", "pretty rich in stars "}, {"p iF", "pretty  irregular figure "}, {"p", "preceding "},
        {"pM", "preceding middle "}, {"np", "north preceding "},
        // Numbers, notes and cross-references are copied.
        {"12", "12"}, {"15', vF", "15',  very faint "}, {"*9 sp 50\"", "star 9 south preceding  50\""},
        {"st 9...13", "stars from  9...13"}, {"(vS) F", "(vS) faint "},
        {"(vS", "(vS"},  // a note that never closes runs to the end
        // The letter right after "=" is dropped and the copy stops at the blank; 31 is a number.
        {"=", "="}, {"= M31", "=M31"},
        {"!!! eeB, eL, vmE (Andromeda); = M31",
         "a magnificent  most extremely bright ,  extremely large ,  very much extended  (Andromeda); =M31"},
    };
    for (const auto& c : cases) EXPECT_EQ(Expand(c.in), c.out) << c.in;
}

TEST(DreyerExpand, StopsAtTheStepThatPasses190) {
    // Exactly 190 is not past the limit: one more step is taken.
    EXPECT_EQ(Expand(Repeat("w", 40)), Repeat("with ", 39));
    // A number is copied only while the output is below 195.
    EXPECT_EQ(Expand(Repeat("w", 38) + "12345678"), Repeat("with ", 38) + "12345");
    // A step that would run past the 200-byte buffer is cut at its last byte.
    const std::string cut = Expand(Repeat("w", 37) + "bf");
    EXPECT_EQ(cut, (Repeat("with ", 37) + "brightest towards the following side ").substr(0, 199));
}

}  // namespace
}  // namespace vsp
