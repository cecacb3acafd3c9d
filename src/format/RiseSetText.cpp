#include "format/RiseSetText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "format/AngleFormat.h"
#include "platform/FormatText.h"

namespace vsp {
namespace {

std::string HoursMinutes(const char* format, double hours) {
    const long minutes = std::lround(hours * 60.0);
    return FormatText(format, int(minutes / 60), int(std::labs(minutes % 60)));
}

}  // namespace

std::string DayLengthText(double hours) { return HoursMinutes(": %02dh%02dm", hours); }

std::string HoursMinutesText(double hours) { return HoursMinutes("%02dh%02dm", hours); }

std::string DayChangeText(double seconds) {
    const long total = std::lround(seconds);
    char text[48];
    std::snprintf(text, sizeof text, " %+03dm%02ds", int(total / 60), int(std::labs(total % 60)));
    // "%+03d" of a zero minute count reads "+00" even when the change is negative.
    if (total < 0 && total > -60) text[1] = '-';
    return text;
}

std::string TimeZoneText(int offsetMinutes) {
    char text[16];
    std::snprintf(text, sizeof text, "%+d", offsetMinutes / 60);
    return text;
}

std::string AzimuthText(double degrees) {
    char text[16];
    std::snprintf(text, sizeof text, "%d\xB0", int(std::lround(degrees)));
    return text;
}

const char* TimeDisplayModeName(int mode) {
    switch (mode) {
        case kTimeDisplayLocal: return "Local Time (LT)";
        case kTimeDisplayDaylight: return "LT&DayLight";
        case kTimeDisplayUniversal: return "Universal Time (UT)";
        default: return "";
    }
}

int TimeDisplayShiftMinutes(int mode, int tzOffset, int dayIndex, int month) {
    if (mode == kTimeDisplayUniversal) return -tzOffset;
    if (mode != kTimeDisplayDaylight) return 0;
    int n = (dayIndex + 30 * month) % 365;
    if (n < 0) n += 365;
    return n > 110 && n <= 320 ? 60 : 0;
}

std::vector<std::string> ObjectRiseSetLines(const RiseTransitSetTimes& times,
                                            const TextFormats& formats) {
    switch (times.status) {
        case RiseSetStatus::Circumpolar: return {kCircumpolarLine};
        case RiseSetStatus::NeverRises: return {kNeverVisibleLine};
        case RiseSetStatus::Normal: break;
    }
    return {"Rise    " + HMSToStr(times.rise, formats), "Transit " + HMSToStr(times.transit, formats)};
}

std::vector<std::string> RiseTransitSetLines(const RiseTransitSetTimes& times, const TextFormats& formats) {
    std::vector<std::string> lines = ObjectRiseSetLines(times, formats);
    if (times.status == RiseSetStatus::Normal) lines.push_back("Set     " + HMSToStr(times.set, formats));
    return lines;
}

}  // namespace vsp
