// The chart index: entries at their offsets and the search for a declination band.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ObjectIndex.h"
#include "catalog/ObjectTestFiles.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::Le16;
using test::Le32;

std::string Entry(int32_t catalog, int32_t record, int32_t ra, int32_t dec, uint16_t type, int16_t mag) {
    return Le32(uint32_t(catalog)) + Le32(uint32_t(record)) + Le32(uint32_t(ra)) + Le32(uint32_t(dec)) +
           Le16(type) + Le16(uint16_t(mag));
}

// A 300-byte record whose first entry carries the key.
std::string IndexRecord(int32_t key) {
    std::string out = Entry(42, 1, 0, key, 16, 90);
    while (out.size() < 300) out += Entry(0, 0, 0, key + 1, 0, 0);
    return out;
}

TEST(ObjectIndexEntry, DecodesAndEncodesEveryField) {
    const std::string bytes = Entry(42, 10279, -5, -292817, 25, -150);
    const ObjectIndexEntry e = DecodeObjectIndexEntry(reinterpret_cast<const uint8_t*>(bytes.data()));
    EXPECT_EQ(e.catalog, 42);
    EXPECT_EQ(e.record, 10279);
    EXPECT_EQ(e.ra, -5);
    EXPECT_EQ(e.dec, -292817);
    EXPECT_EQ(e.type, 25);
    EXPECT_EQ(e.magnitudeKey, -150);
    uint8_t out[kObjectIndexEntrySize];
    EncodeObjectIndexEntry(e, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), sizeof out), bytes);
    std::string problem;
    EXPECT_TRUE(CheckRecordLayout(ObjectIndexLayout(), &problem)) << problem;
}

class ObjectIndexFile : public testing::Test {
protected:
    void Install(const std::vector<int32_t>& keys, int32_t promised = -1) {
        std::string bytes = Header(1, kObjectIndexTypeCode, promised < 0 ? int32_t(keys.size()) : promised, 300);
        for (int32_t key : keys) bytes += IndexRecord(key);
        home.WriteFile("data/vespertar_obj_18k_idx.ppc", bytes);
        ASSERT_EQ(db.Open(kObjectIndexTypeCode, 0, 0, "data/", "vespertar_obj_18k_idx.ppc"), 1);
    }
    test::TempHome home;
    RecordingInfoSink messages;
    CatalogDb db{home.Dir(), messages};
};

const std::vector<int32_t> kKeys = {-999999, -300000, -100000, -20, 0, 5000, 80000, 250000};

TEST_F(ObjectIndexFile, FindsTheRecordWithTheKey) {
    Install(kKeys);
    for (int32_t i = 1; i < int32_t(kKeys.size()); ++i)
        EXPECT_EQ(ObjectIndexSearch(db, messages, kKeys[size_t(i)]), i) << kKeys[size_t(i)];
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ObjectIndexFile, AKeyOutsideTheFileEndsAtTheNearestEnd) {
    Install(kKeys);
    EXPECT_EQ(ObjectIndexSearch(db, messages, -2000000000), 1);
    EXPECT_EQ(ObjectIndexSearch(db, messages, 2000000000), 7);
}

TEST_F(ObjectIndexFile, AKeyBetweenRecordsEndsNextToIt) {
    Install(kKeys);
    for (int32_t key : {-200000, -10, 100, 6000, 100000}) {
        const int32_t found = ObjectIndexSearch(db, messages, key);
        ASSERT_GE(found, 1);
        // The record looked at last is one of the two around the key.
        const bool below = kKeys[size_t(found)] < key && (found == 7 || kKeys[size_t(found) + 1] > key);
        const bool above = kKeys[size_t(found)] > key && kKeys[size_t(found) - 1] < key;
        EXPECT_TRUE(below || above) << key << " -> " << found;
    }
}

TEST_F(ObjectIndexFile, AFileOfOneRecordAnswersZeroWithoutReading) {
    Install({}, 1);  // one record promised, none there: any read would fail
    EXPECT_EQ(ObjectIndexSearch(db, messages, 12345), 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ObjectIndexFile, ReportsTheRecordItCouldNotRead) {
    Install({-5, 1, 2}, 8);  // the first record looked at is 4
    EXPECT_EQ(ObjectIndexSearch(db, messages, 3), -1);
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().first, "Can't find Object record number 4");
}

TEST_F(ObjectIndexFile, AClosedIndexIsMissing) {
    EXPECT_EQ(ObjectIndexSearch(db, messages, 3), -1);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vsp
