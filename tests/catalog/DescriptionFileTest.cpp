// The description file: built from a few NGC 2000.0 lines the test writes, then searched the
// way the object screen searches it; and once from the real table.

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "catalog/DescriptionFile.h"
#include "catalog/DescriptionFileBuild.h"
#include "catalog/DreyerExpand.h"
#include "platform/ProgramDir.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

constexpr int32_t kIc = 29;
constexpr int32_t kNgc = 42;

// Lines as the shifted copy of the table spells them (name in columns 1-8, text from 50).
std::string ShiftedLine(const std::string& name, const std::string& text) {
    std::string line = name + std::string(9 - name.size(), ' ') + " Gx 00 00.1  +32 45 m  And   0.7  15. p ";
    line.resize(49, ' ');
    return line + text + std::string(text.size() < 50 ? 50 - text.size() : 0, ' ') + "\n";
}

const std::string kFortyNine = "F, S, R, *12 nf 3', *13 sp 2', vS, stellar nucleu";  // 49 characters

std::string SmallTable() {
    return ShiftedLine("NGC 7000", "F, eeL, dif nebulosity") + ShiftedLine("IC 5370", "pB, S, R, stell N") +
           ShiftedLine("NGC    1", kFortyNine) + ShiftedLine("IC  434", "neb, 60' l, south from zeta Ori") +
           ShiftedLine("NGC 7001", "") + "\n";
}

class DescriptionFile : public testing::Test {
protected:
    std::string Build(const std::string& table, int expected = 1) {
        home_.WriteFile("ngc2000.dat", table);
        home_.WriteFile("data/.keep", "");
        result_ = {};
        EXPECT_EQ(DescriptionFileBuild(home_.Path("ngc2000.dat"), OutputPath(), result_), expected)
            << result_.problem;
        return expected == 1 ? home_.ReadFile("data/" + std::string(kDescriptionFileName)) : "";
    }
    std::string OutputPath() const { return home_.Path("data/" + std::string(kDescriptionFileName)); }
    int Find(int32_t catalog, int32_t number, char (&text)[kDescriptionShortSize]) {
        CatalogDb db(home_.Dir(), messages_);
        db.Open(kDescriptionTypeCode, 0, 0, "data/", std::string(kDescriptionFileName));
        return DescriptionFind(db, messages_, catalog, number, text);
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    DescriptionBuildResult result_;
};

const uint8_t* Bytes(const std::string& file, size_t offset) {
    return reinterpret_cast<const uint8_t*>(file.data()) + offset;
}

TEST_F(DescriptionFile, BuildWritesSortedRecordsBehindASentinel) {
    const std::string file = Build(SmallTable());
    // Header: version 1, the type code little-endian, 5 records (sentinel + 4), 57 bytes each.
    ASSERT_EQ(file.size(), 16u + 5 * 57);
    EXPECT_EQ(ReadU32(Bytes(file, 0)), 1u);
    EXPECT_EQ(file.substr(4, 4), "01lp");
    EXPECT_EQ(ReadI32(Bytes(file, 8)), 5);
    EXPECT_EQ(ReadI32(Bytes(file, 12)), 57);
    EXPECT_EQ(result_.records, 5);
    EXPECT_EQ(file.substr(16, 57), std::string(57, '\0'));

    const auto record = [&](int index) { return file.substr(16 + 57 * index, 57); };
    const int32_t expected[4][2] = {{kIc, 434}, {kIc, 5370}, {kNgc, 1}, {kNgc, 7000}};
    for (int k = 0; k < 4; ++k) {
        const std::string r = record(k + 1);
        EXPECT_EQ(ReadI32(Bytes(r, 0)), expected[k][0]) << k;
        EXPECT_EQ(ReadI32(Bytes(r, 4)), expected[k][1]) << k;
    }
    // Trailing blanks go, zeros fill the rest; a text of exactly 49 has no room for a NUL.
    EXPECT_EQ(record(4).substr(8), std::string("F, eeL, dif nebulosity") + std::string(27, '\0'));
    EXPECT_EQ(record(3).substr(8), kFortyNine);

    // Same input, same bytes; and no temporary file is left behind.
    EXPECT_EQ(Build(SmallTable()), file);
    EXPECT_FALSE(FileExists(OutputPath() + ".tmp"));
}

TEST_F(DescriptionFile, BuildReadsTheCdsLayoutToo) {
    // CDS VII/118 itself: name in columns 1-5 ("I" before an IC number), text from column 47.
    const auto cdsLine = [](const std::string& name, const std::string& text) {
        std::string line = name + "  Gx  00 00.1  +32 45 m  And   0.7 15.  p";
        line.resize(46, ' ');
        return line + text;
    };
    const std::string ic = cdsLine("I5370", "pB, S, R, stell N");
    const std::string ngc = cdsLine(" 7000", "F, eeL, dif nebulosity");
    Build(ic + "\n" + ngc + "\r\n");
    char text[kDescriptionShortSize];
    ASSERT_EQ(Find(kIc, 5370, text), 1);
    EXPECT_STREQ(text, "pB, S, R, stell N");
    ASSERT_EQ(Find(kNgc, 7000, text), 1);
    EXPECT_STREQ(text, "F, eeL, dif nebulosity");
}

TEST_F(DescriptionFile, BuildRefusesBadInputAndKeepsThePreviousFile) {
    const std::string previous = Build(SmallTable());
    Build(SmallTable() + ShiftedLine("NGC 7000", "vF"), 0);
    EXPECT_NE(result_.problem.find("NGC 7000"), std::string::npos) << result_.problem;
    Build(SmallTable() + ShiftedLine("NGC 7002", kFortyNine + "x"), 0);
    EXPECT_NE(result_.problem.find(":7:"), std::string::npos) << result_.problem;
    Build("Messier 31  Gx\n", 0);
    EXPECT_NE(result_.problem.find(":1:"), std::string::npos) << result_.problem;
    result_ = {};
    EXPECT_EQ(DescriptionFileBuild(home_.Path("missing.dat"), OutputPath(), result_), 0);
    EXPECT_FALSE(result_.problem.empty());
    EXPECT_EQ(home_.ReadFile("data/" + std::string(kDescriptionFileName)), previous);
    EXPECT_FALSE(FileExists(OutputPath() + ".tmp"));
}

TEST_F(DescriptionFile, FindSearchesByCatalogThenNumber) {
    Build(SmallTable());
    char text[kDescriptionShortSize];
    ASSERT_EQ(Find(kNgc, 7000, text), 1);
    EXPECT_STREQ(text, "F, eeL, dif nebulosity");
    ASSERT_EQ(Find(kIc, 434, text), 1);
    EXPECT_STREQ(text, "neb, 60' l, south from zeta Ori");
    // At most 49 characters, the rest of the 55 bytes zero.
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(Find(kNgc, 1, text), 1);
    EXPECT_EQ(std::string(text, 49), kFortyNine);
    EXPECT_EQ(std::string(text + 49, 6), std::string(6, '\0'));

    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(Find(kNgc, 7001, text), 0);  // a line without a text has no record
    EXPECT_EQ(std::string(text, sizeof text), std::string(sizeof text, '\0'));
    EXPECT_EQ(Find(kIc, 7000, text), 0);
    EXPECT_EQ(Find(0, 0, text), 0);  // the sentinel is never a candidate
    EXPECT_EQ(Find(kNgc + 1, 1, text), 0);
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DescriptionFile, FindWithoutAFileOrWithOnlyTheSentinel) {
    char text[kDescriptionShortSize];
    EXPECT_EQ(Find(kNgc, 7000, text), 0);  // no file at all
    Build("\n");
    EXPECT_EQ(result_.records, 1);
    EXPECT_EQ(Find(0, 0, text), 0);
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(DescriptionFile, FindReportsARecordThatCannotBeRead) {
    std::string file = Build(SmallTable());
    file.resize(16 + 2 * 57);  // the header still counts 5 records
    home_.WriteFile("data/" + std::string(kDescriptionFileName), file);
    char text[kDescriptionShortSize];
    EXPECT_EQ(Find(kNgc, 7000, text), 0);
    ASSERT_FALSE(messages_.messages.empty());
    EXPECT_EQ(messages_.messages.back().first, "Error during Dreyer description search");
    EXPECT_EQ(text[0], '\0');
}

TEST_F(DescriptionFile, LayoutDecodesARecord) {
    const std::string file = Build(SmallTable());
    RecordLayoutRegistry registry;
    RegisterDescriptionLayouts(registry);
    const RecordLayout* layout = registry.Find("data/vespertar_obj_18k_desc.ppc", 57);
    ASSERT_NE(layout, nullptr);
    const auto fields = DecodeRecord(*layout, Bytes(file, 16 + 4 * 57), 57);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].second, "42");
    EXPECT_EQ(fields[1].second, "7000");
    EXPECT_EQ(fields[2].second, "F, eeL, dif nebulosity");
    EXPECT_EQ(registry.Find("other.ppc", 57, kDescriptionTypeCode), layout);
}

