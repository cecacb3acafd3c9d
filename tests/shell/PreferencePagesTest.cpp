// The preference pages in a whole headless shell: moving between pages and out, popup rows
// and typed values stored and saved at once, refused values given way, night mode at once, and pages
// that fit the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "ShellFixture.h"
#include "settings/PreferenceStore.h"
#include "settings/PreferenceValues.h"
#include "shell/FormTable.h"
#include "shell/PreferencePageLayout.h"
#include "shell/PreferencePages.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

class PreferencePages : public ShellTest {
protected:
    PreferencePages() {
        state.dir = home.Dir();
        CreateMainWindow();
    }

    // The controls of a setting on its page (the same ids for any values).
    SettingBinding Bound(const std::string& key) {
        const int page = settings.Find(key)->Page();
        for (const SettingBinding& b : LayOutPreferencePage(settings, page, prefs, LayoutTextWidth).bindings)
            if (b.setting->key == key) return b;
        throw std::runtime_error("no control for " + key);
    }
    // Opens the popup by its trigger and taps the row.
    void Choose(const std::string& key, const std::string& row) {
        const SettingBinding b = Bound(key);
        ChooseRow(b.fieldId, b.listId, int(std::find(b.rows.begin(), b.rows.end(), row) - b.rows.begin()));
    }
    // Puts text into the setting's field and presses Enter.
    Control& Type(const std::string& key, const std::string& text) {
        Control& field = C(Bound(key).fieldId);
        field.SetText(text);
        windows.ScriptKey(KeyPress{kKeyEnter});
        Pump();
        return field;
    }
    Preferences Saved() {
        Preferences read;
        EXPECT_EQ(ReadPreferences(settings, home.Dir(), read).status, PreferenceFileStatus::Loaded);
        return read;
    }

    TempHome home;
};

TEST_F(PreferencePages, PageButtonsStepsAndOkMoveThroughAndOutOfThePages) {
    Open(kSkyChartFormId);
    Open(1430);
    Tap(kPageButtonFirst + 5);
    EXPECT_EQ(OpenFormId(), 1337);
    Tap(kNextPageButton);
    EXPECT_EQ(OpenFormId(), 1357);
    Tap(kNextPageButton);  // past the last page comes the first
    EXPECT_EQ(OpenFormId(), 1400);
    Tap(kPrevPageButton);
    EXPECT_EQ(OpenFormId(), 1357);
    Tap(kPreferencesOkButton);
    EXPECT_EQ(OpenFormId(), kSkyChartFormId);
    // The way back from there no longer leads through the pages.
    TapAt(5, 5);
    EXPECT_EQ(OpenFormId(), kHomeFormId);
}

TEST_F(PreferencePages, ChosenRowsAreStoredAndSavedAtOnce) {
    Open(1430);
    Choose("age", ">95");
    EXPECT_EQ(prefs.age, 8);
    EXPECT_EQ(Saved().age, 8);
    EXPECT_EQ(C(Bound("age").fieldId).Text(), ">95");

    // Night mode takes effect without leaving the page.
    Choose("night_mode", "Medium");
    EXPECT_EQ(OpenFormId(), 1430);
    EXPECT_EQ(state.nightLevel, 2);
    EXPECT_EQ(state.display.backgroundBrush, kColourBlack);
    EXPECT_EQ(Saved().nightLevel, 2);
}

TEST_F(PreferencePages, TypedValuesAreCheckedWithTheirRange) {
    Open(1476);
    struct Case {
        const char* typed;
        float stored;  // telrad ring 1 after typing
    };
    const Case cases[] = {
        {"2.5", 2.5f}, {"0", 2.5f} /* a ring must be above 0 */, {"30.5", 2.5f}, {"x1", 2.5f}, {"30", 30.0f},
    };
    const size_t boxes = BoxTexts().size();
    for (const Case& c : cases) {
        Control& field = Type("telrad1_deg", c.typed);
        EXPECT_EQ(prefs.telradRings[0], c.stored) << c.typed;
        EXPECT_EQ(Saved().telradRings[0], c.stored) << c.typed;
        // A refused value gives way silently to the stored one.
        EXPECT_EQ(field.Text(), FormatPreferenceNumber(*settings.Find("telrad1_deg"), prefs)) << c.typed;
    }
    EXPECT_EQ(BoxTexts().size(), boxes);
}

TEST_F(PreferencePages, EncoderStepsAppearForEncoderDrivesOnly) {
    prefs.scopeDrive = 5;  // LX200
    Open(1400);
    EXPECT_FALSE(C(Bound("alt_steps").fieldId).Visible());
    Choose("scope_drive", "BBox");
    ASSERT_TRUE(C(Bound("alt_steps").fieldId).Visible());
    Type("alt_steps", "-32128");
    EXPECT_EQ(prefs.altSteps, 8192);
    Type("alt_steps", "-32127");
    EXPECT_EQ(Saved().altSteps, -32127);
}

