#pragma once
// The meteor showers the planner offers: 70 rows in calendar order of their start dates, each
// a 40-byte record as program data lays it out. Radiants are those at maximum activity.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr int kMeteorShowerCount = 70;

enum class ShowerClass : uint16_t { Major = 1, Medium = 2, Variable = 3, Minor = 4 };

struct MeteorShower {
    char name[22];  // NUL-padded
    char code[4];   // IAU three-letter code and NUL
    uint8_t startDay, startMonth, endDay, endMonth, maximumDay, maximumMonth;
    int16_t radiantRaCentiHours;
    int16_t radiantDecDeg;
    uint8_t velocityKmS;
    uint8_t zenithalHourlyRate;  // 0: variable
    ShowerClass showerClass;
};
static_assert(sizeof(MeteorShower) == 40);
static_assert(offsetof(MeteorShower, code) == 22);
static_assert(offsetof(MeteorShower, startDay) == 26);
static_assert(offsetof(MeteorShower, radiantRaCentiHours) == 32);
static_assert(offsetof(MeteorShower, radiantDecDeg) == 34);
static_assert(offsetof(MeteorShower, velocityKmS) == 36);
static_assert(offsetof(MeteorShower, showerClass) == 38);

const std::array<MeteorShower, kMeteorShowerCount>& MeteorShowerTable();

inline std::string_view MeteorShowerName(const MeteorShower& shower) { return shower.name; }

}  // namespace vsp
