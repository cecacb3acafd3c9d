#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "satellites/ElementSetImport.h"
#include "satellites/SatelliteExport.h"
#include "support/LocalHttpServer.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Tle(const std::string& name) { return std::string(VESPERTAR_SHARED_DATA) + "/tle/" + name; }

class SatelliteDataTest : public testing::Test {
protected:
    bool Import(const std::vector<std::string>& sources, bool append = false) {
        database_.Open();
        return ImportElementSets(database_, sources, append, messages_, report_, {1, 1});
    }
    // The memos written; the export's message is the last one recorded.
    std::vector<std::string> Export() {
        MemoWriter memos(home_.Dir(), "sats", messages_);
        int exported = 0;
        std::vector<SatelliteRecord> skipped;
        EXPECT_TRUE(ExportSatellites(database_, memos, messages_, exported, skipped));
        return memos.Files();
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    SatelliteDatabase database_{home_.Dir(), messages_};
    std::vector<ElementSetSourceReport> report_;
};

// Published element sets pass every check (their check digits count '-' as 1) and come out of
// the database and the memos as they went in (CR/LF files with LF); each memo but the last
// passes 3596 characters only with its last set.
TEST_F(SatelliteDataTest, PublishedElementSetsRoundTripThroughDatabaseAndMemos) {
    for (const char* name : {"visual-2025-07-20.tle", "iridium-2014-09-18.tle"}) {
        std::string text = Bytes(Tle(name));
        std::erase(text, '\r');
        ASSERT_TRUE(Import({Tle(name)})) << name;
        EXPECT_EQ(report_.at(0).rejects.size(), 0u);
        EXPECT_EQ(report_[0].imported * 3, std::count(text.begin(), text.end(), '\n'));
        std::string joined;
        const std::vector<std::string> files = Export();
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string memo = Bytes(files[i]);
            const size_t lastSet = memo.rfind('\n', memo.rfind('\n', memo.rfind('\n', memo.size() - 2) - 1) - 1) + 1;
            EXPECT_TRUE(i + 1 == files.size() || (memo.size() > 3596 && lastSet <= 3596)) << files[i];
            joined += memo;
        }
        EXPECT_EQ(joined, text);
    }
}

TEST_F(SatelliteDataTest, FaultySetsAreReportedByLineAndSkipped) {
    std::vector<std::string> l;  // the first three sets
    std::istringstream split(Bytes(Tle("visual-2025-07-20.tle")));
    for (std::string line; l.size() < 9 && std::getline(split, line);) l.push_back(line);
    std::string badCheck = l[2], otherNumber = l[5];
    badCheck[68] = char('0' + (badCheck[68] - '0' + 1) % 10);
    std::swap(otherNumber[3], otherNumber[4]);  // another number with the same check digit
    const std::string text = l[0] + "\r\n" + l[1] + "   \r\n" + l[2] + "\n" +              // good, CR/LF, blanks
                             "\n# a comment\n" + l[0] + "\n" + l[1].substr(0, 68) + "\n" + l[2] + "\n" +  // 7 short
                             l[0] + "\n" + l[1] + "\n" + badCheck + "\n" +                     // 11 check digit
                             l[1] + "\n" + l[2] + "\n" +                                       // 12 no name line
                             l[3] + "\n" + l[4] + "\n" + otherNumber + "\n" +                  // 16 other number
                             l[6] + "\n" + l[7].replace(0, 1, "3") + "\n" + l[8] + "\n";       // 18 not line 1
    const ParsedElementSets parsed = ParseElementSets(text);
    ASSERT_EQ(parsed.records.size(), 1u);
    EXPECT_EQ(parsed.records[0].name + parsed.records[0].line1 + parsed.records[0].line2, l[0] + l[1] + l[2]);
    std::vector<int> rejectedLines;
    for (const auto& reject : parsed.rejects) rejectedLines.push_back(reject.line);
    EXPECT_EQ(rejectedLines, (std::vector<int>{7, 11, 12, 16, 18}));
}

