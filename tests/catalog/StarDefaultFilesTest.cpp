// The default stars, the constellation lines and the bright-star names, read from files the
// tests write byte by byte into a temporary program directory.

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarCatalog.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using Message = std::pair<std::string, std::string>;

class StarDefaultFiles : public testing::Test {
protected:
    // Default star i: number 1000 + i, RA i / 100 hours, so that every record differs.
    void WriteDefaultStars(int records, int headerCount = -1) {
        std::string file = test::StarFileHeader(0x706C3031, headerCount < 0 ? records : headerCount, 44);
        for (int i = 0; i < records; ++i)
            file += test::DefaultStarBytes(1000 + i, float(i) / 100.0f, 10.0f, 16 * 3, 5);
        home_.WriteFile("data/vespertar_default_stars.ppc", file);
    }
    void WriteLines(const std::vector<std::vector<int>>& rows) {
        std::string file = test::StarFileHeader(0x706C3634, int32_t(rows.size()), 8);
        for (const auto& r : rows)
            for (int v : r) test::Le16(file, v);
        home_.WriteFile("data/vespertar_constellation.ppc", file);
    }
    // Name-sorted half then number-sorted half.
    void WriteBrightStars(const std::vector<std::pair<std::string, int>>& byName,
                          const std::vector<std::pair<std::string, int>>& byNumber) {
        std::string file = test::StarFileHeader(0x706C3635, int32_t(byName.size() + byNumber.size()), 20);
        for (const auto* half : {&byName, &byNumber}) {
            for (const auto& [name, index] : *half) {
                std::string slot = name;
                slot.resize(18, '\0');
                file += slot;
                test::Le16(file, index);
            }
        }
        home_.WriteFile("data/vespertar_brightstar.ppc", file);
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
};

TEST_F(StarDefaultFiles, MissingFileShowsTheInstallMessage) {
    EXPECT_EQ(stars_.OpenDefaultStars(), 0);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first,
              "Could not open star database\nPlease install vespertar_default_stars.ppc into data sub directory.");
    EXPECT_EQ(stars_.LoadDefaultStars(), 0);
    StarRecord star;
    EXPECT_EQ(stars_.ReadDefaultStar(0, star), 0);
}

TEST_F(StarDefaultFiles, LoadsAllRecordsOnceWithProgressEvery150) {
    WriteDefaultStars(1646);
    ASSERT_EQ(stars_.OpenDefaultStars(), 1);
    std::vector<int> progress;
    ASSERT_EQ(stars_.LoadDefaultStars([&](int n) { progress.push_back(n); }), 1);
    EXPECT_EQ(progress, (std::vector<int>{150, 300, 450, 600, 750, 900, 1050, 1200, 1350, 1500}));
    EXPECT_EQ(stars_.DefaultStarsRead(), 1646);
    EXPECT_EQ(stars_.DefaultStars().size(), 1648u);
    const StarRecord& last = stars_.DefaultStars()[1645];
    EXPECT_EQ(last.number, 2645);
    EXPECT_EQ(last.ra, 72252760);  // 16.450000762939453 (the float) x 4392264.877774095
    EXPECT_EQ(last.dec, 2928176);
    EXPECT_EQ(last.magnitude, 48);
    EXPECT_EQ(last.hidden, 0);
    EXPECT_TRUE(messages_.messages.empty());

    // Once per run: a changed file is not read again.
    WriteDefaultStars(10);
    progress.clear();
    EXPECT_EQ(stars_.LoadDefaultStars([&](int n) { progress.push_back(n); }), 1);
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(stars_.DefaultStars()[1645].number, 2645);
}

TEST_F(StarDefaultFiles, UnreadableRecordEndsTheLoadThere) {
    WriteDefaultStars(1000, 1646);  // the header promises more than the file holds
    ASSERT_EQ(stars_.OpenDefaultStars(), 1);
    EXPECT_EQ(stars_.LoadDefaultStars(), 0);
    EXPECT_EQ(stars_.DefaultStarsRead(), 1000);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0], Message("Could not retrieve star record!", "recId 1000"));
    EXPECT_EQ(stars_.DefaultStars()[999].number, 1999);
    EXPECT_EQ(stars_.DefaultStars()[1000].number, 0);
}

TEST_F(StarDefaultFiles, ReadDefaultStarRefusesIndexesBeyond1645) {
    WriteDefaultStars(1647);
    ASSERT_EQ(stars_.OpenDefaultStars(), 1);
    StarRecord star;
    ASSERT_EQ(stars_.ReadDefaultStar(1645, star), 1);
    EXPECT_EQ(star.number, 2645);
    star.number = -5;
    EXPECT_EQ(stars_.ReadDefaultStar(1646, star), 0);  // exists in the file, still refused
    EXPECT_EQ(stars_.ReadDefaultStar(-1, star), 0);
    EXPECT_EQ(star.number, -5);
    EXPECT_TRUE(messages_.messages.empty());  // out of range is silent
}

