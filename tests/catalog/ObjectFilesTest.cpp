// The deep-sky object files read back from files the tests write byte by byte: object records,
// cross-references, descriptions, and the user's objects (the pre-26 layout moved into place on
// reading, the default name).

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/ObjectRecord.h"
#include "catalog/ObjectTestFiles.h"
#include "catalog/UserObject.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Le16;
using test::Le32;

class ObjectFiles : public testing::Test {
protected:
    // Writes data/NAME with a header promising `count` records of `size` bytes, and opens it.
    void Install(const std::string& name, uint32_t typeCode, int32_t count, int32_t size, const std::string& records) {
        home.WriteFile("data/" + name, test::Header(26, typeCode, count, size) + records);
        ASSERT_TRUE(db.Open(typeCode, 0, 0, "data/", name));
    }
    std::string LastMessage() const { return messages.messages.empty() ? "" : messages.messages.back().first; }

    test::TempHome home;
    RecordingInfoSink messages;
    CatalogDb db{home.Dir(), messages};
};

TEST_F(ObjectFiles, ObjectReadGivesTheRecordAtTheIndexAndReportsFailures) {
    ObjectRecord r;
    r.number = 77;
    EXPECT_FALSE(ObjectRead(db, messages, 0, r));
    EXPECT_EQ(LastMessage(), "Object database isn't open!");
    messages.messages.clear();
    // The header promises four records, the file holds three.
    Install("vespertar_obj_18k.ppc", kObjectFileTypeCode, 4, 44,
            test::ObjectBytes(1, 5) + test::ObjectBytes(42, 224) + test::ObjectBytes(42, 7000));
    EXPECT_FALSE(ObjectRead(db, messages, 4, r));  // past the end: silent
    EXPECT_FALSE(ObjectRead(db, messages, -1, r));
    EXPECT_EQ(r.number, 77);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_TRUE(ObjectRead(db, messages, 2, r));  // every field at its offset
    EXPECT_EQ(std::tuple(r.catalog, r.number, r.type, r.constellation, r.code1, r.code2, r.link),
              std::tuple(42, 7000, 20, 3, 0x1234, 0xFFFF, -2));
    EXPECT_EQ(std::vector<float>({r.ra, r.dec, r.magnitude, r.sizeMajor, r.sizeMinor}),
              std::vector<float>({2.5f, -0.5f, 4.0f, 120.0f, 1.0f}));
    EXPECT_FALSE(ObjectRead(db, messages, 3, r));
    EXPECT_EQ(LastMessage(), "Could not retrieve object record!");
}

// Four (catalog, number) designations and the name, in a 48-byte record.
std::string CrossRecord(std::vector<std::pair<int16_t, int32_t>> designations, const char* name) {
    designations.resize(4, {0, 0});
    std::string out;
    for (const auto& d : designations) out += Le16(uint16_t(d.first));
    for (const auto& d : designations) out += Le32(uint32_t(d.second));
    out += name;
    out.resize(48, '\0');
    return out;
}

