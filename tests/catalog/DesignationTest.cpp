// Designations written from an identity and read back from text.

#include <string>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/NumberedLists.h"

namespace vsp {
namespace {

const CatalogTable kCatalogs = DefaultCatalogTable();

std::string Write(int32_t catalog, int32_t number) { return CatalogDesignation(kCatalogs, catalog, number); }

TEST(Designation, IsThePrefixAndTheNumberWithoutABlank) {
    EXPECT_EQ(Write(kCatalogNgc, 7000), "NGC7000");
    EXPECT_EQ(Write(kCatalogMessier, 31), "M31");
    EXPECT_EQ(Write(kCatalogCaldwell, 14), "C14");
    EXPECT_EQ(Write(52, 101), "Sh2101");
    EXPECT_EQ(Write(65, 99), "vdB-Ha99");
    EXPECT_EQ(Write(kCatalogHip, 32349), "HIP32349");
    EXPECT_EQ(Write(kCatalogNone, 0), "None0");
    EXPECT_EQ(Write(-1, 5), "");
    EXPECT_EQ(Write(kCatalogCount, 5), "");
}

TEST(Designation, TychoStarsAreRegionNumberOne) {
    EXPECT_EQ(Write(kCatalogTycho, 4660 * 100000 + 1234), "TYC4660-1234-1");
    EXPECT_EQ(Write(kCatalogTycho, 9537 * 100000 + 12121), "TYC9537-12121-1");
    EXPECT_EQ(Write(kCatalogTycho, 1 * 100000 + 1), "TYC1-1-1");
}

TEST(Designation, ReadsTheUsualSpellings) {
    struct Case {
        const char* text;
        int32_t catalog;
        int32_t number;
    };
    const Case cases[] = {
        {"NGC 7000", kCatalogNgc, 7000},   {"NGC7000", kCatalogNgc, 7000}, {"ngc7000", kCatalogNgc, 7000},
        {"  NGC  224 ", kCatalogNgc, 224}, {"m31", kCatalogMessier, 31},   {"M 31", kCatalogMessier, 31},
        {"C14", kCatalogCaldwell, 14},     {"IC434", kCatalogIc, 434},     {"Sh2-101", 52, 101},
        {"sh2 101", 52, 101},              {"Sh2101", 52, 101},            {"vdB-Ha 99", 65, 99},
        {"vdB-Ha99", 65, 99},              {"vdB 5", 64, 5},               {"vdB-5", 64, 5},
        {"Be59", 5, 59},                   {"Berk 12", 4, 12},             {"B33", 2, 33},
        {"UGCA 86", 62, 86},               {"UGC 86", 61, 86},             {"HIP32349", kCatalogHip, 32349},
        {"HR7001", kCatalogHr, 7001},      {"H400", kCatalogHerschel, 400}, {"HA 5", 21, 5},
        {"Mel 22", 39, 22},                {"Cr399", 11, 399},             {"SAC 1", kCatalogSac, 1},
        {"TYC4660-1234-1", kCatalogTycho, 466001234}, {"tyc 4660-1234-1", kCatalogTycho, 466001234},
        {"TYC4660-1234", kCatalogTycho, 466001234},
    };
    for (const Case& c : cases) {
        int32_t catalog = -1, number = -1;
        ASSERT_EQ(DesignationParse(kCatalogs, c.text, catalog, number), 1) << c.text;
        EXPECT_EQ(catalog, c.catalog) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
}

TEST(Designation, RefusesWhatIsNotADesignation) {
    for (const char* text : {"", "NGC", "NGC ", "NGC7000x", "NGC 70 00", "NGC--7000", "XYZ12", "7000",
                             "None0", "M-", "M+31", "NGC 99999999999", "TYC4660", "TYC4660-",
                             "TYC4660-1234-1-1", "TYC4660 1234", "Planet", "      5", "5"}) {
        int32_t catalog = -7, number = -7;
        EXPECT_EQ(DesignationParse(kCatalogs, text, catalog, number), 0) << text;
        EXPECT_EQ(catalog, -7) << text;
        EXPECT_EQ(number, -7) << text;
    }
}

// Every row that has a prefix of its own reads back what it writes.
TEST(Designation, EveryPrefixedRowRoundTrips) {
    int rows = 0;
    for (int32_t row = 1; row < kCatalogCount; ++row) {
        const std::string prefix(CatalogPrefix(kCatalogs[size_t(row)]));
        if (prefix.find_first_not_of(' ') == std::string::npos) continue;
        ++rows;
        const int32_t numbers[] = {1, 7, 101, 7000, 65535, 2000000000};
        for (int32_t number : numbers) {
            const int32_t written = row == kCatalogTycho ? 4660 * 100000 + (number % 100000) : number;
            const std::string text = Write(row, written);
            for (const std::string& spelling : {text, prefix + " " + text.substr(prefix.size())}) {
                int32_t catalog = -1, parsed = -1;
                ASSERT_EQ(DesignationParse(kCatalogs, spelling, catalog, parsed), 1) << spelling;
                EXPECT_EQ(catalog, row) << spelling;
                EXPECT_EQ(parsed, written) << spelling;
            }
        }
    }
    EXPECT_EQ(rows, 64);  // 68 rows less None and the three blank ones
}

TEST(Designation, ListObjectsAreNamedByTheirListNumberFirst) {
    NumberedLists lists;
    lists.messier.assign(110, 0);
    lists.messier[30] = 500;  // M31
    lists.caldwell.assign(109, 0);
    lists.caldwell[13] = 600;  // C14
    lists.caldwell[19] = 700;  // C20

    ObjectRecord andromeda;
    andromeda.catalog = kCatalogNgc;
    andromeda.number = 224;
    ObjectNames names = ObjectDesignations(kCatalogs, lists, 500, andromeda);
    EXPECT_EQ(names.first, "M31");
    EXPECT_EQ(names.second, "NGC224");

    ObjectRecord perseus;
    perseus.catalog = kCatalogNgc;
    perseus.number = 869;
    names = ObjectDesignations(kCatalogs, lists, 600, perseus);
    EXPECT_EQ(names.first, "C14");
    EXPECT_EQ(names.second, "NGC869");

    ObjectRecord pelican;
    pelican.catalog = kCatalogIc;
    pelican.number = 5070;
    names = ObjectDesignations(kCatalogs, lists, 800, pelican);
    EXPECT_EQ(names.first, "IC5070");
    EXPECT_EQ(names.second, "");
}

TEST(TychoText, RegionSeparatorNumber) {
    int32_t star = 0;
    ASSERT_TRUE(TychoTextToNumber("4660-1234-1", star));
    EXPECT_EQ(star, 4660 * 100000 + 1234);
    ASSERT_TRUE(TychoTextToNumber("4660-1234", star));
    EXPECT_EQ(star, 466001234);
    ASSERT_TRUE(TychoTextToNumber("+12-5-1", star));
    EXPECT_EQ(star, 1200005);
    star = 42;
    EXPECT_FALSE(TychoTextToNumber("4660", star));
    EXPECT_FALSE(TychoTextToNumber("4660-", star));
    EXPECT_FALSE(TychoTextToNumber("-", star));
    EXPECT_FALSE(TychoTextToNumber("", star));
    EXPECT_FALSE(TychoTextToNumber("99999-1-1", star));  // beyond a 32-bit star number
    EXPECT_EQ(star, 42);
}

}  // namespace
}  // namespace vsp
