// User objects: the pre-26 layout moved into place on reading, the default name, and writing
// into an old file.

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/ObjectTestFiles.h"
#include "catalog/UserObject.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::Le32;
using test::ObjectBytes;

std::string Name(const char* text, size_t size) {
    std::string out(text);
    out.resize(size, '\0');
    return out;
}

// Version 25: 40 bytes of object, the 20-byte name at 40, four unused bytes.
std::string OldRecord(int32_t catalog, int32_t number, const char* name) {
    return ObjectBytes(catalog, number).substr(0, 40) + Name(name, 20) + std::string(4, '\x55');
}
std::string NewRecord(int32_t catalog, int32_t number, int32_t link, const char* name) {
    return ObjectBytes(catalog, number, link) + Name(name, 20);
}

class UserObjects : public testing::Test {
protected:
    void Install(uint32_t version, const std::string& records, int count) {
        home.WriteFile("usercatalogs/vespertar_common_objects.ppc",
                       Header(version, kUserObjectTypeCode, count, 64) + records);
        ASSERT_EQ(db.Open(kUserObjectTypeCode, 0, 1, "usercatalogs/", "vespertar_common_objects.ppc"), 1);
    }
    std::string WorkingCopy() const {
        return home.ReadFile("usercatalogs/usercatalogs/vespertar_common_objects.ppc");
    }
    test::TempHome home;
    RecordingInfoSink messages;
    CatalogDb db{home.Dir(), messages};
    CatalogTable catalogs = DefaultCatalogTable();
};

TEST_F(UserObjects, AnOldRecordGetsItsNameAtByte44AndAnEmptyLink) {
    Install(25, OldRecord(42, 891, "Silver sliver") + OldRecord(29, 2177, "Seagull"), 2);
    UserObjectRecord r;
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 1, r), 1);
    EXPECT_STREQ(r.name, "Seagull");
    EXPECT_EQ(r.object.catalog, 29);
    EXPECT_EQ(r.object.number, 2177);
    EXPECT_EQ(r.object.code1, 0x1234);
    EXPECT_EQ(r.object.link, 0);
}

TEST_F(UserObjects, ACurrentRecordKeepsItsLink) {
    Install(26, NewRecord(42, 891, 1234567, "Silver sliver"), 1);
    UserObjectRecord r;
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 0, r), 1);
    EXPECT_STREQ(r.name, "Silver sliver");
    EXPECT_EQ(r.object.link, 1234567);
}

TEST_F(UserObjects, AnEmptyNameBecomesTheDesignation) {
    Install(26, NewRecord(42, 7000, 0, "") + NewRecord(52, 101, 0, "") + NewRecord(40, 31, 0, ""), 3);
    UserObjectRecord r;
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 0, r), 1);
    EXPECT_STREQ(r.name, "NGC7000");
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 1, r), 1);
    EXPECT_STREQ(r.name, "Sh2101");
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 2, r), 1);
    EXPECT_STREQ(r.name, "M31");
}

TEST_F(UserObjects, ANameOfTwentyBytesIsCutToNineteen) {
    Install(26, ObjectBytes(42, 1) + std::string(20, 'x'), 1);
    UserObjectRecord r;
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 0, r), 1);
    EXPECT_EQ(std::string(r.name), std::string(19, 'x'));
}

TEST_F(UserObjects, ReportsAClosedFileAndAnUnreadableRecord) {
    UserObjectRecord r;
    std::strcpy(r.name, "keep");
    EXPECT_EQ(UserObjectRead(db, messages, catalogs, 0, r), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "User Object database isn't open!");

    Install(26, NewRecord(42, 1, 0, "a"), 2);  // the second record is missing
    messages.messages.clear();
    EXPECT_EQ(UserObjectRead(db, messages, catalogs, 1, r), 0);
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().first, "Could not retrieve user object record!");
    EXPECT_EQ(UserObjectRead(db, messages, catalogs, 2, r), 0);  // past the end
    EXPECT_STREQ(r.name, "keep");
}

TEST_F(UserObjects, WritingIntoAnOldFileRewritesItInTheCurrentLayout) {
    Install(25, OldRecord(42, 891, "Silver sliver"), 1);
    UserObjectRecord added;
    added.object.catalog = 29;
    added.object.number = 434;
    added.object.link = 9;
    std::strcpy(added.name, "Horsehead");
    ASSERT_EQ(UserObjectWrite(db, kAppendIndex, added), 1);

    const std::string file = WorkingCopy();
    EXPECT_EQ(file.substr(0, 4), Le32(26));
    EXPECT_EQ(file.substr(8, 4), Le32(2));
    const std::string first = file.substr(16, 64);
    EXPECT_EQ(first.substr(40, 4), std::string(4, '\0'));
    EXPECT_EQ(first.substr(44, 20), Name("Silver sliver", 20));
    const std::string second = file.substr(80, 64);
    EXPECT_EQ(second.substr(0, 8), Le32(29) + Le32(434));
    EXPECT_EQ(second.substr(40, 4), Le32(9));
    EXPECT_EQ(second.substr(44, 20), Name("Horsehead", 20));

    UserObjectRecord r;
    ASSERT_EQ(UserObjectRead(db, messages, catalogs, 0, r), 1);
    EXPECT_STREQ(r.name, "Silver sliver");
}

TEST_F(UserObjects, OverwritesARecordInPlace) {
    Install(26, NewRecord(42, 891, 0, "a") + NewRecord(42, 892, 0, "b"), 2);
    UserObjectRecord r;
    r.object.catalog = 11;
    r.object.number = 399;
    std::strcpy(r.name, "Coathanger");
    ASSERT_EQ(UserObjectWrite(db, 0, r), 1);
    const std::string file = WorkingCopy();
    EXPECT_EQ(file.size(), 16u + 128u);
    EXPECT_EQ(file.substr(16, 8), Le32(11) + Le32(399));
    EXPECT_EQ(file.substr(16 + 44, 20), Name("Coathanger", 20));
    EXPECT_EQ(file.substr(80, 64), NewRecord(42, 892, 0, "b"));
}

}  // namespace
}  // namespace vsp
