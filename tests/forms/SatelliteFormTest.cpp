// The satellites form in a whole shell over a database imported from the visual element sets:
// the information view's blocks, moving between satellites with the keys, a pass search and
// the sky of a pass, the flare list's note, a key that stops a search, the deep-space choice,
// and the element-set
// popup: an update from a server on 127.0.0.1, an import that fails, a satellite found by what
// is typed.

#include <algorithm>

#include "forms/SatelliteForm.h"
#include "platform/ReadWholeFile.h"
#include "satellites/ElementSetImport.h"
#include "shell/FormTable.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/LocalHttpServer.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

constexpr int kNameText = 2803, kInfoLabelFirst = 2810, kInfoValueFirst = 2830;
constexpr int kHeaderList = 2854, kResultList = 2855, kPassesButton = 2861;
constexpr int kSetsTrigger = 2864, kSetsList = 2865, kEntryEdit = 2867, kChoiceList = 2869;
constexpr int kStatusText = 2856, kInfoButton = 2860, kFlaresButton = 2863;
constexpr int kDeepSpaceTrigger = 2871, kDeepSpaceList = 2872;
enum SetsRow { kFindRow, kUpdateRow, kImportRow };
const char* const kVisualSets = VESPERTAR_SHARED_DATA "/tle/visual-2025-07-20.tle";
const char* const kIridiumSets = VESPERTAR_SHARED_DATA "/tle/iridium-2014-09-18.tle";

std::string Text(const std::string& path) {
    std::string text;
    EXPECT_EQ(ReadWholeFile(path, size_t(1) << 20, text), FileReadResult::Read) << path;
    return text;
}

class SatelliteFormTest : public ShellTest {
protected:
    void SetUp() override {
        state.dir = home_.Dir();
        SatelliteDatabase database(state.dir, state.info);
        std::vector<ElementSetSourceReport> report;
        ASSERT_TRUE(ImportElementSets(database, {kVisualSets}, false, state.info, report));
        count_ = database.Count();
        iss_ = database.Find("ISS");
        ASSERT_GE(iss_, 0);
        SetSite(48.85f, -2.35f);
        prefs.site.tzOffset = 120;
        RegisterForm(state, kSatelliteFormId, [](AppState&, int) { return MakeSatelliteForm(); });
        ASSERT_EQ(StartApplication(state), StartResult::Started);
        state.observingTime = CalendarDateTime{2025, 7, 20, 22, 0, 0};
        Pump();
    }
    void Key(int code) {
        loop.PostKey(KeyPress{code});
        Pump();
    }
    std::string Name() { return C(kNameText).Text(); }
    // Runs a row of the element-set popup; Find and Import then take `typed` and Enter.
    void Sets(SetsRow row, const std::string& typed = "") {
        ChooseRow(kSetsTrigger, kSetsList, row);
        if (row != kUpdateRow) TypeInto(kEntryEdit, typed, kKeyEnter);
    }

    TempHome home_;
    int count_ = 0;
    int iss_ = -1;
};

TEST_F(SatelliteFormTest, InformationBlocksAndMovingBetweenSatellites) {
    Open(kSatelliteFormId);
    EXPECT_TRUE(Name().ends_with("(1/" + std::to_string(count_) + ")")) << Name();
    Key(kKeyUp);  // already the first
    EXPECT_EQ(prefs.currentSatellite, 0);
    Key(33);  // Page Up: the following one
    EXPECT_EQ(prefs.currentSatellite, 1);
    EXPECT_TRUE(Name().ends_with("(2/" + std::to_string(count_) + ")")) << Name();
    Key(kKeyDown);
    Key(34);  // Page Down: the preceding one
    EXPECT_EQ(prefs.currentSatellite, 1);

    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    EXPECT_TRUE(Name().starts_with("ISS")) << Name();
    EXPECT_EQ(std::pair(C(kInfoLabelFirst + 12).Text(), C(kInfoValueFirst + 12).Text()),
              std::pair(std::string("Orbit period"), std::string("93min")));  // the station's, 92.9 minutes
    EXPECT_TRUE(C(kInfoValueFirst + 1).Text().ends_with("\xB0N") || C(kInfoValueFirst + 1).Text().ends_with("\xB0S"));
}

// The information view of a 12-hour orbit offers the "Deep-space orbits" choice, keeps it, and
// names the near-Earth formulas until SDP4 is chosen; a near-Earth orbit is not offered it.
TEST_F(SatelliteFormTest, DeepSpaceChoiceAndWhatTheInformationSays) {
    home_.WriteFile("molniya.tle", "MOLNIYA 2-14\n"
                                   "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813\n"
                                   "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656\n");
    SatelliteDatabase database(state.dir, state.info);
    std::vector<ElementSetSourceReport> report;
    ASSERT_TRUE(ImportElementSets(database, {home_.Path("molniya.tle")}, true, state.info, report));
    prefs.currentSatellite = database.Find("MOLNIYA");
    Open(kSatelliteFormId);
    EXPECT_EQ(C(kInfoLabelFirst + 4).Text(), "Sky Location");
    EXPECT_EQ(C(kInfoValueFirst + 4).Text(), "(near-Earth formulas)");
    EXPECT_EQ(C(kDeepSpaceTrigger).Text(), "Near-Earth");
    ChooseRow(kDeepSpaceTrigger, kDeepSpaceList, 1);
    EXPECT_EQ(prefs.satDeepSpace, 1);
    EXPECT_EQ(C(kDeepSpaceTrigger).Text(), "SDP4");
    EXPECT_EQ(C(kInfoValueFirst + 4).Text(), "");
    Tap(kPassesButton);
    EXPECT_FALSE(C(kDeepSpaceTrigger).Visible());
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    EXPECT_EQ(C(kInfoValueFirst + 4).Text(), "");
    EXPECT_FALSE(C(kDeepSpaceTrigger).Visible());
}

