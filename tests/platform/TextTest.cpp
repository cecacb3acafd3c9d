// Text at the UTF-8 edge: what a strict serializer (nlohmann's JSON, which throws on anything
// but well-formed UTF-8) is handed must always be well-formed, whatever bytes came in.

#include <cctype>
#include <random>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/FormatText.h"
#include "platform/ParseNumber.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"

namespace vsp {
namespace {

// Well-formed UTF-8 is kept; each other byte becomes its code-page character (expected texts:
// Python's bytes.decode("cp1252") byte by byte, the undefined 0x90 as U+0090), overlong forms,
// surrogates and cut sequences included.
TEST(Text, ToValidUtf8KeepsUtf8AndReadsOtherBytesAsTheCodePage) {
    struct Case { std::string in, out; };
    for (const Case& c : {Case{"\xCE\xA9mega \xF0\x9F\x94\xAD", "\xCE\xA9mega \xF0\x9F\x94\xAD"},
                          Case{"ISS \xFF\xFE", "ISS \xC3\xBF\xC3\xBE"}, Case{"-12\xB0", "-12\xC2\xB0"},
                          Case{"\xC0\xAF", "\xC3\x80\xC2\xAF"}, Case{"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                          Case{"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},
                          Case{"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}}) {
        EXPECT_EQ(ToValidUtf8(c.in), c.out) << c.in;
    }
    // Bytes of every kind, high ones most: the result always serializes and is left as it is.
    std::mt19937 random(25);
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(random() % 12, '\0');
        for (char& byte : bytes) byte = char(random() % 4 ? 0x80 + random() % 0x80 : random() % 0x100);
        const std::string valid = ToValidUtf8(bytes);
        EXPECT_NO_THROW((void)nlohmann::json(valid).dump()) << bytes;
        EXPECT_EQ(ToValidUtf8(valid), valid);
    }
}

// Every byte around a padded name: only the C locale's white space goes, and only at the ends.
TEST(Text, TrimTakesOffWhiteSpaceAtTheEndsOnly) {
    for (int c = 1; c < 256; ++c) {
        const std::string padded = std::string(2, char(c)) + "M 31" + char(c);
        const bool blank = std::isspace(c) != 0;
        EXPECT_EQ(TrimBlanks(padded), blank ? "M 31" : padded) << c;
        EXPECT_EQ(TrimTrailingBlanks(padded), blank ? padded.substr(0, 6) : padded) << c;
    }
    EXPECT_EQ(TrimBlanks(" \t\r\n"), "");
    EXPECT_EQ(TrimTrailingBlanks(" \t\r\n"), "");
}

// Fields as Python's str.split(";") gives them: empty ones kept, quotes left alone.
TEST(Text, SplitFieldsKeepsEveryFieldAsWritten) {
    using Fields = std::vector<std::string_view>;
    EXPECT_EQ(SplitFields("", ';'), Fields{""});
    EXPECT_EQ(SplitFields(";", ';'), (Fields{"", ""}));
    EXPECT_EQ(SplitFields("M 31;\"8\" dob\";;x;", ';'), (Fields{"M 31", "\"8\" dob\"", "", "x", ""}));
}

// A formatted text is whole however long, and numbers are read whole or not at all.
TEST(Text, FormattingAndNumbersAreWholeOrRefused) {
    const std::string name(300, 'x');
    EXPECT_EQ(FormatText("%s %02d:%02d", name.c_str(), 7, 5), name + " 07:05");
    int32_t whole = 0;
    EXPECT_TRUE(ParseWhole("-2147483648", whole));
    EXPECT_EQ(whole, INT32_MIN);
    for (const char* bad : {"", "2147483648", "+5", " 5", "5 ", "5x", "0x10"})
        EXPECT_FALSE(ParseWhole(bad, whole)) << bad;
    double real = 0.0;
    EXPECT_TRUE(ParseWhole("2.5e1", real));
    EXPECT_EQ(real, 25.0);
}

}  // namespace
}  // namespace vsp
