#include "catalog/UserImports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/ConstellationOfPosition.h"
#include "catalog/Eyepieces.h"
#include "catalog/ImportLines.h"
#include "catalog/ObjectFacts.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/UserLocations.h"
#include "catalog/UserObject.h"
#include "catalog/UserRecordFiles.h"
#include "ephemeris/Constants.h"
#include "platform/FormatText.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr double kMaxApparentFieldDeg = 180.0;

// A number of the line within [low, high] (bounds included unless said otherwise).
std::optional<double> NumberWithin(std::string_view field, double low, double high, bool openLow = false,
                                   bool openHigh = false) {
    const std::optional<double> value = ParseImportNumber(field);
    if (!value || *value < low || *value > high || (openLow && *value == low) || (openHigh && *value == high))
        return std::nullopt;
    return value;
}

std::string ImportedFilePath(const ProgramDir& dir, const std::string& name, std::string_view extension) {
    return dir.Path(kUserCatalogsDir, name + std::string(extension));
}

// Writes the accepted records through `write` when there is at least one; else the import's
// message that nothing was loaded.
bool WriteAccepted(const ImportCount& count, const std::function<bool()>& write, std::string_view noneFirst,
                   std::string_view noneSecond, InfoSink& messages, ImportResult& result) {
    result.rejected = count.rejected;
    if (count.accepted == 0) {
        messages.InfoBox(noneFirst, noneSecond);
        return false;
    }
    if (!MakeDirectory(std::filesystem::path(result.file).parent_path().string()) || !write()) {
        messages.InfoBox("Can't write data.", result.file);
        return false;
    }
    return true;
}

std::optional<Eyepiece> ParseEyepiece(const ImportFields& f) {
    const auto focal = NumberWithin(f[3], 0.0, HUGE_VAL, true);
    const auto field = NumberWithin(f[4], 0.0, kMaxApparentFieldDeg, true);
    if (!focal || !field || f[2].empty() || !FitsTextField(f[0], kEyepieceBrandField.size) ||
        !FitsTextField(f[1], kEyepieceTrigramField.size) || !FitsTextField(f[2], kEyepieceNameField.size))
        return std::nullopt;
    return Eyepiece{std::string(f[0]), std::string(f[1]), std::string(f[2]), float(*focal), float(*field)};
}

std::optional<UserLocation> ParseLocation(const ImportFields& f) {
    const auto longitudeEast = NumberWithin(f[3], -180.0, 180.0);
    const auto latitude = NumberWithin(f[4], -90.0, 90.0);
    if (!longitudeEast || !latitude || f[2].empty() || !FitsTextField(f[0], kLocationCountryField.size) ||
        !FitsTextField(f[1], kLocationCodeField.size) || !FitsTextField(f[2], kLocationTownField.size))
        return std::nullopt;
    return UserLocation{std::string(f[0]), std::string(f[1]), std::string(f[2]), float(-*longitudeEast),
                        float(*latitude)};
}

// One record a line, written as a new file: the eyepiece and location imports.
template <class Record>
struct RecordImport {
    ImportKind kind;
    std::string_view fields;
    std::string_view extension;
    std::optional<Record> (*parse)(const ImportFields&);
    bool (*write)(const std::string&, const std::vector<Record>&);
    const char* noneLoaded;
    const char* done;  // printf format of the accepted and rejected counts
};

template <class Record>
bool ImportRecords(const ProgramDir& dir, const std::string& name, const ImportServer& server, InfoSink& messages,
                   ImportResult& result, const RecordImport<Record>& plan) {
    std::string text;
    UserFilesLock lock;
    if (!FetchImportText(dir, plan.kind, name, server, text, messages) || !LockUserFiles(dir, messages, lock))
        return false;
    std::vector<Record> records;
    const ImportCount count = ForEachImportLine(text, plan.fields, [&](const ImportFields& fields) {
        const std::optional<Record> record = plan.parse(fields);
        if (record) records.push_back(*record);
        return record.has_value();
    });
    result.file = ImportedFilePath(dir, name, plan.extension);
    if (!WriteAccepted(count, [&] { return plan.write(result.file, records); }, plan.noneLoaded, plan.fields,
                       messages, result))
        return false;
    result.imported = count.accepted;
    result.message = FormatText(plan.done, count.accepted, count.rejected);
    return true;
}

std::optional<int32_t> CatalogOfPrefix(std::string_view prefix) {
    if (prefix.empty()) return kCatalogUser;
    static const CatalogTable catalogs = DefaultCatalogTable();
    for (int32_t row = kCatalogNone + 1; row < kCatalogCount; ++row)
        if (EqualsIgnoringCase(CatalogPrefix(catalogs[size_t(row)]), prefix)) return row;
    return std::nullopt;
}

std::optional<int32_t> TypeOfCode(std::string_view code) {
    static const ObjectTypeTable types = DefaultObjectTypeTable();
    for (int32_t row = 1; row < kObjectTypeCount; ++row)
        if (EqualsIgnoringCase(ObjectTypeCode(types[size_t(row)]), code)) return row;
    return std::nullopt;
}

std::optional<int32_t> WholeNumberFromZero(std::string_view field) {
    int32_t value = -1;
    if (!ParseWhole(field, value) || value < 0) return std::nullopt;
    return value;
}

