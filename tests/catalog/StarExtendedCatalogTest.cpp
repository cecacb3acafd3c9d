// The extended star catalogs on block files the tests write: choosing N, the searches by
// declination, sequence, catalog number and Tycho number, the designations, and the walk over
// the blocks of a view's declination band with the star cache it leaves for tap identification.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarCatalog.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using Blocks = std::vector<std::vector<test::EntryFields>>;

// Rows of the extended catalog table and their files.
constexpr int kHr = 0, kHip16k = 1, kHip110k = 4, kTycho390k = 5;
const char* const kFiles[] = {"vespertar_hr.ppc", "vespertar_hip_16k.ppc", "", "", "vespertar_hip_110k.ppc",
                              "vespertar_tycho_390k.ppc"};

// Blocks whose first entries carry the given declination degrees.
Blocks KeyedBlocks(const std::vector<int>& degrees) {
    Blocks blocks;
    for (int d : degrees) blocks.push_back({test::EntryFields{.decD = d, .magnitude16 = 255}});
    return blocks;
}

// Draws everything at a screen place derived from the number, except number 121; records
// number, size class and colour class.
class RecordingTarget : public StarWalkTarget {
public:
    bool DrawStar(const StarRecord& star, int size, int colour, int16_t& x, int16_t& y) override {
        if (star.number == 121) return false;
        drawn.push_back({star.number, size, colour});
        x = int16_t(star.number % 240);
        y = 0;
        return true;
    }
    bool StopRequested() override { return ++polls > stopAfterPolls; }
    std::vector<std::vector<int>> drawn;
    int polls = 0;
    int stopAfterPolls = 1 << 30;
};

test::EntryFields Star(int32_t number, int raH, int raM, int magnitude16, int colour = 0) {
    return {number, raH, raM, 0, 0, 0, 0, magnitude16, colour};
}

class StarExtended : public testing::Test {
protected:
    // `headerCount` >= 0 makes the header promise that many blocks.
    void Open(int row, const Blocks& blocks, int n, int headerCount = -1) {
        std::string file = test::BlockFile(blocks, n);
        if (headerCount >= 0) file.replace(8, 4, std::string{char(headerCount & 0xFF), char(headerCount >> 8), 0, 0});
        home_.WriteFile(std::string("data/") + kFiles[row], file);
        ASSERT_TRUE(stars_.OpenExtendedCatalog(row));
    }
    // Index of `records` records, every slot -1 except the given number -> block pairs.
    void WriteNumberIndex(const char* name, int records, const std::vector<std::pair<int, int>>& slots) {
        std::vector<int> values(size_t(records) * 42, -1);
        for (auto [number, block] : slots) values[size_t(number)] = block;
        std::string file = test::StarFileHeader(0x706C3636, records, 84);
        for (int v : values) file += test::Le16(uint16_t(v));
        home_.WriteFile(std::string("data/") + name, file);
    }
    // The HR catalog: 217 blocks of 42 (9114 stars), HR 7001 in block 150 at entry 17.
    void OpenHr() {
        Blocks blocks(217);
        blocks[150].resize(18);
        blocks[150][17] = {7001, 18, 36, 56, 38, 47, 1, 0, 0};
        Open(kHr, blocks, 42);
    }
    // A walk over the 16K catalog from -70.6 (whole degrees -70) to 10.9 degrees, 23h to 1h.
    int Walk(const Blocks& blocks, float limit, float lowestDec = -70.6f, float highestDec = 10.9f) {
        Open(kHip16k, blocks, 42);
        StarWalkView view{limit, lowestDec, highestDec, {{0, 60}, {1380, 1440}}, scale};
        return stars_.WalkRegion(view, target_);
    }
    std::string LastMessage() const { return messages_.messages.empty() ? "" : messages_.messages.back().first; }

    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
    RecordingTarget target_;
    int scale = 0;
};

TEST_F(StarExtended, EntriesPerBlockFollowTheRecordCountAndOtherShapesAreRefused) {
    // 595 x 42 = 24990 stays at 42; 596 x 42 = 25032 is beyond 25000: 80; 1561 x 42 = 65562
    // is 26 once kept to 16 bits: 42 again.
    const struct { int blocks, n; } cases[] = {{595, 42}, {596, 80}, {1561, 42}};
    for (const auto& c : cases) {
        Open(kHip16k, Blocks(size_t(c.blocks)), c.n);
        EXPECT_EQ(stars_.EntriesPerBlock(), c.n) << c.blocks;
    }
    home_.WriteFile("data/vespertar_hip_16k.ppc", test::BlockFile(Blocks(381), 80));  // 381 blocks mean 42
    EXPECT_FALSE(stars_.OpenExtendedCatalog(kHip16k));
    EXPECT_EQ(stars_.BlockByDeclination(10.0f), -1);
    StarRecord star;
    EXPECT_EQ(stars_.StarByNumber(5, star), -1);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(stars_.StarBySequence(3, star), 0);
    EXPECT_EQ(LastMessage(), "Database Hipparchos isn't open!");
}

