#pragma once
// The texts the day-length assistant, the twilight and night views and the object information
// show for event times. Narrow, in the device code page (degree sign 0xB0, bullet 0x95).

#include <string>
#include <vector>

#include "format/TextFormats.h"
#include "ephemeris/RiseTransitSet.h"

namespace vsp {

// Hours as ": %02dh%02dm" (the "Day length" and "Night length" values), to the nearest minute.
std::string DayLengthText(double hours);
// Seconds as " %+03dm%02ds" (the change of the day length from the day before); a change of
// less than a minute keeps its sign.
std::string DayChangeText(double seconds);
// Hours as "%02dh%02dm" (the twilight intervals), to the nearest minute.
std::string HoursMinutesText(double hours);
// The zone offset in whole hours, "%+d".
std::string TimeZoneText(int offsetMinutes);
// Whole degrees, "%d°".
std::string AzimuthText(double degrees);

// Time display modes of the twilight and night views, in the order the list shows them.
enum TimeDisplayMode { kTimeDisplayLocal = 0, kTimeDisplayDaylight = 1, kTimeDisplayUniversal = 2 };
// "Local Time (LT)", "LT&DayLight", "Universal Time (UT)"; "" for another mode.
const char* TimeDisplayModeName(int mode);
// Minutes added to a local clock time before it is shown: UT takes the zone off; LT&DayLight
// adds an hour on the days whose number N = (dayIndex + 30 * month) mod 365, dayIndex being
// the day's index in the plotted span, lies in 110 < N <= 320.
int TimeDisplayShiftMinutes(int mode, int tzOffset, int dayIndex, int month);

// The object information lines for the rise and transit of an object: "Rise    %s" and
// "Transit %s" with the times in the settings' hour format, or the one bullet line of a
// circumpolar object or of one that never rises.
std::vector<std::string> ObjectRiseSetLines(const RiseTransitSetTimes& times,
                                            const TextFormats& formats);

// The same lines with "Set     %s" after the transit.
std::vector<std::string> RiseTransitSetLines(const RiseTransitSetTimes& times, const TextFormats& formats);

inline constexpr char kCircumpolarLine[] = "\x95" "Circumpolar object";
inline constexpr char kNeverVisibleLine[] = "\x95" "Object never visible.";

}  // namespace vsp
