#pragma once
// The eyepieces the chart's field circle can show: the records of every "*.eyp" file of
// usercatalogs/ (written by the eyepiece import), or a built-in list of common eyepieces when
// there is none.
//
// Eyepiece record, 72 bytes; numbers little-endian like every record file, texts in the device
// code page, NUL padded (the last byte of each text field stays NUL):
//   offset  0  text[32]  brand full name ("Tele Vue")
//   offset 32  text[4]   brand trigram ("TVE")
//   offset 36  text[28]  eyepiece name ("Nagler 13mm")
//   offset 64  f32       focal length, mm
//   offset 68  f32       apparent field, degrees
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/UserRecordFiles.h"
#include "platform/ProgramDir.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr int32_t kEyepieceRecordSize = 72;
inline constexpr uint32_t kEyepieceTypeCode = 0x706C3632;
inline constexpr std::string_view kEyepieceExtension = ".eyp";
inline constexpr TextField kEyepieceBrandField{0, 32};
inline constexpr TextField kEyepieceTrigramField{32, 4};
inline constexpr TextField kEyepieceNameField{36, 28};

struct Eyepiece {
    std::string brand;
    std::string trigram;
    std::string name;
    float focalMm = 0.0f;
    float apparentFieldDeg = 0.0f;
};

void EncodeEyepiece(const Eyepiece& eyepiece, uint8_t* bytes);
Eyepiece DecodeEyepiece(const uint8_t* bytes);

// Writes a whole eyepiece file (through a temporary file renamed over `path`).
bool WriteEyepieceFile(const std::string& path, const std::vector<Eyepiece>& eyepieces);
// False for a missing file, another record size or fewer records than the header counts.
bool ReadEyepieceFile(const std::string& path, std::vector<Eyepiece>& out);

const std::vector<Eyepiece>& BuiltInEyepieces();

// The records of the readable "*.eyp" files of usercatalogs/ in file-name order, else the
// built-in list.
std::vector<Eyepiece> LoadEyepieces(const ProgramDir& dir);

// The preference "Eyepiece": N >= 1 is entry N - 1; 0 and numbers beyond the list choose none.
std::optional<Eyepiece> ChosenEyepiece(const std::vector<Eyepiece>& eyepieces, int preference);

RecordLayout EyepieceLayout();

}  // namespace vsp
