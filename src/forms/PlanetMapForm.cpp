// Planet Map: the face Jupiter, Saturn or Mars turns to the Earth at the observing time, as the
// eyepiece shows it (erect, inverted or mirrored): a strip with the whole moon system and the
// disc drawn large with its belts, spot, rings, phase and the moons' shadows; under them the
// central meridians and the Great Red Spot's next crossings, the ring tilts, or the features of
// Mars facing us, and for Jupiter the moons' next phenomena.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "catalog/SurfaceFeatures.h"
#include "chart/PlanetFaceScene.h"
#include "ephemeris/Constants.h"
#include "ephemeris/GalileanEvents.h"
#include "ephemeris/GalileanMoons.h"
#include "ephemeris/JupiterFace.h"
#include "ephemeris/MarsFace.h"
#include "ephemeris/SaturnRings.h"
#include "format/EventText.h"
#include "forms/EphemerisFormKit.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Scale.h"

namespace vsp {
namespace {

constexpr int kBodyRadioFirst = 2461;  // Jupiter, Saturn, Mars
constexpr int kViewButton = 2464;
constexpr int kInfoText = 2465;

constexpr int kRadioTop = 42, kRadioWidth = 62, kViewLeft = 200 - 4;
constexpr int kStripTop = 60, kStripHeight = 34, kDiscTop = kStripTop + kStripHeight + 2, kDiscHeight = 118;
constexpr int kInfoTop = kDiscTop + kDiscHeight + 2, kInfoLines = 6;
constexpr int kDiscRadius = 48;

constexpr const char* kBodyNames[] = {"Jupiter", "Saturn", "Mars"};
constexpr AssistantBody kBodies[] = {AssistantBody::Jupiter, AssistantBody::Saturn, AssistantBody::Mars};
constexpr const char* kViewNames[] = {"Erect", "Inverted", "Mirrored"};

int BodyCode(AssistantBody body) {
    return body == AssistantBody::Saturn ? kBodySaturn : body == AssistantBody::Mars ? kBodyMars : kBodyJupiter;
}

std::string LocalClock(double jdUt, const EphemerisSettings& settings) {
    const double local = jdUt + settings.location.tzOffset / 1440.0 + 0.5;
    return ClockMinutesText((local - std::floor(local)) * 24.0);
}

std::string Degrees(double value, int decimals) { return FormatText("%.*f\xB0", decimals, value); }

// The moons' offsets at a scale that keeps the farthest within 30 radii (Callisto, Titan; not
// Iapetus) inside the strip, the disc no taller than a quarter of it.
int StripRadius(const PlanetPictureInput& picture, int width, int height) {
    double farthest = 1.0;
    for (const PictureSatellite& s : picture.satellites) {
        if (std::fabs(s.x) < 30.0) farthest = std::max(farthest, std::fabs(s.x));
    }
    return std::clamp(int((width / 2 - 8) / farthest), 2, std::max(2, height / 4));
}

// The view turned so that the planet's equator lies level, its north pole up: the moons then
// stand in one row along the strip whatever the axis's position angle.
SkyAxes EquatorLevel(const SkyAxes& a, double axisPaDeg) {
    const double c = std::cos(axisPaDeg * kDegToRad), s = std::sin(axisPaDeg * kDegToRad);
    return {c * a.eastX + s * a.northX, c * a.eastY + s * a.northY, -s * a.eastX + c * a.northX,
            -s * a.eastY + c * a.northY};
}

class PlanetMapForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        for (int i = 0; i < 3; ++i) {
            t.controls.push_back({kBodyRadioFirst + i, ControlKind::Radio, kBodyNames[i],
                                  MakeRect(kEphemMargin + i * kRadioWidth, kRadioTop, kRadioWidth - 2, 16), true,
                                  IconId::None, 1});
        }
        t.controls.push_back({kViewButton, ControlKind::Button, kViewNames[0], MakeRect(kViewLeft - 8, kRadioTop, 52, 16)});
        t.controls.push_back({kInfoText, ControlKind::StaticText, "",
                              MakeRect(kEphemMargin, kInfoTop, kEphemWidth, kInfoLines * kEphemLineHeight)});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kPlanetMapFormId);
        if (state.bodyAssistant.body == AssistantBody::None) state.bodyAssistant.body = AssistantBody::Jupiter;
        Show(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify) override {
        if (id >= kBodyRadioFirst && id < kBodyRadioFirst + 3) {
            state.bodyAssistant.body = kBodies[id - kBodyRadioFirst];
        } else if (id == kViewButton) {
            view_ = PictureView((int(view_) + 1) % 3);
        } else {
            return;
        }
        Show(state, window);
    }

private:
    void Show(AppState& state, FormWindow& window) {
        const int body = BodyCode(state.bodyAssistant.body);
        for (int i = 0; i < 3; ++i) window.FindControl(kBodyRadioFirst + i)->SetChecked(BodyCode(kBodies[i]) == body);
        window.FindControl(kViewButton)->SetText(kViewNames[int(view_)]);
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant when = LocalInstant(state.observingTime, settings);
        PlanetFaceScene scene;
        if (!BuildPlanetFaceScene(body, when, settings, state.prefs.grsLongitude, scene)) {
            SetField(state, kInfoText, "No face of this planet for this date.");
            return;
        }
        DrawPictures(state, window, scene.picture);
        std::string info;
        if (body == kBodyJupiter) info = JupiterLines(state, when, settings, scene);
        if (body == kBodySaturn) info = SaturnLines(when, scene);
        if (body == kBodyMars) info = MarsLines(state, when, scene);
        SetField(state, kInfoText, info);
    }

