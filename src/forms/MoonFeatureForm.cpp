// Moon Feature: the Moon's named craters, seas and mountains. Typing finds them by name; with
// nothing typed the list holds those the terminator crosses tonight, largest first. A row shows
// the feature's type, size and selenographic place, whether it faces us and lies in sunlight, the
// next sunrise and sunset on it within a month, and marks it on the Moon drawn with its
// terminator.

#include <cmath>
#include <string>
#include <vector>

#include "catalog/SurfaceFeatures.h"
#include "chart/PlanetFaceScene.h"
#include "ephemeris/MoonFace.h"
#include "format/CalendarText.h"
#include "format/EventText.h"
#include "forms/EphemerisFormKit.h"
#include "forms/PlaceTimeForms.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "shell/Scale.h"
#include "tools/MoonTerminatorFeatures.h"

namespace vsp {
namespace {

constexpr int kFindEdit = 6031;
constexpr int kListHead = 6032;
constexpr int kFeatureList = 6033;
constexpr int kDetails = 6034;

constexpr int kFindTop = 42, kHeadTop = 60, kListTop = 74, kListRows = 6;
constexpr int kPictureTop = kListTop + kListRows * kEphemRowHeight + 6, kPictureSide = 96;
constexpr int kDetailsLeft = kEphemMargin + kPictureSide + 4, kDetailsWidth = 240 - kDetailsLeft - kEphemMargin;
constexpr int kShownLimit = 60;
constexpr double kMoonRadiusKm = 1737.4;  // mean radius (IAU)
const std::vector<int> kColumns = {112, 62, 58};

std::string LocalDayClock(double jdUt, const EphemerisSettings& settings) {
    const CalendarDateTime t = CalendarFromJulianDay(jdUt + settings.location.tzOffset / 1440.0);
    return ShortDate(t.month, t.day) + " " + ClockMinutesText(t.hour + t.minute / 60.0 + t.second / 3600.0);
}

std::string Coordinates(const SurfaceFeature& f) {
    return FormatText("%.1f\xB0%c %.1f\xB0%c", std::fabs(f.latDeg), f.latDeg < 0 ? 'S' : 'N', std::fabs(f.lonDeg),
                      f.lonDeg < 0 ? 'W' : 'E');
}

class MoonFeatureForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        t.controls.push_back(TextAt(kFindEdit - 10, kEphemMargin, kFindTop + 1, 36, "Find"));
        t.controls.push_back(EditAt(kFindEdit, 40, kFindTop, 240 - 40 - kEphemMargin));
        t.controls.push_back(TextAt(kListHead, kEphemMargin, kHeadTop, kEphemWidth));
        t.controls.push_back({kFeatureList, ControlKind::List, "",
                              MakeRect(kEphemMargin, kListTop, kEphemWidth, kListRows * kEphemRowHeight + 2)});
        t.controls.push_back({kDetails, ControlKind::StaticText, "",
                              MakeRect(kDetailsLeft, kPictureTop, kDetailsWidth, 7 * kEphemLineHeight)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kMoonFeatureFormId);
        SetListColumns(state, window, kFeatureList, kColumns);
        const EphemerisSettings settings = SiteEphemeris(state);
        when_ = LocalInstant(state.observingTime, settings);
        face_ = MoonFaceAt(when_);
        std::string problem;
        if (!ReadSurfaceFeatures(state.dir, state.info, FeatureBody::kMoon, features_, problem)) {
            SetField(state, kListHead, "No lunar features: run vespertar data build.");
        }
        window.SetFocusedControl(kFindEdit);
        Fill(state, window, "");
        Choose(state, window, shown_.empty() ? -1 : 0);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kFindEdit && notify == ControlNotify::TextChanged) {
            Fill(state, window, window.FindControl(kFindEdit)->Text());
            Choose(state, window, shown_.empty() ? -1 : 0);
        }
        if (id == kFeatureList && notify == ControlNotify::RowChosen) Choose(state, window, GetListSelection(state, kFeatureList));
    }

private:
    void Fill(AppState& state, FormWindow& window, const std::string& typed) {
        shown_.clear();
        if (typed.empty()) {
            for (const TerminatorFeature& t : FeaturesNearTerminator(features_, face_)) shown_.push_back(t.feature);
            if (!features_.empty()) SetField(state, kListHead, "Near the terminator, largest first");
        } else {
            shown_ = FindSurfaceFeatures(features_, typed);
            SetField(state, kListHead, shown_.empty() ? "No feature is named \"" + typed + "\"."
                                                      : std::to_string(shown_.size()) + " named \"" + typed + "...\"");
        }
        if (shown_.size() > size_t(kShownLimit)) shown_.resize(kShownLimit);
        std::vector<std::string> rows;
        for (const SurfaceFeature* f : shown_)
            rows.push_back(f->name + "\t" + FeatureTypeName(f->type) + "\t" + FormatText("%.0f km", f->diameterKm));
        FillList(state, window, kFeatureList, rows);
    }

