#pragma once
// The object type table: an object's type code is a row of it. Each row gives the group the
// quick selections use, the short code and name the screens show, and the chart glyph. The
// "shown on the chart" flags change at run time, so a table is a value the application state
// owns, made from the defaults here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr int kObjectTypeCount = 42;

enum ObjectGroup : uint8_t {
    kGroupOther = 0,
    kGroupCluster = 1,
    kGroupRemnant = 2,
    kGroupGalaxy = 3,
    kGroupNebula = 4,
    kGroupStar = 5,
    kGroupMultipleStar = 6,
    kGroupPlanet = 7,
    kGroupConstellation = 8,
    kGroupComet = 9,
    kGroupSatellite = 10,
};

// Type codes that other code names.
inline constexpr int kTypeComet = 13;
inline constexpr int kTypeConstellation = 14;
inline constexpr int kTypeMinorPlanet = 18;
inline constexpr int kTypePlanet = 27;
inline constexpr int kTypeMeteor = 29;

// 50 bytes, as the table is laid out in program data.
struct ObjectType {
    uint8_t group;
    char code[7];   // NUL-padded
    char name[38];  // NUL-padded
    uint16_t glyph;  // chart glyph character, 0 = none
    uint16_t shown;  // run time: drawn on the chart
};
static_assert(sizeof(ObjectType) == 50);
static_assert(offsetof(ObjectType, code) == 1);
static_assert(offsetof(ObjectType, name) == 8);
static_assert(offsetof(ObjectType, glyph) == 46);
static_assert(offsetof(ObjectType, shown) == 48);

using ObjectTypeTable = std::array<ObjectType, kObjectTypeCount>;

// Every type starts shown; the chart settings switch types off.
ObjectTypeTable DefaultObjectTypeTable();

std::string_view ObjectTypeCode(const ObjectType& type);
std::string_view ObjectTypeName(const ObjectType& type);

}  // namespace vsp
