#include "catalog/UserLocations.h"

namespace vsp {
namespace {

constexpr BoundText<UserLocation> kLocationTexts[] = {{"country", kLocationCountryField, &UserLocation::country},
                                                      {"country_code", kLocationCodeField, &UserLocation::countryCode},
                                                      {"town", kLocationTownField, &UserLocation::town}};
constexpr BoundField<UserLocation> kLocationNumbers[] = {{"longitude_west_deg", 56, &UserLocation::longitudeWest},
                                                         {"latitude_deg", 60, &UserLocation::latitude}};
constexpr UserRecordFields<UserLocation> kLocationRecordFields{kLocationTexts, kLocationNumbers};

}  // namespace

void EncodeUserLocation(const UserLocation& location, uint8_t* bytes) {
    EncodeUserRecord(kLocationRecordFields, location, bytes);
}

UserLocation DecodeUserLocation(const uint8_t* bytes) { return DecodeUserRecord(kLocationRecordFields, bytes); }

bool WriteUserLocationFile(const std::string& path, const std::vector<UserLocation>& locations) {
    return WriteUserRecordFile(path, {0, kLocationTypeCode, 0, kLocationRecordSize}, locations, EncodeUserLocation);
}

RecordLayout UserLocationLayout() {
    return RecordLayout{"location", kLocationRecordSize, "*.loc", kLocationTypeCode,
                        UserRecordLayoutFields(kLocationRecordFields)};
}

}  // namespace vsp
