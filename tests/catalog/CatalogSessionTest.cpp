// Opening the sky as one session: which ranges and which chart index go with the object file
// that was found, and that the tables built with it are loaded.

#include <string>

#include <gtest/gtest.h>

#include "catalog/CatalogSession.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ObjectTestFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "catalog/StarTestFiles.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

using test::Header;
using test::Le16;

class CatalogSessionOpening : public testing::Test {
protected:
    void PutObjectFile(const char* name) {
        home.WriteFile(std::string("data/") + name, Header(26, 0x706C3030, 0, 44));
    }
    void PutCommonFiles() {
        home.WriteFile("data/vespertar_moon.ppc", Header(24, 0x706C3038, 0, 48));
        // Both chart indexes, told apart by their record counts.
        home.WriteFile("data/vespertar_obj_1k_idx.ppc",
                       Header(1, kObjectIndexTypeCode, 1, 300) + std::string(300, '\0'));
        home.WriteFile("data/vespertar_obj_18k_idx.ppc",
                       Header(1, kObjectIndexTypeCode, 2, 300) + std::string(600, '\0'));
        // The NGC row (42) of the built ranges moved to 7..9; Messier 1 at record 5.
        std::string ranges = Header(1, kCatalogRangesTypeCode, 68, 4);
        for (int i = 0; i < 68; ++i) ranges += i == 42 ? Le16(7) + Le16(9) : Le16(50000) + Le16(0);
        home.WriteFile("data/vespertar_catalog_ranges.ppc", ranges);
        std::string messier = Header(1, kMessierTypeCode, 110, 2);
        for (int i = 0; i < 110; ++i) messier += Le16(uint16_t(5 + i));
        home.WriteFile("data/vespertar_messier.ppc", messier);
    }

    test::TempHome home;
    RecordingInfoSink messages;
    CatalogSession session{home.Dir(), messages};
};

TEST_F(CatalogSessionOpening, EighteenKFileTakesTheBuiltRangesAndItsIndex) {
    PutCommonFiles();
    PutObjectFile("vespertar_obj_18k.ppc");
    CatalogSessionOpen(session, messages, {});
    EXPECT_FALSE(session.files.objectsAreOneK);
    EXPECT_EQ(session.catalogs[42].firstRecord, 7);
    EXPECT_EQ(session.catalogs[42].endRecord, 9);
    EXPECT_EQ(session.files.objectIndex.RecordCount(), 2);
    ASSERT_EQ(session.lists.messier.size(), 110u);
    EXPECT_EQ(session.lists.messier[0], 5);
    CatalogSessionClose(session);
    EXPECT_FALSE(session.files.objects.IsOpen());
}

TEST_F(CatalogSessionOpening, OneKFileKeepsItsFixedRangesAndSwapsTheIndex) {
    PutCommonFiles();
    PutObjectFile("vespertar_obj_1k.ppc");
    CatalogSessionOpen(session, messages, {});
    EXPECT_TRUE(session.files.objectsAreOneK);
    CatalogTable oneK = DefaultCatalogTable();
    UseOneKObjectRanges(oneK);
    EXPECT_EQ(session.catalogs[42].firstRecord, oneK[42].firstRecord);
    EXPECT_EQ(session.catalogs[42].endRecord, oneK[42].endRecord);
    EXPECT_EQ(session.files.objectIndex.RecordCount(), 1);
}

TEST_F(CatalogSessionOpening, MissingDatabasesAreReportedOnceAndNothingIsLoaded) {
    EXPECT_EQ(CatalogSessionOpen(session, messages, {}), -1);
    const size_t reported = messages.messages.size();
    EXPECT_GE(reported, 2u);
    EXPECT_TRUE(session.lists.messier.empty());
    EXPECT_EQ(CatalogSessionNeedStars(session, 0), 0);
    EXPECT_EQ(messages.messages.size(), reported);
}

// The default stars wait for their first user, are read once, and the lines follow the set asked for.
TEST_F(CatalogSessionOpening, DefaultStarsAreLoadedByTheirFirstUserOnly) {
    PutCommonFiles();
    PutObjectFile("vespertar_obj_18k.ppc");
    std::string stars = test::StarFileHeader(0x706C3031, kDefaultStarCount, 44);
    for (int i = 0; i < kDefaultStarCount; ++i) stars += test::DefaultStarBytes(1000 + i, 1.0f, 10.0f, 48, 5);
    home.WriteFile("data/vespertar_default_stars.ppc", stars);
    std::string lines = test::StarFileHeader(0x706C3634, 3, 8);
    for (int set : {0, 1, 1}) {
        test::Le16(lines, set);
        test::Le16(lines, 3);
        test::Le16(lines, 0);
        test::Le16(lines, 1);
    }
    home.WriteFile("data/vespertar_constellation.ppc", lines);

    ASSERT_EQ(CatalogSessionOpen(session, messages, {}), 0);
    EXPECT_FALSE(session.stars.DefaultStarsLoaded());

    int progressCalls = 0;
    const auto progress = [&](int) { ++progressCalls; };
    EXPECT_EQ(CatalogSessionNeedStars(session, 1, progress), 1);
    EXPECT_EQ(session.stars.DefaultStarsRead(), kDefaultStarCount);
    EXPECT_EQ(progressCalls, kDefaultStarCount / kDefaultStarProgressStep);
    EXPECT_EQ(session.stars.ConstellationLineCount(), 2);

    EXPECT_EQ(CatalogSessionNeedStars(session, 0, progress), 1);
    EXPECT_EQ(progressCalls, kDefaultStarCount / kDefaultStarProgressStep);  // not read again
    EXPECT_EQ(session.stars.ConstellationLineCount(), 1);
}

}  // namespace
}  // namespace vsp
