#include "catalog/MilkyWay.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "records/RecordFile.h"

namespace vsp {

namespace {

constexpr double kRaSteps = 65536.0;
constexpr double kDecStepsPerDegree = 360.0;

void DropShortRing(std::vector<MilkyWayRing>& rings) {
    if (!rings.empty() && rings.back().size() < 3) rings.pop_back();
}

}  // namespace

bool MilkyWayOutline::Empty() const {
    for (const auto& level : levels)
        if (!level.empty()) return false;
    return true;
}

void EncodeMilkyWayPoint(int level, bool ringStart, double raHours, double decDeg, uint8_t* record) {
    const double turn = raHours / 24.0 - std::floor(raHours / 24.0);
    record[0] = uint8_t(level);
    record[1] = ringStart ? 1 : 0;
    WriteU16(record + 2, uint16_t(long(std::lround(turn * kRaSteps)) & 0xFFFF));
    WriteI16(record + 4, int16_t(std::lround(std::fmax(-90.0, std::fmin(90.0, decDeg)) * kDecStepsPerDegree)));
}

bool DecodeMilkyWayPoint(const uint8_t* record, int& level, bool& ringStart, MilkyWayPoint& point) {
    level = record[0];
    ringStart = record[1] == 1;
    const int dec = ReadI16(record + 4);
    if (level < 1 || level > kMilkyWayLevels || record[1] > 1 || std::abs(dec) > 90 * int(kDecStepsPerDegree))
        return false;
    point.raHours = float(ReadU16(record + 2) * 24.0 / kRaSteps);
    point.decDeg = float(dec / kDecStepsPerDegree);
    return true;
}

void AddMilkyWayRecords(const uint8_t* records, int32_t count, MilkyWayOutline& out) {
    int current = 0;  // the level of the ring being read, 0 before the first
    for (int32_t i = 0; i < count; ++i) {
        int level = 0;
        bool start = false;
        MilkyWayPoint point;
        if (!DecodeMilkyWayPoint(records + size_t(i) * kMilkyWayRecordSize, level, start, point)) continue;
        std::vector<MilkyWayRing>& rings = out.levels[size_t(level - 1)];
        if (start) {
            if (current > 0) DropShortRing(out.levels[size_t(current - 1)]);
            rings.emplace_back();
            current = level;
        }
        // A vertex belongs to the open ring of its own level only.
        if (level == current && !rings.empty()) rings.back().push_back(point);
    }
    if (current > 0) DropShortRing(out.levels[size_t(current - 1)]);
}

bool ReadMilkyWay(const ProgramDir& dir, MilkyWayOutline& out) {
    out = MilkyWayOutline{};
    RecordFileHandle file;
    if (!RecordFileOpen(dir, std::string(kDataDir) + std::string(kMilkyWayFileName), RecordFileMode::ReadOnly, file))
        return false;
    if (file->tag != kMilkyWayTypeCode || file->recordSize != kMilkyWayRecordSize ||
        file->recordCount > kMilkyWayMaxPoints || file->recordCount < 0)
        return false;
    std::vector<uint8_t> records;
    const uint32_t count = RecordFileReadLeading(file.get(), uint32_t(file->recordCount), records);
    AddMilkyWayRecords(records.data(), int32_t(count), out);
    return true;
}

}  // namespace vsp
