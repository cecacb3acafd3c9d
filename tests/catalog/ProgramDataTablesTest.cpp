// Loading the tables built with the object file: lists, catalog ranges, class texts, and what
// stays when one of them is missing or foreign.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ObjectTestFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "catalog/ProgramDataTables.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::Le16;

std::string ListFile(uint32_t typeCode, std::initializer_list<uint16_t> records) {
    std::string out = Header(1, typeCode, int32_t(records.size()), kListRecordSize);
    for (uint16_t r : records) out += Le16(r);
    return out;
}

std::string RangesFile(int32_t count, int32_t recordSize = kCatalogRangeRecordSize) {
    std::string out = Header(1, kCatalogRangesTypeCode, count, recordSize);
    for (int32_t i = 0; i < count; ++i) {
        std::string record = Le16(uint16_t(100 + i)) + Le16(uint16_t(200 + i));
        record.resize(size_t(recordSize), '\0');
        out += record;
    }
    return out;
}

std::string ClassTextsFile(int32_t count) {
    std::string out = Header(1, kClassTextsTypeCode, count, kClassTextRecordSize);
    for (int32_t i = 0; i < count; ++i) {
        std::string text = i == 0 ? "E0" : i == 150 ? "II 2m :b9" : i == 296 ? "EN+RN" : "";
        if (i == 150) text.push_back('X');  // ten bytes, no NUL: the tenth is not text
        text.resize(size_t(kClassTextRecordSize), '\0');
        out += text;
    }
    return out;
}

TEST(ProgramDataTables, LoadsEveryTable) {
    test::TempHome home;
    home.WriteFile("data/vespertar_messier.ppc", ListFile(kMessierTypeCode, {7, 8, 9}));
    home.WriteFile("data/vespertar_caldwell.ppc", ListFile(kCaldwellTypeCode, {10}));
    home.WriteFile("data/vespertar_sac110.ppc", ListFile(kSacTypeCode, {11, 12}));
    home.WriteFile("data/vespertar_h400.ppc", ListFile(kHerschelTypeCode, {13}));
    home.WriteFile("data/vespertar_catalog_ranges.ppc", RangesFile(kCatalogCount));
    home.WriteFile("data/vespertar_class_texts.ppc", ClassTextsFile(kClassTextCount));

    NumberedLists lists;
    CatalogTable catalogs = DefaultCatalogTable();
    std::vector<std::string> texts;
    ASSERT_EQ(ProgramDataTablesLoad(home.Dir(), lists, catalogs, texts), 1);
    EXPECT_EQ(lists.messier, (std::vector<uint16_t>{7, 8, 9}));
    EXPECT_EQ(lists.caldwell, (std::vector<uint16_t>{10}));
    EXPECT_EQ(lists.sac, (std::vector<uint16_t>{11, 12}));
    EXPECT_EQ(lists.herschel, (std::vector<uint16_t>{13}));
    uint16_t record = 0;
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogMessier, 3, record), 1);
    EXPECT_EQ(record, 9);
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogMessier, 4, record), 0);

    EXPECT_EQ(catalogs[kCatalogNgc].firstRecord, 100 + kCatalogNgc);
    EXPECT_EQ(catalogs[kCatalogNgc].endRecord, 200 + kCatalogNgc);
    EXPECT_EQ(CatalogPrefix(catalogs[kCatalogNgc]), "NGC");
    EXPECT_EQ(CatalogLongName(catalogs[kCatalogSac]), "110 Best of NGC");

    ASSERT_EQ(texts.size(), size_t(kClassTextCount));
    EXPECT_EQ(ObjectClassText(texts, 0), " E0");
    EXPECT_EQ(ObjectClassText(texts, 150), " II 2m :b9");
    EXPECT_EQ(ObjectClassText(texts, 296), " EN+RN");
    EXPECT_EQ(ObjectClassText(texts, 1), " ");
    EXPECT_EQ(ObjectClassText(texts, 297), " ");
    EXPECT_EQ(ObjectClassText({}, 0), " ");
}

TEST(ProgramDataTables, MissingOrForeignTablesLeaveTheirDefaults) {
    test::TempHome home;
    home.WriteFile("data/vespertar_messier.ppc", ListFile(kMessierTypeCode, {5}));
    home.WriteFile("data/vespertar_caldwell.ppc", ListFile(kSacTypeCode, {6}));  // another table's code
    home.WriteFile("data/vespertar_catalog_ranges.ppc", RangesFile(kCatalogCount - 1));
    home.WriteFile("data/vespertar_class_texts.ppc", ClassTextsFile(10));

    NumberedLists lists;
    lists.sac = {99};
    CatalogTable catalogs = DefaultCatalogTable();
    const CatalogTable defaults = DefaultCatalogTable();
    std::vector<std::string> texts = {"old"};
    EXPECT_EQ(ProgramDataTablesLoad(home.Dir(), lists, catalogs, texts), 0);
    EXPECT_EQ(lists.messier, (std::vector<uint16_t>{5}));
    EXPECT_TRUE(lists.caldwell.empty());
    EXPECT_TRUE(lists.sac.empty());  // missing file: nothing stale remains
    for (int i = 0; i < kCatalogCount; ++i) {
        EXPECT_EQ(catalogs[size_t(i)].firstRecord, defaults[size_t(i)].firstRecord);
        EXPECT_EQ(catalogs[size_t(i)].endRecord, defaults[size_t(i)].endRecord);
    }
    EXPECT_TRUE(texts.empty());

    // A ranges record of the wrong size is refused as well.
    home.WriteFile("data/vespertar_catalog_ranges.ppc", RangesFile(kCatalogCount, 6));
    EXPECT_EQ(CatalogRangesLoad(home.Dir(), catalogs), 0);
    EXPECT_EQ(catalogs[kCatalogNgc].firstRecord, defaults[kCatalogNgc].firstRecord);
}

}  // namespace
}  // namespace vsp
