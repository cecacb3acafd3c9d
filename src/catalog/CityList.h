#pragma once
// The cities the Location form offers besides the stored sites: data/vespertar_cities.ppc, one
// 64-byte record per city, sorted by name without regard to case so that typing a name finds
// its first city by binary search.
//
//   offset 0   48   name "City, Province, Country" or "City, Country", code page, NUL-padded
//   offset 48  f32  latitude, degrees north positive
//   offset 52  f32  longitude, degrees WEST positive (as a site stores it)
//   offset 56  i16  elevation, metres (0..9000)
//   offset 58  i16  time-zone offset, minutes, local clock = UT + offset (-720..720)
//   offset 60  u8   daylight-saving flag: 1 where the place keeps summer time

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ProgramDir.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr std::string_view kCityFileName = "vespertar_cities.ppc";
inline constexpr uint32_t kCityTypeCode = 0x706C3033;
inline constexpr uint32_t kCityFileVersion = 1;
inline constexpr int32_t kCityRecordSize = 64;
inline constexpr size_t kCityNameSize = 48;  // bytes of the name field, its NUL included

struct CityEntry {
    std::string name;          // code page
    float latitude = 0.0f;     // north positive
    float longitude = 0.0f;    // WEST positive
    int16_t elevation = 0;     // metres
    int16_t tzOffset = 0;      // minutes
    bool daylight = false;

    bool operator==(const CityEntry&) const = default;
};

// The record's fields; the name is cut to kCityNameSize - 1 bytes.
void CityEntryWrite(const CityEntry& city, uint8_t* record);
CityEntry CityEntryRead(const uint8_t* record);

// The order of the file: code-page names compared byte by byte with upper-case letters
// (accented ones too) taken as their lower-case forms. Negative, 0 or positive.
int CompareCityNames(std::string_view a, std::string_view b);
// Whether `name` begins with `prefix` in that order (case ignored).
bool CityNameBegins(std::string_view name, std::string_view prefix);

// The site the Location form stores for a city: its position, elevation, zone and daylight
// flag; the name cut to what a site holds. Temperature, pressure and humidity keep the
// defaults of a fresh site.
Site CitySite(const CityEntry& city);

class CityList {
public:
    // data/vespertar_cities.ppc read-only; false when it is missing or not a city file.
    bool Open(const ProgramDir& dir);
    int32_t Count() const;
    // False when the list is not open, `index` is outside it or the record cannot be read.
    bool Read(int32_t index, CityEntry& out);
    // The first city whose name begins with `prefix` (code page, case ignored); -1 when no name
    // does or the list is not open. An empty prefix finds the first city.
    int32_t FindPrefix(std::string_view prefix);

private:
    RecordFileHandle file_;
};

// The city record for `records dump`.
void RegisterCityLayouts(RecordLayoutRegistry& registry);

}  // namespace vsp
