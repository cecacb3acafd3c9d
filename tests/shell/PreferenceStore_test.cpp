#include <gtest/gtest.h>

#include <filesystem>

#include "records/RecordFile.h"
#include "shell/PreferenceStore.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

const std::string kFile = "usercatalogs/vespertar_prefs.ppc";
const std::string kTemp = "usercatalogs/vespertar_prefs.ppc.tmp";
constexpr size_t kHeader = 16;

// A block with a non-default value in every kind of field.
Preferences Unusual() {
    Preferences p;
    p.site = {"Ch\xE2teau", -33.25f, -151.5f, 812, -600, 1, 24.5f, 998.5f, 77.0f};
    p.storedSites[0].name = "Site one";
    p.storedSites[1].latitude = 12.75f;
    p.storedSites[2].tzOffset = 345;
    p.savedDateTime = {2026, 3, 14, 21, 7};
    p.startForm = 1900;
    p.scopeDrive = 13;
    p.azSteps = -4000;
    p.correction = 3;
    p.fRatioOther = 6.3f;
    p.nightLevel = 2;
    p.timeStep = 17;
    p.zoomLevelHorizon = 7;
    p.zoomStarLimit[9] = 4;
    p.zoomObjectLimit[0] = 5;
    p.zoomFlip[8] = 3;
    p.constNames = false;
    p.hideCompass = true;
    p.scrollStarsAsPixel = false;
    p.telradRings = {0.25f, 1.5f, 5.0f};
    p.deltaT = 69.2f;
    p.decFormat = 0;
    p.cometUrl = "https://example.org/" + std::string(108, 'c');  // a full 128-character field
    p.downloadDataUrl = "http://127.0.0.1:8080/data";
    p.userCatalogFile = "mine.pdb";
    p.preciseFlares = true;
    p.satMinElevation = 10;
    p.alignment.star1[0] = 7;
    p.alignment.star1[1] = p.alignment.star1[2] = p.alignment.star1[3] = 0;
    p.alignment.star1[127] = 0xAB;
    p.alignment.julianDate = 2461000.625;
    p.alignment.zeroOffsetAlt = -12345;
    return p;
}

void FlipByte(test::TempHome& home, size_t offset) {
    std::string bytes = home.ReadFile(kFile);
    ASSERT_LT(offset, bytes.size());
    bytes[offset] = char(bytes[offset] ^ 0x40);
    home.WriteFile(kFile, bytes);
}

TEST(PreferenceStore, RoundTripThroughTheFile) {
    test::TempHome home;
    const Preferences written = Unusual();
    ASSERT_EQ(SavePreferences(home.Dir(), written), 0);
    EXPECT_FALSE(std::filesystem::exists(home.Path(kTemp)));

    Preferences read;
    const PreferenceLoadResult result = ReadPreferences(home.Dir(), read);
    EXPECT_EQ(result.status, PreferenceFileStatus::Loaded);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(read, written);

    // Saving again replaces the file completely.
    Preferences changed = written;
    changed.site.name = "Elsewhere";
    ASSERT_EQ(SavePreferences(home.Dir(), changed), 0);
    ASSERT_EQ(ReadPreferences(home.Dir(), read).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(read, changed);
}

TEST(PreferenceStore, FileHeaderAndExplicitLayout) {
    test::TempHome home;
    ASSERT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
    const std::string bytes = home.ReadFile(kFile);
    ASSERT_EQ(bytes.size(), kHeader + 1590);
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    EXPECT_EQ(ReadU32(b), 1u);                   // layout version
    EXPECT_EQ(bytes.substr(4, 4), "Pref");       // tag
    EXPECT_EQ(ReadI32(b + 8), 1);                // one record
    EXPECT_EQ(ReadI32(b + 12), 1590);            // its size
    const uint8_t* r = b + kHeader;
    EXPECT_EQ(ReadU32(r), 1590u);
    EXPECT_EQ(ReadU32(r + 4), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r + 8)), "Ch\xE2teau");
    EXPECT_FLOAT_EQ(ReadF32(r + 40), -33.25f);   // latitude
    EXPECT_FLOAT_EQ(ReadF32(r + 44), -151.5f);   // longitude, west positive
    EXPECT_EQ(ReadI32(r + 48), 812);
    EXPECT_EQ(ReadI16(r + 52), -600);
    EXPECT_EQ(ReadI16(r + 248), 2026);           // saved year
    EXPECT_EQ(ReadI32(r + 258), 1900);           // start form
    EXPECT_EQ(ReadI32(r + 262), 13);             // scope drive
    EXPECT_DOUBLE_EQ(ReadF64(r + 1314 + 256), 2461000.625);  // alignment JD
    EXPECT_EQ(ReadU32(r + 1586), Crc32(r, 1586));
}

