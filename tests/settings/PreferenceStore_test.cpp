#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <csignal>

#include <filesystem>
#include <functional>

#include "records/RecordFile.h"
#include "settings/PreferenceStore.h"
#include "settings/PreferenceValues.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

const PreferenceTable kTable = StandardPreferenceTable();
const std::string kFile = "usercatalogs/vespertar_prefs.ppc";
constexpr size_t kHeader = 16;

// A block with a non-default value in every kind of field.
Preferences Unusual() {
    Preferences p;
    p.site = {"Ch\xE2teau", -33.25f, -151.5f, 812, -600, 1, 24.5f, 998.5f, 77.0f};
    p.storedSites[2].tzOffset = 345, p.savedDateTime = {2026, 3, 14, 21, 7}, p.scopeDrive = 13;
    p.zoomFlip[8] = 3, p.constNames = false, p.telradRings = {0.25f, 1.5f, 5.0f};
    p.cometUrl = "https://example.org/" + std::string(108, 'c');  // a full 128-character field
    p.alignment.star1[127] = 0xAB, p.alignment.julianDate = 2461000.625, p.monitorForm = true;
    p.scopePortPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0";
    p.satOldElementsDays = 30;
    p.satDeepSpace = 1;
    p.starNames = true;
    p.objOutlines = true;
    return p;
}

TEST(PreferenceStore, RoundTripReplacesTheFileAndAFailedSaveKeepsTheOld) {
    test::TempHome home;
    Preferences written = Unusual();
    for (const char* name : {"first", "second"}) {
        written.site.name = name;
        ASSERT_TRUE(SavePreferences(kTable, home.Dir(), written));
        const std::filesystem::directory_iterator folder(home.Path("usercatalogs"));
        EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);  // no temporary file left
        Preferences read;
        const PreferenceLoadResult result = ReadPreferences(kTable, home.Dir(), read);
        EXPECT_EQ(std::pair(result.status, result.message), std::pair(PreferenceFileStatus::Loaded, std::string()));
        EXPECT_EQ(read, written);
    }
    // When the temporary file cannot be written whole (a full disk, here a file size limit),
    // the old settings stay byte for byte.
    const std::string before = home.ReadFile(kFile);
    written.site.latitude = 1.0f;
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    rlimit small = unlimited;
    small.rlim_cur = 1000;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SavePreferences(kTable, home.Dir(), written);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(home.ReadFile(kFile), before);
    const std::filesystem::directory_iterator folder(home.Path("usercatalogs"));
    EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);
}

TEST(PreferenceStore, HeaderLayoutAndZlibCrc) {
    test::TempHome home;
    ASSERT_TRUE(SavePreferences(kTable, home.Dir(), Unusual()));
    const std::string bytes = home.ReadFile(kFile);
    ASSERT_EQ(bytes.size(), kHeader + 1997);
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    EXPECT_EQ(bytes.substr(4, 4), "Pref");
    EXPECT_EQ(std::tuple(ReadU32(b), ReadI32(b + 8), ReadI32(b + 12)), std::tuple(7u, 1, 1997));
    const uint8_t* r = b + kHeader;
    EXPECT_FLOAT_EQ(ReadF32(r + 44), -151.5f);  // longitude, west positive
    EXPECT_EQ(ReadI32(r + 262), 13);            // scope drive
    EXPECT_DOUBLE_EQ(ReadF64(r + 1314 + 256), 2461000.625);
    // A CRC-32/ISO-HDLC stored little-endian after the bytes it covers leaves zlib's residue.
    EXPECT_EQ(r[1586], 1);                      // the Monitor flag
    EXPECT_EQ(ReadI32(r + 1971), 30);            // the old-elements age
    EXPECT_EQ(ReadI32(r + 1975), 1);             // the deep-space orbits choice: SDP4
    EXPECT_FLOAT_EQ(ReadF32(r + 1979), 5.0f);    // the CCD pixel size, µm
    EXPECT_EQ(r[1990], 1);                      // the star names
    EXPECT_EQ(r[1992], 1);                      // the object outlines
    EXPECT_EQ(crc32(0L, r, 1997), 0x2144DF1Cu);
}

