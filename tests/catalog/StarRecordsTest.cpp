// The star records and entries decoded against values worked out by hand from the unit
// (2^-24 radian) and published positions, and the default stars and constellation lines read
// from files the tests write byte by byte.

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarCatalog.h"
#include "catalog/StarEntry.h"
#include "catalog/StarRecord.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(StarRecord, DecodesFileFloatsToTruncatedUnits) {
    // Vega, HR 7001, with a magnitude field above 32767 and a negative colour.
    const std::string bytes = test::DefaultStarBytes(0x10000 + 7001, 18.615649f, 38.78369f, 0xFFF0, -3, 40);
    StarRecord star;
    ASSERT_TRUE(StarRecordDecode(Bytes(bytes), bytes.size(), star));
    EXPECT_EQ(StarRecordId(star), 7001);
    EXPECT_EQ(star.ra, 81764858);   // 18.61564826965332 (the float) x 4392264.877774095
    EXPECT_EQ(star.dec, 11356549);  // 38.78369140625 x 292817.65851827303
    EXPECT_EQ(star.magnitude, 0xFFF0);
    EXPECT_EQ(star.colour, -3);
    EXPECT_EQ(star.hidden, 0);  // cleared whatever the file holds
    EXPECT_EQ(star.extra[15], 55);

    const std::string sirius = test::DefaultStarBytes(2491, 6.752481f, -16.716116f, 0, 0);
    ASSERT_TRUE(StarRecordDecode(Bytes(sirius), sirius.size(), star));
    EXPECT_EQ(star.dec, -4894773);  // truncated towards zero, not down
    star.number = 99;
    EXPECT_FALSE(StarRecordDecode(Bytes(sirius), 43, star));
    EXPECT_EQ(star.number, 99);
    // A damaged file's place off the sky (or no number at all) is refused, not truncated.
    for (const auto& [ra, dec] : {std::pair{-2e36f, 0.0f}, {24.5f, 0.0f}, {1.0f, 90.5f}, {NAN, 0.0f}, {1.0f, -INFINITY}}) {
        const std::string damaged = test::DefaultStarBytes(2491, ra, dec, 0, 0);
        EXPECT_FALSE(StarRecordDecode(Bytes(damaged), damaged.size(), star)) << ra << " " << dec;
        EXPECT_EQ(star.number, 99);
    }
}

TEST(StarEntry, DecodesBytesByTheIntegerProducts) {
    // Sirius at 6h45m09s -16d42'58": each byte x K / 128 rounded down, summed.
    const std::string bytes = test::EntryBytes({32349, 6, 45, 9, -16, -42, -58, 250, -7});
    StarEntry entry;
    ASSERT_TRUE(StarEntryDecode(Bytes(bytes), bytes.size(), entry));
    EXPECT_EQ(StarEntryRa(entry), 26353589 + 3294198 + 10980);
    EXPECT_EQ(StarEntryDec(entry), -4685083 - 204973 - 4718);
    EXPECT_FALSE(StarEntryDecode(Bytes(test::EntryBytes({1})), 11, entry));
    EXPECT_EQ(entry.number, 32349);
}

using Message = std::pair<std::string, std::string>;