TEST(PreferenceStore, LayoutIsRegisteredForRecordDumps) {
    const RecordLayout layout = PreferenceRecordLayout();
    std::string problem;
    EXPECT_TRUE(CheckRecordLayout(layout, &problem)) << problem;
    EXPECT_EQ(layout.recordSize, kPreferencesRecordSize);
    ASSERT_FALSE(layout.fields.empty());
    EXPECT_EQ(layout.fields.back().name, "crc32");
    EXPECT_EQ(layout.fields.back().offset, 1586);
    // Fields follow each other without gaps or overlaps.
    for (size_t i = 1; i < layout.fields.size(); ++i)
        EXPECT_EQ(layout.fields[i].offset, layout.fields[i - 1].offset + FieldSize(layout.fields[i - 1]))
            << layout.fields[i].name;

    RecordLayoutRegistry registry;
    RegisterPreferenceLayouts(registry);
    const RecordLayout* found = registry.Find("/x/usercatalogs/vespertar_prefs.ppc", 1590, kPreferencesTag);
    ASSERT_NE(found, nullptr);
    const std::vector<uint8_t> record = EncodePreferences(Unusual());
    const auto decoded = DecodeRecord(*found, record.data(), record.size());
    auto value = [&](const std::string& name) {
        for (const auto& [n, v] : decoded)
            if (n == name) return v;
        return std::string("(missing)");
    };
    EXPECT_EQ(value("latitude_deg"), "-33.25");
    EXPECT_EQ(value("site3_tz_offset_min"), "345");
    EXPECT_EQ(value("align_star1_index"), "7");
}

TEST(PreferenceStore, Crc32OfTheCheckString) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
}

TEST(PreferenceStore, MissingFileGivesDefaultsQuietly) {
    test::TempHome home;
    Preferences p = Unusual();
    const PreferenceLoadResult result = ReadPreferences(home.Dir(), p);
    EXPECT_EQ(result.status, PreferenceFileStatus::Missing);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(p, Preferences{});
}

TEST(PreferenceStore, TruncatedFilesGiveDefaultsWithAMessage) {
    for (size_t keep : {size_t(0), size_t(10), kHeader, kHeader + 100, kHeader + 1589}) {
        SCOPED_TRACE(keep);
        test::TempHome home;
        ASSERT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
        home.WriteFile(kFile, home.ReadFile(kFile).substr(0, keep));
        Preferences p = Unusual();
        const PreferenceLoadResult result = ReadPreferences(home.Dir(), p);
        EXPECT_EQ(result.status, PreferenceFileStatus::Truncated);
        EXPECT_EQ(result.message, "Settings file is damaged; the defaults are used.");
        EXPECT_EQ(p, Preferences{});
    }
}

TEST(PreferenceStore, AnyFlippedByteOfTheRecordIsCaught) {
    for (size_t offset : {kHeader + 0, kHeader + 41, kHeader + 700, kHeader + 1500, kHeader + 1589}) {
        SCOPED_TRACE(offset);
        test::TempHome home;
        ASSERT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
        FlipByte(home, offset);
        Preferences p;
        const PreferenceLoadResult result = ReadPreferences(home.Dir(), p);
        EXPECT_NE(result.status, PreferenceFileStatus::Loaded);
        EXPECT_EQ(result.message, "Settings file is damaged; the defaults are used.");
        EXPECT_EQ(p, Preferences{});
    }
    test::TempHome home;
    ASSERT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
    FlipByte(home, kHeader + 600);
    Preferences p;
    EXPECT_EQ(ReadPreferences(home.Dir(), p).status, PreferenceFileStatus::BadChecksum);
}

TEST(PreferenceStore, WrongVersionOrTag) {
    auto withHeaderWord = [](size_t offset, uint32_t value) {
        test::TempHome home;
        EXPECT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
        std::string bytes = home.ReadFile(kFile);
        WriteU32(reinterpret_cast<uint8_t*>(bytes.data()) + offset, value);
        home.WriteFile(kFile, bytes);
        Preferences p = Unusual();
        const PreferenceLoadResult result = ReadPreferences(home.Dir(), p);
        EXPECT_EQ(p, Preferences{});
        EXPECT_FALSE(result.message.empty());
        return result.status;
    };
    EXPECT_EQ(withHeaderWord(0, 2), PreferenceFileStatus::NewerVersion);
    EXPECT_EQ(withHeaderWord(0, 0), PreferenceFileStatus::Damaged);
    EXPECT_EQ(withHeaderWord(4, FourCharCode("Lst ")), PreferenceFileStatus::WrongTag);
    EXPECT_EQ(withHeaderWord(12, 1000), PreferenceFileStatus::Damaged);
    EXPECT_EQ(withHeaderWord(8, 0), PreferenceFileStatus::Damaged);
}

// The new file is completed under the temporary name before it replaces the old one: when
// the temporary file cannot be written, the old settings stay byte for byte.
TEST(PreferenceStore, FailedSaveLeavesTheOldFileIntact) {
    test::TempHome home;
    const Preferences old = Unusual();
    ASSERT_EQ(SavePreferences(home.Dir(), old), 0);
    const std::string before = home.ReadFile(kFile);

    std::filesystem::create_directories(home.Path(kTemp));
    Preferences next = old;
    next.site.latitude = 1.0f;
    EXPECT_EQ(SavePreferences(home.Dir(), next), 1);

    EXPECT_EQ(home.ReadFile(kFile), before);
    Preferences read;
    ASSERT_EQ(ReadPreferences(home.Dir(), read).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(read, old);
}

TEST(PreferenceStore, ALeftoverTemporaryFileDoesNotStopASave) {
    test::TempHome home;
    home.WriteFile(kTemp, "half a file");
    ASSERT_EQ(SavePreferences(home.Dir(), Unusual()), 0);
    EXPECT_FALSE(std::filesystem::exists(home.Path(kTemp)));
    Preferences read;
    EXPECT_EQ(ReadPreferences(home.Dir(), read).status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(read, Unusual());
}

}  // namespace
}  // namespace vsp
