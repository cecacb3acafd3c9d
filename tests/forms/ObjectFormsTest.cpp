// The finder's field typed on a keyboard: keys at the end of the field go through the keypad's
// rules, a whole designation of the user's own (NGC 7000, IC 434, Sh2-101, the Tycho example
// TYC 4660-1234-1) becomes the field of its catalog, and text that names nothing is refused.
#include <gtest/gtest.h>

#include "catalog/FinderTyping.h"
#include "forms/FinderEdit.h"

namespace vsp::test {
namespace {

class FinderKeyboard : public testing::Test {
protected:
    FinderKeyboard() { FinderSelectCatalog(field_, catalogs_, kCatalogMessier); }
    // Types `keys` one at a time into the field as it shows; '\b' takes the last one back.
    std::string Type(const std::string& keys) {
        std::string shown = field_.text;
        for (char key : keys) {
            const std::string text = key == '\b' ? shown.substr(0, shown.size() - 1) : shown + key;
            shown = FinderTextEdited(field_, catalogs_, messages_, text);
        }
        return shown;
    }

    CatalogTable catalogs_ = DefaultCatalogTable();
    FinderField field_;
    RecordingInfoSink messages_;
};

TEST_F(FinderKeyboard, TypedDesignationsBecomeTheFieldOfTheirCatalog) {
    const struct {
        const char* keys;
        const char* shown;
        int32_t catalog, number;
    } cases[] = {
        {"31", "M31", kCatalogMessier, 31},     {"31\b", "M3", kCatalogMessier, 3},
        {"NGC7000", "NGC7000", kCatalogNgc, 7000}, {"ic 434", "IC434", kCatalogIc, 434},
        {"Sh2-101", "Sh2101", kCatalogSharpless, 101},
        {"TYC4660-1234-1", "TYC4660-1234-1", kCatalogTycho, 4660 * 100000 + 1234},
    };
    for (const auto& c : cases) {
        FinderSelectCatalog(field_, catalogs_, kCatalogMessier);
        const std::string shown = Type(c.keys);
        int32_t catalog = 0, number = 0;
        EXPECT_EQ(shown, c.shown) << c.keys;
        ASSERT_TRUE(FinderTarget(field_, catalogs_, messages_, shown, catalog, number)) << c.keys;
        EXPECT_EQ(catalog, c.catalog) << c.keys;
        EXPECT_EQ(number, c.number) << c.keys;
    }
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(FinderKeyboard, ListCatalogsAndTextThatNamesNothingAreRefused) {
    EXPECT_EQ(Type("Comet1"), "Comet");
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, kFinderUsePopup);

    int32_t catalog = 0, number = 0;
    EXPECT_FALSE(FinderTarget(field_, catalogs_, messages_, "Andromeda", catalog, number));
    EXPECT_EQ(messages_.messages.back().first, kFinderNotADesignation);
}

}  // namespace
}  // namespace vsp::test
