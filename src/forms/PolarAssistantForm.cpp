// PolarAssistant (2470): where the pole star stands in a polar scope, for turning an
// equatorial mount's polar axis onto the pole. The star (Polaris or sigma Octantis) is drawn
// at its clock position around the pole, at a distance from the centre in proportion to its
// pole distance, on one of three reticles:
//   - a clock face: a circle with 12 at the top, hour and five-minute ticks;
//   - the Sky-Watcher/Synta reticle, simplified to its ring with the hour marks 0..11 (0 at the
//     top) at the star's ring radius and the centre cross; the small Octans trapezium,
//     Cassiopeia and Ursa Major marks are left out;
//   - a dial of dates and hours: an outer ring of the months and an inner ring of the hours of
//     local time, turned so that today's date and the present hour meet at the star, as the
//     two scales of such a polar scope are set against each other.
// Erect shows the sky as the eye sees it facing the pole, Inverted as a polar scope shows it
// (half a turn). The lines under the picture give the hour angle, the clock position, the pole
// distance and the next upper transit in local time. With the time kept up to date (Time
// Update Automatic) the form follows the clock every few seconds.

#include <algorithm>
#include <cmath>
#include <string>

#include "ephemeris/Constants.h"
#include "ephemeris/PoleStar.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/EventText.h"
#include "forms/EphemerisFormKit.h"
#include "forms/SkyForms.h"
#include "shell/FormOps.h"
#include "shell/Scale.h"
#include "shell/Startup.h"

namespace vsp {
namespace {

constexpr int kReticleTrigger = 2471, kReticleList = 2472;
constexpr int kNorthRadio = 2473, kSouthRadio = 2474, kErectRadio = 2475, kInvertedRadio = 2476;
constexpr int kLineFirst = 2477;  // four lines
constexpr int kLineCount = 4;
constexpr int kRefreshTimer = 1;
constexpr int kRefreshMs = 5000;

constexpr int kRowTop = 42, kRadioTop = 60, kPictureTop = 78, kPictureSide = 176;
constexpr int kLinesTop = kPictureTop + kPictureSide + 2;

enum Reticle { kClockFace, kSynta, kDateDial, kReticleCount };
const char* const kReticleNames[kReticleCount] = {"Clock face", "Sky-Watcher", "Date and hour dial"};
const char* const kMonthLetters = "JFMAMJJASOND";

// The star's ring for each pole, arcminutes: the picture's ring radius stands for it.
constexpr double kNominalDistanceArcmin[] = {40.0, 70.0};

struct Pens {
    Colour back, frame, marks, star;
};

Pens PensOf(const AppState& state) {
    if (state.nightLevel > 0) {
        const Colour red = state.display.foregroundPen;
        return {kColourBlack, red, red, red};
    }
    return {kColourBlack, MakeColour(150, 150, 170), MakeColour(210, 210, 225), MakeColour(255, 220, 80)};
}

// A point `radius` from the centre at `clock` hours of a 12-hour face, 12 at the top.
void ClockPoint(int centre, double radius, double clock, int& x, int& y) {
    const double a = clock * kTwoPi / 12.0;
    x = centre + int(std::lround(radius * std::sin(a)));
    y = centre - int(std::lround(radius * std::cos(a)));
}

void Label(Canvas& canvas, int x, int y, const std::string& text) {
    const TextExtent size = canvas.MeasureText(text, FontId::Small);
    canvas.DrawText(x - size.width / 2, y - size.height / 2, text, FontId::Small, TextBackground::Transparent);
}

// Ticks between radii `inner` and `outer` at `count` even steps around the face.
void Ticks(Canvas& canvas, int centre, double inner, double outer, int count, double startClock = 0.0) {
    for (int i = 0; i < count; ++i) {
        const double clock = startClock + 12.0 * i / count;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        ClockPoint(centre, inner, clock, x0, y0);
        ClockPoint(centre, outer, clock, x1, y1);
        canvas.DrawLine(x0, y0, x1, y1);
    }
}

class PolarAssistantForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        t.controls.push_back(TextAt(0, kEphemMargin, kRowTop + 1, 50, "Reticle"));
        t.controls.push_back({kReticleTrigger, ControlKind::PopupTrigger, "", MakeRect(56, kRowTop, 140, 16)});
        const struct {
            int id, left, width, group;
            const char* text;
        } radios[] = {{kNorthRadio, kEphemMargin, 50, 1, "North"}, {kSouthRadio, 56, 52, 1, "South"},
                      {kErectRadio, 114, 48, 2, "Erect"},         {kInvertedRadio, 164, 72, 2, "Inverted"}};
        for (const auto& r : radios) {
            t.controls.push_back({r.id, ControlKind::Radio, r.text, MakeRect(r.left, kRadioTop, r.width, 16), true,
                                  IconId::None, r.group});
        }
        for (int i = 0; i < kLineCount; ++i)
            t.controls.push_back(TextAt(kLineFirst + i, kEphemMargin, kLinesTop + i * kEphemLineHeight, kEphemWidth));
        t.controls.push_back({kReticleList, ControlKind::List, "", MakeRect(56, 0, 140, 0), false});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kPolarAssistantFormId);
        for (int row = kReticleCount - 1; row >= 0; --row) AddListRow(state, kReticleList, kReticleNames[row]);
        SetPopupList(state, kReticleTrigger, kReticleList, -1, 0, reticle_);
        SetPopupLabel(state, kReticleTrigger, kReticleNames[reticle_]);
        south_ = SiteEphemeris(state).location.latitude < 0.0;
        window.FindControl(south_ ? kSouthRadio : kNorthRadio)->SetChecked(true);
        window.FindControl(inverted_ ? kInvertedRadio : kErectRadio)->SetChecked(true);
        Show(state, window);
        state.loop.SetTimer(window.Handle(), kRefreshTimer, kRefreshMs);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kReticleList) {
            const int row = GetListSelection(state, kReticleList);
            if (notify == ControlNotify::Click || row < 0 || row >= kReticleCount) return;
            reticle_ = row;
        } else if (id == kNorthRadio || id == kSouthRadio) {
            south_ = id == kSouthRadio;
        } else if (id == kErectRadio || id == kInvertedRadio) {
            inverted_ = id == kInvertedRadio;
        } else {
            return;
        }
        Show(state, window);
    }

    void OnTimer(AppState& state, FormWindow& window, int timerId) override {
        if (timerId != kRefreshTimer) return;
        if (state.prefs.timeUpdate == 0) {  // the observing time follows the clock, as on the chart
            state.observingTime = LocalClockNow(state);
            SetField(state, kEphemCaptionId, PlaceAndDateText(state));
        }
        Show(state, window);
    }

