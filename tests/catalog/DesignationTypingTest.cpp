// Typing a designation on the finder's keypad: the limits of each catalog and every message.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogTable.h"
#include "catalog/FinderTyping.h"
#include "platform/InfoSink.h"

namespace vsp {
namespace {

const std::string kPopup = "Please use the popup list to select your object and not the numeric keyboard.";
const std::string kTooMany = "To many digits";
const std::string kNoObjects =
    "Sorry, there is no object available from this catalog using your current object database.";

class FinderKeypad : public testing::Test {
protected:
    void Select(int32_t catalog) { FinderSelectCatalog(field, catalogs, catalog); }
    // Types every key; returns how many were taken.
    int Type(const std::string& keys) {
        int taken = 0;
        for (char key : keys) taken += FinderTypeKey(field, catalogs, messages, key);
        return taken;
    }
    std::vector<std::string> FirstLines() {
        std::vector<std::string> out;
        for (const auto& m : messages.messages) out.push_back(m.first);
        messages.messages.clear();
        return out;
    }
    CatalogTable catalogs = DefaultCatalogTable();
    RecordingInfoSink messages;
    FinderField field;
};

TEST_F(FinderKeypad, TheFieldShowsThePrefixAndTheDigits) {
    Select(kCatalogNgc);
    EXPECT_EQ(field.text, "NGC");
    EXPECT_EQ(Type("7000"), 4);
    EXPECT_EQ(field.text, "NGC7000");
    EXPECT_EQ(field.number, 7000);
    EXPECT_EQ(Type(std::string(1, kFinderBackspace)), 1);
    EXPECT_EQ(field.text, "NGC700");
    EXPECT_EQ(field.number, 700);
    EXPECT_EQ(Type("x-."), 0);  // only digits
    EXPECT_EQ(field.text, "NGC700");
    Select(kCatalogIc);
    EXPECT_EQ(field.text, "IC");
    EXPECT_EQ(field.number, 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FinderKeypad, AFourthMessierDigitIsTooManyAndM111IsIgnored) {
    Select(kCatalogMessier);
    EXPECT_EQ(Type("110"), 3);
    EXPECT_EQ(field.text, "M110");
    EXPECT_EQ(Type("1"), 0);
    EXPECT_EQ(FirstLines(), std::vector<std::string>{kTooMany});
    EXPECT_EQ(field.text, "M110");

    Select(kCatalogMessier);
    EXPECT_EQ(Type("111"), 2);
    EXPECT_EQ(field.text, "M11");
    EXPECT_EQ(field.number, 11);
    EXPECT_TRUE(FirstLines().empty());  // ignored without a word
    EXPECT_EQ(Type("0"), 1);
    EXPECT_EQ(field.number, 110);
}

TEST_F(FinderKeypad, EachListHasItsOwnRange) {
    Select(kCatalogCaldwell);
    EXPECT_EQ(Type("109"), 3);
    Select(kCatalogCaldwell);
    EXPECT_EQ(Type("110"), 2);
    EXPECT_EQ(field.text, "C11");
    Select(kCatalogSac);
    EXPECT_EQ(Type("110"), 3);
    Select(kCatalogHerschel);
    EXPECT_EQ(Type("400"), 3);
    EXPECT_EQ(field.text, "H400");
    Select(kCatalogHerschel);
    EXPECT_EQ(Type("401"), 2);
    Select(kCatalogMessier);
    EXPECT_EQ(Type("0"), 0);  // no list starts at 0
    EXPECT_EQ(field.text, "M");
    EXPECT_TRUE(messages.messages.empty());
    Select(kCatalogHerschel);
    EXPECT_EQ(Type("1234"), 3);
    EXPECT_EQ(FirstLines(), std::vector<std::string>{kTooMany});
}

TEST_F(FinderKeypad, StarCatalogsTakeTheirOwnNumberOfDigits) {
    const std::pair<int32_t, size_t> limits[] = {{kCatalogHip, 6}, {kCatalogSao, 6}, {kCatalogHr, 4}};
    for (const auto& [catalog, limit] : limits) {
        Select(catalog);
        EXPECT_EQ(Type(std::string(limit, '9')), int(limit)) << catalog;
        EXPECT_EQ(Type("9"), 0) << catalog;
        EXPECT_EQ(FirstLines(), std::vector<std::string>{kTooMany}) << catalog;
    }
}

TEST_F(FinderKeypad, ObjectCatalogsTakeFourDigitsWhenTheFileHasThem) {
    Select(kCatalogNgc);
    EXPECT_EQ(Type("75895"), 4);
    EXPECT_EQ(FirstLines(), std::vector<std::string>{kTooMany});
    Select(1);  // Abell, in the 18k file
    EXPECT_EQ(Type("426"), 3);
    EXPECT_TRUE(messages.messages.empty());

    UseOneKObjectRanges(catalogs);  // the 1k file has no Abell objects
    Select(1);
    EXPECT_EQ(Type("4"), 0);
    EXPECT_EQ(FirstLines(), std::vector<std::string>{kNoObjects});
    Select(kCatalogNgc);
    EXPECT_EQ(Type("224"), 3);
}

TEST_F(FinderKeypad, RowsWithoutRecordsCannotBeTypedUnlessResolvedElsewhere) {
    for (int32_t catalog : {0, 3, 5, 64}) {  // None, Basel, Bernes, vdB
        ASSERT_FALSE(CatalogHasRecords(catalogs[size_t(catalog)])) << catalog;
        Select(catalog);
        EXPECT_EQ(Type("1"), 0) << catalog;
        EXPECT_EQ(FirstLines(), std::vector<std::string>{kNoObjects}) << catalog;
    }
    for (int32_t catalog : {kCatalogMessier, kCatalogCaldwell, kCatalogSac, kCatalogHerschel, kCatalogHip,
                            kCatalogHr, kCatalogSao, kCatalogTycho}) {
        ASSERT_FALSE(CatalogHasRecords(catalogs[size_t(catalog)]));
        Select(catalog);
        EXPECT_EQ(Type("1"), 1) << catalog;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(FinderKeypad, PopupCatalogsRefuseTheKeypad) {
    for (int32_t catalog : {kCatalogComet, kCatalogConstellation, kCatalogMeteor, kCatalogPlanet,
                            kCatalogBrightStars, kCatalogUser}) {
        Select(catalog);
        EXPECT_EQ(Type("1"), 0) << catalog;
        EXPECT_EQ(FirstLines(), std::vector<std::string>{kPopup}) << catalog;
        int32_t found = -1, number = -1;
        EXPECT_EQ(FinderIdentity(field, messages, found, number), 0);
    }
}

TEST_F(FinderKeypad, TychoTextIsRegionMinusNumber) {
    Select(kCatalogTycho);
    EXPECT_EQ(Type("4660-1234-1"), 11);
    EXPECT_EQ(field.text, "TYC4660-1234-1");
    int32_t catalog = -1, number = -1;
    ASSERT_EQ(FinderIdentity(field, messages, catalog, number), 1);
    EXPECT_EQ(catalog, kCatalogTycho);
    EXPECT_EQ(number, 4660 * 100000 + 1234);

    Select(kCatalogTycho);
    EXPECT_EQ(Type("9537-12121-1"), 12);
    EXPECT_EQ(Type("1"), 0);
    EXPECT_EQ(FirstLines(), std::vector<std::string>{kTooMany});
    ASSERT_EQ(FinderIdentity(field, messages, catalog, number), 1);
    EXPECT_EQ(number, 953712121);
}

TEST_F(FinderKeypad, TychoTextWithoutANumberShowsTheFormat) {
    Select(kCatalogTycho);
    Type("4660");
    int32_t catalog = -1, number = -1;
    EXPECT_EQ(FinderIdentity(field, messages, catalog, number), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "It seems the format is not correct.");
    EXPECT_EQ(messages.messages[0].second, "Please use this one:\nTYCnnnn-nnnnnn-1");
    EXPECT_EQ(catalog, -1);
}

TEST_F(FinderKeypad, AnEmptyFieldNamesNothing) {
    Select(kCatalogNgc);
    int32_t catalog = -1, number = -1;
    EXPECT_EQ(FinderIdentity(field, messages, catalog, number), 0);
    Type("891");
    ASSERT_EQ(FinderIdentity(field, messages, catalog, number), 1);
    EXPECT_EQ(catalog, kCatalogNgc);
    EXPECT_EQ(number, 891);
}

}  // namespace
}  // namespace vsp