TEST_F(ObjectFiles, CrossReferencesGiveTheOtherDesignationsWantedAndTheName) {
    Install(std::string(kCrossReferenceFile), kCrossReferenceTypeCode, 7, 48,
            CrossRecord({}, "sentinel") + CrossRecord({{29, 434}, {20, 0}}, "Horsehead Nebula") +
                CrossRecord({{42, 224}, {40, 31}}, "Andromeda Galaxy") +
                CrossRecord({{42, 869}, {9, 14}, {42, 884}, {11, 24}}, "Double Cluster") +
                CrossRecord({{42, 6205}, {-1, 0}, {40, 13}}, "") +
                CrossRecord({{42, 7000}, {9, 20}}, "North America Nebula") + CrossRecord({{52, 101}}, ""));
    int16_t catalogs[3] = {};
    int32_t numbers[3] = {};
    int found = -1;
    std::string name;
    const auto find = [&](int32_t catalog, int32_t number, int wanted, size_t nameLength = 32) {
        name = std::string(nameLength + 1, '#');
        return CrossReferenceFind(db, messages, catalog, number, catalogs, numbers, wanted, found, name.data(),
                                  nameLength);
    };
    for (int wanted : {1, 2, 3, 9}) {
        ASSERT_TRUE(find(42, 869, wanted));
        EXPECT_EQ(found, std::min(wanted, 3));
    }
    EXPECT_EQ(name.c_str(), std::string("Double Cluster"));
    EXPECT_EQ(std::vector<int>(catalogs, catalogs + 3), std::vector<int>({9, 42, 11}));
    EXPECT_EQ(std::vector<int>(numbers, numbers + 3), std::vector<int>({14, 884, 24}));
    ASSERT_TRUE(find(29, 434, 3));  // the first record of the search
    EXPECT_EQ(found, 1);
    // The last record: found, but nothing to give; a missing second designation (-1) hides the third.
    EXPECT_FALSE(find(52, 101, 3));
    EXPECT_FALSE(find(42, 6205, 3));
    ASSERT_TRUE(find(42, 7000, 3, 6));  // the name cut to the length, nothing written past it
    EXPECT_EQ(name, std::string("North\0#", 7));
    for (auto [catalog, number] : {std::pair<int32_t, int32_t>{42, 7001}, {0, 0}, {67, 1}})
        EXPECT_FALSE(find(catalog, number, 3)) << catalog << " " << number;  // record 0 is never searched
    EXPECT_TRUE(messages.messages.empty());
    // Seven records promised, two present: the first record looked at (3) cannot be read.
    Install(std::string(kCrossReferenceFile), kCrossReferenceTypeCode, 7, 48,
            CrossRecord({}, "") + CrossRecord({{29, 434}, {20, 0}}, "Horsehead Nebula"));
    EXPECT_FALSE(find(42, 869, 3));
    EXPECT_EQ(LastMessage(), "Error during Cross Ref search");
}

std::string DescriptionRecord(int32_t catalog, int32_t number, const std::string& text) {
    std::string out = Le32(uint32_t(catalog)) + Le32(uint32_t(number)) + text;
    out.resize(57, '\0');
    return out;
}

TEST_F(ObjectFiles, DescriptionsByCatalogThenNumber) {
    constexpr int32_t kIc = 29, kNgc = 42;
    const std::string fortyNine = "F, S, R, *12 nf 3', *13 sp 2', vS, stellar nucleu";
    char text[kDescriptionShortSize];
    const auto find = [&](int32_t catalog, int32_t number) {
        std::memset(text, 'x', sizeof text);
        return DescriptionFind(db, messages, catalog, number, text);
    };
    EXPECT_FALSE(find(kNgc, 7000));  // no file: silent
    const std::string records = DescriptionRecord(0, 0, "sentinel") + DescriptionRecord(kIc, 434, "neb, 60' l") +
                                DescriptionRecord(kIc, 5370, "pB, S, R, stell N") +
                                DescriptionRecord(kNgc, 1, fortyNine) +
                                DescriptionRecord(kNgc, 7000, "F, eeL, dif nebulosity");
    Install(std::string(kDescriptionFileName), kDescriptionTypeCode, 5, 57, records);
    using Found = std::tuple<int32_t, int32_t, const char*>;
    for (auto [catalog, number, expected] :
         {Found{kNgc, 7000, "F, eeL, dif nebulosity"}, {kIc, 434, "neb, 60' l"}, {kIc, 5370, "pB, S, R, stell N"}}) {
        ASSERT_TRUE(find(catalog, number)) << number;
        EXPECT_STREQ(text, expected);
    }
    ASSERT_TRUE(find(kNgc, 1));  // at most 49 characters, the rest of the 55 bytes zero
    EXPECT_EQ(std::string(text, sizeof text), fortyNine + std::string(6, '\0'));
    for (auto [catalog, number] : {std::pair<int32_t, int32_t>{kNgc, 7001}, {kIc, 7000}, {0, 0}, {kNgc + 1, 1}}) {
        EXPECT_FALSE(find(catalog, number)) << catalog << " " << number;
        EXPECT_EQ(std::string(text, sizeof text), std::string(sizeof text, '\0'));
    }
    EXPECT_TRUE(messages.messages.empty());
    Install(std::string(kDescriptionFileName), kDescriptionTypeCode, 7, 57, records);  // two records short
    EXPECT_FALSE(find(kNgc, 7000));
    EXPECT_EQ(LastMessage(), "Error during Dreyer description search");

    EXPECT_TRUE(DescriptionApplies(kNgc, 5));
    EXPECT_FALSE(DescriptionApplies(kNgc, 27));  // a planet
    for (int32_t catalog : {0, 12, 13, 26, 28, 41, 45, 51, 54, 60, 63})
        EXPECT_FALSE(DescriptionApplies(catalog, 5)) << catalog;
}