// An empty field gives `fallback`.
std::optional<double> NumberOrDefault(std::string_view field, double fallback, double low, double high) {
    return field.empty() ? std::optional<double>(fallback) : NumberWithin(field, low, high);
}

std::optional<UserObjectRecord> ParseCustomObject(const ImportFields& f) {
    const auto catalog = CatalogOfPrefix(f[0]);
    const auto number = WholeNumberFromZero(f[1]);
    const auto type = TypeOfCode(f[3]);
    const auto ra = NumberWithin(f[4], 0.0, 24.0, false, true);
    const auto dec = NumberWithin(f[5], -90.0, 90.0);
    const auto magnitude = NumberOrDefault(f[6], kUnknownMagnitude, -HUGE_VAL, HUGE_VAL);
    const auto size1 = NumberOrDefault(f[7], 0.0, 0.0, HUGE_VAL);
    const auto size2 = NumberOrDefault(f[8], 0.0, 0.0, HUGE_VAL);
    if (!catalog || !number || !type || !ra || !dec || !magnitude || !size1 || !size2 ||
        !FitsTextField(f[2], kUserObjectNameSize))
        return std::nullopt;
    UserObjectRecord record;
    ObjectRecord& o = record.object;
    o = {*catalog, *number, *type, ConstellationOfPosition(*ra, *dec, kJ2000Jd), float(*ra), float(*dec),
         float(*magnitude), float(*size1), float(*size2)};
    f[2].copy(record.name, f[2].size());
    return record;
}

// The records of the custom catalog at `path` in the current layout; none when there is no
// such file. A file that is not a user object file is not taken over.
bool ReadCustomCatalog(const std::string& path, std::vector<UserObjectRecord>& out, InfoSink& messages) {
    if (!FileExists(path)) return true;
    const std::filesystem::path file(path);
    RecordFileHandle handle;
    bool read = RecordFileOpen(ProgramDir(file.parent_path()), file.filename().string(), RecordFileMode::ReadOnly,
                               handle) &&
                handle->tag == kUserObjectTypeCode && handle->recordSize == kUserObjectRecordSize;
    for (int32_t i = 0; read && i < handle->recordCount; ++i) {
        uint8_t bytes[kUserObjectRecordSize];
        read = RecordFileReadMany(handle.get(), uint32_t(i), 1, bytes);
        UpgradeUserObjectBytes(bytes, uint16_t(handle->version));
        out.push_back(DecodeUserObject(bytes));
    }
    if (!read) messages.InfoBox("Not a user object file:", path);
    return read;
}

}  // namespace

bool ImportEyepieces(const ProgramDir& dir, const std::string& name, const ImportServer& server, InfoSink& messages,
                     ImportResult& result) {
    return ImportRecords<Eyepiece>(dir, name, server, messages, result,
                                   {ImportKind::Eyepieces, kEyepieceFields, kEyepieceExtension, ParseEyepiece,
                                    WriteEyepieceFile, "No eyepiece has been loaded.\nPlease check the file format:",
                                    "%d User eyepieces uploaded, %d rejected"});
}

bool ImportLocations(const ProgramDir& dir, const std::string& name, const ImportServer& server, InfoSink& messages,
                     ImportResult& result) {
    return ImportRecords<UserLocation>(dir, name, server, messages, result,
                                       {ImportKind::Locations, kLocationFields, kLocationExtension, ParseLocation,
                                        WriteUserLocationFile,
                                        "No location has been loaded.\nPlease check the file format:",
                                        "%d User locations uploaded, %d rejected."});
}

bool ImportCustomCatalog(const ProgramDir& dir, const std::string& name, const ImportServer& server,
                         InfoSink& messages, ImportResult& result) {
    std::string text;
    result.file = ImportedFilePath(dir, name, kCustomCatalogExtension);
    std::vector<UserObjectRecord> records;
    // Fetched first; the catalog is read, merged and written under the lock.
    UserFilesLock lock;
    if (!FetchImportText(dir, ImportKind::CustomCatalog, name, server, text, messages) ||
        !LockUserFiles(dir, messages, lock) || !ReadCustomCatalog(result.file, records, messages))
        return false;
    const ImportCount count = ForEachImportLine(text, kCustomCatalogFields, [&](const ImportFields& fields) {
        const std::optional<UserObjectRecord> parsed = ParseCustomObject(fields);
        if (!parsed) return false;
        const auto same = std::find_if(records.begin(), records.end(), [&](const UserObjectRecord& held) {
            return held.object.catalog == parsed->object.catalog && held.object.number == parsed->object.number;
        });
        if (same != records.end()) {
            *same = *parsed;
            ++result.updated;
        } else if (records.size() < kAppendIndex) {
            records.push_back(*parsed);
            ++result.imported;
        } else {
            return false;
        }
        return true;
    });
    const char* uploaded = "%d User Objects uploaded, %d rejected";
    const RecordHeader header{kObjectFileVersion, kUserObjectTypeCode, 0, kUserObjectRecordSize};
    if (!WriteAccepted(count, [&] { return WriteUserRecordFile(result.file, header, records, EncodeUserObject); },
                       FormatText(uploaded, 0, count.rejected), kCustomCatalogFields, messages, result))
        return false;
    result.message = result.updated > 0
                         ? FormatText("%d record(s) updated and %d new object(s) added.", result.updated,
                                      result.imported)
                         : FormatText(uploaded, result.imported, count.rejected);
    return true;
}

}  // namespace vsp
