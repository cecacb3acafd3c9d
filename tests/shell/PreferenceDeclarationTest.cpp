// A setting declared in one place (one more entry of a table) is shown on its page, printed by
// `prefs show --json`, range-checked at start, and kept in the settings record after the others.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "ShellFixture.h"
#include "settings/PreferenceStart.h"
#include "settings/PreferenceStore.h"
#include "settings/PreferencesJson.h"
#include "shell/PreferencePageLayout.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr SettingGroup kExtraGroup{3, "Extra Settings", "Settings added by the test.", ""};

TEST(PreferenceDeclaration, AnAddedSettingReachesItsPageTheJsonTheChecksAndTheRecord) {
    std::vector<PreferenceSetting> settings = ProgramSettings().All();
    settings.push_back(
        Choice("extra_cursor", kExtraGroup, "Extra Cursor", {"Arrow", "Cross"}, &Preferences::cursor, 1993));
    const PreferenceTable table(settings);
    Preferences prefs;
    prefs.cursor = 1;

    const PageLayout page = LayOutPreferencePage(table, 3, prefs, LayoutTextWidth);
    const auto bound = std::ranges::find(page.bindings, std::string("extra_cursor"),
                                         [](const SettingBinding& b) { return b.setting->key; });
    ASSERT_NE(bound, page.bindings.end());
    EXPECT_EQ(bound->rows, (std::vector<std::string>{"Arrow", "Cross"}));
    EXPECT_TRUE(std::ranges::any_of(page.helpButtons, [](const auto& help) { return help.second == &kExtraGroup; }));

    const nlohmann::json json = PreferencesJson(table, prefs);
    EXPECT_EQ(json["extra_cursor"], 1);
    EXPECT_EQ(json["extra_cursor_text"], "Cross");

    Preferences outOfRange;
    outOfRange.cursor = 2;  // "None" of the cursor's own rows, beyond the added ones
    EXPECT_EQ(CheckPreferenceRanges(table, outOfRange), 1);
    EXPECT_EQ(outOfRange.cursor, Preferences{}.cursor);

    test::TempHome home;
    ASSERT_TRUE(SavePreferences(table, home.Dir(), prefs));
    const std::string file = home.ReadFile("usercatalogs/vespertar_prefs.ppc");
    ASSERT_EQ(file.size(), 16u + 2001u);
    const auto* record = reinterpret_cast<const uint8_t*>(file.data()) + 16;
    EXPECT_EQ(ReadU32(record), 2001u);
    EXPECT_EQ(ReadI32(record + 1993), 1);
    EXPECT_EQ(ReadU32(record + 1997), uint32_t(crc32(0L, record, 1997)));
    Preferences read;
    ASSERT_EQ(ReadPreferences(table, home.Dir(), read).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(read, prefs);
    const RecordLayout layout = PreferenceRecordLayout(table);
    EXPECT_EQ(layout.fields[layout.fields.size() - 2].name, "extra_cursor");
    EXPECT_EQ(layout.fields.back().offset, 1997);

    // Declared over another setting's bytes, it lays out no record at all: nothing is saved.
    settings.push_back(Flag("extra_flag", kExtraGroup, "Extra Flag", &Preferences::telrad, 1000));
    const PreferenceTable overlapping(settings);
    std::string problem;
    EXPECT_EQ(PreferenceRecordSize(overlapping, &problem), 0);
    EXPECT_NE(problem.find("extra_flag"), std::string::npos) << problem;
    EXPECT_FALSE(SavePreferences(overlapping, home.Dir(), prefs));
    EXPECT_EQ(home.ReadFile("usercatalogs/vespertar_prefs.ppc"), file);
}

}  // namespace
}  // namespace vsp::test
