// Twilight: sunrise and sunset and the morning and evening crossings of the civil, nautical and
// astronomical twilight altitudes on the observing date, in local time, local time with summer
// time or UT, and the length of the day.

#include <string>
#include <vector>

#include "ephemeris/DayLength.h"
#include "forms/EphemerisFormKit.h"
#include "format/EventText.h"
#include "format/RiseSetText.h"
#include "shell/FormOps.h"

namespace vsp {
namespace {

constexpr int kModeLabel = 2411;
constexpr int kModeTrigger = 2412;
constexpr int kModeList = 2413;
constexpr int kHeadFirst = 2414;  // three column heads
constexpr int kTimeList = 2418;
constexpr int kDayLine = 2419;
constexpr int kNightLine = 2420;

constexpr int kModeTop = 42, kHeadTop = 62, kListTop = 76;
constexpr int kModeLeft = 64, kModeWidth = 130;
constexpr int kModeCount = 3;
const std::vector<int> kColumns = {92, 68, 68};

struct Crossing {
    const char* name;
    double altitude;
};
constexpr Crossing kCrossings[] = {{"Sun", kSunriseAltitude},
                                   {"Civil", kCivilTwilightAltitude},
                                   {"Nautical", kNauticalTwilightAltitude},
                                   {"Astronomical", kAstronomicalTwilightAltitude}};
constexpr int kListHeight = int(std::size(kCrossings)) * kEphemRowHeight + 2;

// The morning and evening cells; a Sun that stays above or below the altitude all day says so.
std::string CrossingCells(const RiseTransitSetTimes& times, int shiftMinutes) {
    switch (times.status) {
        case RiseSetStatus::Circumpolar: return "above\tall day";
        case RiseSetStatus::NeverRises: return "below\tall day";
        case RiseSetStatus::Normal: break;
    }
    const double shift = shiftMinutes / 60.0;
    return ClockMinutesText(times.rise + shift + 24.0) + "\t" + ClockMinutesText(times.set + shift + 24.0);
}

class TwilightForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        t.controls.push_back(TextAt(kModeLabel, kEphemMargin, kModeTop + 1, kModeLeft - kEphemMargin, "Times in"));
        t.controls.push_back(
            {kModeTrigger, ControlKind::PopupTrigger, "", MakeRect(kModeLeft, kModeTop, kModeWidth, 16)});
        AddColumnHeads(t, kHeadFirst, kEphemMargin, kHeadTop, kColumns, {"", "Morning", "Evening"});
        t.controls.push_back(
            {kTimeList, ControlKind::List, "", MakeRect(kEphemMargin, kListTop, kEphemWidth, kListHeight)});
        t.controls.push_back(TextAt(kDayLine, kEphemMargin, kListTop + kListHeight + 8, kEphemWidth));
        t.controls.push_back(
            TextAt(kNightLine, kEphemMargin, kListTop + kListHeight + 8 + kEphemLineHeight, kEphemWidth));
        t.controls.push_back({kModeList, ControlKind::List, "", MakeRect(kModeLeft, 0, kModeWidth, 0), false});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kTwilightFormId);
        mode_ = state.prefs.site.daylight ? kTimeDisplayDaylight : kTimeDisplayLocal;
        for (int mode = kModeCount - 1; mode >= 0; --mode) AddListRow(state, kModeList, TimeDisplayModeName(mode));
        SetPopupList(state, kModeTrigger, kModeList, -1, 0, mode_);
        SetPopupLabel(state, kModeTrigger, TimeDisplayModeName(mode_));
        SetListColumns(state, window, kTimeList, kColumns);
        const DayLengthReport day = ComputeDayLength(state.observingTime, SiteEphemeris(state));
        SetField(state, kDayLine, "Day length" + DayLengthText(day.dayLength) + DayChangeText(day.dayChange));
        SetField(state, kNightLine, "Night length" + DayLengthText(day.nightLength));
        Show(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id != kModeList || notify == ControlNotify::Click) return;  // tapped or stepped with a key
        const int row = GetListSelection(state, kModeList);
        if (row < 0 || row >= kModeCount) return;
        mode_ = row;
        Show(state, window);
    }

private:
    void Show(AppState& state, FormWindow& window) {
        const CalendarDateTime t = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        const int shift = TimeDisplayShiftMinutes(mode_, settings.location.tzOffset, t.day, t.month);
        std::vector<std::string> rows;
        for (const Crossing& c : kCrossings) {
            rows.push_back(std::string(c.name) + "\t" +
                           CrossingCells(SunCrossings(t.year, t.month, t.day, c.altitude, settings), shift));
        }
        FillList(state, window, kTimeList, rows);
    }

    int mode_ = kTimeDisplayLocal;
};

}  // namespace

std::unique_ptr<Form> MakeTwilightForm() { return std::make_unique<TwilightForm>(); }

}  // namespace vsp
