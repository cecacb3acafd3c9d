// Planets: the Sun, the Moon and the planets for the observing time, either where they stand
// (RA, Dec, magnitude, altitude) or when they rise, cross the meridian and set; a row opens the
// ephemeris assistant for its body.

#include <string>
#include <vector>

#include "ephemeris/ComputeBody.h"
#include "forms/EphemerisFormKit.h"
#include "format/BodyRiseSet.h"
#include "format/RiseSetText.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "settings/PreferenceTable.h"

namespace vsp {
namespace {

constexpr int kBodies[] = {kBodySun,     kBodyMoon,   kBodyMercury, kBodyVenus,  kBodyMars,
                           kBodyJupiter, kBodySaturn, kBodyUranus,  kBodyNeptune, kBodyPluto};
constexpr int kBodyCount = int(std::size(kBodies));

constexpr int kPositionRadio = 2451;
constexpr int kRiseSetRadio = kPositionRadio + 1;
constexpr int kHeadFirst = 2460;  // five column heads
constexpr int kBodyList = 2455;
constexpr int kHint = 2456;

constexpr int kRadioTop = 42, kHeadTop = 60, kListTop = 74;
constexpr int kListHeight = kBodyCount * kEphemRowHeight + 2;
const std::vector<int> kColumns = {52, 50, 54, 38, 36};
const std::vector<const char*> kPositionHeads = {"Body", "RA", "Dec", "Mag", "Alt"};
const std::vector<const char*> kRiseSetHeads = {"Body", "Rise", "Transit", "Set", "Alt"};

class PlanetsForm : public Form {
public:
    explicit PlanetsForm(SharedEphemerisChoice choice) : choice_(std::move(choice)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        AddRadioPair(t, kPositionRadio, kRadioTop, "Position", "Rise/Set");
        AddColumnHeads(t, kHeadFirst, kEphemMargin, kHeadTop, kColumns, kPositionHeads);
        t.controls.push_back(
            {kBodyList, ControlKind::List, "", MakeRect(kEphemMargin, kListTop, kEphemWidth, kListHeight)});
        t.controls.push_back({kHint, ControlKind::StaticText, "Tap a body for its table day by day.",
                              MakeRect(kEphemMargin, kListTop + kListHeight + 6, kEphemWidth, 2 * kEphemLineHeight)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kPlanetsFormId);
        SetListColumns(state, window, kBodyList, kColumns);
        window.FindControl(kPositionRadio)->SetChecked(true);
        Show(state, window, false);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kPositionRadio || id == kRiseSetRadio) {
            Show(state, window, id == kRiseSetRadio);
        } else if (id == kBodyList && notify == ControlNotify::RowChosen) {
            const int row = GetListSelection(state, kBodyList);
            if (row < 0 || row >= kBodyCount) return;
            choice_->body = kBodies[row];
            ShowForm(state, kEphemerisAssistantFormId);
        }
    }

private:
    void Show(AppState& state, FormWindow& window, bool riseSet) {
        SetColumnHeads(state, kHeadFirst, riseSet ? kRiseSetHeads : kPositionHeads);
        const CalendarDateTime t = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant when = LocalInstant(t, settings);
        const double horizon = HorizonDegrees(state.prefs.horizon);
        std::vector<std::string> rows;
        for (int code : kBodies) {
            BodyPosition place;
            BodyHorizon sky;
            std::string row = BodyTitleName(code) + "\t";
            if (ComputeBody(place, code, when, settings, &sky) != kEphemerisOk) {
                rows.push_back(row + "no place for this date");
                continue;
            }
            if (riseSet) {
                RiseTransitSetTimes times;
                BodyRiseTransitSet(code, t.year, t.month, t.day, BodyStandardAltitude(code) + horizon, settings, times);
                row += RiseSetCells(times);
            } else {
                row += PlaceCells(state, place);
            }
            rows.push_back(row + "\t" + AzimuthText(sky.altitude));
        }
        FillList(state, window, kBodyList, rows);
    }

    SharedEphemerisChoice choice_;
};

}  // namespace

std::unique_ptr<Form> MakePlanetsForm(SharedEphemerisChoice choice) {
    return std::make_unique<PlanetsForm>(std::move(choice));
}

}  // namespace vsp
