// The files the program keeps for the user, as it finds them at its next start, whatever
// happened to them: the settings (also with a good header and checksum, so that the fields
// themselves are read), a saved list, an observer note, an eyepiece file, the user objects,
// the satellite database, the N-star file and the window's kept scale.

#include <fuzzer/FuzzedDataProvider.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/KeptScale.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogTable.h"
#include "catalog/Eyepieces.h"
#include "catalog/ListFile.h"
#include "catalog/UserObject.h"
#include "cli/ProgramSettings.h"
#include "fuzz/FuzzHome.h"
#include "records/RecordFile.h"
#include "satellites/SatelliteDatabase.h"
#include "scope/NStarStore.h"
#include "settings/PreferenceStart.h"
#include "settings/PreferenceStore.h"
#include "tools/ObserverLogStore.h"

namespace {

using namespace vsp;

std::string UserFile(std::string_view name) { return std::string(kUserCatalogsDir) + std::string(name); }

const PreferenceTable& Settings() {
    static const PreferenceTable table = cli::ProgramPreferenceTable();
    return table;
}

// The settings record around the fuzzed fields: header, size and version words, and the CRC;
// the first layout (1590 bytes, before the settings added since) or the current one.
std::string SealedSettings(const std::string& fields, bool firstLayout) {
    const uint32_t version = firstLayout ? 1 : kPreferencesLayoutVersion;
    const int32_t recordSize = firstLayout ? 1590 : PreferenceRecordSize(Settings());
    std::vector<uint8_t> file(kRecordHeaderSize + recordSize, 0);
    WriteU32(file.data(), version);
    WriteU32(file.data() + 4, kPreferencesTag);
    WriteI32(file.data() + 8, 1);
    WriteI32(file.data() + 12, recordSize);
    uint8_t* record = file.data() + kRecordHeaderSize;
    WriteU32(record, recordSize);
    WriteU32(record + 4, version);
    const size_t crcAt = recordSize - 4;
    fields.copy(reinterpret_cast<char*>(record + 8), crcAt - 8);
    WriteU32(record + crcAt, uint32_t(::crc32(0L, record, uInt(crcAt))));
    return {file.begin(), file.end()};
}

// What the start routine keeps is saved and read back unchanged.
void StartWithSettings(const ProgramDir& home) {
    const PreferenceTable& table = Settings();
    Preferences prefs;
    if (StartPreferences(table, home, prefs).status != PreferenceFileStatus::Loaded) return;
    if (!SavePreferences(table, home, prefs)) return;
    Preferences again;
    if (ReadPreferences(table, home, again).status != PreferenceFileStatus::Loaded || !(again == prefs)) std::abort();
}

void ReadUserObjects(const ProgramDir& home) {
    RecordingInfoSink messages;
    CatalogDb users(home, messages);
    if (!users.Open(kUserObjectTypeCode, kCatalogCreatorCode, 0, std::string(kUserCatalogsDir),
                    std::string(kUserObjectFile)))
        return;
    const CatalogTable catalogs = DefaultCatalogTable();
    for (int32_t i = 0; i < users.RecordCount() && i < 64; ++i) {
        UserObjectRecord record;
        UserObjectRead(users, messages, catalogs, i, record);
    }
}

void ReadSatellites(const ProgramDir& home) {
    RecordingInfoSink messages;
    SatelliteDatabase database(home, messages);
    if (!database.Open()) return;
    std::vector<SatelliteRecord> records;
    database.ReadAll(records);
    database.Find("ISS");
    database.Find("25544");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t which = input.ConsumeIntegral<uint8_t>();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const ProgramDir& home = fuzz::FreshHome();
    RecordingInfoSink messages;
    switch (which % 9) {
        case 0:
            fuzz::WriteHomeFile(UserFile(kPreferencesFileName), bytes);
            StartWithSettings(home);
            break;
        case 1:
            fuzz::WriteHomeFile(UserFile(kPreferencesFileName), SealedSettings(bytes, which & 0x80));
            StartWithSettings(home);
            break;
        case 2: {
            fuzz::WriteHomeFile(std::string(kListDir) + "fuzz" + std::string(kListExtension), bytes);
            ObservingList list;
            LoadList(home, "fuzz", list, messages);
            break;
        }
        case 3: {
            fuzz::WriteHomeFile(std::string(kUserLogsDir) + "fuzz" + std::string(kLogExtension), bytes);
            ObserverLogRecord note;
            LoadLog(home, ListLogs(home), 0, note, messages);
            break;
        }
        case 4:
            fuzz::WriteHomeFile(UserFile("fuzz") + std::string(kEyepieceExtension), bytes);
            LoadEyepieces(home);
            break;
        case 5:
            fuzz::WriteHomeFile(UserFile(kUserObjectFile), bytes);
            ReadUserObjects(home);
            break;
        case 6:
            fuzz::WriteHomeFile(UserFile(kSatelliteFile), bytes);
            ReadSatellites(home);
            break;
        case 7:
            fuzz::WriteHomeFile("window_dpi", bytes);
            if (const auto dpi = app::ReadKeptDpi(home); dpi && (*dpi < 48 || *dpi > 960)) std::abort();
            break;
        default: {
            fuzz::WriteHomeFile(UserFile(kNStarFileName), bytes);
            NStarState state;
            LoadNStars(home, state);
            break;
        }
    }
    return 0;
}
