#pragma once
// The text forms of hours and angles that every screen shows. Texts are narrow, in the device
// code page (the degree sign is the byte 0xB0). The format code is the hour format (for hours)
// or the angle format (for degrees) of the settings; the forms taking an explicit code serve
// callers that were handed one.

#include <cstdint>
#include <string>

#include "format/TextFormats.h"
#include "platform/InfoSink.h"
#include "platform/Text.h"  // kDegreeSign

namespace vsp {

inline constexpr int32_t kFixedUnitsPerDegree = 292818;  // 2^24 * pi / 180, rounded
inline constexpr char kUnknownHourFormatMessage[] = "HMSToStr Unkown hour format";
inline constexpr char kUnknownFixedHourFormatMessage[] = "HmsFixToStr Unknown hour format.";

// Hours, reduced into [0, 24]: code 0 "23.7500", 1 "23:45:00", 2 "23h45m00", 3 "23h45.0".
// An unknown code is reported through `messages` (may be null) and gives the code 2 text.
std::string HMSToStr(double hours, int code, InfoSink* messages);
std::string HMSToStr(double hours, const TextFormats& formats);
// Fixed-point hours (292818 units per hour), the same four forms.
std::string HmsFixToStr(int32_t fixedHours, int code, InfoSink* messages);
std::string HmsFixToStr(int32_t fixedHours, const TextFormats& formats);
// Degrees: code 0 "-70.7500", 1 "-70:45:00", 2 "-70°45'00", 3 "-70°45.0"; another code is
// taken as code 1.
std::string DmsToStr(double degrees, int code);
std::string DmsToStr(double degrees, const TextFormats& formats);
// Fixed-point degrees (292818 units per degree), the same four forms.
std::string DmsFixToStr(int32_t fixedDegrees, int code);
std::string DmsFixToStr(int32_t fixedDegrees, const TextFormats& formats);
// Degrees as "HH:MM:SS" hours, truncated, whatever the settings.
std::string DegToHmsStr(double degrees);
// `digits` fraction digits, rounded half up (a negative count means 6, more than 6 means 8).
std::string FormatFixed(double value, int digits);

}  // namespace vsp
