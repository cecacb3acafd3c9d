// Moon: the phase and lit fraction with a picture of the lit part, the age, distance, size and
// place, rise, transit and set on the observing date, and the next four principal phases.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/MoonAge.h"
#include "forms/EphemerisFormKit.h"
#include "format/AngleFormat.h"
#include "format/BodyRiseSet.h"
#include "format/CalendarText.h"
#include "format/EventText.h"
#include "format/MoonPhaseList.h"
#include "format/RiseSetText.h"
#include "platform/Canvas.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "settings/PreferenceTable.h"
#include "shell/Scale.h"

namespace vsp {
namespace {

constexpr int kLabelFirst = 6001;   // ten labels
constexpr int kValueFirst = 6011;   // and their values
constexpr int kPhasesHead = 6021;
constexpr int kPhaseList = 6022;
constexpr int kFeaturesButton = 6023;

constexpr int kLinesTop = 44, kLabelWidth = 66, kValueLeft = 70;
constexpr int kNarrowValueWidth = 104;  // beside the picture
constexpr int kPictureLines = 5;
constexpr int kPictureLeft = 178, kPictureSide = 58;
constexpr int kPhasesTop = kLinesTop + 10 * kEphemLineHeight + 6;
constexpr int kPhaseCount = 4;
const std::vector<int> kPhaseColumns = {88, 84, 50};

constexpr int kButtonTop = kPhasesTop + kEphemLineHeight + 2 + kPhaseCount * kEphemRowHeight + 8;

constexpr const char* kLabels[] = {"Phase", "Illuminated", "Age",  "Distance", "Diameter",
                                   "RA",    "Dec",         "Rise", "Transit",  "Set"};
enum Line { kPhase, kLit, kAge, kDistance, kDiameter, kRa, kDec, kRise, kTransit, kSet };

// The phase's name from the age angle (degrees): the principal phases within a day of their
// instant, the crescents and gibbous Moons between them.
const char* PhaseName(double age) {
    constexpr double kDayOfAge = 12.2;
    const char* const names[] = {"New Moon", "Waxing Crescent", "First Quarter", "Waxing Gibbous",
                                 "Full Moon", "Waning Gibbous", "Last Quarter", "Waning Crescent"};
    for (int quarter = 0; quarter <= 4; ++quarter) {
        if (std::fabs(age - 90.0 * quarter) < kDayOfAge) return names[(2 * quarter) % 8];
    }
    return names[2 * int(age / 90.0) + 1];
}

// The disc with its lit part, the terminator an ellipse; waxing lit on the west (right) as seen
// from the north, mirrored from the south.
void DrawMoon(AppState& state, FormWindow& window, double ageDegrees) {
    constexpr int kSystemWindowColour = 5;  // the form's background, left transparent
    const int side = ScaledX(state, kPictureSide), radius = side / 2 - 1;
    Canvas canvas;
    if (!canvas.Create(side, side)) return;
    canvas.SetBackColour(state.windows.SystemColours().Get(kSystemWindowColour));
    canvas.FillRect(MakeRect(0, 0, side, side));
    const bool night = state.nightLevel > 0;
    const Colour lit = night ? state.display.foregroundPen : MakeColour(240, 232, 190);
    const Colour dark = night ? MakeColour(ColourRed(lit) / 4, 0, 0) : MakeColour(64, 64, 72);
    const double c = std::cos(ageDegrees * kDegToRad);
    const bool waxing = ageDegrees < 180.0;
    const bool mirrored = state.prefs.site.latitude < 0;
    // Row by row: the disc's chord, then its lit part over it.
    for (int y = -radius; y <= radius; ++y) {
        const double w = std::sqrt(double(radius * radius - y * y));
        double from = waxing ? w * c : -w, to = waxing ? w : -w * c;
        if (mirrored) std::swap(from, to), from = -from, to = -to;
        const int left = radius - int(std::lround(w)), right = radius + int(std::lround(w));
        canvas.SetForeColour(dark);
        canvas.DrawLine(left, radius + y, right, radius + y);
        if (to <= from) continue;
        canvas.SetForeColour(lit);
        canvas.DrawLine(radius + int(std::lround(from)), radius + y, radius + int(std::lround(to)), radius + y);
    }
    const Rect area = MakeRect(ScaledX(state, kPictureLeft), ScaledY(state, kLinesTop), side, side);
    window.SetPicture(canvas, area);
}

class MoonForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        for (int i = 0; i < int(std::size(kLabels)); ++i) {
            const int top = kLinesTop + i * kEphemLineHeight;
            const int width = i < kPictureLines ? kNarrowValueWidth : kEphemWidth - kValueLeft + kEphemMargin;
            t.controls.push_back(TextAt(kLabelFirst + i, kEphemMargin, top, kLabelWidth, kLabels[i]));
            t.controls.push_back(TextAt(kValueFirst + i, kValueLeft, top, width));
        }
        t.controls.push_back(TextAt(kPhasesHead, kEphemMargin, kPhasesTop, kEphemWidth, "Next phases (local time)"));
        t.controls.push_back({kPhaseList, ControlKind::List, "",
                              MakeRect(kEphemMargin, kPhasesTop + kEphemLineHeight + 2, kEphemWidth,
                                       kPhaseCount * kEphemRowHeight + 2)});
        t.controls.push_back({kFeaturesButton, ControlKind::Button, "Features", MakeRect(kEphemMargin, kButtonTop, 70, 18)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kMoonFormId);
        const CalendarDateTime t = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        BodyPosition moon;
        if (ComputeBody(moon, kBodyMoon, LocalInstant(t, settings), settings) != kEphemerisOk) return;
        const double age = MoonAgeAngle(t.year, t.month, t.day, t.hour + t.minute / 60.0 + t.second / 3600.0,
                                        settings.location.tzOffset);
        const double now =
            JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, settings.location.tzOffset);
        const TextFormats formats = SettingsFormats(state);
        Set(state, kPhase, PhaseName(age));
        Set(state, kLit, FormatText("%.0f%%", 100.0 * moon.phaseFraction));
        Set(state, kAge, FormatText("%.1f days", now - PreviousNewMoon(t, settings).jd));
        Set(state, kDistance, FormatText("%.0f km", moon.distance * kKmPerAu));
        Set(state, kDiameter, FormatText("%.1f'", moon.diameter));
        Set(state, kRa, HMSToStr(moon.rightAscension, formats));
        Set(state, kDec, DmsToStr(moon.declination, formats));
        ShowRiseSet(state, t, settings, formats);
        DrawMoon(state, window, age);
        ShowPhases(state, window, t, settings);
    }