TEST_F(StarDefaultFiles, ConstellationLinesOfTheChosenSetInFileOrder) {
    WriteLines({{0, 3, 10, 11}, {1, 4, 20, 21}, {0, 5, 12, 13}, {1, 6, 22, -1}, {2, 7, 1, 2}});
    stars_.LoadConstellationLines(1);
    EXPECT_EQ(stars_.ConstellationLineSet(), 1);
    ASSERT_EQ(stars_.ConstellationLineCount(), 2);
    EXPECT_EQ(stars_.ConstellationLines()[0].figure, 4);
    EXPECT_EQ(stars_.ConstellationLines()[0].from, 20);
    EXPECT_EQ(stars_.ConstellationLines()[1].to, -1);
    stars_.LoadConstellationLines(0);
    ASSERT_EQ(stars_.ConstellationLineCount(), 2);
    EXPECT_EQ(stars_.ConstellationLines()[1].figure, 5);
    EXPECT_EQ(stars_.ConstellationLines()[1].from, 12);
    EXPECT_TRUE(messages_.messages.empty());

    // The loaded set is not read again, even when the file has changed.
    WriteLines({{0, 9, 9, 9}});
    stars_.LoadConstellationLines(0);
    EXPECT_EQ(stars_.ConstellationLineCount(), 2);
}

TEST_F(StarDefaultFiles, ConstellationLinesStopWhenTheTableIsFull) {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < 700; ++i) rows.push_back({0, i, i, i + 1});
    for (int i = 0; i < 900; ++i) rows.push_back({1, i, i, i + 1});
    WriteLines(rows);
    stars_.LoadConstellationLines(0);
    ASSERT_EQ(stars_.ConstellationLineCount(), 647);
    EXPECT_EQ(stars_.ConstellationLines().back().figure, 646);
    stars_.LoadConstellationLines(1);
    EXPECT_EQ(stars_.ConstellationLineCount(), 867);
}

TEST_F(StarDefaultFiles, MissingConstellationFile) {
    stars_.LoadConstellationLines(0);
    EXPECT_EQ(stars_.ConstellationLineCount(), 0);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0],
              Message("Could not find vespertar_constellation.ppc", "Please verify your configuration."));
}

TEST_F(StarDefaultFiles, BrightStarCountRecordAndSearch) {
    WriteDefaultStars(1646);
    ASSERT_EQ(stars_.OpenDefaultStars(), 1);
    ASSERT_EQ(stars_.LoadDefaultStars(), 1);
    // Default star i has number 1000 + i. "Vega" is missing from the name half on purpose.
    WriteBrightStars({{"Altair", 30}, {"Deneb", 5}, {"Rigel", 700}, {"Sirius", 12}},
                     {{"Deneb", 5}, {"Sirius", 12}, {"Altair", 30}, {"Vega", 700}});
    EXPECT_EQ(stars_.BrightStarCount(), 4);
    BrightStarRecord record;
    ASSERT_EQ(stars_.ReadBrightStar(3, record), 1);
    EXPECT_STREQ(record.name, "Sirius");
    EXPECT_EQ(record.starIndex, 12);
    EXPECT_EQ(stars_.ReadBrightStar(8, record), 0);

    EXPECT_EQ(stars_.FindBrightStar(1005), 1);  // Deneb: its place in the name-sorted half
    EXPECT_EQ(stars_.FindBrightStar(1012), 3);
    EXPECT_EQ(stars_.FindBrightStar(1030), 0);
    EXPECT_EQ(stars_.FindBrightStar(1700), 7);  // named only in the number half
    EXPECT_EQ(stars_.FindBrightStar(1006), -1);
    EXPECT_EQ(stars_.FindBrightStar(0x10000 + 1012), 3);  // the low 16 bits are compared
}

TEST_F(StarDefaultFiles, BrightStarFileMissing) {
    EXPECT_EQ(stars_.BrightStarCount(), 0);
    EXPECT_EQ(stars_.FindBrightStar(1000), -1);
    BrightStarRecord record;
    EXPECT_EQ(stars_.ReadBrightStar(0, record), 0);
    // The count is cached: a file installed later does not change it during the run.
    WriteBrightStars({{"Vega", 1}}, {{"Vega", 1}});
    EXPECT_EQ(stars_.BrightStarCount(), 0);
    EXPECT_TRUE(messages_.messages.empty());
}

}  // namespace
}  // namespace vsp
