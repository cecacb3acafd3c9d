#include "catalog/Eyepieces.h"

#include <algorithm>
#include <filesystem>

#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr BoundText<Eyepiece> kEyepieceTexts[] = {{"brand", kEyepieceBrandField, &Eyepiece::brand},
                                                   {"trigram", kEyepieceTrigramField, &Eyepiece::trigram},
                                                   {"name", kEyepieceNameField, &Eyepiece::name}};
constexpr BoundField<Eyepiece> kEyepieceNumbers[] = {{"focal_mm", 64, &Eyepiece::focalMm},
                                                     {"apparent_field_deg", 68, &Eyepiece::apparentFieldDeg}};
constexpr UserRecordFields<Eyepiece> kEyepieceRecordFields{kEyepieceTexts, kEyepieceNumbers};

// Apparent fields as the makers publish them.
Eyepiece TeleVue(const char* name, float focalMm, float fieldDeg) {
    return {"Tele Vue", "TVE", name, focalMm, fieldDeg};
}

}  // namespace

void EncodeEyepiece(const Eyepiece& eyepiece, uint8_t* bytes) {
    EncodeUserRecord(kEyepieceRecordFields, eyepiece, bytes);
}

Eyepiece DecodeEyepiece(const uint8_t* bytes) { return DecodeUserRecord(kEyepieceRecordFields, bytes); }

bool WriteEyepieceFile(const std::string& path, const std::vector<Eyepiece>& eyepieces) {
    return WriteUserRecordFile(path, {0, kEyepieceTypeCode, 0, kEyepieceRecordSize}, eyepieces, EncodeEyepiece);
}

bool ReadEyepieceFile(const std::string& path, std::vector<Eyepiece>& out) {
    const std::filesystem::path file(path);
    RecordFileHandle handle;
    if (!RecordFileOpen(ProgramDir(file.parent_path()), file.filename().string(), RecordFileMode::ReadOnly, handle))
        return false;
    if (handle->recordSize != kEyepieceRecordSize) return false;
    std::vector<Eyepiece> read;
    for (int32_t i = 0; i < handle->recordCount; ++i) {
        const uint8_t* record = nullptr;
        if (!RecordFileRead(handle.get(), uint32_t(i), record)) return false;
        read.push_back(DecodeEyepiece(record));
    }
    out.insert(out.end(), read.begin(), read.end());
    return true;
}

const std::vector<Eyepiece>& BuiltInEyepieces() {
    static const std::vector<Eyepiece> list = {
        TeleVue("Pl\xF6ssl 40mm", 40.0f, 43.0f),  TeleVue("Pl\xF6ssl 32mm", 32.0f, 50.0f),
        TeleVue("Pl\xF6ssl 25mm", 25.0f, 50.0f),  TeleVue("Pl\xF6ssl 20mm", 20.0f, 50.0f),
        TeleVue("Pl\xF6ssl 15mm", 15.0f, 50.0f),  TeleVue("Pl\xF6ssl 11mm", 11.0f, 50.0f),
        TeleVue("Pl\xF6ssl 8mm", 8.0f, 50.0f),    TeleVue("Panoptic 24mm", 24.0f, 68.0f),
        TeleVue("Panoptic 19mm", 19.0f, 68.0f),   TeleVue("Nagler 13mm", 13.0f, 82.0f),
        TeleVue("Nagler 9mm", 9.0f, 82.0f),       TeleVue("Ethos 13mm", 13.0f, 100.0f),
    };
    return list;
}

std::vector<Eyepiece> LoadEyepieces(const ProgramDir& dir) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path(kUserCatalogsDir), error)) {
        if (entry.is_regular_file(error) && entry.path().extension() == kEyepieceExtension)
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::vector<Eyepiece> eyepieces;
    for (const std::string& file : files) ReadEyepieceFile(file, eyepieces);
    return eyepieces.empty() ? BuiltInEyepieces() : eyepieces;
}

std::optional<Eyepiece> ChosenEyepiece(const std::vector<Eyepiece>& eyepieces, int preference) {
    if (preference < 1 || size_t(preference) > eyepieces.size()) return std::nullopt;
    return eyepieces[size_t(preference - 1)];
}

RecordLayout EyepieceLayout() {
    return RecordLayout{"eyepiece", kEyepieceRecordSize, "*.eyp", kEyepieceTypeCode,
                        UserRecordLayoutFields(kEyepieceRecordFields)};
}

}  // namespace vsp
