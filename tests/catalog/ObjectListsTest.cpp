// The numbered lists: number n at entry n - 1, the lists' ranges, the way back from a record.

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"

namespace vsp {
namespace {

NumberedLists FullLists() {
    NumberedLists lists;
    for (int i = 0; i < 110; ++i) lists.messier.push_back(uint16_t(1000 + i));
    for (int i = 0; i < 109; ++i) lists.caldwell.push_back(uint16_t(2000 + i));
    for (int i = 0; i < 110; ++i) lists.sac.push_back(uint16_t(3000 + i));
    for (int i = 0; i < 400; ++i) lists.herschel.push_back(uint16_t(4000 + i));
    return lists;
}

TEST(NumberedLists, NumberNIsEntryNMinusOne) {
    const NumberedLists lists = FullLists();
    uint16_t record = 0;
    ASSERT_EQ(ObjectByListNumber(lists, kCatalogMessier, 1, record), 1);
    EXPECT_EQ(record, 1000);
    ASSERT_EQ(ObjectByListNumber(lists, kCatalogMessier, 110, record), 1);
    EXPECT_EQ(record, 1109);
    ASSERT_EQ(ObjectByListNumber(lists, kCatalogCaldwell, 109, record), 1);
    EXPECT_EQ(record, 2108);
    ASSERT_EQ(ObjectByListNumber(lists, kCatalogSac, 110, record), 1);
    EXPECT_EQ(record, 3109);
    ASSERT_EQ(ObjectByListNumber(lists, kCatalogHerschel, 400, record), 1);
    EXPECT_EQ(record, 4399);
}

TEST(NumberedLists, RefusesNumbersOutsideTheList) {
    NumberedLists lists = FullLists();
    lists.caldwell.push_back(9999);  // a longer table does not widen the list
    uint16_t record = 7;
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogMessier, 0, record), 0);
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogMessier, 111, record), 0);
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogCaldwell, 110, record), 0);
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogHerschel, 401, record), 0);
    EXPECT_EQ(ObjectByListNumber(lists, kCatalogNgc, 1, record), 0);
    EXPECT_EQ(ObjectByListNumber(NumberedLists{}, kCatalogMessier, 31, record), 0);
    EXPECT_EQ(record, 7);
}

TEST(NumberedLists, FindsTheNumberOfARecord) {
    const NumberedLists lists = FullLists();
    EXPECT_EQ(ListNumberOfRecord(lists, kCatalogMessier, 1030), 31);
    EXPECT_EQ(ListNumberOfRecord(lists, kCatalogCaldwell, 2013), 14);
    EXPECT_EQ(ListNumberOfRecord(lists, kCatalogMessier, 2013), 0);
    EXPECT_EQ(ListNumberOfRecord(lists, kCatalogNgc, 1030), 0);
    EXPECT_EQ(ListLastNumber(kCatalogHerschel), 400);
    EXPECT_FALSE(IsListCatalog(kCatalogHip));
}

}  // namespace
}  // namespace vsp
