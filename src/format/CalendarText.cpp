#include "format/CalendarText.h"

#include <cstdlib>

#include "platform/FormatText.h"

namespace vsp {

std::string IsoDate(int year, int month, int day) {
    return FormatText(year < 0 ? "-%04d-%02d-%02d" : "%04d-%02d-%02d", std::abs(year), month, day);
}

std::string IsoClock(int hour, int minute, int second) { return FormatText("%02d:%02d:%02d", hour, minute, second); }

std::string ClockMinutes(int hour, int minute) { return FormatText("%02d:%02d", hour, minute); }

std::string IsoOffset(int minutes) {
    const int size = std::abs(minutes);
    return FormatText("%c%02d:%02d", minutes < 0 ? '-' : '+', size / 60, size % 60);
}

}  // namespace vsp
