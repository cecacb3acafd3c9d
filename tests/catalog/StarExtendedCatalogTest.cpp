// The extended star catalogs: choosing N, the searches by declination, sequence, catalog
// number and Tycho number, and the designations, on block files the tests write.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarCatalog.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using Message = std::pair<std::string, std::string>;
using Blocks = std::vector<std::vector<test::EntryFields>>;

constexpr int kHr = 0;      // rows of the extended catalog table
constexpr int kHip16k = 1;
constexpr int kHip110k = 4;
constexpr int kTycho390k = 5;

const char* FileOf(int row) {
    static const char* names[] = {"vespertar_hr.ppc",        "vespertar_hip_16k.ppc",    "vespertar_hip_32k.ppc",
                                  "vespertar_hip_64k.ppc",   "vespertar_hip_110k.ppc",   "vespertar_tycho_390k.ppc",
                                  "vespertar_tycho_2500k.ppc"};
    return names[row];
}

// Blocks whose first entries carry the given declination degrees.
Blocks KeyedBlocks(const std::vector<int>& degrees) {
    Blocks blocks;
    for (int d : degrees) blocks.push_back({test::EntryFields{0, 0, 0, 0, d, 0, 0, 255, 0}});
    return blocks;
}

class StarExtended : public testing::Test {
protected:
    void WriteCatalog(int row, const Blocks& blocks, int n, int headerCount = -1) {
        std::string file = test::BlockFile(blocks, n);
        if (headerCount >= 0) file.replace(8, 4, std::string{char(headerCount & 0xFF), char(headerCount >> 8), 0, 0});
        home_.WriteFile(std::string("data/") + FileOf(row), file);
    }
    // Index of `records` records, every slot -1 except the given number -> block pairs.
    void WriteNumberIndex(const char* name, int records, const std::vector<std::pair<int, int>>& slots) {
        std::vector<int> values(size_t(records) * 42, -1);
        for (auto [number, block] : slots) values[size_t(number)] = block;
        std::string file = test::StarFileHeader(0x706C3636, records, 84);
        for (int v : values) test::Le16(file, v);
        home_.WriteFile(std::string("data/") + name, file);
    }
    void WriteTychoIndex(int records, int region, float low, float high) {
        std::string file = test::StarFileHeader(0x706C3630, records, 8);
        for (int r = 0; r < records; ++r) {
            test::LeF32(file, r == region ? low : 0.0f);
            test::LeF32(file, r == region ? high : 0.0f);
        }
        home_.WriteFile("data/vespertar_tycho_idx.ppc", file);
    }
    // The HR catalog: 217 blocks of 42 (9114 stars), HR 7001 in block 150 at entry 17.
    void WriteHrCatalog() {
        Blocks blocks(217);
        blocks[150].resize(18);
        blocks[150][17] = {7001, 18, 36, 56, 38, 47, 1, 0, 0};
        WriteCatalog(kHr, blocks, 42);
    }

    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
};

TEST(StarDesignation, HipBelow140000StarsTychoFromThere) {
    EXPECT_EQ(ExtendedStarDesignation(4660 * 100000 + 1234, 2496560), "TYC4660-1234-1");
    EXPECT_EQ(ExtendedStarDesignation(100001, 140000), "TYC1-1-1");
    EXPECT_EQ(ExtendedStarDesignation(100001, 139999), "HIP100001");
    EXPECT_EQ(ExtendedStarDesignation(32349, 118240), "HIP32349");
}

TEST_F(StarExtended, EntriesPerBlockFollowTheRecordCount) {
    // 595 x 42 = 24990 stays at 42 per block; 596 x 42 = 25032 is beyond 25000: 80.
    WriteCatalog(kHip16k, Blocks(595), 42);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.EntriesPerBlock(), 42);
    EXPECT_EQ(stars_.ExtendedStarCount(), 24990);
    WriteCatalog(kHip16k, Blocks(596), 80);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.EntriesPerBlock(), 80);
    EXPECT_EQ(stars_.ExtendedStarCount(), 47680);
    EXPECT_EQ(stars_.ExtendedIndex(), kHip16k);
    // 1561 x 42 = 65562, which is 26 once kept to 16 bits: back to 42.
    WriteCatalog(kTycho390k, Blocks(1561), 42);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kTycho390k), 1);
    EXPECT_EQ(stars_.EntriesPerBlock(), 42);
}

