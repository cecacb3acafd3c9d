#pragma once
// Location lists ("usercatalogs/<name>.loc", written by the location import): places the
// observer can choose as the site.
//
// Location record, 64 bytes; numbers little-endian like every record file, texts in the
// device code page, NUL padded (the last byte of each text field stays NUL):
//   offset  0  text[24]  country ("France")
//   offset 24  text[4]   country code ("FR")
//   offset 28  text[28]  town name ("Paris")
//   offset 56  f32       longitude, degrees, west positive like the program's site
//   offset 60  f32       latitude, degrees, north positive
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/UserRecordFiles.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr int32_t kLocationRecordSize = 64;
inline constexpr uint32_t kLocationTypeCode = 0x706C3633;
inline constexpr std::string_view kLocationExtension = ".loc";
inline constexpr TextField kLocationCountryField{0, 24};
inline constexpr TextField kLocationCodeField{24, 4};
inline constexpr TextField kLocationTownField{28, 28};

struct UserLocation {
    std::string country;
    std::string countryCode;
    std::string town;
    float longitudeWest = 0.0f;
    float latitude = 0.0f;
};

void EncodeUserLocation(const UserLocation& location, uint8_t* bytes);
UserLocation DecodeUserLocation(const uint8_t* bytes);

// Writes a whole location file (through a temporary file renamed over `path`).
bool WriteUserLocationFile(const std::string& path, const std::vector<UserLocation>& locations);

RecordLayout UserLocationLayout();

}  // namespace vsp
