#include <gtest/gtest.h>

#include "records/CatalogDb.h"
#include "records/HandMadeFiles.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::HeaderBytes;
using test::PatternFile;
using test::PatternRecord;

using Messages = std::vector<std::pair<std::string, std::string>>;

class CatalogDbTest : public ::testing::Test {
protected:
    test::TempHome home;
    RecordingInfoSink sink;
    CatalogDb db{home.Dir(), sink};
};

TEST_F(CatalogDbTest, OpenJoinsDirectoryAndNameAndPicksTheMode) {
    home.WriteFile("data/vespertar_hr.ppc", HeaderBytes(0x0005001A, "Star", 3, 4) + "aaaabbbbcccc");
    ASSERT_TRUE(db.Open(FourCharCode("Star"), FourCharCode("Vesp"), 0, "data/", "vespertar_hr.ppc"));
    EXPECT_EQ(db.File()->path, home.Path("data/vespertar_hr.ppc"));
    EXPECT_EQ(db.Version(), 26);
    EXPECT_EQ(db.RecordCount(4), 12);
    // Any nonzero mode is read/write and works on the copy.
    ASSERT_TRUE(db.Open(0, 0, 7, "data/", "vespertar_hr.ppc"));
    EXPECT_EQ(db.File()->path, home.Path("usercatalogs/data/vespertar_hr.ppc"));
    EXPECT_FALSE(db.Open(0, 0, 0, "data/", "absent.ppc"));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CatalogDbTest, WithoutAFileReadIsSilent) {
    char out[4] = {};
    EXPECT_FALSE(db.Read(0, out, 4));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CatalogDbTest, ReadCopiesTheRecordOrSaysWhyNot) {
    home.WriteFile("data/r.ppc", PatternFile(2, 6));
    ASSERT_TRUE(db.Open(0, 0, 0, "data/", "r.ppc"));
    char out[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    ASSERT_TRUE(db.Read(1, out, 8));  // a longer destination gets zeros behind the record
    EXPECT_EQ(std::string(out, 8), PatternRecord(1, 6) + std::string(2, '\0'));
    EXPECT_FALSE(db.Read(2, out, 4));
    EXPECT_EQ(sink.messages, (Messages{{"Could not retrieve record!", ""}}));
}

TEST_F(CatalogDbTest, ReadAllBelievesTheHeaderOnlyAsFarAsTheFileGoes) {
    // 65535 records of 1 MiB claimed by a file of 20 bytes: 64 GiB if taken at its word.
    home.WriteFile("data/big.ppc", HeaderBytes(1, "Test", 65535, 1 << 20) + "abcd");
    ASSERT_TRUE(db.Open(0, 0, 0, "data/", "big.ppc"));
    std::vector<uint8_t> out;
    EXPECT_FALSE(db.ReadAll(out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(sink.messages, (Messages{{"Could not retrieve record!", ""}}));
    home.WriteFile("data/two.ppc", PatternFile(2, 4) + "tail");
    ASSERT_TRUE(db.Open(0, 0, 0, "data/", "two.ppc"));
    ASSERT_TRUE(db.ReadAll(out));
    EXPECT_EQ(std::string(out.begin(), out.end()), PatternRecord(0, 4) + PatternRecord(1, 4));
}

}  // namespace
}  // namespace vsp
