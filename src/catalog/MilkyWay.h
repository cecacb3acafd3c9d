#pragma once
// The Milky Way's outline as `data build` writes it from d3-celestial's mw.json: five
// density levels (1 the faint outer glow .. 5 the brightest star clouds), each a set of rings
// whose even-odd fill gives the level's area, holes and the dark rift included.
// File data/vespertar_milkyway.ppc: a record file of 6-byte records, one per vertex: u8 level
// (1..5), u8 1 where a new ring begins, u16 RA (J2000, a full turn in 65536 steps, 20") and
// i16 Dec (J2000, 1/360 degree, 10"): finer than the outline data's own detail.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr std::string_view kMilkyWayFileName = "vespertar_milkyway.ppc";
inline constexpr uint32_t kMilkyWayTypeCode = 0x77796B6D;  // "mkyw"
inline constexpr int32_t kMilkyWayRecordSize = 6;
inline constexpr int kMilkyWayLevels = 5;
// More vertices than any outline of the sky needs: a larger count is a damaged file.
inline constexpr int32_t kMilkyWayMaxPoints = 200000;

struct MilkyWayPoint {
    float raHours = 0.0f;
    float decDeg = 0.0f;
};
using MilkyWayRing = std::vector<MilkyWayPoint>;

struct MilkyWayOutline {
    std::array<std::vector<MilkyWayRing>, kMilkyWayLevels> levels;  // [0] is level 1
    bool Empty() const;
};

// One record into the file's six bytes and back; false for a record that is not one.
void EncodeMilkyWayPoint(int level, bool ringStart, double raHours, double decDeg, uint8_t* record);
bool DecodeMilkyWayPoint(const uint8_t* record, int& level, bool& ringStart, MilkyWayPoint& point);

// The records in file order into `out`; a ring of fewer than three points, a vertex before any
// ring began or a record of no level is dropped. False (and an empty outline) when the file is
// missing, of another kind or larger than kMilkyWayMaxPoints.
bool ReadMilkyWay(const ProgramDir& dir, MilkyWayOutline& out);
void AddMilkyWayRecords(const uint8_t* records, int32_t count, MilkyWayOutline& out);

}  // namespace vsp