std::string Name(const char* text) { return (text + std::string(20, '\0')).substr(0, 20); }
// Version 25: 40 bytes of object, the 20-byte name at 40, four unused bytes.
std::string OldRecord(int32_t catalog, int32_t number, const char* name) {
    return test::ObjectBytes(catalog, number).substr(0, 40) + Name(name) + std::string(4, '\x55');
}
std::string NewRecord(int32_t catalog, int32_t number, int32_t link, const char* name) {
    return test::ObjectBytes(catalog, number, link) + Name(name);
}

class UserObjects : public ObjectFiles {
protected:
    void Install(uint32_t version, const std::string& records, int count) {
        std::filesystem::remove(home.Path("usercatalogs/usercatalogs/vespertar_common_objects.ppc"));
        home.WriteFile("usercatalogs/vespertar_common_objects.ppc",
                       test::Header(version, kUserObjectTypeCode, count, 64) + records);
        ASSERT_TRUE(db.Open(kUserObjectTypeCode, 0, 1, "usercatalogs/", "vespertar_common_objects.ppc"));
    }
    UserObjectRecord Read(int32_t index) {
        UserObjectRecord r;
        EXPECT_TRUE(UserObjectRead(db, messages, catalogs, index, r)) << index;
        return r;
    }

    CatalogTable catalogs = DefaultCatalogTable();
};

TEST_F(UserObjects, OldRecordsMoveTheirNameAndEmptyNamesBecomeTheDesignation) {
    Install(25, OldRecord(42, 891, "Silver sliver") + OldRecord(29, 2177, ""), 2);
    UserObjectRecord r = Read(0);
    EXPECT_STREQ(r.name, "Silver sliver");
    EXPECT_EQ(r.object.link, 0);
    EXPECT_STREQ(Read(1).name, "IC2177");

    Install(26, NewRecord(52, 101, 1234567, "") + test::ObjectBytes(42, 1) + std::string(20, 'x'), 2);
    r = Read(0);
    EXPECT_STREQ(r.name, "Sh2101");
    EXPECT_EQ(r.object.link, 1234567);
    EXPECT_EQ(std::string(Read(1).name), std::string(19, 'x'));  // twenty bytes are cut to nineteen
}

TEST_F(UserObjects, ReportsAClosedFileAndAnUnreadableRecord) {
    UserObjectRecord r;
    std::strcpy(r.name, "keep");
    EXPECT_FALSE(UserObjectRead(db, messages, catalogs, 0, r));
    EXPECT_EQ(LastMessage(), "User Object database isn't open!");
    Install(26, NewRecord(42, 1, 0, "a"), 2);  // the second record is missing
    EXPECT_FALSE(UserObjectRead(db, messages, catalogs, 1, r));
    EXPECT_EQ(LastMessage(), "Could not retrieve user object record!");
    EXPECT_FALSE(UserObjectRead(db, messages, catalogs, 2, r));  // past the end
    EXPECT_STREQ(r.name, "keep");
}

}  // namespace
}  // namespace vsp
