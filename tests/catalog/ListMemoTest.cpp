// Memos of observing lists: the line of an entry, the files an export writes, and what the
// import refuses (the round trip through the catalogs is the list commands' end-to-end test).
#include <algorithm>

#include <gtest/gtest.h>

#include "catalog/ListMemo.h"
#include "catalog/ListTargets.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

ListEntry Jupiter() {
    return BodyListEntry(5, {.rightAscension = 5.123456, .declination = -22.5, .magnitude = -2.34, .diameter = 0.75},
                         2451545.0);
}

TEST(ListMemo, LinesCarryTheListsDesignationAndTheSettingsFormats) {
    TempHome home;
    RecordingInfoSink messages;
    CatalogSession sky(home.Dir(), messages);
    sky.classTexts = {" Sb", " SA(s)b"};  // a class code of 0 is "Sb", which planets must not take
    const ListEntry m31{.name = "M31", .number = 224, .listNumber = 30, .catalog = 42, .type = 16, .ra = 0.7123f,
                        .dec = 41.2689f, .code1 = 1, .code2 = 5, .size1 = 190, .size2 = 60, .kind = kEntryMessier,
                        .magnitudeX10 = 34};
    EXPECT_EQ(ListMemoLine(m31, sky, {0, 0}), "M;31;M31;GALXY;SA(s)b;0.7123;41.2689;3.4;190;60;5\n");
    EXPECT_EQ(ListMemoLine(Jupiter(), sky, {1, 1}), " ;5;Jupiter;PLANET; ;05:07:24;-22:30:00;-2.3;0;0;0\n");
}

TEST(ListMemo, ExportsSplitPast65336BytesAndNeverOverwriteAMemo) {
    TempHome home;
    RecordingInfoSink messages;
    const CatalogSession sky(home.Dir(), messages);
    ObservingList list(2000);
    for (int i = 0; i < 1500; ++i) list.Add({.name = "Object", .number = i, .catalog = kCatalogUser});
    std::vector<std::string> files;
    ASSERT_TRUE(ExportListMemo(home.Dir(), list, {2024, 10, 1, 22, 5}, sky, {}, messages, files));
    EXPECT_EQ(messages.messages.back().first, "1500 Objects exported.\n");
    ASSERT_EQ(files, (std::vector{home.Path("userlists/20241001_vespermemo_2205.txt"),
                                  home.Path("userlists/20241001_vespermemo_2205_2.txt")}));
    const std::string first = home.ReadFile("userlists/20241001_vespermemo_2205.txt");
    const std::string second = home.ReadFile("userlists/20241001_vespermemo_2205_2.txt");
    EXPECT_GT(first.size(), kMemoFlushThreshold);
    EXPECT_LE(first.rfind('\n', first.size() - 2) + 1, kMemoFlushThreshold);  // without its last line
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n') + std::count(second.begin(), second.end(), '\n'), 1500);

    ObservingList one;
    one.Add(Jupiter());
    ASSERT_TRUE(ExportListMemo(home.Dir(), one, {2024, 10, 1, 22, 5}, sky, {}, messages, files));
    EXPECT_EQ(messages.messages.back().first, "1 Object exported.\n");
    EXPECT_EQ(home.ReadFile("userlists/20241001_vespermemo_2205_3.txt"), ListMemoLine(Jupiter(), sky, {}));
    EXPECT_EQ(home.ReadFile("userlists/20241001_vespermemo_2205.txt"), first);
}

TEST(ListMemo, ImportStopsAtALineItCannotReadAndReportsRefusedEntries) {
    TempHome home;
    RecordingInfoSink messages;
    CatalogSession sky(home.Dir(), messages);
    const std::string line = ListMemoLine(Jupiter(), sky, {});
    ObservingList list;
    list.Add(Jupiter());
    list.Add(ListEntry{});
    ASSERT_TRUE(ImportListMemo(line + "\n" + line, sky, messages, list));
    EXPECT_EQ(list.Count(), 1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], std::make_pair(std::string("Already loaded:"), line.substr(0, 30)));

    // A place out of range is no place: RA "1e308" would be 1 h 308 min, that is 06h08; a
    // number past 32 bits is no number (4294967301 is not object 5).
    for (const std::string bad : {" ;x5;Jupiter;PLANET; ;1;2;3;4;5;6", " ;4294967301;Jupiter;PLANET; ;1;2;3;4;5;6",
                                  "Nowhere;5;a;b;c;1;2;3;4;5;6", " ;5;Jupiter",
                                  " ;5;Jupiter;PLANET; ;1e308;2;3;4;5;6", " ;5;Jupiter;PLANET; ;24:00:01;2;3;4;5;6",
                                  " ;5;Jupiter;PLANET; ;1;-90:00:01;3;4;5;6", " ;5;Jupiter;PLANET; ;1;2 60;3;4;5;6"}) {
        messages.messages.clear();
        EXPECT_FALSE(ImportListMemo(line + bad + "\nrest\n", sky, messages, list)) << bad;
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(messages.messages.at(0), std::make_pair(std::string("Failed to load data. Check line"), bad + "\nrest\n"));
    }
}

}  // namespace
}  // namespace vsp::test