TEST_F(StarExtended, BlockByDeclinationSearchBounds) {
    // -0.5 degrees is 0 degrees and -30 minutes; read as +30 it would end at block 5.
    Blocks blocks = KeyedBlocks({-80, -60, -40, 0, 0, 0, 20, 60});
    blocks[3][0].decM = -30;
    blocks[5][0].decM = 30;
    Open(kHip16k, blocks, 42);
    // An exact key stops the search; it also stops once low + high < 2, so the far south ends
    // at block 1.
    const std::pair<float, int> cases[] = {{20.0f, 6},  {90.0f, 7},  {-90.0f, 1}, {-0.5f, 3},
                                           {0.5f, 5},   {90.5f, -1}, {-90.5f, -1}};
    for (const auto& [dec, block] : cases) EXPECT_EQ(stars_.BlockByDeclination(dec), block) << dec;
    EXPECT_TRUE(messages_.messages.empty());

    Open(kHip16k, KeyedBlocks({10}), 42);  // one block answers 0 without a comparison
    for (float dec : {-90.0f, 10.0f, 90.0f}) EXPECT_EQ(stars_.BlockByDeclination(dec), 0) << dec;

    Open(kHip16k, KeyedBlocks({-80, -60}), 42, 8);  // the header claims 8 blocks
    EXPECT_EQ(stars_.BlockByDeclination(0.0f), -1);
    EXPECT_EQ(LastMessage(), "Can't find Hipparchos record number 3");
}

TEST_F(StarExtended, StarsBySequenceAndByHrAndHipparcosNumbers) {
    OpenHr();
    StarRecord star;
    EXPECT_EQ(stars_.StarBySequence(150 * 42 + 17, star), 7001);  // block x 42 + entry
    EXPECT_EQ(star.dec, 11356524);  // 38d47'01" by the integer products
    EXPECT_EQ(stars_.StarBySequence(217 * 42, star), 0);
    EXPECT_EQ(LastMessage(), "Can't find Hipparchos record number 217");
    EXPECT_EQ(stars_.StarByNumber(7001, star), -1);
    EXPECT_EQ(LastMessage(), "Could not open Hipparchos index file");
    messages_.messages.clear();
    WriteNumberIndex("vespertar_hr_idx.ppc", 217, {{7001, 150}, {7002, 150}});
    EXPECT_EQ(stars_.StarByNumber(7001, star), 150);
    EXPECT_EQ(star.ra, 81764448);  // 18h36m56s by the integer products
    StarRecord untouched;
    untouched.number = 42;
    EXPECT_EQ(stars_.StarByNumber(7002, untouched), 150);  // indexed to a block without it
    EXPECT_EQ(untouched.number, 42);
    for (int32_t number : {7003, 0, 121001}) EXPECT_EQ(stars_.StarByNumber(number, untouched), -1) << number;
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(stars_.StarByNumber(121000, untouched), -1);  // still looked up: record 2880
    EXPECT_EQ(LastMessage(), "Can't find Hipparchos index record number 2880");

    Blocks blocks(1478);  // 118240 stars in blocks of 80
    blocks[3] = {{}, {121000, 1, 2, 3, 4, 5, 6, 100, 10}};
    Open(kHip110k, blocks, 80);
    WriteNumberIndex("vespertar_hip_110k_idx.ppc", 2881, {{121000, 3}, {5, 4000}});
    EXPECT_EQ(stars_.StarByNumber(121000, star), 3);
    EXPECT_EQ(star.magnitude, 100);
    EXPECT_EQ(stars_.StarByNumber(5, star), -1);
    EXPECT_EQ(LastMessage(), "Can't find Hipparchos record number 4000");
}