    void Choose(AppState& state, FormWindow& window, int row) {
        const SurfaceFeature* f = row >= 0 && row < int(shown_.size()) ? shown_[size_t(row)] : nullptr;
        if (row >= 0) SetListSelection(state, kFeatureList, row);
        Draw(state, window, f);
        if (!f) {
            SetField(state, kDetails, "");
            return;
        }
        const EphemerisSettings settings = SiteEphemeris(state);
        const bool facing = IsOnVisibleFace(face_, f->lonDeg, f->latDeg);
        const bool lit = TerminatorDistanceDeg(face_, f->lonDeg, f->latDeg) > 0.0;
        const auto sunrise = NextTerminatorPassage(when_, f->lonDeg, true, kTerminatorPassageDays);
        const auto sunset = NextTerminatorPassage(when_, f->lonDeg, false, kTerminatorPassageDays);
        std::string text = f->name + "\n" + Coordinates(*f) + "\n" + FormatText("%.0f km ", f->diameterKm) +
                           FeatureTypeName(f->type) + "\n" + (facing ? "Facing us, " : "Turned away, ") +
                           (lit ? "in sunlight" : "in the night") + "\n";
        text += "Sunrise " + (sunrise ? LocalDayClock(sunrise->ut, settings) : std::string("-")) + "\n";
        text += "Sunset " + (sunset ? LocalDayClock(sunset->ut, settings) : std::string("-"));
        SetField(state, kDetails, text);
    }

    void Draw(AppState& state, FormWindow& window, const SurfaceFeature* f) {
        const EphemerisSettings settings = SiteEphemeris(state);
        PlanetFaceScene scene;
        if (!BuildPlanetFaceScene(kBodyMoon, when_, settings, 0.0, scene)) return;
        if (f) {
            scene.picture.markLatDeg = f->latDeg;
            scene.picture.markLonDeg = f->lonDeg;
            scene.picture.markRadiusDeg = f->diameterKm / 2.0 / kMoonRadiusKm / kDegToRad;
        }
        const int side = ScaledX(state, kPictureSide);
        Canvas canvas;
        if (!canvas.Create(side, side)) return;
        canvas.SetBackColour(kColourBlack);
        canvas.FillRect(MakeRect(0, 0, side, side));
        const int night = state.nightLevel > 0 ? ColourRed(state.display.foregroundPen) : 0;
        // North up; the southern hemisphere's observers see it turned, as the Moon form shows it.
        const PictureView view = state.prefs.site.latitude < 0 ? PictureView::kInverted : PictureView::kErect;
        DrawPlanetPicture(canvas, side / 2, side / 2, side / 2 - 2, scene.picture, AxesOf(view), night);
        window.SetPicture(canvas, MakeRect(ScaledX(state, kEphemMargin), ScaledY(state, kPictureTop), side, side));
    }

    std::vector<SurfaceFeature> features_;
    std::vector<const SurfaceFeature*> shown_;
    Instant when_;
    MoonFaceView face_;
};

}  // namespace

std::unique_ptr<Form> MakeMoonFeatureForm() { return std::make_unique<MoonFeatureForm>(); }

}  // namespace vsp