    // One picture: the strip with the whole system over the disc drawn large.
    void DrawPictures(AppState& state, FormWindow& window, const PlanetPictureInput& picture) {
        const int night = state.nightLevel > 0 ? ColourRed(state.display.foregroundPen) : 0;
        const int width = ScaledX(state, kEphemWidth), stripHeight = ScaledY(state, kStripHeight);
        const int discTop = ScaledY(state, kDiscTop - kStripTop), height = discTop + ScaledY(state, kDiscHeight);
        Canvas canvas;
        if (!canvas.Create(width, height)) return;
        canvas.SetTextScale(state.scaleX);
        canvas.SetBackColour(kColourBlack);
        canvas.FillRect(MakeRect(0, 0, width, height));
        if (!picture.satellites.empty()) {
            canvas.SetClip(MakeRect(0, 0, width, stripHeight));
            DrawPlanetPicture(canvas, width / 2, stripHeight / 2, StripRadius(picture, width, stripHeight), picture,
                              EquatorLevel(AxesOf(view_), picture.axisPaDeg), night);
            canvas.ResetClip();
        }
        canvas.SetClip(MakeRect(0, discTop, width, height - discTop));
        DrawPlanetPicture(canvas, width / 2, discTop + (height - discTop) / 2, ScaledX(state, kDiscRadius), picture,
                          AxesOf(view_), night);
        canvas.ResetClip();
        window.SetPicture(canvas, MakeRect(ScaledX(state, kEphemMargin), ScaledY(state, kStripTop), width, height));
    }

