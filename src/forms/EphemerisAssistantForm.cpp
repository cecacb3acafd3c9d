// The ephemeris assistant: one body day by day over a chosen period, either its rise, transit
// and set or its place (RA, Dec, magnitude) at the observing clock time.

#include <string>
#include <vector>

#include "ephemeris/ComputeBody.h"
#include "forms/EphemerisFormKit.h"
#include "format/BodyRiseSet.h"
#include "format/CalendarText.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "settings/PreferenceTable.h"

namespace vsp {
namespace {

constexpr int kRiseSetRadio = 2531;
constexpr int kPositionRadio = kRiseSetRadio + 1;
constexpr int kPeriodTrigger = 2533;
constexpr int kPeriodList = 2534;
constexpr int kDayList = 2535;
constexpr int kHeadFirst = 2540;  // four column heads

constexpr int kRadioTop = 42, kHeadTop = 60, kListTop = 74;
constexpr int kVisibleRows = 14;
constexpr int kPeriodLeft = 176, kPeriodWidth = 60;

struct Period {
    const char* label;
    int days;
};
constexpr Period kPeriods[] = {{"1d", 1}, {"7d", 7}, {"15d", 15}, {"30d", 30}, {"60d", 60}, {"90d", 90}};
constexpr int kDefaultPeriod = 1;

const std::vector<int> kColumns = {50, 54, 58, 44};
const std::vector<const char*> kRiseSetHeads = {"Date", "Rise", "Transit", "Set"};
const std::vector<const char*> kPositionHeads = {"Date", "RA", "Dec", "Mag"};

CalendarDateTime DayAfter(const CalendarDateTime& start, int days) {
    CalendarDateTime t = CalendarFromJulianDay(JulianDay(start.year, start.month, start.day) + days);
    t.hour = start.hour, t.minute = start.minute, t.second = start.second;
    return t;
}

std::string DayRiseSetCells(int body, const CalendarDateTime& day, double h0, const EphemerisSettings& settings) {
    RiseTransitSetTimes times;
    if (BodyRiseTransitSet(body, day.year, day.month, day.day, h0, settings, times) != kEphemerisOk) return "\t--";
    return "\t" + RiseSetCells(times);
}

std::string DayPlaceCells(AppState& state, int body, const CalendarDateTime& t, const EphemerisSettings& settings) {
    BodyPosition place;
    if (ComputeBody(place, body, LocalInstant(t, settings), settings) != kEphemerisOk) {
        return "\t--";
    }
    return "\t" + PlaceCells(state, place);
}

class EphemerisAssistantForm : public Form {
public:
    explicit EphemerisAssistantForm(SharedEphemerisChoice choice) : choice_(std::move(choice)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        AddRadioPair(t, kRiseSetRadio, kRadioTop, "Rise/Set", "Position");
        t.controls.push_back({kPeriodTrigger, ControlKind::PopupTrigger, kPeriods[kDefaultPeriod].label,
                              MakeRect(kPeriodLeft, kRadioTop, kPeriodWidth, 16)});
        AddColumnHeads(t, kHeadFirst, kEphemMargin, kHeadTop, kColumns, kRiseSetHeads);
        t.controls.push_back({kDayList, ControlKind::List, "",
                              MakeRect(kEphemMargin, kListTop, kEphemWidth, kVisibleRows * kEphemRowHeight + 2)});
        t.controls.push_back({kPeriodList, ControlKind::List, "", MakeRect(kPeriodLeft, 0, kPeriodWidth, 0), false});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kEphemerisAssistantFormId);
        const CalendarDateTime t = state.observingTime;
        SetField(state, kEphemCaptionId,
                 FormatText("%s from %s %04d, %s", BodyTitleName(choice_->body).c_str(), ShortDate(t.month, t.day).c_str(),
                            t.year, ClockMinutes(t.hour, t.minute).c_str()));
        for (int i = int(std::size(kPeriods)) - 1; i >= 0; --i) AddListRow(state, kPeriodList, kPeriods[i].label);
        SetPopupList(state, kPeriodTrigger, kPeriodList, -1, 0, kDefaultPeriod);
        SetListColumns(state, window, kDayList, kColumns);
        window.FindControl(kRiseSetRadio)->SetChecked(true);
        Show(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kRiseSetRadio || id == kPositionRadio) {
            Show(state, window);
        } else if (id == kPeriodList && notify != ControlNotify::Click) {  // tapped or stepped with a key
            const int row = GetListSelection(state, kPeriodList);
            if (row >= 0 && row < int(std::size(kPeriods))) days_ = kPeriods[row].days;
            Show(state, window);
        }
    }

private:
    void Show(AppState& state, FormWindow& window) {
        const bool riseSet = window.FindControl(kRiseSetRadio)->Checked();
        SetColumnHeads(state, kHeadFirst, riseSet ? kRiseSetHeads : kPositionHeads);
        const CalendarDateTime start = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        const int body = choice_->body;
        const double h0 = BodyStandardAltitude(body) + HorizonDegrees(state.prefs.horizon);
        std::vector<std::string> rows;
        for (int i = 0; i < days_; ++i) {
            const CalendarDateTime day = DayAfter(start, i);
            const std::string cells =
                riseSet ? DayRiseSetCells(body, day, h0, settings) : DayPlaceCells(state, body, day, settings);
            rows.push_back(ShortDate(day.month, day.day) + cells);
        }
        FillList(state, window, kDayList, rows);
    }

    SharedEphemerisChoice choice_;
    int days_ = kPeriods[kDefaultPeriod].days;
};

}  // namespace

std::unique_ptr<Form> MakeEphemerisAssistantForm(SharedEphemerisChoice choice) {
    return std::make_unique<EphemerisAssistantForm>(std::move(choice));
}

}  // namespace vsp
