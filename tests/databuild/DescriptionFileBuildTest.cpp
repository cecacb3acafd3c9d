// The description file built from a few NGC 2000.0 lines in both layouts of the table.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "catalog/DescriptionFile.h"
#include "databuild/DescriptionFileBuild.h"
#include "platform/ProgramDir.h"
#include "records/HandMadeFiles.h"
#include "support/TempHome.h"

namespace vsp::databuild {
namespace {

// The copy that spells the name out (columns 1-8, text from 50) and the CDS table itself
// (columns 1-5 with "I" before an IC number, text from 47).
std::string Padded(std::string text, size_t size) {
    text.resize(size, ' ');
    return text;
}
std::string ShiftedLine(const std::string& name, const std::string& text) {
    return Padded(Padded(name, 9) + " Gx 00 00.1  +32 45 m  And   0.7  15. p", 49) + text + "   \n";
}
std::string CdsLine(const std::string& name, const std::string& text) {
    return Padded(name + "  Gx  00 00.1  +32 45 m  And   0.7 15.  p", 46) + text + "\r\n";
}
// A record: catalog row and number, the text padded with NULs to 49 bytes.
std::string Record(int32_t catalog, int32_t number, const std::string& text) {
    return test::Le32(uint32_t(catalog)) + test::Le32(uint32_t(number)) + text + std::string(49 - text.size(), '\0');
}

const std::string kFortyNine = "F, S, R, *12 nf 3', *13 sp 2', vS, stellar nucleu";

class DescriptionBuild : public testing::Test {
protected:
    bool Build(const std::string& table, const std::string& input = "ngc2000.dat") {
        home_.WriteFile("ngc2000.dat", table);
        result_ = {};
        return DescriptionFileBuild(home_.Path(input), home_.Path(output_), result_);
    }

    test::TempHome home_{};
    const std::string output_ = "data/" + std::string(kDescriptionFileName);
    DescriptionBuildResult result_;
};

// IC (29) before NGC (42); trailing blanks go; a text of exactly 49 has no room for a NUL; a
// rebuild gives the same bytes.
TEST_F(DescriptionBuild, SortedRecordsBehindASentinel) {
    home_.WriteFile("data/.keep", "");
    const std::string table = ShiftedLine("NGC 7000", "F, eeL, dif nebulosity") + ShiftedLine("NGC    1", kFortyNine) +
                              CdsLine("I5370", "pB, S, R, stell N") + ShiftedLine("NGC 7001", "") + "\n" +
                              CdsLine("  434", "vF");
    ASSERT_TRUE(Build(table)) << result_.problem;
    const std::string file = home_.ReadFile(output_);
    EXPECT_EQ(file, test::HeaderBytes(1, "01lp", 5, 57) + std::string(57, '\0') + Record(29, 5370, "pB, S, R, stell N") +
                        Record(42, 1, kFortyNine) + Record(42, 434, "vF") + Record(42, 7000, "F, eeL, dif nebulosity"));
    EXPECT_EQ(result_.records, 5);
    ASSERT_TRUE(Build(table));
    EXPECT_EQ(home_.ReadFile(output_), file);
}

TEST_F(DescriptionBuild, BadInputStopsAndKeepsThePreviousFile) {
    home_.WriteFile("data/.keep", "");
    const std::string good = ShiftedLine("NGC 7000", "F, eeL, dif nebulosity");
    ASSERT_TRUE(Build(good));
    const std::string previous = home_.ReadFile(output_);
    const std::pair<std::string, std::string> bad[] = {
        {good + ShiftedLine("NGC 7000", "vF"), "NGC 7000 has two descriptions"},
        {good + ShiftedLine("NGC 7002", kFortyNine + "x"), "line 2: description longer than 49"},
        {"Messier 31  Gx\n", "line 1: unreadable NGC or IC name"}};
    for (const auto& [table, why] : bad) {
        EXPECT_FALSE(Build(table));
        EXPECT_NE(result_.problem.find(why), std::string::npos) << result_.problem;
    }
    EXPECT_FALSE(Build(good, "missing.dat"));
    EXPECT_NE(result_.problem.find("missing.dat"), std::string::npos) << result_.problem;
    EXPECT_EQ(home_.ReadFile(output_), previous);
    for (const auto& item : std::filesystem::directory_iterator(home_.Path("data")))  // no temporary file left
        EXPECT_EQ(item.path().filename().string().find(".tmp"), std::string::npos) << item.path();
}

}  // namespace
}  // namespace vsp::databuild