TEST_F(StarExtended, MissingOrMisshapenCatalogLeavesNoneOpen) {
    EXPECT_EQ(stars_.OpenExtendedCatalog(kHip110k), 0);
    EXPECT_FALSE(stars_.ExtendedOpen());
    EXPECT_EQ(stars_.ExtendedIndex(), -1);
    EXPECT_EQ(stars_.EntriesPerBlock(), 0);
    EXPECT_EQ(stars_.BlockByDeclination(10.0f), -1);
    StarRecord star;
    EXPECT_EQ(stars_.StarByNumber(5, star), -1);
    // 381 blocks mean 42 per block; a file of 80-entry blocks does not fit.
    WriteCatalog(kHip16k, Blocks(381), 80);
    EXPECT_EQ(stars_.OpenExtendedCatalog(kHip16k), 0);
    EXPECT_FALSE(stars_.ExtendedOpen());
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(StarExtended, StarBySequenceNumber) {
    StarRecord star;
    EXPECT_EQ(stars_.StarBySequence(3, star), 0);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, "Database Hipparchos isn't open!");

    WriteHrCatalog();
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHr), 1);
    EXPECT_EQ(stars_.StarBySequence(150 * 42 + 17, star), 7001);
    EXPECT_EQ(star.number, 7001);
    EXPECT_EQ(star.magnitude, 0);
    EXPECT_EQ(star.dec, 11356524);  // 38d47'01" by the integer products
    EXPECT_EQ(stars_.Designation(7001), "HIP7001");
    EXPECT_EQ(stars_.StarBySequence(217 * 42, star), 0);
    EXPECT_EQ(messages_.messages.back().first, "Can't find Hipparchos record number 217");
}

TEST_F(StarExtended, BlockByDeclinationEdges) {
    WriteCatalog(kHip16k, KeyedBlocks({-80, -60, -40, -20, 0, 20, 40, 60}), 42);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.BlockByDeclination(20.0f), 5);  // exact key: the search stops there
    EXPECT_EQ(stars_.BlockByDeclination(90.0f), 7);
    // The search also stops once low + high < 2, so the far south ends at block 1.
    EXPECT_EQ(stars_.BlockByDeclination(-90.0f), 1);
    EXPECT_EQ(stars_.BlockByDeclination(90.5f), -1);
    EXPECT_EQ(stars_.BlockByDeclination(-90.5f), -1);
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(StarExtended, BlockByDeclinationComparesSignedMinutes) {
    // -0.5 degrees is 0 degrees and -30 minutes; read as +30 it would end at block 5.
    Blocks blocks = KeyedBlocks({-3, -2, -1, 0, 0, 0, 1});
    blocks[3][0].decM = -30;
    blocks[5][0].decM = 30;
    WriteCatalog(kHip16k, blocks, 42);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.BlockByDeclination(-0.5f), 3);
    EXPECT_EQ(stars_.BlockByDeclination(0.5f), 5);
}

TEST_F(StarExtended, OneBlockCatalogAnswersBlockZero) {
    WriteCatalog(kHip16k, KeyedBlocks({10}), 42);
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    for (float dec : {-90.0f, -12.5f, 10.0f, 89.9f, 90.0f}) EXPECT_EQ(stars_.BlockByDeclination(dec), 0) << dec;
    EXPECT_EQ(stars_.BlockByDeclination(90.5f), -1);
}

TEST_F(StarExtended, UnreadableBlockDuringTheDeclinationSearch) {
    WriteCatalog(kHip16k, KeyedBlocks({-80, -60}), 42, 8);  // the header claims 8 blocks
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.BlockByDeclination(0.0f), -1);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, "Can't find Hipparchos record number 3");
}

TEST_F(StarExtended, HrNumberThroughItsIndex) {
    WriteHrCatalog();
    WriteNumberIndex("vespertar_hr_idx.ppc", 217, {{7001, 150}, {7002, 150}});
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHr), 1);
    ASSERT_EQ(stars_.ExtendedStarCount(), 9114);
    StarRecord star;
    EXPECT_EQ(stars_.StarByNumber(7001, star), 150);
    EXPECT_EQ(stars_.LastEntryFound(), 17);
    EXPECT_EQ(star.number, 7001);
    EXPECT_EQ(star.ra, 81764448);  // 18h36m56s by the integer products

    // Indexed to a block that does not hold it: the block, the record untouched.
    StarRecord untouched;
    untouched.number = 42;
    EXPECT_EQ(stars_.StarByNumber(7002, untouched), 150);
    EXPECT_EQ(untouched.number, 42);
    // A gap in the numbering.
    EXPECT_EQ(stars_.StarByNumber(7003, untouched), -1);
    EXPECT_EQ(stars_.StarByNumber(0, untouched), -1);
    EXPECT_EQ(stars_.StarByNumber(121001, untouched), -1);
    EXPECT_TRUE(messages_.messages.empty());
    // 121000 is still looked up: its index record (2880) lies beyond this index.
    EXPECT_EQ(stars_.StarByNumber(121000, untouched), -1);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, "Can't find Hipparchos index record number 2880");
}

