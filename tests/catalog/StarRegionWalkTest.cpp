// The walk over the blocks of a view's declination band, and the star cache it leaves for
// tap identification.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StarTestFiles.h"
#include "catalog/StarCache.h"
#include "catalog/StarCatalog.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using Blocks = std::vector<std::vector<test::EntryFields>>;

struct Drawn {
    int32_t id;
    int size;
    int colour;
};

// Draws everything at a screen place derived from the id, except the ids it is told to miss.
class RecordingTarget : public StarWalkTarget {
public:
    bool DrawStar(const StarRecord& star, int size, int colour, int16_t& x, int16_t& y) override {
        for (int32_t id : offScreen)
            if (star.number == id) return false;
        drawn.push_back({star.number, size, colour});
        x = int16_t(star.number % 240);
        y = int16_t(star.number / 240);
        return true;
    }
    bool StopRequested() override { return ++polls > stopAfterPolls; }
    std::vector<Drawn> drawn;
    std::vector<int32_t> offScreen;
    int polls = 0;
    int stopAfterPolls = 1 << 30;
};

// Ten blocks keyed -80, -70, ..., 10 degrees.
Blocks BandBlocks() {
    Blocks blocks;
    for (int i = 0; i < 10; ++i) blocks.push_back({test::EntryFields{0, 0, 0, 0, -80 + 10 * i, 0, 0, 255, 0}});
    return blocks;
}

test::EntryFields Star(int32_t number, int raH, int raM, int magnitude16, int colour = 0) {
    return {number, raH, raM, 0, 0, 0, 0, magnitude16, colour};
}

StarWalkView View(float limit) {
    StarWalkView view;
    view.limitingMagnitude = limit;
    view.lowestDec = -70.6f;  // whole degrees -70: block 1
    view.highestDec = 10.9f;  // whole degrees 10: block 9, which the walk stops before
    view.windows[0] = {0, 60};
    view.windows[1] = {1380, 1440};
    return view;
}

class StarRegionWalk : public testing::Test {
protected:
    void Open(const Blocks& blocks) {
        home_.WriteFile("data/vespertar_hip_16k.ppc", test::BlockFile(blocks, 42));
        ASSERT_EQ(stars_.OpenExtendedCatalog(1), 1);
    }
    test::TempHome home_;
    RecordingInfoSink messages_;
    StarCatalog stars_{home_.Dir(), messages_};
    RecordingTarget target_;
};

TEST_F(StarRegionWalk, LimitingMagnitudeAndRightAscensionWindows) {
    Blocks blocks = BandBlocks();
    blocks[2].push_back(Star(101, 0, 0, 88));    // 5.5 exactly: drawn
    blocks[2].push_back(Star(102, 0, 30, 89));   // fainter than the limit
    blocks[2].push_back(Star(103, 0, 59, 40, -4));
    blocks[2].push_back(Star(104, 1, 0, 40));    // minute 60: outside both windows
    blocks[2].push_back(Star(105, 23, 59, 40, 14));
    blocks[2].push_back(Star(106, 12, 0, 40));
    Open(blocks);
    EXPECT_EQ(stars_.WalkRegion(View(5.5f), target_), 3);
    ASSERT_EQ(target_.drawn.size(), 3u);
    EXPECT_EQ(target_.drawn[0].id, 101);
    EXPECT_EQ(target_.drawn[0].size, 5);
    EXPECT_EQ(target_.drawn[1].id, 103);
    EXPECT_EQ(target_.drawn[1].colour, 0);
    EXPECT_EQ(target_.drawn[2].id, 105);
    EXPECT_EQ(target_.drawn[2].colour, 6);
    EXPECT_EQ(target_.drawn[2].size, 2);
    // Sequence numbers are block x 42 + entry.
    const StarCache& cache = stars_.Cache();
    ASSERT_EQ(cache.Length(), 3);
    EXPECT_EQ(cache.At(0).sequence, 2 * 42 + 1);
    EXPECT_EQ(cache.At(1).sequence, 2 * 42 + 3);
    EXPECT_EQ(cache.At(2).sequence, 2 * 42 + 5);
    EXPECT_EQ(cache.At(2).screenX, 105);
    EXPECT_EQ(cache.At(3).sequence, kStarCacheEnd);
}

TEST_F(StarRegionWalk, BelowMagnitude55NothingIsWalked) {
    Blocks blocks = BandBlocks();
    blocks[2].push_back(Star(101, 0, 0, 16));
    Open(blocks);
    ASSERT_EQ(stars_.WalkRegion(View(6.0f), target_), 1);
    target_.drawn.clear();
    EXPECT_EQ(stars_.WalkRegion(View(5.4f), target_), 0);
    EXPECT_TRUE(target_.drawn.empty());
    EXPECT_EQ(stars_.Cache().Length(), 1);  // the last walk's stars stay findable
}