class StarDefaultFiles : public testing::Test {
protected:
    // Default star i: number 1000 + i, RA i / 100 hours, so that every record differs.
    void WriteDefaultStars(int records, int headerCount = -1) {
        std::string file = test::StarFileHeader(0x706C3031, headerCount < 0 ? records : headerCount, 44);
        for (int i = 0; i < records; ++i) file += test::DefaultStarBytes(1000 + i, float(i) / 100.0f, 10.0f, 48, 5);
        home_.WriteFile("data/vespertar_default_stars.ppc", file);
    }
    void WriteLines(const std::vector<std::vector<int>>& rows) {
        std::string file = test::StarFileHeader(0x706C3634, int32_t(rows.size()), 8);
        for (const auto& r : rows)
            for (int v : r) file += test::Le16(uint16_t(v));
        home_.WriteFile("data/vespertar_constellation.ppc", file);
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
};

TEST_F(StarDefaultFiles, LoadsAllRecordsWithProgressEvery150) {
    WriteDefaultStars(1647);
    ASSERT_TRUE(stars_.OpenDefaultStars());
    std::vector<int> progress;
    ASSERT_TRUE(stars_.LoadDefaultStars([&](int n) { progress.push_back(n); }));
    EXPECT_EQ(progress, (std::vector<int>{150, 300, 450, 600, 750, 900, 1050, 1200, 1350, 1500}));
    progress.clear();
    EXPECT_TRUE(stars_.LoadDefaultStars([&](int n) { progress.push_back(n); }));  // once per run
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(stars_.DefaultStarsRead(), 1646);
    const StarRecord& last = stars_.DefaultStars()[1645];
    EXPECT_EQ(last.number, 2645);
    EXPECT_EQ(last.ra, 72252760);  // 16.450000762939453 (the float) x 4392264.877774095
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(StarDefaultFiles, AMissingFileOrAnUnreadableRecordEndsTheLoad) {
    EXPECT_FALSE(stars_.OpenDefaultStars());
    EXPECT_EQ(messages_.messages, (std::vector<Message>{{std::string(kStarDatabaseMissing), ""}}));
    EXPECT_FALSE(stars_.LoadDefaultStars());
    messages_.messages.clear();
    WriteDefaultStars(1000, 1646);  // the header promises more than the file holds
    ASSERT_TRUE(stars_.OpenDefaultStars());
    EXPECT_FALSE(stars_.LoadDefaultStars());
    EXPECT_EQ(stars_.DefaultStarsRead(), 1000);
    EXPECT_EQ(messages_.messages, (std::vector<Message>{{"Could not retrieve star record!", "recId 1000"}}));
    EXPECT_EQ(stars_.DefaultStars()[1000].number, 0);
}

TEST_F(StarDefaultFiles, BrightStarNamesOnlyAsFarAsTheFileHoldsThem) {
    // Two names, then their index entries; the header's count is taken from the argument.
    auto write = [&](int32_t count) {
        std::string file = test::StarFileHeader(0x706C3635, count, 20);
        for (const char* name : {"Deneb", "Vega"}) file += std::string(name) + std::string(20 - std::strlen(name), '\0');
        for (int index : {1, 0}) file += std::string(18, '\0') + char(index) + '\0';
        home_.WriteFile("data/vespertar_brightstar.ppc", file);
    };
    write(4);
    EXPECT_EQ(StarCatalog(home_.Dir(), messages_).BrightStarCount(), 2);
    write(1 << 30);  // a damaged header: nothing to search, and no billion reads to find a name
    EXPECT_EQ(StarCatalog(home_.Dir(), messages_).BrightStarCount(), 0);
}

TEST_F(StarDefaultFiles, ConstellationLinesOfTheChosenSetUpToItsCapacity) {
    stars_.LoadConstellationLines(0);
    EXPECT_EQ(stars_.ConstellationLineCount(), 0);
    EXPECT_EQ(messages_.messages, (std::vector<Message>{{"Could not find vespertar_constellation.ppc",
                                                         "Please verify your configuration."}}));
    std::vector<std::vector<int>> rows = {{1, 4, 20, 21}, {2, 7, 1, 2}, {1, 6, 22, -1}};
    for (int i = 0; i < 700; ++i) rows.push_back({0, i, i, i + 1});
    for (int i = 0; i < 900; ++i) rows.push_back({1, i, i, i + 1});
    WriteLines(rows);
    stars_.LoadConstellationLines(1);
    ASSERT_EQ(stars_.ConstellationLineCount(), 867);
    const ConstellationLine& first = stars_.ConstellationLines()[0];
    EXPECT_EQ(std::vector<int>({first.figure, first.from, first.to}), std::vector<int>({4, 20, 21}));
    EXPECT_EQ(stars_.ConstellationLines()[1].to, -1);
    stars_.LoadConstellationLines(0);
    ASSERT_EQ(stars_.ConstellationLineCount(), 647);
    EXPECT_EQ(stars_.ConstellationLines().back().figure, 646);

    // The loaded set is not read again, even when the file has changed.
    WriteLines({{0, 9, 9, 9}});
    stars_.LoadConstellationLines(0);
    EXPECT_EQ(stars_.ConstellationLineCount(), 647);
}

}  // namespace
}  // namespace vsp
