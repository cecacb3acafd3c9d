// Designations written from an identity, read back from text, and typed on the finder's
// keypad with the limits of each catalog and every message.

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/FinderTyping.h"
#include "platform/InfoSink.h"

namespace vsp {
namespace {

const CatalogTable kCatalogs = DefaultCatalogTable();

std::string Write(int32_t catalog, int32_t number) { return CatalogDesignation(kCatalogs, catalog, number); }

void ExpectReads(const std::string& text, int32_t catalog, int32_t number) {
    int32_t readCatalog = -1, readNumber = -1;
    ASSERT_TRUE(DesignationParse(kCatalogs, text, readCatalog, readNumber)) << text;
    EXPECT_EQ(readCatalog, catalog) << text;
    EXPECT_EQ(readNumber, number) << text;
}

TEST(Designation, IsThePrefixAndTheNumberWithoutABlank) {
    const std::pair<std::pair<int32_t, int32_t>, const char*> cases[] = {
        {{kCatalogNgc, 7000}, "NGC7000"}, {{kCatalogMessier, 31}, "M31"},  {{kCatalogSharpless, 101}, "Sh2101"},
        {{kCatalogVdbHa, 99}, "vdB-Ha99"}, {{kCatalogNone, 0}, "None0"},   {{-1, 5}, ""},
        {{kCatalogCount, 5}, ""},
        {{kCatalogTycho, 4660 * 100000 + 1234}, "TYC4660-1234-1"},  // region, number, 1
        {{kCatalogTycho, 100001}, "TYC1-1-1"},
    };
    for (const auto& [identity, text] : cases) EXPECT_EQ(Write(identity.first, identity.second), text);
}

// Spellings the round trip below does not try: case, blanks, hyphens, prefixes that begin
// other prefixes, Tycho without its "-1".
TEST(Designation, ReadsTheUsualSpellings) {
    const struct { const char* text; int32_t catalog, number; } cases[] = {
        {"ngc7000", kCatalogNgc, 7000},    {"  NGC  224 ", kCatalogNgc, 224}, {"m31", kCatalogMessier, 31},
        {"Sh2-101", kCatalogSharpless, 101}, {"sh2 101", kCatalogSharpless, 101}, {"vdB-Ha 99", kCatalogVdbHa, 99},
        {"vdB-5", kCatalogVdb, 5},         {"Be59", 5, 59},                   {"Berk 12", 4, 12},
        {"UGCA 86", kCatalogUgca, 86},     {"UGC 86", kCatalogUgc, 86},       {"HA 5", 21, 5},
        {"H400", kCatalogHerschel, 400},   {"tyc 4660-1234-1", kCatalogTycho, 466001234},
        {"TYC4660-1234", kCatalogTycho, 466001234},
    };
    for (const auto& c : cases) ExpectReads(c.text, c.catalog, c.number);
}

TEST(Designation, RefusesWhatIsNotADesignation) {
    for (const char* text : {"", "NGC", "NGC ", "NGC7000x", "NGC 70 00", "NGC--7000", "NGC -7000", "XYZ12",
                             "7000", "None0", "M-", "M+31", "NGC 99999999999", "TYC4660", "TYC4660-",
                             "TYC4660-1234-1-1", "TYC4660 1234", "TYC99999-1-1", "Planet", "      5", "5"}) {
        int32_t catalog = -7, number = -7;
        EXPECT_FALSE(DesignationParse(kCatalogs, text, catalog, number)) << text;
        EXPECT_EQ(std::pair(catalog, number), std::pair(-7, -7)) << text;
    }
}

// Every row that has a prefix of its own reads back what it writes.
TEST(Designation, EveryPrefixedRowRoundTrips) {
    for (int32_t row = 1; row < kCatalogCount; ++row) {
        const std::string prefix(CatalogPrefix(kCatalogs[size_t(row)]));
        if (prefix.find_first_not_of(' ') == std::string::npos) continue;
        for (int32_t number : {1, 101, 65535, 2000000000}) {
            const int32_t written = row == kCatalogTycho ? 4660 * 100000 + (number % 100000) : number;
            const std::string text = Write(row, written);
            ExpectReads(text, row, written);
            ExpectReads(prefix + " " + text.substr(prefix.size()), row, written);
        }
    }
}

// A record is named by Messier before Caldwell, by the lowest number where a list holds it
// twice, and never by the SAC or Herschel lists or a table entry beyond the list's last number;
// the index made for the chart names every record as the single look-up does.
TEST(Designation, RecordsAreNamedByTheirListNumber) {
    NumberedLists lists;
    lists.messier = {5, 7, 5};
    lists.messier.resize(size_t(kMessierCount), 0);
    lists.messier.push_back(13);  // beyond M110
    lists.caldwell = {7, 9};
    lists.sac = {11};
    lists.herschel = {12};
    const ListNameIndex index(lists);
    const std::pair<uint16_t, ListNumberName> cases[] = {
        {5, {kCatalogMessier, 1}}, {7, {kCatalogMessier, 2}}, {9, {kCatalogCaldwell, 2}}, {0, {kCatalogMessier, 4}},
        {11, {}},                  {12, {}},                  {13, {}},                   {8, {}},
    };
    for (const auto& [record, name] : cases) {
        for (const ListNumberName found : {ListNameOfRecord(lists, record), index.Of(record)}) {
            EXPECT_EQ(std::pair(found.catalog, found.number), std::pair(name.catalog, name.number)) << record;
        }
    }
    ObjectRecord ngc;
    ngc.catalog = kCatalogNgc;
    ngc.number = 2632;
    const ObjectNames listed = ObjectDesignations(kCatalogs, lists, 9, ngc);
    const ObjectNames plain = ObjectDesignations(kCatalogs, lists, 11, ngc);
    EXPECT_EQ(std::tuple(listed.first, listed.second, plain.first, plain.second),
              std::tuple("C2", "NGC2632", "NGC2632", ""));
}

const std::string kPopup = "Please use the popup list to select your object and not the numeric keyboard.";
const std::string kTooMany = "To many digits";
const std::string kNoObjects =
    "Sorry, there is no object available from this catalog using your current object database.";

class FinderKeypad : public testing::Test {
protected:
    // Selects the catalog afresh and types every key; how many were taken.
    int Type(int32_t catalog, const std::string& keys) {
        FinderSelectCatalog(field, catalogs, catalog);
        int taken = 0;
        for (char key : keys) taken += FinderTypeKey(field, catalogs, messages, key) ? 1 : 0;
        return taken;
    }
    // The first lines shown since the last call.
    std::vector<std::string> Shown() {
        std::vector<std::string> out;
        for (const auto& m : messages.messages) out.push_back(m.first);
        messages.messages.clear();
        return out;
    }
    CatalogTable catalogs = DefaultCatalogTable();
    RecordingInfoSink messages;
    FinderField field;
};

TEST_F(FinderKeypad, EachCatalogLimitsWhatMayBeTyped) {
    struct Case { int32_t catalog; const char* keys; int taken; const char* text; std::string message; };
    const Case cases[] = {
        {kCatalogNgc, "7000", 4, "NGC7000", ""},
        {kCatalogNgc, "x-.", 0, "NGC", ""},  // only digits
        {kCatalogNgc, "75895", 4, "NGC7589", kTooMany},
        {kCatalogMessier, "1101", 3, "M110", kTooMany},
        {kCatalogMessier, "111", 2, "M11", ""},  // M111 is ignored without a word
        {kCatalogMessier, "0", 0, "M", ""},      // no list starts at 0
        {kCatalogCaldwell, "110", 2, "C11", ""},
        {kCatalogHerschel, "401", 2, "H40", ""},
        {kCatalogHerschel, "1234", 3, "H123", kTooMany},
        {kCatalogHip, "9999999", 6, "HIP999999", kTooMany},
        {kCatalogHr, "99999", 4, "HR9999", kTooMany},
        {kCatalogAbell, "426", 3, "Abell426", ""},
        {kCatalogTycho, "9537-12121-11", 12, "TYC9537-12121-1", kTooMany},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.catalog) + " " + c.keys);
        EXPECT_EQ(Type(c.catalog, c.keys), c.taken);
        EXPECT_EQ(field.text, c.text);
        EXPECT_EQ(Shown(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
    EXPECT_EQ(Type(kCatalogNgc, std::string("7000") + kFinderBackspace), 5);
    EXPECT_EQ(field.text, "NGC700");
    EXPECT_EQ(field.number, 700);
}

TEST_F(FinderKeypad, CatalogsWithoutRecordsOrChosenFromAListRefuseTheKeypad) {
    for (int32_t catalog : {0, 3, 5, 64}) {  // None, Basel, Bernes, vdB
        EXPECT_EQ(Type(catalog, "1"), 0) << catalog;
        EXPECT_EQ(Shown(), std::vector<std::string>{kNoObjects}) << catalog;
    }
    UseOneKObjectRanges(catalogs);  // the 1k file has no Abell objects
    EXPECT_EQ(Type(kCatalogAbell, "4"), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{kNoObjects});
    EXPECT_EQ(Type(kCatalogNgc, "224"), 3);
    // Lists and star catalogs are resolved elsewhere: typed though they hold no records here.
    for (int32_t catalog : {kCatalogMessier, kCatalogCaldwell, kCatalogSac, kCatalogHerschel, kCatalogHip,
                            kCatalogHr, kCatalogSao, kCatalogTycho})
        EXPECT_EQ(Type(catalog, "1"), 1) << catalog;
    EXPECT_TRUE(Shown().empty());
    int32_t found = -1, number = -1;
    for (int32_t catalog : {kCatalogComet, kCatalogConstellation, kCatalogMeteor, kCatalogPlanet,
                            kCatalogBrightStars, kCatalogUser}) {
        EXPECT_EQ(Type(catalog, "1"), 0) << catalog;
        EXPECT_EQ(Shown(), std::vector<std::string>{kPopup}) << catalog;
        EXPECT_FALSE(FinderIdentity(field, messages, found, number));
    }
}

TEST_F(FinderKeypad, TheIdentityTheFieldNames) {
    int32_t catalog = -1, number = -1;
    Type(kCatalogNgc, "");
    EXPECT_FALSE(FinderIdentity(field, messages, catalog, number));
    for (auto [chosen, keys, expected] : {std::tuple<int32_t, const char*, int32_t>{kCatalogNgc, "891", 891},
                                          {kCatalogTycho, "4660-1234-1", 4660 * 100000 + 1234}}) {
        Type(chosen, keys);
        int32_t found = -1;
        ASSERT_TRUE(FinderIdentity(field, messages, found, number)) << keys;
        EXPECT_EQ(found, chosen);
        EXPECT_EQ(number, expected);
    }
    catalog = -1;
    Type(kCatalogTycho, "4660");
    EXPECT_FALSE(FinderIdentity(field, messages, catalog, number));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "It seems the format is not correct.");
    EXPECT_EQ(messages.messages[0].second, "Please use this one:\nTYCnnnn-nnnnnn-1");
    EXPECT_EQ(catalog, -1);
}

}  // namespace
}  // namespace vsp
