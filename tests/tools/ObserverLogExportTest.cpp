#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempHome.h"
#include "tools/ObserverLogExport.h"
#include "tools/ObserverLogImport.h"
#include "tools/ObserverLogNew.h"
#include "tools/ObserverLogShot.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

const TextFormats kDecimalFormats{0, 0, nullptr};

ObserverLogRecord M42() {
    return ObserverLogRecord{123456789, 0,      "M42",  2024,   1,      5,         21, 7, 5.5875f, -5.39f, 37, -12,
                             63,        20,     40,     2,      1,      "127mm",   "Oslo", "OIII", "Trapez.", 3, 2, 1};
}

class ObserverLogExportTest : public testing::Test {
protected:
    void Save(ObserverLogRecord note) { ASSERT_TRUE(SaveLog(home_.Dir(), note, "", messages_)); }
    bool Export(DateOrder order = DateOrder::DayFirst) {
        messages_.messages.clear();
        return ExportLogs(home_.Dir(), order, kDecimalFormats, messages_, result_);
    }
    std::string Exported(const std::string& name) const { return home_.ReadFile("userlogs/" + name); }
    std::string Message(size_t i) const { return messages_.messages.at(i).first; }

    test::TempHome home_;
    RecordingInfoSink messages_;
    LogExportResult result_;
};

// Dates in both orders are written by the export and read back by the import below.
TEST(ObserverLogDates, OrderFollowsTheProbeAndMonthsPastTwelveAreRefused) {
    EXPECT_EQ(DateOrderOfSample("12/01/07"), DateOrder::MonthFirst);
    EXPECT_EQ(DateOrderOfSample("01/12/2007"), DateOrder::DayFirst);
    EXPECT_EQ(DateOrderOfSample("1.12.07"), DateOrder::DayFirst);
    ObserverLogRecord read;
    EXPECT_FALSE(ParseNoteDate("13/05/2024", DateOrder::MonthFirst, read));
}

// One note: no plural, the header, and every field of the line.
TEST_F(ObserverLogExportTest, OneNoteFieldByField) {
    EXPECT_FALSE(Export());
    EXPECT_EQ(Message(0), kNothingToExportMessage);
    Save(M42());
    ASSERT_TRUE(Export());
    EXPECT_EQ(Message(0), "1 Observer log exported.");
    EXPECT_EQ(Exported("logs_1.txt"),
              "Vespertar Observer log 1\nDate;Time;Object;RA;Dec;Type;Obj Mag;Const;Moon;Sun;Vis. Mag;Transparency;"
              "Seeing;Scope;Location;Filter;Log\n"
              "05/01/2024;21:07;M42;5.5875;-5.3900;Bright Nebula;4.0;Orion;37%;-12\xB0;6.3;2;1;127mm;Oslo;OIII;"
              "Trapez.;3;2;1;;\n");
}

TEST_F(ObserverLogExportTest, DamagedFilesAreReportedAndSkipped) {
    Save(M42());
    ObserverLogRecord empty = M42();
    empty.objectName = "N1";
    empty.logText = empty.scope = "";
    Save(empty);
    home_.WriteFile("userlogs/short.log", std::string(455, '\0'));
    home_.WriteFile("userlogs/wrong.log", std::string(456, '\0'));
    ASSERT_TRUE(Export());
    ASSERT_EQ(messages_.messages.size(), 3u);
    using Box = std::pair<std::string, std::string>;
    EXPECT_EQ(messages_.messages[0], Box(kReadLogFailedMessage, home_.Path("userlogs/short.log")));
    EXPECT_EQ(messages_.messages[1], Box(kCorruptedLogMessage, home_.Path("userlogs/wrong.log")));
    EXPECT_EQ(Message(2), "2 Observer logs exported.");
    const std::string text = Exported("logs_4.txt");  // named after the four listed notes
    EXPECT_NE(text.find("\n05/01/2024;21:07;N1;"), std::string::npos);
    EXPECT_NE(text.find(";1; ;Oslo;OIII; ;3;2;1;;\n"), std::string::npos);  // empty scope and text: one blank
}

