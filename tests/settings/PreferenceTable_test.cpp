#include <gtest/gtest.h>

#include "settings/PreferenceStart.h"
#include "settings/PreferenceTable.h"
#include "settings/PreferenceValues.h"

namespace vsp {
namespace {

const PreferenceTable kTable = StandardPreferenceTable();

const PreferenceSetting& Setting(const char* key) { return *kTable.Find(key); }

TEST(PreferenceTable, MagnitudeRowsAndZoomLimits) {
    // "<N", "Scope" and "Eyes" are read through the zoom limits below.
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("All", 14.0f, 6.2f), 100.0f);
    EXPECT_FALSE(MagnitudeOfLimitRow("<", 1, 1));
    EXPECT_FALSE(MagnitudeOfLimitRow("5", 1, 1));

    Preferences p;
    p.zoomStarLimit[9] = 3, p.zoomObjectLimit[9] = 6, p.zoomStarLimit[7] = 7;  // "<11.5", "Scope", "Eyes"
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, 12, 13.5f, 6.1f), 11.5f);  // levels above 9 use row 9
    EXPECT_FLOAT_EQ(ZoomObjectLimit(p, 9, 13.5f, 6.1f), 13.5f);
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, 7, 13.5f, 6.1f), 6.1f);
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, -1, 13.5f, 6.1f), 13.0f);
    EXPECT_FLOAT_EQ(ZoomObjectLimit(p, -1, 13.5f, 6.1f), 100.0f);
}

TEST(PreferenceParse, ChoicesNumbersFlagsAndTexts) {
    const struct {
        const char *key, *text;
        bool byRow, read;
        const char* shown;  // the value read back, when read
    } cases[] = {
        // Choice names, numbers and flags by text are also read by the prefs command's tests.
        {"line_color", "25", false, true, "25"},  // beyond the rows: left to the range check
        {"delta_t_formula", "CHAPRONT&TOUZ\xC9 1997", true, true, "0"},
        {"elevation_m", "1", true, false, ""},  // not a list
        {"latitude_deg", "12abc", false, false, ""},
        {"latitude_deg", "nan", false, false, ""},
        {"elevation_m", "+1200", false, true, "1200"},
        {"telrad", "2", false, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.text);
        Preferences p;
        std::string reason;
        const PreferenceSetting& s = Setting(c.key);
        const bool read = c.byRow ? ParsePreferenceRow(s, c.text, p, reason) : ParsePreferenceValue(s, c.text, p, reason);
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(read ? FormatPreferenceNumber(s, p) : reason.substr(0, reason.find(':')), read ? c.shown : c.key);
    }
    Preferences p;
    std::string reason;
    EXPECT_TRUE(ParsePreferenceValue(Setting("site3_name"), "Pic du Midi", p, reason));
    EXPECT_EQ(p.storedSites[2].name, "Pic du Midi");
    // Far beyond the field's width: held at its end, then replaced by the range check.
    EXPECT_TRUE(ParsePreferenceValue(Setting("tz_offset_min"), "99999999", p, reason));
    CheckPreferenceRanges(kTable, p);
    EXPECT_EQ(p.site.tzOffset, -720);
    p.horizon = 9;  // a choice outside its rows shows its number
    EXPECT_EQ(FormatPreferenceValue(Setting("horizon"), p), "9");
}

}  // namespace
}  // namespace vsp
