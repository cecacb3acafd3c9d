// The cross-reference search over a file the test writes: the other designations, how many
// are wanted, the common name and its length, and the failures.

#include <string>

#include <gtest/gtest.h>

#include "catalog/CrossReference.h"
#include "catalog/ObjectTestFiles.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::Le16;
using test::Le32;

constexpr int32_t kSize = 24 + 24;

struct Designation {
    int16_t catalog;
    int32_t number;
};

std::string CrossRecord(Designation a, Designation b, Designation c, Designation d, const char* name) {
    std::string out = Le16(uint16_t(a.catalog)) + Le16(uint16_t(b.catalog)) + Le16(uint16_t(c.catalog)) +
                      Le16(uint16_t(d.catalog)) + Le32(uint32_t(a.number)) + Le32(uint32_t(b.number)) +
                      Le32(uint32_t(c.number)) + Le32(uint32_t(d.number)) + name;
    out.resize(kSize, '\0');
    return out;
}

class CrossReferences : public testing::Test {
protected:
    void SetUp() override {
        const std::string records =
            CrossRecord({0, 0}, {0, 0}, {0, 0}, {0, 0}, "sentinel") +
            CrossRecord({29, 434}, {20, 0}, {0, 0}, {0, 0}, "Horsehead Nebula") +
            CrossRecord({42, 224}, {40, 31}, {0, 0}, {0, 0}, "Andromeda Galaxy") +
            CrossRecord({42, 869}, {9, 14}, {42, 884}, {11, 24}, "Double Cluster") +
            CrossRecord({42, 6205}, {-1, 0}, {40, 13}, {0, 0}, "") +
            CrossRecord({42, 7000}, {9, 20}, {0, 0}, {0, 0}, "North America Nebula") +
            CrossRecord({52, 101}, {0, 0}, {0, 0}, {0, 0}, "");
        Install(Header(1, kCrossReferenceTypeCode, 7, kSize) + records);
    }
    void Install(const std::string& bytes) {
        home.WriteFile("data/vespertar_obj_cross_ref.ppc", bytes);
        ASSERT_EQ(db.Open(kCrossReferenceTypeCode, 0, 0, "data/", "vespertar_obj_cross_ref.ppc"), 1);
    }
    int Find(int32_t catalog, int32_t number, int wanted, size_t nameLength = 32) {
        name = std::string(nameLength + 1, '#');
        return CrossReferenceFind(db, messages, catalog, number, catalogs, numbers, wanted, found,
                                  name.data(), nameLength);
    }
    std::string Name() const { return name.c_str(); }

    test::TempHome home;
    RecordingInfoSink messages;
    CatalogDb db{home.Dir(), messages};
    int16_t catalogs[3] = {};
    int32_t numbers[3] = {};
    int found = -1;
    std::string name;
};

TEST_F(CrossReferences, GivesTheOtherDesignationsAndTheName) {
    ASSERT_EQ(Find(42, 869, 3), 1);
    EXPECT_EQ(Name(), "Double Cluster");
    ASSERT_EQ(found, 3);
    EXPECT_EQ(catalogs[0], 9);
    EXPECT_EQ(numbers[0], 14);
    EXPECT_EQ(catalogs[1], 42);
    EXPECT_EQ(numbers[1], 884);
    EXPECT_EQ(catalogs[2], 11);
    EXPECT_EQ(numbers[2], 24);

    ASSERT_EQ(Find(29, 434, 3), 1);  // the first and the last record of the search
    EXPECT_EQ(Name(), "Horsehead Nebula");
    EXPECT_EQ(found, 1);
    ASSERT_EQ(Find(52, 101, 3), 0);  // found, but nothing to give
    EXPECT_EQ(found, 0);
}

TEST_F(CrossReferences, GivesNoMoreDesignationsThanWanted) {
    ASSERT_EQ(Find(42, 869, 1), 1);
    EXPECT_EQ(found, 1);
    ASSERT_EQ(Find(42, 869, 2), 1);
    EXPECT_EQ(found, 2);
    ASSERT_EQ(Find(42, 869, 9), 1);
    EXPECT_EQ(found, 3);
}

TEST_F(CrossReferences, StopsAtTheFirstMissingDesignation) {
    // The second designation is absent (-1), so the third one is not returned either.
    ASSERT_EQ(Find(42, 6205, 3), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(Name(), "");
}

TEST_F(CrossReferences, CutsTheNameToTheGivenLength) {
    ASSERT_EQ(Find(42, 7000, 3, 6), 1);
    EXPECT_EQ(Name(), "North");
    EXPECT_EQ(name[6], '#');  // nothing written past the length
}

TEST_F(CrossReferences, MissesAreQuiet) {
    EXPECT_EQ(Find(42, 7001, 3), 0);
    EXPECT_EQ(Find(0, 0, 3), 0);  // record 0 is never searched
    EXPECT_EQ(Find(67, 1, 3), 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(CrossReferences, ReportsAnUnreadableRecord) {
    // Seven records promised, two present: the first record looked at (3) cannot be read.
    Install(Header(1, kCrossReferenceTypeCode, 7, kSize) +
            CrossRecord({0, 0}, {0, 0}, {0, 0}, {0, 0}, "") +
            CrossRecord({29, 434}, {20, 0}, {0, 0}, {0, 0}, "Horsehead Nebula"));
    EXPECT_EQ(Find(42, 869, 3), 0);
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().first, "Error during Cross Ref search");
}

TEST_F(CrossReferences, AClosedFileAnswersNothing) {
    db.Close();
    EXPECT_EQ(Find(42, 869, 3), 0);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vsp
