#include "catalog/CityList.h"

#include <algorithm>
#include <cstring>

#include "records/RecordCodec.h"

namespace vsp {
namespace {

// The name fills the record's first kCityNameSize bytes.
constexpr BoundField<CityEntry> kCityNumbers[] = {{"latitude_deg", 48, &CityEntry::latitude},
                                                  {"longitude_west_deg", 52, &CityEntry::longitude},
                                                  {"elevation_m", 56, &CityEntry::elevation},
                                                  {"tz_offset_min", 58, &CityEntry::tzOffset}};
constexpr int kDaylightOffset = 60;
static_assert(kCityNameSize <= size_t(kCityNumbers[0].offset) && kDaylightOffset + 1 <= kCityRecordSize);

// The lower-case letter of a code-page byte: ASCII, the accented capitals 0xC0..0xDE (but the
// multiplication sign 0xD7) and the four capitals the code page keeps in 0x8A..0x9F.
uint8_t LowerCase(uint8_t c) {
    if (c >= 'A' && c <= 'Z') return uint8_t(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return uint8_t(c + 0x20);
    switch (c) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return c;
    }
}

std::string_view NameOf(const uint8_t* record) {
    const auto* text = reinterpret_cast<const char*>(record);
    return {text, strnlen(text, kCityNameSize)};
}

}  // namespace

void CityEntryWrite(const CityEntry& city, uint8_t* record) {
    std::memset(record, 0, size_t(kCityRecordSize));
    std::memcpy(record, city.name.data(), std::min(city.name.size(), kCityNameSize - 1));
    EncodeFields<CityEntry>(kCityNumbers, city, record);
    record[kDaylightOffset] = city.daylight ? 1 : 0;
}

CityEntry CityEntryRead(const uint8_t* record) {
    CityEntry city = DecodeFields<CityEntry>(kCityNumbers, record);
    city.name = NameOf(record);
    city.daylight = record[kDaylightOffset] != 0;
    return city;
}

int CompareCityNames(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const uint8_t x = LowerCase(uint8_t(a[i])), y = LowerCase(uint8_t(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool CityNameBegins(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && CompareCityNames(name.substr(0, prefix.size()), prefix) == 0;
}

Site CitySite(const CityEntry& city) {
    Site site;
    std::string_view name = std::string_view(city.name).substr(0, kSiteNameLength);
    // A name cut inside "City, Province, Country" should not end on the separator.
    while (!name.empty() && (name.back() == ' ' || name.back() == ',')) name.remove_suffix(1);
    site.name = name;
    site.latitude = city.latitude;
    site.longitude = city.longitude;
    site.elevation = city.elevation;
    site.tzOffset = city.tzOffset;
    site.daylight = city.daylight ? 1 : 0;
    return site;
}

bool CityList::Open(const ProgramDir& dir) {
    RecordFileHandle file;
    const std::string path = std::string(kDataDir) + std::string(kCityFileName);
    if (!RecordFileOpen(dir, path, RecordFileMode::ReadOnly, file)) return false;
    if (file->tag != kCityTypeCode || file->recordSize != kCityRecordSize) return false;
    file_ = std::move(file);
    return true;
}

int32_t CityList::Count() const { return file_ ? file_->recordCount : 0; }

bool CityList::Read(int32_t index, CityEntry& out) {
    const uint8_t* record = nullptr;
    if (index < 0 || index >= Count() || !RecordFileRead(file_.get(), uint32_t(index), record)) return false;
    out = CityEntryRead(record);
    return true;
}

int32_t CityList::FindPrefix(std::string_view prefix) {
    // The first name not ordered before the prefix: names that begin with it follow at once.
    int32_t low = 0, high = Count();
    const uint8_t* record = nullptr;
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (!RecordFileRead(file_.get(), uint32_t(middle), record)) return -1;
        if (CompareCityNames(NameOf(record), prefix) < 0) low = middle + 1;
        else high = middle;
    }
    if (low == Count() || !RecordFileRead(file_.get(), uint32_t(low), record)) return -1;
    return CityNameBegins(NameOf(record), prefix) ? low : -1;
}

void RegisterCityLayouts(RecordLayoutRegistry& registry) {
    RecordLayout layout;
    layout.name = "city";
    layout.recordSize = kCityRecordSize;
    layout.filePattern = std::string(kCityFileName);
    layout.headerTag = kCityTypeCode;
    layout.fields = {{"name", 0, FieldType::Text, int32_t(kCityNameSize)}};
    for (RecordField& field : LayoutFields<CityEntry>(kCityNumbers)) layout.fields.push_back(std::move(field));
    layout.fields.push_back({"daylight", kDaylightOffset, FieldType::U8, 0});
    registry.Add(std::move(layout));
}

}  // namespace vsp
