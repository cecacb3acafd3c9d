#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempHome.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

namespace fs = std::filesystem;

void Put32(std::string& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + size_t(i)] = char(value >> (8 * i));
}

// A note laid out byte by byte at the published offsets, and the same note as a record.
TEST(ObserverLogRecord, MatchesTheByteImage) {
    std::string image(456, '\0');
    Put32(image, 0, 123456789);
    image.replace(8, 3, "M42");
    const uint32_t numbers[][2] = {{28, 2024}, {32, 1}, {36, 5}, {40, 21}, {44, 7},  {48, 0x40B2CCCD /* 5.5875f */},
                                   {52, 0xC0AC7AE1 /* -5.39f */},        {56, 37}, {60, uint32_t(-12)}, {64, 63},
                                   {68, 20},  {72, 40}, {80, 2}, {84, 1}, {444, 3}, {448, 2}, {452, 1}};
    for (const auto& [offset, value] : numbers) Put32(image, offset, value);
    image.replace(88, 5, "127mm");
    image.replace(108, 4, "Oslo");
    image.replace(138, 4, "OIII");
    image.replace(153, 7, "Trapez.");
    ObserverLogRecord note{123456789, 0, "M42", 2024, 1, 5, 21, 7, 5.5875f, -5.39f, 37, -12, 63, 20, 40,
                           2, 1, "127mm", "Oslo", "OIII", "Trapez.", 3, 2, 1};
    EXPECT_EQ(DecodeObserverLog(reinterpret_cast<const uint8_t*>(image.data())), note);
    std::string encoded(456, '\x55');
    EncodeObserverLog(note, reinterpret_cast<uint8_t*>(encoded.data()));
    EXPECT_EQ(encoded, image);
    note.filter = std::string(20, 'F');  // cut to 14: byte 152 stays NUL, the text is intact
    EncodeObserverLog(note, reinterpret_cast<uint8_t*>(encoded.data()));
    EXPECT_EQ(encoded[152], '\0');
    EXPECT_EQ(DecodeObserverLog(reinterpret_cast<const uint8_t*>(encoded.data())).logText, "Trapez.");
}

class ObserverLogStoreTest : public testing::Test {
protected:
    ObserverLogRecord Note(const std::string& name, const std::string& text) {
        ObserverLogRecord note;
        note.objectName = name;
        note.logText = text;
        note.year = 2024;
        return note;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(home_.Root()))
            if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), home_.Root()).string());
        return files;
    }
    test::TempHome home_;
    RecordingInfoSink messages_;
};

// Same name replaces; editing under a new name moves the file; load gives back what was saved.
TEST_F(ObserverLogStoreTest, SaveReplaceRenameLoad) {
    ObserverLogRecord first = Note("M31", "first"), later = Note("M31", "later");
    ASSERT_TRUE(SaveLog(home_.Dir(), first, "", messages_));
    ASSERT_TRUE(SaveLog(home_.Dir(), later, "", messages_));
    std::vector<std::string> names = ListLogs(home_.Dir());
    ASSERT_EQ(names, std::vector<std::string>{"M31.log"});
    ObserverLogRecord loaded;
    ASSERT_TRUE(LoadLog(home_.Dir(), names, 0, loaded, messages_));
    EXPECT_EQ(loaded, later);

    loaded.objectName = "Andromeda Galaxy M31";  // 20 characters: 19 kept, in the file name too
    ASSERT_TRUE(SaveLog(home_.Dir(), loaded, names[0], messages_));
    EXPECT_EQ(Files(), std::vector<std::string>{"userlogs/Andromeda Galaxy M3.log"});
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(ObserverLogStoreTest, HostileNamesWriteNothing) {
    const fs::path outside = fs::path(home_.Root()).parent_path().parent_path() / "x.log";
    for (const std::string& name : std::vector<std::string>{"../../x", "a/b", "..", "a\\b", "bell\x07", ""}) {
        ObserverLogRecord note = Note(name, "");
        ASSERT_FALSE(SaveLog(home_.Dir(), note, "", messages_)) << name;
        EXPECT_EQ(messages_.messages.back().first, kUnsafeLogNameMessage);
    }
    EXPECT_TRUE(Files().empty());
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(DeleteLog(home_.Dir(), "../vespertar_prefs.ppc"));
}

TEST_F(ObserverLogStoreTest, ShortAndCorruptedFilesAreNotLoaded) {
    home_.WriteFile("userlogs/short.log", std::string(455, '\0'));
    home_.WriteFile("userlogs/wrong.log", std::string(456, '\0'));
    const std::vector<std::string> names = ListLogs(home_.Dir());
    ObserverLogRecord note = Note("kept", "");
    EXPECT_FALSE(LoadLog(home_.Dir(), names, 0, note, messages_));
    EXPECT_FALSE(LoadLog(home_.Dir(), names, 1, note, messages_));
    EXPECT_EQ(note.objectName, "kept");
    ASSERT_EQ(messages_.messages.size(), 2u);
    EXPECT_EQ(messages_.messages[0].first, kReadLogFailedMessage);
    EXPECT_EQ(messages_.messages[1].first, kCorruptedLogMessage);
}

}  // namespace
}  // namespace vsp