TEST_F(SatelliteFormTest, PassesListInLocalTimeAndTheSkyOfAPass) {
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    Tap(kPassesButton);
    ASSERT_EQ(C(kHeaderList).RowCount(), 1);
    EXPECT_EQ(C(kHeaderList).Row(0)->text, "Date\tAos\tMax\tLos\tAlt\tDurat\xB0");
    ASSERT_GT(C(kResultList).RowCount(), 3);
    // Local dates from July 20 on, in time order.
    EXPECT_TRUE(C(kResultList).Row(0)->text.starts_with("07/2")) << C(kResultList).Row(0)->text;

    const Rect r = C(kResultList).Bounds();
    TapAt(r.left + 4, r.top + C(kResultList).RowHeight() / 2);
    EXPECT_FALSE(C(kResultList).Visible());
    ASSERT_NE(state.currentFormWindow->Picture(), nullptr);
}

// The flare list says that the flaring constellation is gone; the information view does not.
TEST_F(SatelliteFormTest, TheFlareListNotesTheRetiredConstellation) {
    Open(kSatelliteFormId);
    Tap(kFlaresButton);
    EXPECT_NE(C(kStatusText).Text().find("2019"), std::string::npos) << C(kStatusText).Text();
    Tap(kInfoButton);
    EXPECT_EQ(C(kStatusText).Text(), "");
}

TEST_F(SatelliteFormTest, AKeyStopsASearchAndIsNotTakenForAMove) {
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    const Rect b = C(kPassesButton).Bounds();
    windows.ScriptTap(b.left + 4, b.top + 4);
    windows.ScriptKey(KeyPress{kKeyDown});  // waiting while the search runs
    Pump();
    EXPECT_LT(C(kResultList).RowCount(), 5);  // stopped at its next look at the input; 30 otherwise
    EXPECT_EQ(prefs.currentSatellite, iss_);
}

// Update replaces the database with the sets of the settings' two addresses; a name, a part of
// one or a catalog number typed after Find makes the satellite it names current.
TEST_F(SatelliteFormTest, UpdateFromTheSettingsAddressesThenFindByTyping) {
    LocalHttpServer server({{"/visual.txt", {200, Text(kVisualSets)}}, {"/iridium.txt", {200, Text(kIridiumSets)}}});
    prefs.satelliteUrl = server.Url("/visual.txt");
    prefs.iridiumUrl = server.Url("/iridium.txt");
    Open(kSatelliteFormId);
    Sets(kUpdateRow);
    EXPECT_EQ(LastBox(), "243 satellites in the database\nvisual.txt: 151 element sets\niridium.txt: 92 element sets");
    EXPECT_TRUE(Name().ends_with("(1/243)")) << Name();
    for (const std::string typed : {"iss", " Zarya ", "25544"}) {
        Key(33);  // away from the station first
        Sets(kFindRow, typed);
        EXPECT_TRUE(Name().starts_with("ISS (ZARYA)")) << typed << ": " << Name();
    }
    Sets(kFindRow, "no such");
    EXPECT_EQ(LastBox(), "No satellite has this name or number.\nno such");
}

// A server that cuts its answer short, a file without one valid set (chosen in the folder
// list) or a typed path to nothing says why, and the database and the current satellite stay.
TEST_F(SatelliteFormTest, FailedUpdatesAndImportsSayWhyAndKeepTheDatabase) {
    const std::string visual = Text(kVisualSets);
    LocalHttpServer server({{"/visual.txt", HttpReply::CutShort(visual.substr(0, 4000), long(visual.size()))}});
    prefs.satelliteUrl = server.Url("/visual.txt");
    prefs.iridiumUrl = server.Url("/iridium.txt");
    prefs.currentSatellite = iss_;
    Open(kSatelliteFormId);
    Sets(kUpdateRow);
    const std::vector<std::string> boxes = BoxTexts();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_TRUE(boxes[boxes.size() - 2].starts_with("Failed to open URL\n" + prefs.satelliteUrl + " (the body ended"))
        << boxes[boxes.size() - 2];
    EXPECT_EQ(boxes.back(), "Fail to download satellite elements:\n" + prefs.satelliteUrl);

    home_.WriteFile("import/few.txt", "ISS\n1 25544U\n");
    ChooseRow(kSetsTrigger, kSetsList, kImportRow);  // the field starts at import/, listed below it
    ASSERT_EQ(C(kChoiceList).RowCount(), 2);
    EXPECT_EQ(C(kChoiceList).Row(0)->text, "../");
    TapRow(kChoiceList, 1);
    EXPECT_EQ(C(kEntryEdit).Text(), home_.Path("import/few.txt"));
    Key(kKeyEnter);
    EXPECT_EQ(LastBox(), "No element set has been loaded.\nPlease check the file format.");
    Sets(kImportRow, home_.Path("import/none.txt"));
    EXPECT_EQ(LastBox(), "Can't open file.\n" + home_.Path("import/none.txt"));
    SatelliteDatabase database(state.dir, state.info);
    ASSERT_TRUE(database.Open());
    EXPECT_EQ(database.Count(), count_);
    EXPECT_TRUE(Name().starts_with("ISS (ZARYA)  (" + std::to_string(iss_ + 1) + "/")) << Name();

    Sets(kImportRow, kIridiumSets);  // a typed path outside the program directory
    EXPECT_EQ(LastBox(), "92 satellites in the database\niridium-2014-09-18.tle: 92 element sets");
}

}  // namespace
}  // namespace vsp::test