TEST(DescriptionApplies, OnlyForDeepSkyCatalogs) {
    EXPECT_TRUE(DescriptionApplies(kNgc, 5));
    EXPECT_TRUE(DescriptionApplies(kIc, 9));
    EXPECT_FALSE(DescriptionApplies(kNgc, 27));
    for (int32_t catalog : {0, 12, 13, 26, 28, 41, 45, 51, 54, 60, 63}) {
        EXPECT_FALSE(DescriptionApplies(catalog, 5)) << catalog;
    }
}

// The real NGC 2000.0 table: every line gives a record, and the texts are as the table has them.
TEST_F(DescriptionFile, RealTableGivesNgc7000) {
    const std::string source = std::string(VESPERTAR_SHARED_DATA) + "/ngc2000.dat";
    if (!FileExists(source)) GTEST_SKIP() << source << " is not there";
    home_.WriteFile("data/.keep", "");
    ASSERT_EQ(DescriptionFileBuild(source, OutputPath(), result_), 1) << result_.problem;
    EXPECT_EQ(result_.records, 13227);

    char text[kDescriptionShortSize];
    ASSERT_EQ(Find(kNgc, 7000, text), 1);
    EXPECT_STREQ(text, "F, eeL, dif nebulosity");
    char expanded[kDescriptionLongSize];
    DescriptionExpand(text, expanded);
    EXPECT_STREQ(expanded, "faint ,  most extremely large ,  diffused  nebula ulittle osouth irregular ty");
    ASSERT_EQ(Find(kNgc, 224, text), 1);
    EXPECT_STREQ(text, "!!! eeB, eL, vmE (Andromeda); = M31");
    ASSERT_EQ(Find(kIc, 434, text), 1);
    EXPECT_STREQ(text, "neb, 60' l, south from zeta Ori");
    ASSERT_EQ(Find(kIc, 5386, text), 1);
    ASSERT_EQ(Find(kNgc, 7840, text), 1);
    EXPECT_EQ(Find(kNgc, 7841, text), 0);
}

}  // namespace
}  // namespace vsp