// The port popups of a device folder with a receiver by its by-id name and an Arduino by its
// node: "None", the devices, "Other..."; a row is kept by its path, and a typed path joins the
// list.
TEST_F(PreferencePages, PortPopupsListTheDevicesAndTakeATypedPath) {
    home.WriteFile("dev/ttyUSB0", "");
    home.WriteFile("dev/ttyACM0", "");
    std::filesystem::create_directories(home.Path("dev/serial/by-id"));
    const std::string byId = home.Path("dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller_D-if00-port0");
    std::filesystem::create_symlink("../../ttyUSB0", byId);
    ::setenv("VESPERTAR_DEVICES", home.Path("dev").c_str(), 1);
    Open(1400);
    ::unsetenv("VESPERTAR_DEVICES");
    const SettingBinding scope = Bound("scope_port"), gps = Bound("gps_port");
    auto rows = [&](int list) {
        std::vector<std::string> texts;
        for (int row = 0; row < C(list).RowCount(); ++row) texts.push_back(C(list).Row(row)->text);
        return texts;
    };
    const std::vector<std::string> listed = rows(scope.listId);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(std::pair(listed[0], listed[3]), std::pair(std::string("None"), std::string("Other...")));
    // Too wide whole: without "usb-" and "-if00-port0", its end cut, its node kept.
    EXPECT_TRUE(listed[1].starts_with("Prolific_Technology") && listed[1].ends_with("\x85 (ttyUSB0)"))
        << listed[1];
    EXPECT_TRUE(listed[2].ends_with("ttyACM0")) << listed[2];
    for (const std::string& row : listed) EXPECT_LE(LayoutTextWidth(row), 200) << row;

    ChooseRow(scope.fieldId, scope.listId, 1);
    EXPECT_EQ(std::pair(Saved().scopePort, Saved().scopePortPath), std::pair(1, byId));
    // The closed popup beside its label shows the row cut to its own width, the node kept.
    const std::string shown = C(scope.fieldId).Text();
    EXPECT_TRUE(shown.starts_with("Prolific_") && shown.ends_with("\x85 (ttyUSB0)") && shown.size() < listed[1].size())
        << shown;

    EXPECT_EQ(rows(gps.listId)[3], "gpsd");  // the GPS port alone offers the daemon
    ChooseRow(gps.fieldId, gps.listId, 4);
    int pathField = 0;
    for (const SettingBinding& b : LayOutPreferencePage(settings, 1, prefs, LayoutTextWidth).bindings)
        if (b.control == SettingControl::PortPath && b.setting->key == "gps_port") pathField = b.fieldId;
    ASSERT_TRUE(C(pathField).Visible());
    EXPECT_FALSE(C(gps.fieldId).Visible());
    TypeInto(pathField, "/tmp/gps-receiver", kKeyEnter);
    EXPECT_EQ(std::pair(Saved().gpsPort, Saved().gpsPortPath), std::pair(3, std::string("/tmp/gps-receiver")));
    EXPECT_TRUE(C(gps.fieldId).Visible());
    EXPECT_EQ(C(gps.fieldId).Text(), "/tmp/gps-receiver");
    EXPECT_EQ(rows(scope.listId).size(), 5u);  // the typed path is a row of every port popup
    EXPECT_EQ(rows(gps.listId)[3], "/tmp/gps-receiver");
    // A network address is kept as typed, and listed.
    ChooseRow(scope.fieldId, scope.listId, 4);  // "Other..."
    for (const SettingBinding& b : LayOutPreferencePage(settings, 1, prefs, LayoutTextWidth).bindings)
        if (b.control == SettingControl::PortPath && b.setting->key == "scope_port") pathField = b.fieldId;
    TypeInto(pathField, "tcp://192.168.0.10:4030", kKeyEnter);
    EXPECT_EQ(std::pair(Saved().scopePort, Saved().scopePortPath), std::pair(4, std::string("tcp://192.168.0.10:4030")));
    EXPECT_EQ(rows(gps.listId)[4], "tcp://192.168.0.10:4030");
    ChooseRow(gps.fieldId, gps.listId, 5);
    EXPECT_EQ(Saved().gpsPortPath, "gpsd://127.0.0.1");
    EXPECT_EQ(rows(gps.listId).size(), 7u);  // listed once: its own row replaces "gpsd"

    ChooseRow(scope.fieldId, scope.listId, 0);
    EXPECT_EQ(std::pair(Saved().scopePort, Saved().scopePortPath), std::pair(0, std::string()));
}

// Every page, with its optional lines shown, inside the screen without overlaps.
TEST(PreferencePageLayout, EveryPageFitsTheScreen) {
    Preferences prefs;
    prefs.scopeDrive = 3;
    prefs.diameter = 19;
    prefs.fRatio = 12;
    const PreferenceTable settings = ProgramSettings();
    for (int page = 1; page <= kPreferencePageCount; ++page) {
        const PageLayout layout = LayOutPreferencePage(
            settings, page, prefs, LayoutTextWidth,
            {{"usb-Silicon_Labs_CP2102N_USB_to_UART_Bridge_Controller_0001-if00-port0", "ttyUSB0"}});
        std::vector<ControlTemplate> shown;
        for (const ControlTemplate& c : layout.controls) {
            if (!c.visible) continue;
            const Rect& r = c.rect;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 240 && r.bottom <= kPreferencePageHeight)
                << page << " " << c.text;
            for (const ControlTemplate& other : shown)
                EXPECT_TRUE(Intersect(r, other.rect).Width() <= 0 || Intersect(r, other.rect).Height() <= 0)
                    << page << ": " << c.text << " over " << other.text;
            shown.push_back(c);
        }
    }
}

}  // namespace
}  // namespace vsp::test