    void OnControl(AppState& state, FormWindow&, int id, ControlNotify) override {
        if (id == kFeaturesButton) ShowForm(state, kMoonFeatureFormId);
    }

private:
    static void Set(AppState& state, Line line, const std::string& text) { SetField(state, kValueFirst + line, text); }

    static void ShowRiseSet(AppState& state, const CalendarDateTime& t, const EphemerisSettings& settings,
                            const TextFormats& formats) {
        RiseTransitSetTimes times;
        const double h0 = BodyStandardAltitude(kBodyMoon) + HorizonDegrees(state.prefs.horizon);
        if (BodyRiseTransitSet(kBodyMoon, t.year, t.month, t.day, h0, settings, times) != kEphemerisOk) return;
        if (times.status != RiseSetStatus::Normal) {
            Set(state, kRise, times.status == RiseSetStatus::Circumpolar ? kCircumpolarLine : kNeverVisibleLine);
            return;
        }
        Set(state, kRise, HMSToStr(times.rise, formats));
        Set(state, kTransit, HMSToStr(times.transit, formats));
        Set(state, kSet, HMSToStr(times.set, formats));
    }

    static void ShowPhases(AppState& state, FormWindow& window, const CalendarDateTime& t,
                           const EphemerisSettings& settings) {
        std::vector<std::string> rows;
        for (const MoonPhaseEvent& phase : NextMoonPhases(t, kPhaseCount, settings)) {
            const CalendarDateTime local = CalendarFromJulianDay(phase.result.jd + settings.location.tzOffset / 1440.0);
            rows.push_back(std::string(MoonPhaseName(phase.code)) + "\t" + ShortDate(local.month, local.day) + " " +
                           std::to_string(local.year) + "\t" + ClockMinutesText(local.hour + local.minute / 60.0));
        }
        SetListColumns(state, window, kPhaseList, kPhaseColumns);
        FillList(state, window, kPhaseList, rows);
    }
};

}  // namespace

std::unique_ptr<Form> MakeMoonForm() { return std::make_unique<MoonForm>(); }

}  // namespace vsp