// Numbers the two-line format cannot hold, or that no orbit has, are refused at import with the
// element line that holds them: the models must never see a mean motion of 0 (a NaN in every
// term) or a perigee below the ground.
TEST_F(SatelliteDataTest, SetsThatCannotBeAnOrbitAreRefusedByTheirLine) {
    std::vector<std::string> l;
    std::istringstream split(Bytes(Tle("visual-2025-07-20.tle")));
    for (std::string line; l.size() < 3 && std::getline(split, line);) l.push_back(line);
    struct Case { int line; size_t column; std::string field, reason; };
    const Case cases[] = {
        {2, 52, " 0.00000000", "mean motion \"0.00000000\" is not above 0"},
        {2, 52, "-1.00000000", "mean motion \"-1.00000000\" is not above 0"},
        {2, 52, "17.50000000", "perigee below the Earth's surface"},   // a = 0.98 Earth radii
        {2, 26, "9000000", "perigee below the Earth's surface"},       // e = 0.9 at a = 1.13
        {2, 8, "180.0001", "inclination \"180.0001\" is not between 0 and 180"},
        {2, 43, "999.9999", "mean anomaly \"999.9999\" is not between 0 and 360"},
        {1, 33, "9999999999", "first derivative \"9999999999\" is not between -1 and 1"},
        {1, 50, "99", "exponent \"99\" of the second derivative is not a sign and one digit"},
        {1, 59, "3x", "exponent \"3x\" of B* is not a sign and one digit"},
        {1, 18, "25201400000000", "epoch \"25201400000000\" is not a two-digit year and a day of the year"},
    };
    for (const Case& c : cases) {
        std::string line1 = l[1], line2 = l[2];
        std::string& changed = c.line == 1 ? line1 : line2;
        changed.replace(c.column, c.field.size(), c.field);
        changed[68] = char('0' + ElementLineChecksum(changed));
        const ParsedElementSets parsed = ParseElementSets(l[0] + "\n" + line1 + "\n" + line2 + "\n");
        EXPECT_TRUE(parsed.records.empty()) << c.field;
        ASSERT_EQ(parsed.rejects.size(), 1u) << c.field;
        EXPECT_EQ(parsed.rejects[0].line, 1 + c.line) << c.field;
        EXPECT_EQ(parsed.rejects[0].reason, c.reason);
    }
}

// A failed fetch, an error page or a text without one valid set leaves the database as it was.
TEST_F(SatelliteDataTest, FailedImportsKeepThePreviousDatabase) {
    test::LocalHttpServer server({{"/visual.txt", {200, Bytes(Tle("visual-2025-07-20.tle"))}},
                                  {"/error.txt", {200, "<html><body>Service unavailable</body></html>"}}});
    const std::string visual = server.Url("/visual.txt");
    ASSERT_TRUE(Import({visual}));
    ASSERT_TRUE(Import({Tle("iridium-2014-09-18.tle")}, true));
    EXPECT_EQ(database_.Count(), 151 + 92);
    const std::string before = Bytes(database_.Path());
    home_.WriteFile("nothing.tle", "ISS\n1 25544U\n");
    for (const std::vector<std::string>& sources :
         {std::vector<std::string>{visual, server.Url("/missing.txt")}, {visual, server.Url("/error.txt")},
          {home_.Path("nothing.tle")}, {home_.Path("absent.tle")}}) {
        EXPECT_FALSE(Import(sources, true)) << sources.back();
        EXPECT_TRUE(Bytes(database_.Path()) == before) << sources.back();
    }
    EXPECT_EQ(database_.Find("iss (zarya)"), 101);  // the set at line 304 of the file
    EXPECT_EQ(database_.Find("25544"), 101);
}

TEST_F(SatelliteDataTest, ExportOfOneRecordAndReadsThatCannotBe) {
    SatelliteRecord record;
    EXPECT_FALSE(database_.ReadSatelliteRecord(0, record));
    EXPECT_EQ(messages_.messages.back().first, kSatelliteDatabaseNotOpen);
    std::string error;
    const SatelliteRecord set = ParseElementSets(Bytes(Tle("visual-2025-07-20.tle"))).records.at(0);
    ASSERT_TRUE(database_.Replace({set}, error));
    const auto field = [](std::string text) { return text.append(71 - text.size(), '\0'); };
    EXPECT_EQ(Bytes(database_.Path()).substr(16), field(set.name) + field(set.line1) + field(set.line2));
    EXPECT_FALSE(database_.ReadSatelliteRecord(1, record));
    EXPECT_EQ(messages_.messages.back().first, kSatelliteRecordUnreadable);
    Export();
    EXPECT_EQ(messages_.messages.back().first, "1 Satellite record exported.\n");
}

// A database cut short (another program, a full disc) is read as far as it goes: the records
// it still holds come out as they went in, the cut one and every search of the whole database
// give the read's message rather than a record of zeros.
TEST_F(SatelliteDataTest, DatabaseCutShortReadsWhatItHolds) {
    const std::vector<SatelliteRecord> sets = ParseElementSets(Bytes(Tle("visual-2025-07-20.tle"))).records;
    std::string error;
    ASSERT_TRUE(database_.Replace({sets.at(0), sets.at(1), sets.at(2)}, error));
    std::filesystem::resize_file(database_.Path(), 16 + 2 * 213 + 100);
    ASSERT_TRUE(database_.Open());
    ASSERT_EQ(database_.Count(), 3);
    SatelliteRecord record;
    ASSERT_TRUE(database_.ReadSatelliteRecord(1, record));
    EXPECT_EQ(record.line2, sets[1].line2);
    messages_.messages.clear();
    EXPECT_FALSE(database_.ReadSatelliteRecord(2, record));
    std::vector<SatelliteRecord> all;
    EXPECT_FALSE(database_.ReadAll(all));
    EXPECT_EQ(database_.Find(sets[0].name), -1);
    EXPECT_EQ(messages_.messages.size(), 3u);
    for (const auto& message : messages_.messages) EXPECT_EQ(message.first, kSatelliteRecordUnreadable);
}

}  // namespace
}  // namespace vsp
