// Eyepiece files written and read back in file-name order, and the built-in list when the user
// catalogs hold no readable eyepiece file.
#include <tuple>

#include <gtest/gtest.h>

#include "catalog/Eyepieces.h"
#include "records/RecordFile.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

TEST(Eyepieces, FilesAreReadBackInNameOrderAndTheChoiceCountsFromOne) {
    TempHome home;
    MakeDirectory(home.Path("usercatalogs"));
    const Eyepiece nagler{"Tele Vue", "TVE", "Nagler 13mm", 13.0f, 82.0f};
    const Eyepiece omni{"Celestron", "CEL", "Omni 40mm", 40.0f, 43.0f};
    // Written in neither name order nor its reverse.
    ASSERT_TRUE(WriteEyepieceFile(home.Path("usercatalogs/b.eyp"), {omni}));
    ASSERT_TRUE(WriteEyepieceFile(home.Path("usercatalogs/a.eyp"), {nagler, nagler}));
    ASSERT_TRUE(WriteEyepieceFile(home.Path("usercatalogs/c.eyp"), {nagler}));
    const std::vector<Eyepiece> list = LoadEyepieces(home.Dir());
    ASSERT_EQ(list.size(), 4u);
    const Eyepiece& read = list[2];
    EXPECT_EQ(std::tie(read.brand, read.trigram, read.name, read.focalMm, read.apparentFieldDeg),
              std::tie(omni.brand, omni.trigram, omni.name, omni.focalMm, omni.apparentFieldDeg));
    // The focal length as a little-endian float at byte 64 of the record.
    const std::string bytes = home.ReadFile("usercatalogs/b.eyp");
    ASSERT_EQ(bytes.size(), size_t(kRecordHeaderSize + kEyepieceRecordSize));
    EXPECT_EQ(ReadF32(reinterpret_cast<const uint8_t*>(bytes.data()) + kRecordHeaderSize + 64), 40.0f);
    EXPECT_FALSE(ChosenEyepiece(list, 0));
    EXPECT_EQ(ChosenEyepiece(list, 3)->name, "Omni 40mm");
    EXPECT_FALSE(ChosenEyepiece(list, 5));
}

TEST(Eyepieces, AMissingOrShortFileGivesTheBuiltInList) {
    TempHome home;
    EXPECT_EQ(LoadEyepieces(home.Dir()).size(), BuiltInEyepieces().size());
    MakeDirectory(home.Path("usercatalogs"));
    ASSERT_TRUE(WriteEyepieceFile(home.Path("usercatalogs/s.eyp"), {{}, {}}));
    home.WriteFile("usercatalogs/s.eyp", home.ReadFile("usercatalogs/s.eyp").substr(0, 16 + 2 * 72 - 1));
    EXPECT_EQ(LoadEyepieces(home.Dir()).size(), BuiltInEyepieces().size());
}

}  // namespace
}  // namespace vsp::test
