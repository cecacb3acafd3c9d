#include "catalog/Eyepieces.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "records/RecordFile.h"

namespace vsp {
namespace {

struct TextField {
    int32_t offset;
    int32_t size;
};

constexpr TextField kBrandField{0, 32};
constexpr TextField kTrigramField{32, 4};
constexpr TextField kNameField{36, 28};
constexpr int32_t kFocalOffset = 64;
constexpr int32_t kFieldOffset = 68;

void PutText(uint8_t* bytes, TextField field, const std::string& text) {
    std::memset(bytes + field.offset, 0, size_t(field.size));
    std::memcpy(bytes + field.offset, text.data(), std::min(text.size(), size_t(field.size - 1)));
}

std::string GetText(const uint8_t* bytes, TextField field) {
    const char* start = reinterpret_cast<const char*>(bytes + field.offset);
    return std::string(start, strnlen(start, size_t(field.size - 1)));
}

// Apparent fields as the makers publish them.
Eyepiece TeleVue(const char* name, float focalMm, float fieldDeg) {
    return {"Tele Vue", "TVE", name, focalMm, fieldDeg};
}

}  // namespace

void EncodeEyepiece(const Eyepiece& eyepiece, uint8_t* bytes) {
    PutText(bytes, kBrandField, eyepiece.brand);
    PutText(bytes, kTrigramField, eyepiece.trigram);
    PutText(bytes, kNameField, eyepiece.name);
    WriteF32(bytes + kFocalOffset, eyepiece.focalMm);
    WriteF32(bytes + kFieldOffset, eyepiece.apparentFieldDeg);
}

Eyepiece DecodeEyepiece(const uint8_t* bytes) {
    return Eyepiece{GetText(bytes, kBrandField), GetText(bytes, kTrigramField), GetText(bytes, kNameField),
                    ReadF32(bytes + kFocalOffset), ReadF32(bytes + kFieldOffset)};
}

bool WriteEyepieceFile(const std::string& path, const std::vector<Eyepiece>& eyepieces) {
    std::string records(eyepieces.size() * size_t(kEyepieceRecordSize), '\0');
    for (size_t i = 0; i < eyepieces.size(); ++i)
        EncodeEyepiece(eyepieces[i], reinterpret_cast<uint8_t*>(records.data()) + i * size_t(kEyepieceRecordSize));
    const RecordHeader header{0, kEyepieceTypeCode, int32_t(eyepieces.size()), kEyepieceRecordSize};
    return RecordFileWriteWhole(path, header, records);
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
    return RecordLayout{"eyepiece",
                        kEyepieceRecordSize,
                        "*.eyp",
                        kEyepieceTypeCode,
                        {{"brand", kBrandField.offset, FieldType::Text, kBrandField.size},
                         {"trigram", kTrigramField.offset, FieldType::Text, kTrigramField.size},
                         {"name", kNameField.offset, FieldType::Text, kNameField.size},
                         {"focal_mm", kFocalOffset, FieldType::F32, 0},
                         {"apparent_field_deg", kFieldOffset, FieldType::F32, 0}}};
}

}  // namespace vsp