// Each declared setting owns the bytes at its offset: a change there reads back as a change of
// that setting alone and is written back in the same place, and nothing else moves.
TEST(PreferenceStore, EverySettingOwnsItsBytesOfTheRecord) {
    std::string problem;
    ASSERT_EQ(PreferenceRecordSize(kTable, &problem), 1997) << problem;
    const std::vector<uint8_t> defaults = EncodePreferences(kTable, Preferences{});
    for (const PreferenceSetting& s : kTable.All()) {
        SCOPED_TRACE(s.key);
        std::vector<uint8_t> changed = defaults;
        changed[size_t(s.offset)] ^= 0x01;
        WriteU32(changed.data() + 1993, uint32_t(crc32(0L, changed.data(), 1993)));
        Preferences read;
        ASSERT_TRUE(DecodePreferences(kTable, changed.data(), changed.size(), read));
        EXPECT_NE(read, Preferences{});
        EXPECT_EQ(EncodePreferences(kTable, read), changed);
        if (s.listed) {
            EXPECT_EQ(DifferingPreferenceKeys(kTable, Preferences{}, read), std::vector<std::string>{s.key});
        }
    }
}

// A file of the first layout, which ended before the Monitor flag, the port paths, the
// old-elements age and the deep-space choice: every setting it holds is read, the ones added
// since take their defaults.
TEST(PreferenceStore, TheFirstLayoutIsReadWithTheAddedSettingAtItsDefault) {
    test::TempHome home;
    ASSERT_TRUE(SavePreferences(kTable, home.Dir(), Unusual()));
    std::string bytes = home.ReadFile(kFile);
    bytes.resize(kHeader + 1590);
    auto* b = reinterpret_cast<uint8_t*>(bytes.data());
    WriteU32(b, 1), WriteU32(b + 12, 1590);
    WriteU32(b + kHeader, 1590), WriteU32(b + kHeader + 4, 1);
    WriteU32(b + kHeader + 1586, uint32_t(crc32(0L, b + kHeader, 1586)));
    home.WriteFile(kFile, bytes);
    Preferences read;
    ASSERT_EQ(ReadPreferences(kTable, home.Dir(), read).status, PreferenceFileStatus::Loaded);
    Preferences expected = Unusual();
    expected.monitorForm = false;
    expected.scopePortPath.clear();
    expected.satOldElementsDays = Preferences{}.satOldElementsDays;
    expected.satDeepSpace = Preferences{}.satDeepSpace;
    expected.starNames = false;
    expected.objOutlines = false;
    EXPECT_EQ(read, expected);
}

TEST(PreferenceStore, DamagedFilesGiveDefaultsWithTheirStatus) {
    using Bytes = std::string;
    auto word = [](size_t offset, uint32_t value) {
        return [=](Bytes& b) { WriteU32(reinterpret_cast<uint8_t*>(b.data()) + offset, value); };
    };
    auto flip = [](size_t offset) { return [=](Bytes& b) { b[offset] = char(b[offset] ^ 0x40); }; };
    auto cut = [](size_t keep) { return [=](Bytes& b) { b.resize(keep); }; };
    const std::string damaged = "Settings file is damaged; the defaults are used.";
    const std::string newer = "Settings file is from a newer version; the defaults are used.";
    const struct {
        const char* what;
        std::function<void(Bytes&)> change;
        PreferenceFileStatus status;
    } cases[] = {
        {"empty", cut(0), PreferenceFileStatus::Truncated},
        {"one byte short", cut(kHeader + 1996), PreferenceFileStatus::Truncated},
        {"newer version", word(0, 8), PreferenceFileStatus::NewerVersion},
        {"older version, today's size", word(0, 1), PreferenceFileStatus::Damaged},
        {"version 0", word(0, 0), PreferenceFileStatus::Damaged},
        {"other tag", word(4, FourCharCode("Lst ")), PreferenceFileStatus::WrongTag},
        {"no record", word(8, 0), PreferenceFileStatus::Damaged},
        {"record size", word(12, 1000), PreferenceFileStatus::Damaged},
        {"record's own size", flip(kHeader + 0), PreferenceFileStatus::Damaged},
        {"latitude byte", flip(kHeader + 41), PreferenceFileStatus::BadChecksum},
        {"CRC byte", flip(kHeader + 1993), PreferenceFileStatus::BadChecksum},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempHome home;
        ASSERT_TRUE(SavePreferences(kTable, home.Dir(), Unusual()));
        Bytes bytes = home.ReadFile(kFile);
        c.change(bytes);
        home.WriteFile(kFile, bytes);
        Preferences p = Unusual();
        const PreferenceLoadResult result = ReadPreferences(kTable, home.Dir(), p);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.message, c.status == PreferenceFileStatus::NewerVersion ? newer : damaged);
        EXPECT_EQ(p, Preferences{});
    }
    test::TempHome home;
    Preferences p = Unusual();
    const PreferenceLoadResult missing = ReadPreferences(kTable, home.Dir(), p);
    EXPECT_EQ(std::pair(missing.status, missing.message), std::pair(PreferenceFileStatus::Missing, std::string()));
    EXPECT_EQ(p, Preferences{});
}

}  // namespace
}  // namespace vsp
