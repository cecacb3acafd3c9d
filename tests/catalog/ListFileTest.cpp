// Observing-list files: the byte image of a saved list, reading it back with the capacity and
// damage rules, and a failed save that must leave the earlier file as it was.
#include <filesystem>

#include <gtest/gtest.h>

#include "catalog/ListFile.h"
#include "records/HandMadeFiles.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

using namespace std::string_literals;

ObservingList ListOf(int count) {
    ObservingList list;
    list.name = "autumn";
    list.time = {2024, 10, 1, 22, 5};
    for (int i = 0; i < count; ++i)
        list.Add({.name = "M31", .number = 224 + i, .ra = 0.7123f, .kind = kEntryMessier, .magnitudeX10 = -34});
    return list;
}

TEST(ListFile, SavedBytesFollowTheLayoutAndReadBackEqual) {
    TempHome home;
    RecordingInfoSink messages;
    ASSERT_TRUE(SaveList(home.Dir(), ListOf(2), "night", messages));
    const std::string bytes = home.ReadFile("userlists/night.lst");
    ASSERT_EQ(bytes.size(), 68u + 2 * 76u);
    EXPECT_EQ(bytes.substr(0, 10), std::string("\0\0\0\0night\0", 10));
    EXPECT_EQ(bytes.substr(44, 24), Le32(2024) + Le32(10) + Le32(1) + Le32(22) +
                                        Le32(5) + Le32(2));
    // The second entry: its number at 16, kind at 52, magnitude x 10 at 56.
    EXPECT_EQ(bytes.substr(68 + 76, 4), "M31\0"s);
    EXPECT_EQ(bytes.substr(68 + 76 + 16, 4), Le32(225));
    EXPECT_EQ(bytes.substr(68 + 76 + 52, 2), "\x02\0"s);
    EXPECT_EQ(bytes.substr(68 + 76 + 56, 4), Le32(uint32_t(-34)));

    ObservingList read;
    ASSERT_TRUE(LoadList(home.Dir(), "night", read, messages));
    EXPECT_EQ(read.name, "night");  // the name saved under, not the one the list had
    EXPECT_EQ(read.time, (CalendarDateTime{2024, 10, 1, 22, 5, 0}));
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.Entries()[1].number, 225);
    EXPECT_EQ(read.Entries()[1].ra, 0.7123f);
}

TEST(ListFile, EmptyListsWriteNothingAndLoadsKeepToCapacityAndToTheBytesThere) {
    TempHome home;
    RecordingInfoSink messages;
    EXPECT_TRUE(SaveList(home.Dir(), ObservingList(), "none", messages));
    EXPECT_FALSE(std::filesystem::exists(home.Path("userlists/none.lst")));
    ASSERT_TRUE(SaveList(home.Dir(), ListOf(3), "three", messages));
    ObservingList small(2);
    ASSERT_TRUE(LoadList(home.Dir(), "three", small, messages));
    EXPECT_EQ(small.Count(), 2);
    // A count beyond the entries stored reads the whole entries there are.
    std::string bytes = home.ReadFile("userlists/three.lst");
    bytes.replace(64, 4, Le32(9));
    home.WriteFile("userlists/cut.lst", bytes.substr(0, 68 + 2 * 76 + 30));
    ObservingList cut;
    ASSERT_TRUE(LoadList(home.Dir(), "cut", cut, messages));
    EXPECT_EQ(cut.Count(), 2);
}

TEST(ListFile, DamagedOrMissingFilesAreReportedAndLeaveTheListAlone) {
    TempHome home;
    home.WriteFile("userlists/short.lst", std::string(67, '\0'));
    home.WriteFile("userlists/negative.lst", std::string(64, '\0') + Le32(uint32_t(-1)));
    const std::pair<const char*, const char*> cases[] = {
        {"short", "Can't read header."}, {"negative", "Can't read header."}, {"absent", "Can't open file."}};
    for (const auto& [name, message] : cases) {
        RecordingInfoSink messages;
        ObservingList list = ListOf(1);
        EXPECT_FALSE(LoadList(home.Dir(), name, list, messages));
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(messages.messages, (std::vector{std::pair{std::string(message), home.Path("userlists/") + name + ".lst"}}));
    }
}

TEST(ListFile, AFailedSaveKeepsThePreviousFile) {
    TempHome home;
    RecordingInfoSink messages;
    ASSERT_TRUE(SaveList(home.Dir(), ListOf(1), "kept", messages));
    const std::string before = home.ReadFile("userlists/kept.lst");
    // A name within the 255 bytes of a file name whose temporary file's name is not.
    const std::string name(245, 'k');
    std::filesystem::rename(home.Path("userlists/kept.lst"), home.Path("userlists/" + name + ".lst"));
    EXPECT_FALSE(SaveList(home.Dir(), ListOf(3), name, messages));
    EXPECT_EQ(home.ReadFile("userlists/" + name + ".lst"), before);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, "Can't write header.");
}

}  // namespace
}  // namespace vsp::test
