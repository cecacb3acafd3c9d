#include <gtest/gtest.h>

#include "records/CatalogDb.h"
#include "records/HandMadeFiles.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::HeaderBytes;
using test::PatternFile;
using test::PatternRecord;
using test::TempHome;

using Messages = std::vector<std::pair<std::string, std::string>>;

class CatalogDbTest : public ::testing::Test {
protected:
    TempHome home;
    RecordingInfoSink sink;
    CatalogDb db{home.Dir(), sink};
};

TEST_F(CatalogDbTest, OpenJoinsDirectoryAndNameAndPicksTheMode) {
    home.WriteFile("data/vespertar_hr.ppc", HeaderBytes(0x0005001A, "Star", 3, 4) + "aaaabbbbcccc");
    ASSERT_EQ(db.Open(FourCharCode("Star"), FourCharCode("Vesp"), 0, "data/", "vespertar_hr.ppc"), 1);
    EXPECT_EQ(db.File()->path, home.Path("data/vespertar_hr.ppc"));
    EXPECT_EQ(db.Version(), 26);
    EXPECT_EQ(db.RecordCount(), 3);
    EXPECT_EQ(db.RecordCount(4), 12);

    // Any nonzero mode is read/write and works on the copy.
    ASSERT_EQ(db.Open(0, 0, 7, "data/", "vespertar_hr.ppc"), 1);
    EXPECT_EQ(db.File()->path, home.Path("usercatalogs/data/vespertar_hr.ppc"));

    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.Version(), 0);
    EXPECT_EQ(db.RecordCount(5), 0);
    EXPECT_EQ(db.Open(0, 0, 0, "data/", "absent.ppc"), 0);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CatalogDbTest, ReadCopiesTheRecordOrSaysWhyNot) {
    char out[4] = {};
    EXPECT_EQ(db.Read(0, out, 4), 0);
    EXPECT_TRUE(sink.messages.empty());  // nothing open: silent

    home.WriteFile("data/r.ppc", PatternFile(2, 6));
    ASSERT_EQ(db.Open(0, 0, 0, "data/", "r.ppc"), 1);
    ASSERT_EQ(db.Read(1, out, 4), 1);
    EXPECT_EQ(std::string(out, 4), PatternRecord(1, 6).substr(0, 4));

    EXPECT_EQ(db.Read(2, out, 4), 0);
    EXPECT_EQ(sink.messages, (Messages{{"Could not retrieve record!", ""}}));
}

TEST_F(CatalogDbTest, ChangesWithoutAnOpenFileAreRefused) {
    EXPECT_EQ(db.Write(0, "abcd", 4), 0);
    EXPECT_EQ(db.Write(kAppendIndex, "abcd", 4), 0);
    EXPECT_EQ(db.Delete(0), 0);
    EXPECT_EQ(sink.messages, (Messages{{"Database isn't open!", ""},
                                       {"Database isn't open!", ""},
                                       {"Database isn't open!", ""}}));
}

TEST_F(CatalogDbTest, WriteAtAppendIndexAddsARecord) {
    ASSERT_EQ(RecordFileCreate(home.Dir(), "notes.ppc", FourCharCode("Note")), 0);
    ASSERT_EQ(db.Open(FourCharCode("Note"), 0, 1, "", "notes.ppc"), 1);
    ASSERT_EQ(db.Write(kAppendIndex, "first!", 6), 1);
    ASSERT_EQ(db.Write(kAppendIndex, "second", 6), 1);
    ASSERT_EQ(db.Write(0, "FIRST", 5), 1);
    EXPECT_EQ(db.RecordCount(), 2);
    EXPECT_EQ(home.ReadFile("usercatalogs/notes.ppc"), HeaderBytes(0, "Note", 2, 6) + "FIRST!second");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CatalogDbTest, DeleteIgnoresIndexesOutsideTheRecords) {
    home.WriteFile("data/d.ppc", PatternFile(3, 4));
    ASSERT_EQ(db.Open(0, 0, 1, "data/", "d.ppc"), 1);
    const std::string before = home.ReadFile("usercatalogs/data/d.ppc");
    EXPECT_EQ(db.Delete(3), 0);
    EXPECT_EQ(db.Delete(-1), 0);
    EXPECT_EQ(home.ReadFile("usercatalogs/data/d.ppc"), before);
    EXPECT_EQ(db.RecordCount(), 3);

    ASSERT_EQ(db.Delete(1), 1);
    EXPECT_EQ(db.RecordCount(), 2);
    char out[4];
    ASSERT_EQ(db.Read(1, out, 4), 1);
    EXPECT_EQ(std::string(out, 4), PatternRecord(2, 4));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CatalogDbTest, DeleteOnAnEmptyFileIsIgnored) {
    home.WriteFile("data/e.ppc", HeaderBytes(1, "Test", 0, 4) + "leftover");
    ASSERT_EQ(db.Open(0, 0, 1, "data/", "e.ppc"), 1);
    EXPECT_EQ(db.Delete(0), 0);
    EXPECT_EQ(home.ReadFile("usercatalogs/data/e.ppc"), HeaderBytes(1, "Test", 0, 4) + "leftover");
}

}  // namespace
}  // namespace vsp