TEST_F(StarExtended, HipparcosNumberUpTo121000ThroughThe110kIndex) {
    Blocks blocks(1478);  // 118240 stars
    blocks[700].resize(80);
    blocks[700][79] = {32349, 6, 45, 9, -16, -42, -58, 0, -0};
    blocks[3].resize(2);
    blocks[3][1] = {121000, 1, 2, 3, 4, 5, 6, 100, 10};
    blocks[1000] = {{120404, 23, 0, 0, 10, 0, 0, 140, 3}};
    WriteCatalog(kHip110k, blocks, 80);
    WriteNumberIndex("vespertar_hip_110k_idx.ppc", 2881, {{32349, 700}, {121000, 3}, {120404, 1000}, {5, 4000}});
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip110k), 1);
    ASSERT_EQ(stars_.EntriesPerBlock(), 80);
    StarRecord star;
    EXPECT_EQ(stars_.StarByNumber(32349, star), 700);
    EXPECT_EQ(stars_.LastEntryFound(), 79);
    EXPECT_EQ(star.dec, -4894774);
    EXPECT_EQ(stars_.StarByNumber(121000, star), 3);
    EXPECT_EQ(star.magnitude, 100);
    EXPECT_EQ(stars_.StarByNumber(120404, star), 1000);
    EXPECT_EQ(star.number, 120404 - 65536);  // the id: low 16 bits
    EXPECT_EQ(stars_.Designation(120404), "HIP120404");
    EXPECT_TRUE(messages_.messages.empty());
    // An index pointing past the catalog.
    EXPECT_EQ(stars_.StarByNumber(5, star), -1);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, "Can't find Hipparchos record number 4000");
}

TEST_F(StarExtended, NumberLookupNeedsAnIndexedCatalog) {
    WriteHrCatalog();
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHr), 1);
    StarRecord star;
    EXPECT_EQ(stars_.StarByNumber(7001, star), -1);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].first, "Could not open Hipparchos index file");

    // 381 x 42 = 16002 stars: no number index serves this catalog, and nothing is said.
    messages_.messages.clear();
    WriteCatalog(kHip16k, Blocks(381), 42);
    WriteNumberIndex("vespertar_hr_idx.ppc", 217, {{7001, 0}});
    ASSERT_EQ(stars_.OpenExtendedCatalog(kHip16k), 1);
    EXPECT_EQ(stars_.StarByNumber(7001, star), -1);
    EXPECT_TRUE(messages_.messages.empty());
}

class StarTycho : public StarExtended {
protected:
    void SetUp() override {
        Blocks blocks = KeyedBlocks({0, 5, 10, 11, 12, 20, 30, 40});
        blocks[3].push_back({});
        blocks[3].push_back({kStar, 5, 10, 20, 11, 30, 0, 150, 7});
        blocks[6].push_back({kOutside, 5, 10, 20, 30, 0, 0, 150, 7});  // same region, outside the band
        WriteCatalog(kTycho390k, blocks, 42);
        ASSERT_EQ(stars_.OpenExtendedCatalog(kTycho390k), 1);
    }
    static constexpr int32_t kStar = 4660 * 100000 + 1234;
    static constexpr int32_t kOutside = 4660 * 100000 + 99;
};

TEST_F(StarTycho, FindsTheStarWithinTheRegionsBand) {
    WriteTychoIndex(4661, 4660, 10.0f, 12.0f);
    StarRecord star;
    ASSERT_EQ(stars_.StarByTycho(kStar, star), 1);
    EXPECT_EQ(star.magnitude, 150);
    EXPECT_EQ(star.colour, 7);
    EXPECT_EQ(star.number, kStar & 0xFFFF);
    EXPECT_EQ(stars_.LastEntryFound(), 2);
    StarRecord untouched;
    untouched.magnitude = 1;
    EXPECT_EQ(stars_.StarByTycho(kOutside, untouched), 0);
    EXPECT_EQ(untouched.magnitude, 1);
    EXPECT_TRUE(messages_.messages.empty());
    // The band given the other way round reads the same blocks.
    WriteTychoIndex(4661, 4660, 12.0f, 10.0f);
    EXPECT_EQ(stars_.StarByTycho(kStar, star), 1);
}

TEST_F(StarTycho, IndexMissingOrTooShort) {
    StarRecord star;
    EXPECT_EQ(stars_.StarByTycho(kStar, star), 0);
    WriteTychoIndex(4000, 1, 0.0f, 1.0f);
    EXPECT_EQ(stars_.StarByTycho(kStar, star), 0);
    EXPECT_EQ(messages_.messages, (std::vector<Message>{{"Can't open Tycho index.", ""},
                                                        {"Could not retrieve tycho record!", ""}}));
}

}  // namespace
}  // namespace vsp
