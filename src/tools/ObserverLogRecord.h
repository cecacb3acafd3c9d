#pragma once
// One observer note, stored as a file of its own under userlogs/ ("<object name>.log"):
// 456 bytes, little-endian, texts NUL-terminated within their slots.
//
//   offset   0  u32        magic 123456789
//   offset   4  i32        position in the listed notes (rewritten on load, meaningless on disk)
//   offset   8  text[20]   object or event name, also the file name
//   offset  28  i32 x 5    year, month, day, hour, minute (local clock)
//   offset  48  f32        right ascension, hours, J2000
//   offset  52  f32        declination, degrees, J2000
//   offset  56  i32        Moon illuminated fraction x 100, truncated
//   offset  60  i32        Sun altitude, whole degrees, truncated
//   offset  64  i32        visual limiting magnitude x 10
//   offset  68  i32        object type (row of the object type table)
//   offset  72  i32        object magnitude x 10 (tenths, the observing list's own scale)
//   offset  76  4 bytes    zero
//   offset  80  i32        transparency: 0 Poor, 1 Good, 2 Excellent
//   offset  84  i32        seeing: the same three
//   offset  88  text[20]   scope
//   offset 108  text[30]   location
//   offset 138  text[15]   filter
//   offset 153  text[288]  free text
//   offset 441  3 bytes    zero
//   offset 444  i32        eyepiece (entry of the eyepiece list, 0 none)
//   offset 448  i32        detection: 0 Difficult, 1 Easy, 2 Evident
//   offset 452  i32        impression: 0 Faint, 1 Bright

#include <cstdint>
#include <string>

namespace vsp {

inline constexpr int32_t kObserverLogRecordSize = 456;
inline constexpr uint32_t kObserverLogMagic = 123456789;

// Characters each text keeps (its slot less the NUL).
inline constexpr size_t kLogObjectNameChars = 19;
inline constexpr size_t kLogScopeChars = 19;
inline constexpr size_t kLogLocationChars = 29;
inline constexpr size_t kLogFilterChars = 14;
inline constexpr size_t kLogTextChars = 287;

struct ObserverLogRecord {
    uint32_t magic = kObserverLogMagic;
    int32_t listIndex = 0;
    std::string objectName;
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
    float ra = 0.0f;
    float dec = 0.0f;
    int32_t moonPhasePercent = 0;
    int32_t sunAltitude = 0;
    int32_t visualLimitX10 = 0;
    int32_t objectType = 0;
    int32_t objectMagnitudeX10 = 0;
    int32_t transparency = 0;
    int32_t seeing = 0;
    std::string scope;
    std::string location;
    std::string filter;
    std::string logText;
    int32_t eyepiece = 0;
    int32_t detection = 0;
    int32_t impression = 0;

    bool operator==(const ObserverLogRecord&) const = default;
};

// `bytes` holds kObserverLogRecordSize bytes; texts longer than their slot are cut.
void EncodeObserverLog(const ObserverLogRecord& record, uint8_t* bytes);
ObserverLogRecord DecodeObserverLog(const uint8_t* bytes);

}  // namespace vsp
