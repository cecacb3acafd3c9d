// CompassChart: the Sun, the Moon and the planets around the horizon at their azimuths, nearer
// the middle the higher they stand (the zenith in the middle, north up, east left, as the sky is
// seen looking up), each with its altitude; for the observing time or for now. Bodies below the
// horizon are listed under the picture with their altitudes. A tap on a body gives its line.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/ComputeBody.h"
#include "forms/EphemerisFormKit.h"
#include "forms/SatelliteSkyView.h"
#include "format/RiseSetText.h"
#include "shell/FormOps.h"
#include "shell/Scale.h"
#include "shell/Startup.h"

namespace vsp {
namespace {

constexpr int kObservingRadio = 2831;
constexpr int kNowRadio = kObservingRadio + 1;
constexpr int kChosenLine = 2833;
constexpr int kBelowLines = 2834;

constexpr int kRadioTop = 42, kPictureTop = 60, kPictureSide = 180;
constexpr int kChosenTop = kPictureTop + kPictureSide + 2;
constexpr int kBelowTop = kChosenTop + kEphemLineHeight;

constexpr int kBodies[] = {kBodySun,     kBodyMoon,   kBodyMercury, kBodyVenus,   kBodyMars,
                           kBodyJupiter, kBodySaturn, kBodyUranus,  kBodyNeptune, kBodyPluto};

struct BodyMark {
    int code = 0;
    SkyPlace place;
    int x = 0, y = 0;  // in the picture, device pixels
};

Colour BodyColour(const AppState& state, int code) {
    if (state.nightLevel > 0) return state.display.foregroundPen;
    switch (code) {
        case kBodySun: return MakeColour(255, 210, 60);
        case kBodyMoon: return MakeColour(235, 235, 235);
        case kBodyMars: return MakeColour(255, 120, 80);
        case kBodyVenus: return MakeColour(255, 250, 200);
        default: return MakeColour(150, 220, 255);
    }
}

// A label's box, left of or right of the mark and above or below it, whichever first overlaps
// none placed before and stays inside the picture.
Rect LabelBox(const BodyMark& mark, const TextExtent& size, int side, int gap, const std::vector<Rect>& taken) {
    const int offsets[][2] = {{gap, -size.height / 2},           {-gap - size.width, -size.height / 2},
                              {-size.width / 2, -gap - size.height}, {-size.width / 2, gap},
                              {gap, -size.height},                {-gap - size.width, 0}};
    Rect fallback{};
    for (size_t i = 0; i < std::size(offsets); ++i) {
        Rect box = MakeRect(mark.x + offsets[i][0], mark.y + offsets[i][1], size.width, size.height);
        if (box.left < 0 || box.top < 0 || box.right > side || box.bottom > side) continue;
        if (i == 0 || fallback.Width() == 0) fallback = box;
        bool clear = true;
        for (const Rect& other : taken) {
            const Rect both = Intersect(box, other);
            clear = clear && (both.Width() <= 0 || both.Height() <= 0);
        }
        if (clear) return box;
    }
    return fallback;
}

class CompassChartForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        AddRadioPair(t, kObservingRadio, kRadioTop, "Obs. time", "Now");
        t.controls.push_back(TextAt(kChosenLine, kEphemMargin, kChosenTop, kEphemWidth, "Tap a body for its place."));
        t.controls.push_back({kBelowLines, ControlKind::StaticText, "",
                              MakeRect(kEphemMargin, kBelowTop, kEphemWidth, 3 * kEphemLineHeight)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kCompassChartFormId);
        window.FindControl(kObservingRadio)->SetChecked(true);
        Show(state, window, false);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify) override {
        if (id == kObservingRadio || id == kNowRadio) Show(state, window, id == kNowRadio);
    }

    void OnTap(AppState& state, FormWindow&, int x, int y, TapPhase phase) override {
        if (phase != TapPhase::Up) return;
        const int left = ScaledX(state, kEphemMargin + (kEphemWidth - kPictureSide) / 2), top = ScaledY(state, kPictureTop);
        const BodyMark* nearest = nullptr;
        double best = ScaledX(state, 12);
        for (const BodyMark& mark : above_) {
            const double d = std::hypot(x - left - mark.x, y - top - mark.y);
            if (d <= best) best = d, nearest = &mark;
        }
        if (nearest) SetField(state, kChosenLine, PlaceLine(*nearest));
    }

private:
    static std::string PlaceLine(const BodyMark& mark) {
        return BodyTitleName(mark.code) + "  Az " + AzimuthText(mark.place.azimuthDeg) + "  Alt " +
               AzimuthText(mark.place.altitudeDeg);
    }

    void Show(AppState& state, FormWindow& window, bool now) {
        const CalendarDateTime t = now ? LocalClockNow(state) : state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant when = LocalInstant(t, settings);
        above_.clear();
        std::string below;
        for (int code : kBodies) {
            BodyPosition place;
            BodyHorizon sky;
            if (ComputeBody(place, code, when, settings, &sky) != kEphemerisOk) continue;
            const BodyMark mark{code, {sky.azimuth, sky.altitude}};
            if (sky.altitude >= 0.0) {
                above_.push_back(mark);
            } else {
                below += (below.empty() ? "Below the horizon: " : ", ") + BodyTitleName(code) + " " +
                         AzimuthText(sky.altitude);
            }
        }
        SetField(state, kBelowLines, below.empty() ? std::string("Every body is above the horizon.") : below);
        SetField(state, kChosenLine, above_.empty() ? std::string() : std::string("Tap a body for its place."));
        Draw(state, window);
    }

    void Draw(AppState& state, FormWindow& window) {
        const int side = ScaledX(state, kPictureSide);
        Canvas canvas;
        if (!canvas.Create(side, side)) return;
        canvas.SetTextScale(state.scaleX);
        canvas.SetBackColour(kColourBlack);
        canvas.FillRect(MakeRect(0, 0, side, side));
        const bool night = state.nightLevel > 0;
        DrawHorizonFrame(canvas, side, night ? state.display.foregroundPen : MakeColour(150, 150, 170));
        std::vector<Rect> taken;
        const int dot = std::max(2, side / 70), gap = dot + ScaledX(state, 2);
        for (BodyMark& mark : above_) {
            SkyPlacePixel(mark.place, side, mark.x, mark.y);
            const Colour colour = BodyColour(state, mark.code);
            canvas.SetForeColour(colour);
            canvas.FillCircle(mark.x, mark.y, mark.code == kBodySun || mark.code == kBodyMoon ? dot + 1 : dot);
            taken.push_back(MakeRect(mark.x - dot, mark.y - dot, 2 * dot + 1, 2 * dot + 1));
        }
        for (const BodyMark& mark : above_) {
            const std::string label = BodyTitleName(mark.code) + " " + AzimuthText(mark.place.altitudeDeg);
            const TextExtent size = canvas.MeasureText(label, FontId::Small);
            const Rect box = LabelBox(mark, size, side, gap, taken);
            taken.push_back(box);
            canvas.SetTextColour(BodyColour(state, mark.code));
            canvas.DrawText(box.left, box.top, label, FontId::Small, TextBackground::Transparent);
        }
        const Rect area = MakeRect(ScaledX(state, kEphemMargin + (kEphemWidth - kPictureSide) / 2),
                                   ScaledY(state, kPictureTop), side, side);
        window.SetPicture(canvas, area);
    }

    std::vector<BodyMark> above_;
};

}  // namespace

std::unique_ptr<Form> MakeCompassChartForm() { return std::make_unique<CompassChartForm>(); }

}  // namespace vsp
