#include "format/EventText.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/LunarPhase.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "platform/FormatText.h"

namespace vsp {

std::string ContactClockText(double jd) {
    if (!HasContact(jd)) return "--:--:--";
    const CalendarDateTime t = CalendarFromJulianDay(jd);
    return IsoClock(t.hour, t.minute, t.second);
}

std::string EclipseDurationText(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%dh%02dm%02ds", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string ClockMinutesText(double hours) {
    const long minutes = std::lround(hours * 60.0) % (24 * 60);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", int(minutes / 60), int(minutes % 60));
    return text;
}

std::string ClockFaceText(double clockHours) {
    const long minutes = std::lround(clockHours * 60.0) % (12 * 60);
    const long hour = minutes / 60 == 0 ? 12 : minutes / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%ld:%02ld", hour, minutes % 60);
    return text;
}

std::string LocalEclipseText(const LocalEclipse& eclipse, int offsetMinutes, const std::string& indent) {
    if (!eclipse.visible) return indent + "not visible from here\n";
    std::string text;
    for (const NamedEclipseContact& c : eclipse.contacts) {
        if (!HasContact(c.at.jd)) continue;
        const CalendarDateTime t = CalendarFromJulianDay(c.at.jd + offsetMinutes / 1440.0);
        text += indent + FormatText("%-3s %s  alt %5.1f  az %5.1f\n", c.name, IsoClock(t.hour, t.minute, t.second).c_str(),
                                    c.at.altitude, c.at.azimuth);
    }
    text += indent + FormatText("Magnitude %.3f", eclipse.magnitude);
    if (std::isfinite(eclipse.obscuration)) text += FormatText("  obscuration %.3f", eclipse.obscuration);
    return text + "\n";
}

}  // namespace vsp