// A file is closed once it passes 65,036 bytes: after the line that passes it, before the next.
TEST_F(ObserverLogExportTest, SplitsPastTheLimit) {
    ObserverLogRecord note = M42();
    note.logText = std::string(287, 't');
    for (int i = 0; i < 200; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%03d", i);
        note.objectName = name;
        Save(note);
    }
    ASSERT_TRUE(Export());
    ASSERT_EQ(result_.files.size(), 2u);
    const std::string first = home_.ReadFile(std::filesystem::relative(result_.files[0], home_.Root()).string());
    const std::string second = Exported("logs_200.txt");
    const size_t lineLength = first.size() - first.rfind('\n', first.size() - 2) - 1;
    EXPECT_GT(first.size(), kLogExportFileLimit);
    EXPECT_LE(first.size() - lineLength, kLogExportFileLimit);
    const auto lines = [](const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')) - 2; };
    EXPECT_EQ(result_.files[0], home_.Path("userlogs/logs_" + std::to_string(lines(first)) + ".txt"));
    EXPECT_EQ(lines(first) + lines(second), 200);
    EXPECT_EQ(second.rfind("Vespertar Observer log 2\nDate;", 0), 0u);
    EXPECT_EQ(Message(0), std::to_string(lines(first)) + " Observer logs exported.\n");
    EXPECT_EQ(Message(1), "200 Observer logs exported.");
}

// What the export writes, the import reads back into the same notes (month-first dates), texts
// with the separator, quotes and line breaks too: those are quoted as spreadsheets read them.
// A line whose place is out of range is rejected.
TEST_F(ObserverLogExportTest, ImportOfAnExportGivesTheSameNotes) {
    ObserverLogRecord note = M42();
    Save(note);
    note.objectName = "Comet, tail";
    note.objectType = 0;
    note.ra = 23.999f;
    note.dec = 89.5f;
    note.logText = "";
    Save(note);
    note.objectName = "M1;M2";
    note.scope = "8\" f/5";
    note.filter = "\"UHC\"";
    note.logText = "seen; \"faint\"\nsecond line\r\nthird;";
    Save(note);
    ASSERT_TRUE(Export(DateOrder::MonthFirst));
    const std::string text = Exported("logs_3.txt");
    EXPECT_NE(text.find(";\"8\"\" f/5\";Oslo;\"\"\"UHC\"\"\";\"seen; \"\"faint\"\"\nsecond line\r\nthird;\";3;"),
              std::string::npos);
    for (const std::string& name : ListLogs(home_.Dir())) DeleteLog(home_.Dir(), name);
    LogImportCounts counts;
    messages_.messages.clear();
    const std::string farAway = "01/05/2024;21:07;Far;24.5;0;Bright Nebula;4.0;Orion;37%;-12\xB0;6.3;2;1; ; ; ; ;3;2;1;;\n";
    ASSERT_TRUE(ImportLogs(home_.Dir(), text + "garbage;line\n13/40/2024;xx\n" + farAway, DateOrder::MonthFirst,
                           messages_, counts));
    EXPECT_EQ(Message(0), "3 User log uploaded, 3 rejected.");
    ASSERT_TRUE(Export(DateOrder::MonthFirst));
    EXPECT_EQ(Exported("logs_3.txt"), text);
    EXPECT_FALSE(ImportLogs(home_.Dir(), "nothing here\n", DateOrder::MonthFirst, messages_, counts));
    EXPECT_EQ(messages_.messages.back().first, kNoLogLoadedMessage);
}

TEST_F(ObserverLogExportTest, LinkShotByDateAndNameBeforeTheComma) {
    ObserverLogRecord note = M42();
    note.objectName = "M42, Orion";
    ShotLinkResult shot = LinkShot(home_.Dir(), note, messages_);
    EXPECT_EQ(shot.link, ShotLink::Missing);
    EXPECT_EQ(messages_.messages.back().first, "20240105M42.jpg");
    EXPECT_EQ(messages_.messages.back().second, kShotMissingMessage);
    home_.WriteFile("shots/20240105M42.JPeG", "picture");
    shot = LinkShot(home_.Dir(), note, messages_);
    EXPECT_EQ(shot.link, ShotLink::Found);
    EXPECT_EQ(shot.path, home_.Path("shots/20240105M42.JPeG"));
    note.objectName.clear();
    EXPECT_EQ(LinkShot(home_.Dir(), note, messages_).link, ShotLink::NoName);
    EXPECT_EQ(messages_.messages.back().first, kTypeObjectNameMessage);
}

// Moon and Sun at published instants (USNO: full Moon 2024-01-25 17:54 UT, new Moon 2024-01-11
// 11:57 UT; the Sun at noon on 2024-06-20 from 51 N stands 90 - 51 + 23.44 degrees high).
TEST(ObserverLogNew, SkyAndChosenObject) {
    Preferences prefs;
    prefs.site.name = "A place whose name is far too long";
    prefs.diameter = 19;  // "Other"
    prefs.diameterOther = 127;
    ObservingList list;
    list.Add(ListEntry{.name = "Orion Nebula (M42)", .type = 20, .magnitudeX10 = 40});
    NewLogSource source{.local = {2024, 1, 25, 17, 54, 0}, .ephemeris = {}, .prefs = &prefs, .list = &list,
                        .chartChoice = ChartObjectChoice{"Vega", 30, 0.03, 18.6156, 38.78}};
    ObserverLogRecord note = NewLog(source, "");
    EXPECT_EQ(note.moonPhasePercent, 99);  // lit 99.x%: truncated, never rounded up
    EXPECT_EQ(note.objectName, "Vega");
    EXPECT_EQ(note.objectMagnitudeX10, 0);
    EXPECT_EQ(note.scope, "127mm");
    EXPECT_EQ(note.location, "A place whose name is far too");
    EXPECT_EQ(note.filter, "None");
    EXPECT_GT(note.visualLimitX10, 0);

    list.selected = 0;
    source.local = {2024, 1, 11, 11, 57, 0};
    note = NewLog(source, "");
    EXPECT_EQ(note.moonPhasePercent, 0);
    EXPECT_EQ(note.objectName, "Orion Nebula (");
    EXPECT_EQ(note.objectMagnitudeX10, 40);
    EXPECT_EQ(note.objectType, 20);

    source.local = {2024, 6, 20, 12, 2, 0};
    note = NewLog(source, "Jupiter and its moons");
    EXPECT_EQ(note.sunAltitude, 62);
    EXPECT_EQ(note.objectName, "Jupiter and it");
    EXPECT_EQ(note.objectType, 0);
    EXPECT_EQ(note.year * 10000 + note.month * 100 + note.day, 20240620);
}

}  // namespace
}  // namespace vsp
