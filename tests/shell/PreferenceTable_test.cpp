#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "shell/PreferenceStart.h"
#include "shell/PreferenceTable.h"

namespace vsp {
namespace {

const PreferenceSetting& Setting(const char* key) {
    const PreferenceSetting* s = FindPreference(key);
    EXPECT_NE(s, nullptr) << key;
    static const PreferenceSetting none;
    return s ? *s : none;
}

TEST(PreferenceTable, KeysAreUniqueSnakeCaseAndEverySettingHasAccessors) {
    std::set<std::string> keys;
    for (const PreferenceSetting& s : PreferenceTable()) {
        SCOPED_TRACE(s.key);
        EXPECT_TRUE(keys.insert(s.key).second);
        ASSERT_FALSE(s.key.empty());
        for (char c : s.key) EXPECT_TRUE(std::islower((unsigned char)c) || std::isdigit((unsigned char)c) || c == '_');
        EXPECT_FALSE(s.label.empty());
        if (s.kind == PreferenceKind::Text) {
            EXPECT_TRUE(s.getText && s.setText);
        } else {
            ASSERT_TRUE(s.getNumber && s.setNumber);
        }
        if (s.kind == PreferenceKind::Choice) EXPECT_FALSE(s.rows.empty());
    }
    // Each stored site and the current one carry the same nine fields.
    for (const char* prefix : {"", "site1_", "site2_", "site3_"})
        for (const char* field : {"name", "latitude_deg", "longitude_west_deg", "elevation_m",
                                  "tz_offset_min", "daylight_saving", "temperature_c",
                                  "pressure_mbar", "humidity_pct"}) {
            const std::string key = std::string(prefix) + (std::string(prefix).empty() && std::string(field) == "name" ? "site_name" : field);
            EXPECT_NE(FindPreference(key), nullptr) << key;
        }
}

// Writing a value through a setting lands in the field it names and nowhere else.
TEST(PreferenceTable, AccessorsReachTheirOwnField) {
    for (const PreferenceSetting& s : PreferenceTable()) {
        SCOPED_TRACE(s.key);
        Preferences p;
        if (s.kind == PreferenceKind::Text) {
            s.setText(p, "zz");
            EXPECT_EQ(s.getText(p), "zz");
        } else {
            const double other = s.kind == PreferenceKind::Flag ? 1.0 - s.getNumber(p)
                                                                : s.getNumber(p) + 1.0;
            s.setNumber(p, other);
            EXPECT_FLOAT_EQ(float(s.getNumber(p)), float(other));
        }
        EXPECT_EQ(DifferingPreferenceKeys(p, Preferences{}), std::vector<std::string>{s.key});
    }
}

TEST(PreferenceTable, PagesAndForms) {
    EXPECT_EQ(Setting("scope_drive").formId, 1400);
    EXPECT_EQ(Setting("vision").formId, 1430);
    EXPECT_EQ(Setting("time_step").formId, 1450);
    EXPECT_EQ(Setting("zoom_45_stars").formId, 1620);
    EXPECT_EQ(Setting("telrad").formId, 1476);
    EXPECT_EQ(Setting("delta_t_formula").formId, 1337);
    EXPECT_EQ(Setting("comet_url").formId, 1357);
    EXPECT_EQ(Setting("comet_url").page, 7);
    EXPECT_EQ(Setting("site2_latitude_deg").formId, 1200);
    EXPECT_EQ(Setting("vision").group, "User Informations");
}

TEST(PreferenceTable, RowCountsNamedByThePages) {
    const PreferenceSetting& vision = Setting("vision");
    ASSERT_EQ(vision.rows.size(), 11u);
    EXPECT_EQ(vision.rows.front(), "2/10");
    EXPECT_EQ(vision.rows[8], "10/10");
    EXPECT_EQ(vision.rows.back(), "12/10");

    const PreferenceSetting& drive = Setting("scope_drive");
    ASSERT_EQ(drive.rows.size(), 21u);
    EXPECT_EQ(drive.rows[0], "None");
    EXPECT_EQ(drive.rows[5], "LX200");
    EXPECT_EQ(drive.rows[13], "ServoCat");
    EXPECT_EQ(drive.rows[20], "SkyScan EQ6");

    const PreferenceSetting& step = Setting("time_step");
    ASSERT_EQ(step.rows.size(), 18u);
    EXPECT_EQ(step.rows[9], "1 Sid. Day");
    EXPECT_EQ(step.rows.back(), "90 Days");

    EXPECT_EQ(Setting("diameter").rows.size(), 20u);
    EXPECT_EQ(Setting("diameter").rows[10], "203");
    EXPECT_EQ(Setting("diameter").rows.back(), "Other");
    EXPECT_EQ(Setting("f_ratio").rows.size(), 13u);
    EXPECT_EQ(Setting("age").rows.back(), ">95");
    EXPECT_EQ(Setting("max_selected").rows.size(), 11u);
    EXPECT_EQ(Setting("card_catalog").rows.size(), 7u);
    EXPECT_EQ(Setting("chart_type").rows[4], "Equatorial Sky");
    EXPECT_EQ(Setting("night_mode").rows, (std::vector<std::string>{"Off", "Dark", "Medium", "Bright"}));
}

TEST(PreferenceTable, ZoomListsPerFieldOfView) {
    using Rows = std::vector<std::string>;
    for (int row = 0; row <= 4; ++row) EXPECT_EQ(ZoomStarLimitRows(row), Rows{"<5"}) << row;
    EXPECT_EQ(ZoomObjectLimitRows(0), (Rows{"All", "<3", "<4", "<5", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(1), ZoomObjectLimitRows(0));
    EXPECT_EQ(ZoomObjectLimitRows(2), (Rows{"All", "<4", "<5", "<6", "<7", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(3), (Rows{"All", "<5", "<6", "<7", "<8", "<9", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(4), (Rows{"All", "<6", "<7", "<8", "<9", "<10", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomStarLimitRows(5), (Rows{"<5", "<6", "<6.5", "<7", "<7.5", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(5), (Rows{"All", "<7", "<8", "<9", "<10", "<11", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomStarLimitRows(6), (Rows{"<5", "<6", "<6.5", "<7", "<7.5", "<8", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(6), ZoomObjectLimitRows(5));
    EXPECT_EQ(ZoomStarLimitRows(7), (Rows{"<5", "<7", "<7.5", "<8", "<8.5", "<9", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(7), (Rows{"All", "<8", "<9", "<10", "<11", "<12", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomStarLimitRows(8), (Rows{"<5", "<8", "<8.5", "<9", "<9.5", "<10", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(8), ZoomObjectLimitRows(7));
    EXPECT_EQ(ZoomStarLimitRows(9), (Rows{"<10", "<10.5", "<11", "<11.5", "<12", "Scope", "Eyes"}));
    EXPECT_EQ(ZoomObjectLimitRows(9), (Rows{"All", "<9", "<10", "<11", "<12", "<13", "Scope", "Eyes"}));
    EXPECT_TRUE(ZoomStarLimitRows(10).empty());
    EXPECT_EQ(ZoomViewRows(), (Rows{"Normal", "Vertical", "180\xB0", "Horizontal"}));
    // The table offers the same lists under the page 4 keys.
    EXPECT_EQ(Setting("zoom_lt10_stars").rows, ZoomStarLimitRows(9));
    EXPECT_EQ(Setting("zoom_120_objects").rows, ZoomObjectLimitRows(2));
    EXPECT_EQ(Setting("zoom_lt10_stars").label, "<10\xB0 Stars");
}

TEST(PreferenceTable, RowTextsAreInTheDeviceCodePage) {
    EXPECT_EQ(Setting("horizon").rows.front(), "0\xB0");
    EXPECT_EQ(Setting("horizon").rows.back(), "10\xB0");
    EXPECT_EQ(Setting("delta_t_formula").rows.front(), "Chapront&Touz\xE9 1997");
    EXPECT_EQ(Setting("dec_format").rows[2], "-70\xB0" "45'00");
    EXPECT_EQ(Setting("dec_format").rows[3], "-70\xB0" "45.0");
    EXPECT_EQ(Setting("ra_format").rows[2], "23h45m00");
}

TEST(PreferenceTable, MagnitudeRowsAndZoomLimits) {
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("<6.5", 14.0f, 6.2f), 6.5f);
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("<13", 14.0f, 6.2f), 13.0f);
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("All", 14.0f, 6.2f), 100.0f);
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("Scope", 14.0f, 6.2f), 14.0f);
    EXPECT_FLOAT_EQ(*MagnitudeOfLimitRow("Eyes", 14.0f, 6.2f), 6.2f);
    EXPECT_FALSE(MagnitudeOfLimitRow("<", 1, 1));
    EXPECT_FALSE(MagnitudeOfLimitRow("5", 1, 1));

    Preferences p;
    p.zoomStarLimit[9] = 3;     // "<11.5"
    p.zoomObjectLimit[9] = 6;   // "Scope"
    p.zoomStarLimit[7] = 7;     // "Eyes"
    p.zoomObjectLimit[0] = 0;   // "All"
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, 12, 13.5f, 6.1f), 11.5f);  // levels above 9 use row 9
    EXPECT_FLOAT_EQ(ZoomObjectLimit(p, 9, 13.5f, 6.1f), 13.5f);
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, 7, 13.5f, 6.1f), 6.1f);
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, 0, 13.5f, 6.1f), 5.0f);
    EXPECT_FLOAT_EQ(ZoomObjectLimit(p, 0, 13.5f, 6.1f), 100.0f);
    EXPECT_FLOAT_EQ(ZoomStarLimit(p, -1, 13.5f, 6.1f), 13.0f);
    EXPECT_FLOAT_EQ(ZoomObjectLimit(p, -1, 13.5f, 6.1f), 100.0f);
}

TEST(PreferenceTable, SmallLookups) {
    EXPECT_EQ(HorizonDegrees(0), 0);
    EXPECT_EQ(HorizonDegrees(3), 5);
    EXPECT_EQ(HorizonDegrees(6), 10);
    EXPECT_EQ(HorizonDegrees(7), 0);
    EXPECT_EQ(PassMinimumElevation(10), 50);
    EXPECT_EQ(PassMinimumElevation(11), 0);
    EXPECT_LT(FlareMinimumElevation(0), FlareMinimumElevation(10));
}

TEST(PreferenceParse, ChoicesByIndexOrRowText) {
    Preferences p;
    std::string reason;
    const PreferenceSetting& drive = Setting("scope_drive");
    EXPECT_EQ(ParsePreferenceValue(drive, "lx200", p, reason), 1);
    EXPECT_EQ(p.scopeDrive, 5);
    EXPECT_EQ(ParsePreferenceValue(drive, "13", p, reason), 1);
    EXPECT_EQ(p.scopeDrive, 13);
    EXPECT_EQ(ParsePreferenceValue(drive, "Nexstar 5&8", p, reason), 1);
    EXPECT_EQ(p.scopeDrive, 8);
    EXPECT_EQ(ParsePreferenceValue(drive, "Meade", p, reason), 0);
    EXPECT_NE(reason.find("scope_drive"), std::string::npos);
    EXPECT_EQ(p.scopeDrive, 8);

    // An index beyond the rows is taken and left to the range check.
    EXPECT_EQ(ParsePreferenceValue(drive, "25", p, reason), 1);
    EXPECT_EQ(CheckPreferenceRanges(p), 1);
    EXPECT_EQ(p.scopeDrive, 0);

    // A row that reads as a number is reached by its text explicitly.
    const PreferenceSetting& diameter = Setting("diameter");
    EXPECT_EQ(ParsePreferenceRow(diameter, "203", p, reason), 1);
    EXPECT_EQ(p.diameter, 10);
    EXPECT_EQ(ParsePreferenceRow(diameter, "other", p, reason), 1);
    EXPECT_EQ(p.diameter, 19);
    EXPECT_EQ(ParsePreferenceRow(Setting("delta_t_formula"), "CHAPRONT&TOUZ\xC9 1997", p, reason), 1);
    EXPECT_EQ(p.deltaTFormula, 0);
    EXPECT_EQ(ParsePreferenceRow(Setting("elevation_m"), "1", p, reason), 0);
}

TEST(PreferenceParse, NumbersFlagsAndTexts) {
    Preferences p;
    std::string reason;
    EXPECT_EQ(ParsePreferenceValue(Setting("latitude_deg"), "-33.5", p, reason), 1);
    EXPECT_FLOAT_EQ(p.site.latitude, -33.5f);
    EXPECT_EQ(ParsePreferenceValue(Setting("latitude_deg"), "north", p, reason), 0);
    EXPECT_EQ(ParsePreferenceValue(Setting("latitude_deg"), "12abc", p, reason), 0);
    EXPECT_EQ(ParsePreferenceValue(Setting("latitude_deg"), "nan", p, reason), 0);
    EXPECT_FLOAT_EQ(p.site.latitude, -33.5f);
    EXPECT_EQ(ParsePreferenceValue(Setting("elevation_m"), "+1200", p, reason), 1);
    EXPECT_EQ(p.site.elevation, 1200);
    EXPECT_EQ(ParsePreferenceValue(Setting("elevation_m"), "12.5", p, reason), 0);
    // Far beyond the field's width: held at its end, then replaced by the range check.
    EXPECT_EQ(ParsePreferenceValue(Setting("tz_offset_min"), "99999999", p, reason), 1);
    CheckPreferenceRanges(p);
    EXPECT_EQ(p.site.tzOffset, -720);
    EXPECT_EQ(ParsePreferenceValue(Setting("telrad"), "On", p, reason), 1);
    EXPECT_TRUE(p.telrad);
    EXPECT_EQ(ParsePreferenceValue(Setting("telrad"), "no", p, reason), 1);
    EXPECT_FALSE(p.telrad);
    EXPECT_EQ(ParsePreferenceValue(Setting("telrad"), "2", p, reason), 0);
    EXPECT_EQ(ParsePreferenceValue(Setting("site3_name"), "Pic du Midi", p, reason), 1);
    EXPECT_EQ(p.storedSites[2].name, "Pic du Midi");
}

TEST(PreferenceFormat, ValuesAsText) {
    Preferences p;
    p.site.latitude = 48.85f;
    p.telrad = true;
    EXPECT_EQ(FormatPreferenceValue(Setting("scope_drive"), p), "None");
    EXPECT_EQ(FormatPreferenceNumber(Setting("scope_drive"), p), "0");
    EXPECT_EQ(FormatPreferenceNumber(Setting("latitude_deg"), p), "48.85");
    EXPECT_EQ(FormatPreferenceValue(Setting("telrad"), p), "on");
    EXPECT_EQ(FormatPreferenceNumber(Setting("delta_t_s"), p), "66.184");
    p.horizon = 9;  // out of its rows: shown as the number
    EXPECT_EQ(FormatPreferenceValue(Setting("horizon"), p), "9");
}

}  // namespace
}  // namespace vsp
