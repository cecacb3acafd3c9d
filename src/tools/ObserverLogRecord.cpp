#include "tools/ObserverLogRecord.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "records/RecordCodec.h"

namespace vsp {
namespace {

using Record = ObserverLogRecord;

constexpr std::array<BoundField<Record>, 19> kNumberFields{{
    {"magic", 0, &Record::magic},
    {"list_index", 4, &Record::listIndex},
    {"year", 28, &Record::year},
    {"month", 32, &Record::month},
    {"day", 36, &Record::day},
    {"hour", 40, &Record::hour},
    {"minute", 44, &Record::minute},
    {"ra_hours", 48, &Record::ra},
    {"dec_deg", 52, &Record::dec},
    {"moon_percent", 56, &Record::moonPhasePercent},
    {"sun_altitude", 60, &Record::sunAltitude},
    {"visual_limit_x10", 64, &Record::visualLimitX10},
    {"object_type", 68, &Record::objectType},
    {"magnitude_x10", 72, &Record::objectMagnitudeX10},
    {"transparency", 80, &Record::transparency},
    {"seeing", 84, &Record::seeing},
    {"eyepiece", 444, &Record::eyepiece},
    {"detection", 448, &Record::detection},
    {"impression", 452, &Record::impression},
}};

struct TextField {
    int32_t offset;
    int32_t size;  // the slot, NUL included
    std::string Record::*member;
};

constexpr std::array<TextField, 5> kTextFields{{
    {8, 20, &Record::objectName},
    {88, 20, &Record::scope},
    {108, 30, &Record::location},
    {138, 15, &Record::filter},
    {153, 288, &Record::logText},
}};

static_assert(kNumberFields.back().offset + 4 == kObserverLogRecordSize);
static_assert(kTextFields.back().offset + kTextFields.back().size == 441);

}  // namespace

void EncodeObserverLog(const ObserverLogRecord& record, uint8_t* bytes) {
    std::memset(bytes, 0, size_t(kObserverLogRecordSize));
    EncodeFields<Record>(kNumberFields, record, bytes);
    for (const TextField& field : kTextFields) {
        const std::string& text = record.*field.member;
        std::memcpy(bytes + field.offset, text.data(), std::min(text.size(), size_t(field.size - 1)));
    }
}

ObserverLogRecord DecodeObserverLog(const uint8_t* bytes) {
    ObserverLogRecord record = DecodeFields<Record>(kNumberFields, bytes);
    for (const TextField& field : kTextFields) {
        const char* start = reinterpret_cast<const char*>(bytes + field.offset);
        record.*field.member = std::string(start, strnlen(start, size_t(field.size - 1)));
    }
    return record;
}

}  // namespace vsp