TEST_F(StarRegionWalk, BandRunsFromTheFirstBlockUpToTheLast) {
    Blocks blocks = BandBlocks();
    blocks[0].push_back(Star(100, 0, 0, 16));  // south of the band
    blocks[1].push_back(Star(110, 0, 0, 16));
    blocks[8].push_back(Star(180, 0, 0, 16));
    blocks[9].push_back(Star(190, 0, 0, 16));  // the last block is not walked
    Open(blocks);
    StarWalkView view = View(9.0f);
    view.scaleParameter = 1;
    EXPECT_EQ(stars_.WalkRegion(view, target_), 2);
    ASSERT_EQ(target_.drawn.size(), 2u);
    EXPECT_EQ(target_.drawn[0].id, 110);
    EXPECT_EQ(target_.drawn[0].size, 2);  // one class larger at scale parameter 1
    EXPECT_EQ(target_.drawn[1].id, 180);

    // The band given upside down walks the same blocks.
    std::swap(view.lowestDec, view.highestDec);
    target_.drawn.clear();
    EXPECT_EQ(stars_.WalkRegion(view, target_), 2);
}

TEST_F(StarRegionWalk, OnlyStarsActuallyDrawnAreCached) {
    Blocks blocks = BandBlocks();
    blocks[3] = {Star(120, 0, 0, 16), Star(121, 0, 1, 16), Star(122, 0, 2, 16)};
    Open(blocks);
    target_.offScreen = {121};
    EXPECT_EQ(stars_.WalkRegion(View(9.0f), target_), 2);
    ASSERT_EQ(stars_.Cache().Length(), 2);
    EXPECT_EQ(stars_.Cache().At(0).sequence, 3 * 42 + 0);
    EXPECT_EQ(stars_.Cache().At(1).sequence, 3 * 42 + 2);
}

TEST_F(StarRegionWalk, FullCacheKeeps1999StarsAndTheEndMarker) {
    // 60 blocks of 42 bright stars, keyed -60, -58, ... degrees.
    Blocks blocks;
    for (int b = 0; b < 60; ++b) {
        std::vector<test::EntryFields> block;
        for (int e = 0; e < 42; ++e) block.push_back({b * 42 + e + 1, 0, 10, 0, -60 + 2 * b, 0, 0, 16, 0});
        blocks.push_back(block);
    }
    Open(blocks);
    StarWalkView view = View(9.0f);
    view.lowestDec = -60.0f;
    view.highestDec = 58.0f;
    const int drawn = stars_.WalkRegion(view, target_);
    EXPECT_GT(drawn, 2000);  // every star is drawn; only the cache is bounded
    const StarCache& cache = stars_.Cache();
    EXPECT_EQ(cache.Length(), 1999);
    // The search for -60 ends at block 2 (it stops once low + high < 2).
    EXPECT_EQ(cache.At(0).sequence, 2 * 42);
    EXPECT_EQ(cache.At(1998).sequence, 2 * 42 + 1998);
    EXPECT_EQ(cache.At(1999).sequence, kStarCacheEnd);
}

TEST_F(StarRegionWalk, StopsWhenAKeyIsPressed) {
    Blocks blocks = BandBlocks();
    for (int b = 1; b < 9; ++b) blocks[size_t(b)].push_back(Star(100 + b, 0, 0, 16));
    Open(blocks);
    target_.stopAfterPolls = 3;
    EXPECT_EQ(stars_.WalkRegion(View(9.0f), target_), 3);
    EXPECT_EQ(stars_.Cache().Length(), 3);
    EXPECT_EQ(stars_.Cache().At(3).sequence, kStarCacheEnd);
}

TEST_F(StarRegionWalk, NoCatalogNoWalk) {
    EXPECT_EQ(stars_.WalkRegion(View(12.0f), target_), 0);
    EXPECT_TRUE(target_.drawn.empty());
    EXPECT_TRUE(messages_.messages.empty());
}

TEST(StarCache, EndMarkerAndCapacity) {
    StarCache cache;
    cache.MarkEmpty();
    EXPECT_EQ(cache.At(0).sequence, kStarCacheEnd);
    EXPECT_EQ(cache.Length(), 0);
    for (int i = 0; i < kStarCacheSize; ++i) ASSERT_TRUE(cache.Add(i, 1, 2));
    EXPECT_FALSE(cache.Add(5000, 1, 2));
    cache.Close();
    EXPECT_EQ(cache.Length(), 1999);
    EXPECT_EQ(cache.At(1999).sequence, kStarCacheEnd);
    // A new walk starts empty, and the end marker follows its last star.
    cache.MarkEmpty();
    EXPECT_EQ(cache.Length(), 0);
    cache.Add(7, 3, 4);
    cache.Close();
    EXPECT_EQ(cache.Length(), 1);
    EXPECT_EQ(cache.At(1).sequence, kStarCacheEnd);
}

}  // namespace
}  // namespace vsp
