// Day/Night: the day-length figures of the observing date (day, night and dark hours, the
// twilight intervals, sidereal time, zone, where the Sun rises) and the same lengths every
// fifteen days across the year, so the season shows.

#include <algorithm>
#include <string>
#include <vector>

#include "ephemeris/DayLength.h"
#include "forms/EphemerisFormKit.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/RiseSetText.h"
#include "shell/FormOps.h"

namespace vsp {
namespace {

constexpr int kLineFirst = 2424;  // nine lines
constexpr int kYearHead = 2433;
constexpr int kHeadFirst = 2434;  // four column heads
constexpr int kYearList = 2438;

constexpr int kLineCount = 9;
constexpr int kLinesTop = 42;
constexpr int kYearTop = kLinesTop + kLineCount * kEphemLineHeight + 4;
constexpr int kVisibleRows = 7;
constexpr int kStepDays = 15;
constexpr int kYearRows = 25;  // a year and a step
const std::vector<int> kColumns = {52, 58, 58, 58};

// Hours with the Sun more than 18 degrees down; none when it never gets that low.
double DarkHours(const DayLengthReport& day) {
    return day.astronomicalDay >= kCircumpolarSet ? 0.0 : std::max(0.0, 24.0 - day.astronomicalDay);
}

std::vector<std::string> DayLines(AppState& state, const DayLengthReport& day, int tzOffset) {
    const TextFormats formats = SettingsFormats(state);
    return {"Day length" + DayLengthText(day.dayLength) + DayChangeText(day.dayChange),
            "Night length" + DayLengthText(day.nightLength),
            "Darkness" + DayLengthText(DarkHours(day)),
            "Civil day: " + HoursMinutesText(day.civilDay),
            "Nautical day: " + HoursMinutesText(day.nauticalDay),
            "Astronomical day: " + HoursMinutesText(day.astronomicalDay),
            "Sidereal time: " + HMSToStr(day.localSiderealTime, formats),
            "Time zone: " + TimeZoneText(tzOffset),
            "Sunrise azimuth: " + AzimuthText(day.sunriseAzimuth)};
}

class DayNightForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        for (int i = 0; i < kLineCount; ++i) {
            t.controls.push_back(TextAt(kLineFirst + i, kEphemMargin, kLinesTop + i * kEphemLineHeight, kEphemWidth));
        }
        t.controls.push_back(TextAt(kYearHead, kEphemMargin, kYearTop, kEphemWidth, "Every 15 days:"));
        AddColumnHeads(t, kHeadFirst, kEphemMargin, kYearTop + kEphemLineHeight, kColumns,
                       {"Date", "Day", "Night", "Dark"});
        t.controls.push_back({kYearList, ControlKind::List, "",
                              MakeRect(kEphemMargin, kYearTop + 2 * kEphemLineHeight, kEphemWidth,
                                       kVisibleRows * kEphemRowHeight + 2)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kDayNightFormId);
        const CalendarDateTime today = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        const std::vector<std::string> lines =
            DayLines(state, ComputeDayLength(today, settings), settings.location.tzOffset);
        for (int i = 0; i < kLineCount; ++i) SetField(state, kLineFirst + i, lines[i]);
        std::vector<std::string> rows;
        for (int i = 0; i < kYearRows; ++i) {
            const CalendarDateTime day =
                CalendarFromJulianDay(JulianDay(today.year, today.month, today.day) + i * kStepDays);
            const DayLengthReport report = ComputeDayLength(day, settings);
            rows.push_back(ShortDate(day.month, day.day) + "\t" + HoursMinutesText(report.dayLength) + "\t" +
                           HoursMinutesText(report.nightLength) + "\t" + HoursMinutesText(DarkHours(report)));
        }
        SetListColumns(state, window, kYearList, kColumns);
        FillList(state, window, kYearList, rows);
    }
};

}  // namespace

std::unique_ptr<Form> MakeDayNightForm() { return std::make_unique<DayNightForm>(); }

}  // namespace vsp
