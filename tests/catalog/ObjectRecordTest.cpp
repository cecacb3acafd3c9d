// Object records: decoding and encoding at their offsets, and reading them from an object file
// the test writes byte by byte.

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "catalog/ObjectRecord.h"
#include "catalog/ObjectTestFiles.h"
#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::ObjectBytes;

TEST(ObjectRecord, DecodesEveryFieldAtItsOffset) {
    const std::string bytes = ObjectBytes(42, 7000);
    ASSERT_EQ(bytes.size(), size_t(kObjectRecordSize));
    const ObjectRecord r = DecodeObjectRecord(reinterpret_cast<const uint8_t*>(bytes.data()));
    EXPECT_EQ(r.catalog, 42);
    EXPECT_EQ(r.number, 7000);
    EXPECT_EQ(r.type, 20);
    EXPECT_EQ(r.constellation, 3);
    EXPECT_EQ(r.ra, 2.5f);
    EXPECT_EQ(r.dec, -0.5f);
    EXPECT_EQ(r.magnitude, 4.0f);
    EXPECT_EQ(r.sizeMajor, 120.0f);
    EXPECT_EQ(r.sizeMinor, 1.0f);
    EXPECT_EQ(r.code1, 0x1234);
    EXPECT_EQ(r.code2, 0xFFFF);
    EXPECT_EQ(r.link, -2);
}

TEST(ObjectRecord, EncodesTheSameBytesItDecodes) {
    const std::string bytes = ObjectBytes(29, 434, 0x01020304);
    const ObjectRecord r = DecodeObjectRecord(reinterpret_cast<const uint8_t*>(bytes.data()));
    uint8_t out[kObjectRecordSize + 1];
    out[kObjectRecordSize] = 0xAA;  // nothing is written behind the record
    EncodeObjectRecord(r, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), kObjectRecordSize), bytes);
    EXPECT_EQ(out[kObjectRecordSize], 0xAA);
}

TEST(ObjectRecord, LayoutCoversTheRecordAndMatchesOnlyObjectFiles) {
    const RecordLayout layout = ObjectRecordLayout();
    std::string problem;
    EXPECT_TRUE(CheckRecordLayout(layout, &problem)) << problem;
    int32_t end = 0;
    for (const RecordField& f : layout.fields) end = std::max(end, f.offset + FieldSize(f));
    EXPECT_EQ(end, kObjectRecordSize);

    RecordLayoutRegistry registry;
    RegisterObjectLayouts(registry);
    ASSERT_NE(registry.Find("data/vespertar_obj_18k.ppc", 44), nullptr);
    EXPECT_EQ(registry.Find("vespertar_obj_1k.ppc", 44)->name, "object");
    EXPECT_EQ(registry.Find("vespertar_common_objects.ppc", 64)->name, "user object");
    EXPECT_EQ(registry.Find("vespertar_obj_2k_idx.ppc", 300)->name, "object index");
}

class ObjectFile : public testing::Test {
protected:
    void Install(const std::string& bytes) {
        home.WriteFile("data/vespertar_obj_18k.ppc", bytes);
        ASSERT_EQ(db.Open(kObjectFileTypeCode, 0, 0, "data/", "vespertar_obj_18k.ppc"), 1);
    }
    test::TempHome home;
    RecordingInfoSink messages;
    CatalogDb db{home.Dir(), messages};
};

TEST_F(ObjectFile, ReadsTheRecordAtTheIndex) {
    Install(Header(26, kObjectFileTypeCode, 3, 44) + ObjectBytes(1, 5) + ObjectBytes(42, 224) +
            ObjectBytes(42, 7000));
    ObjectRecord r;
    ASSERT_EQ(ObjectRead(db, messages, 2, r), 1);
    EXPECT_EQ(r.catalog, 42);
    EXPECT_EQ(r.number, 7000);
    ASSERT_EQ(ObjectRead(db, messages, 0, r), 1);
    EXPECT_EQ(r.number, 5);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ObjectFile, RefusesAnIndexPastTheEndSilentlyAndLeavesTheRecord) {
    Install(Header(26, kObjectFileTypeCode, 2, 44) + ObjectBytes(1, 5) + ObjectBytes(42, 224));
    ObjectRecord r;
    r.number = 77;
    EXPECT_EQ(ObjectRead(db, messages, 2, r), 0);
    EXPECT_EQ(ObjectRead(db, messages, -1, r), 0);
    EXPECT_EQ(r.number, 77);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ObjectFile, ReportsAMissingFileAndAnUnreadableRecord) {
    ObjectRecord r;
    r.number = 77;
    EXPECT_EQ(ObjectRead(db, messages, 0, r), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "Object database isn't open!");

    // The header promises three records, the file holds one.
    Install(Header(26, kObjectFileTypeCode, 3, 44) + ObjectBytes(1, 5));
    messages.messages.clear();
    EXPECT_EQ(ObjectRead(db, messages, 2, r), 0);
    EXPECT_EQ(r.number, 77);
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().first, "Could not retrieve object record!");
}

}  // namespace
}  // namespace vsp