private:
    CelestialPole Pole() const { return south_ ? CelestialPole::kSouth : CelestialPole::kNorth; }

    void Show(AppState& state, FormWindow& window) {
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant when = LocalInstant(state.observingTime, settings);
        if (PoleStarAt(Pole(), when, settings, star_) != 0) {
            SetField(state, kLineFirst, "No place for this date.");
            return;
        }
        const double clock = inverted_ ? star_.clockInverted : star_.clockErect;
        const CalendarDateTime transit =
            CalendarFromJulianDay(star_.nextUpperTransitUt + settings.location.tzOffset / 1440.0);
        const std::string name = PoleStarOf(Pole()).name;
        const std::string lines[kLineCount] = {
            name + " hour angle: " + HMSToStr(star_.hourAngleHours, SettingsFormats(state)),
            "Clock: " + ClockFaceText(clock) + (inverted_ ? " (inverted)" : " (erect)"),
            "Pole distance: " + FormatFixed(star_.poleDistanceArcmin, 1) + "'",
            "Next upper transit: " + ShortDate(transit.month, transit.day) + " " +
                ClockMinutes(transit.hour, transit.minute) + " local"};
        for (int i = 0; i < kLineCount; ++i) SetField(state, kLineFirst + i, lines[i]);
        Draw(state, window, clock);
    }

    void Draw(AppState& state, FormWindow& window, double clock) {
        const int side = ScaledX(state, kPictureSide);
        Canvas canvas;
        if (!canvas.Create(side, side)) return;
        canvas.SetTextScale(state.scaleX);
        const Pens pens = PensOf(state);
        canvas.SetBackColour(pens.back);
        canvas.FillRect(MakeRect(0, 0, side, side));
        const int c = side / 2;
        const double outer = side * 0.47, ring = side * 0.30;
        canvas.SetForeColour(pens.frame);
        canvas.SetTextColour(pens.marks);
        const int cross = std::max(3, side / 30);
        canvas.DrawLine(c - cross, c, c + cross, c);
        canvas.DrawLine(c, c - cross, c, c + cross);
        switch (reticle_) {
            case kClockFace: DrawClockFace(canvas, c, outer, ring); break;
            case kSynta: DrawSynta(canvas, c, outer, ring); break;
            default: DrawDateDial(state, canvas, c, outer, clock); break;
        }
        const double radius = ring * star_.poleDistanceArcmin / kNominalDistanceArcmin[south_ ? 1 : 0];
        int x = 0, y = 0;
        ClockPoint(c, std::min(radius, outer), clock, x, y);
        canvas.SetForeColour(pens.star);
        canvas.FillCircle(x, y, std::max(2, side / 45));
        const Rect area = MakeRect(ScaledX(state, kEphemMargin + (kEphemWidth - kPictureSide) / 2),
                                   ScaledY(state, kPictureTop), side, side);
        window.SetPicture(canvas, area);
    }

    static void DrawClockFace(Canvas& canvas, int c, double outer, double ring) {
        const double face = outer * 0.86;
        canvas.DrawCircle(c, c, int(face));
        canvas.DrawCircle(c, c, int(ring));
        Ticks(canvas, c, face * 0.93, face, 60);
        Ticks(canvas, c, face * 0.82, face, 12);
        for (int hour = 1; hour <= 12; ++hour) {
            int x = 0, y = 0;
            ClockPoint(c, face + (outer - face) * 0.5 + 2, hour, x, y);
            Label(canvas, x, y, std::to_string(hour));
        }
    }

    static void DrawSynta(Canvas& canvas, int c, double outer, double ring) {
        canvas.DrawCircle(c, c, int(ring));
        canvas.DrawCircle(c, c, int(outer * 0.62));
        Ticks(canvas, c, ring * 0.9, ring * 1.1, 12);
        Ticks(canvas, c, ring * 0.96, ring * 1.04, 36, 1.0 / 3.0);
        for (int hour = 0; hour < 12; ++hour) {
            int x = 0, y = 0;
            ClockPoint(c, outer * 0.78, hour, x, y);
            Label(canvas, x, y, std::to_string(hour));
        }
        Ticks(canvas, c, outer * 0.92, outer, 4);  // the long cross lines of the reticle
    }

    // The month ring outside, the hour ring inside: today's date and the present local hour
    // both at the star's clock position, the scales running the way the star turns.
    void DrawDateDial(AppState& state, Canvas& canvas, int c, double outer, double clock) const {
        const CalendarDateTime& now = state.observingTime;
        const double sense = south_ ? 1.0 : -1.0;  // the way the star turns, the same in both views
        // A day later the star stands where it was 3m56s earlier: a year is one turn; an hour of
        // time is an hour of hour angle, half an hour of the 12-hour face.
        const double dayOfYear = JulianDay(now.year, now.month, now.day) - JulianDay(now.year, 1, 1);
        const double hour = now.hour + now.minute / 60.0;
        canvas.DrawCircle(c, c, int(outer * 0.84));
        canvas.DrawCircle(c, c, int(outer * 0.78));
        for (int month = 1; month <= 12; ++month) {
            const double days = JulianDay(now.year, month, 1) - JulianDay(now.year, 1, 1);
            const double at = clock + sense * (days - dayOfYear) * 12.0 / kDaysPerJulianYear;
            int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            ClockPoint(c, outer * 0.84, at, x0, y0);
            ClockPoint(c, outer, at, x1, y1);
            canvas.DrawLine(x0, y0, x1, y1);
            ClockPoint(c, outer * 0.93, at + sense * 0.5, x0, y0);  // the letter mid-month
            Label(canvas, x0, y0, std::string(1, kMonthLetters[month - 1]));
        }
        // The hours inside the dates, numbered every 3 h nearer the pole, clear of the star.
        for (int h = 0; h < 24; ++h) {
            const double at = clock + sense * (h - hour) * 0.5;
            int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            ClockPoint(c, outer * 0.78, at, x0, y0);
            ClockPoint(c, outer * (h % 3 ? 0.74 : 0.70), at, x1, y1);
            canvas.DrawLine(x0, y0, x1, y1);
            if (h % 3 == 0) {
                ClockPoint(c, outer * 0.40, at, x0, y0);
                Label(canvas, x0, y0, std::to_string(h));
            }
        }
        int x = 0, y = 0;  // the index line from the pole through the star to the dates
        ClockPoint(c, outer * 0.84, clock, x, y);
        canvas.DrawLine(c, c, x, y);
    }

    int reticle_ = kClockFace;
    bool south_ = false;
    bool inverted_ = true;
    PoleStarPosition star_;
};

}  // namespace

std::unique_ptr<Form> MakePolarAssistantForm() { return std::make_unique<PolarAssistantForm>(); }

}  // namespace vsp