TEST_F(StarExtended, TychoNumberWithinItsRegionsBand) {
    constexpr int32_t kStar = 4660 * 100000 + 1234, kOutside = 4660 * 100000 + 99;
    Blocks blocks = KeyedBlocks({0, 5, 10, 11, 12, 20, 30, 40});
    blocks[3].push_back({});
    blocks[3].push_back({kStar, 5, 10, 20, 11, 30, 0, 150, 7});
    blocks[6].push_back({kOutside, 5, 10, 20, 30, 0, 0, 150, 7});  // same region, outside the band
    Open(kTycho390k, blocks, 42);
    StarRecord star;
    EXPECT_FALSE(stars_.StarByTycho(kStar, star));
    EXPECT_EQ(LastMessage(), "Can't open Tycho index.");
    messages_.messages.clear();
    // The band given either way round reads the same blocks.
    for (auto [low, high] : {std::pair{10.0f, 12.0f}, std::pair{12.0f, 10.0f}}) {
        std::string index = test::StarFileHeader(0x706C3630, 4661, 8);
        for (int r = 0; r < 4661; ++r) {
            index += test::LeF32(r == 4660 ? low : 0.0f);
            index += test::LeF32(r == 4660 ? high : 0.0f);
        }
        home_.WriteFile("data/vespertar_tycho_idx.ppc", index);
        ASSERT_TRUE(stars_.StarByTycho(kStar, star));
        EXPECT_FALSE(stars_.StarByTycho(kOutside, star));
    }
}

TEST_F(StarExtended, WalkBandMagnitudeWindowsAndTheCacheOfDrawnStars) {
    Blocks blocks = KeyedBlocks({-80, -70, -60, -50, -40, -30, -20, -10, 0, 10});
    // 101 at 5.5 exactly is drawn, 102 is fainter, 104 (minute 60) and 106 are outside both
    // windows, 121 is off the screen; blocks 0 (south of the band) and 9 (the last) are not walked.
    blocks[2] = {blocks[2][0],         Star(101, 0, 0, 88),  Star(102, 0, 30, 89), Star(103, 0, 59, 40, -4),
                 Star(104, 1, 0, 40),  Star(105, 23, 59, 40, 14), Star(106, 12, 0, 40), Star(121, 0, 5, 40)};
    blocks[0].push_back(Star(100, 0, 0, 16));
    blocks[1].push_back(Star(110, 0, 0, 16));
    blocks[8].push_back(Star(180, 0, 0, 16));
    blocks[9].push_back(Star(190, 0, 0, 16));
    EXPECT_EQ(Walk(blocks, 5.5f), 5);
    EXPECT_EQ(target_.drawn,
              (std::vector<std::vector<int>>{{110, 1, 2}, {101, 5, 2}, {103, 2, 0}, {105, 2, 6}, {180, 1, 2}}));
    const StarCache& cache = stars_.Cache();
    ASSERT_EQ(cache.Length(), 5);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(cache.At(i).sequence, 2 * 42 + 2 * i - 1);  // block x 42 + entry
    EXPECT_EQ(cache.At(3).screenX, 105);
    EXPECT_EQ(cache.At(5).sequence, kStarCacheEnd);

    target_.drawn.clear();
    scale = 1;  // one size class larger
    EXPECT_EQ(Walk(blocks, 5.4f), 0);  // below 5.5 nothing is walked
    EXPECT_EQ(stars_.Cache().Length(), 5);  // the last walk's stars stay findable
    EXPECT_EQ(Walk(blocks, 5.5f, 10.9f, -70.6f), 5);  // the band given upside down
    EXPECT_EQ(target_.drawn[0], (std::vector<int>{110, 2, 2}));
}

TEST_F(StarExtended, WalkTheCacheKeeps1999StarsAndAKeyStopsTheWalk) {
    // 60 blocks of 42 bright stars, keyed -60, -58, ... degrees.
    Blocks blocks;
    for (int b = 0; b < 60; ++b) {
        blocks.emplace_back();
        for (int e = 0; e < 42; ++e) blocks.back().push_back({b * 42 + e + 1000, 0, 10, 0, -60 + 2 * b, 0, 0, 16, 0});
    }
    EXPECT_GT(Walk(blocks, 9.0f, -60.0f, 58.0f), 2000);  // every star is drawn; only the cache is bounded
    const StarCache& cache = stars_.Cache();
    EXPECT_EQ(cache.Length(), 1999);
    EXPECT_EQ(cache.At(0).sequence, 2 * 42);  // the search for -60 ends at block 2 (low + high < 2)
    EXPECT_EQ(cache.At(1999).sequence, kStarCacheEnd);

    target_.stopAfterPolls = 3;  // polled between blocks
    target_.polls = 0;
    EXPECT_EQ(Walk(blocks, 9.0f, -60.0f, 58.0f), 3 * 42);
    EXPECT_EQ(cache.Length(), 3 * 42);
    EXPECT_EQ(cache.At(3 * 42).sequence, kStarCacheEnd);
}

}  // namespace
}  // namespace vsp