    static std::string JupiterLines(AppState& state, const Instant& when, const EphemerisSettings& settings,
                                    const PlanetFaceScene& scene) {
        JupiterFace face;
        ComputeJupiterFace(when, face);
        std::string lines = "CM I " + Degrees(face.centralMeridianI, 1) + "  II " + Degrees(face.centralMeridianII, 1) +
                            "  III " + Degrees(face.centralMeridianIII, 1) + "\n";
        lines += "GRS (II " + Degrees(state.prefs.grsLongitude, 0) + ") on the CM";
        const std::vector<double> grs = SystemIITransits(when, 1.0, state.prefs.grsLongitude);
        for (size_t i = 0; i < grs.size() && i < 2; ++i) lines += (i ? ", " : " ") + LocalClock(grs[i], settings);
        lines += "\nDiameter " + FormatText("%.1f\"", scene.diameterArcsec) + "  Phase " + Degrees(face.phaseAngleDeg, 1);
        const std::vector<GalileanEvent> events = FindGalileanEvents(when.ut, 1.0, when.deltaT);
        for (size_t i = 0; i < events.size() && i < 3; ++i) {
            std::string kind = GalileanEventKindName(events[i].kind);
            std::replace(kind.begin(), kind.end(), '_', ' ');
            lines += "\n" + LocalClock(events[i].jdUt, settings) + " " + GalileanMoonName(events[i].moon) + " " + kind;
        }
        return lines;
    }

    static std::string SaturnLines(const Instant& when, const PlanetFaceScene& scene) {
        SaturnRingView rings;
        SaturnRingsAt(when, rings);
        return "Ring tilt B " + FormatText("%+.2f", rings.earthTiltDeg) + "\xB0  B' " +
               FormatText("%+.2f", rings.sunTiltDeg) + "\xB0\nRing PA " + Degrees(rings.positionAngleDeg, 1) +
               "  axes " + FormatText("%.1f\" x %.1f\"", rings.majorAxisArcsec, rings.minorAxisArcsec) +
               "\nGlobe " + FormatText("%.1f\"", scene.diameterArcsec) + "  Phase " +
               Degrees(scene.picture.phaseAngleDeg, 1) +
               "\nMi Mimas  En Enceladus  Te Tethys\nDi Dione  Rh Rhea  Ti Titan  Ia Iapetus";
    }

    static std::string MarsLines(AppState& state, const Instant& when, const PlanetFaceScene& scene) {
        MarsFaceView face;
        MarsFaceAt(when, face);
        std::string lines = "CM " + Degrees(face.centralMeridianDeg, 1) + "  De " + FormatText("%+.1f", face.subEarthLatDeg) +
                            "\xB0  Ds " + FormatText("%+.1f", face.subSolarLatDeg) + "\xB0\n";
        lines += "Diameter " + FormatText("%.1f\"", scene.diameterArcsec) + "  Phase " + Degrees(face.phaseAngleDeg, 1) +
                 "  Defect " + FormatText("%.1f\"", face.defectArcsec) + "\n";
        return lines + FacingFeatures(state, face);
    }

    // The largest named features of Mars within 60 degrees of the disc's centre.
    static std::string FacingFeatures(AppState& state, const MarsFaceView& face) {
        std::vector<SurfaceFeature> features;
        std::string problem;
        if (!ReadSurfaceFeatures(state.dir, state.info, FeatureBody::kMars, features, problem)) return {};
        std::vector<const SurfaceFeature*> facing;
        const double d0 = face.subEarthLatDeg * kDegToRad;
        for (const SurfaceFeature& f : features) {
            // East longitudes in the file, west ones on the disc.
            const double dl = (-f.lonDeg - face.centralMeridianDeg) * kDegToRad, lat = f.latDeg * kDegToRad;
            const double c = std::sin(d0) * std::sin(lat) + std::cos(d0) * std::cos(lat) * std::cos(dl);
            if (c > 0.5) facing.push_back(&f);
        }
        std::sort(facing.begin(), facing.end(), [](auto* a, auto* b) { return a->diameterKm > b->diameterKm; });
        std::string line = "Facing us:";
        for (size_t i = 0; i < facing.size() && i < 5; ++i) line += (i ? ", " : " ") + facing[i]->name;
        return facing.empty() ? std::string() : line;
    }

    PictureView view_ = PictureView::kErect;
};

}  // namespace

std::unique_ptr<Form> MakePlanetMapForm() { return std::make_unique<PlanetMapForm>(); }

}  // namespace vsp
