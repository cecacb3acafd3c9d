// CCD (1550): the camera of the chart's CCD frame. A sensor chosen from the built-in table (or
// "Custom") fills the pixel counts and the pixel size; the focal length and the frame's
// rotation are typed. The form shows the sensor's size in mm, the field as the chart labels it
// and the image scale; OK saves the settings, Cancel leaves them as they were.
#include <cmath>
#include <string>

#include "chart/CcdField.h"
#include "chart/ChartLabels.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "platform/FormatText.h"
#include "platform/ParseNumber.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/SaveSettings.h"
#include "tools/CameraSensors.h"

namespace vsp {
namespace {

constexpr int kTitleId = 8000;
constexpr int kSensorLabel = 1551, kSensorTrigger = 1552, kSensorList = 1553;
constexpr int kFirstLabel = 1560, kFirstEdit = 1570, kFirstUnit = 1580;
constexpr int kResult = 1590, kOk = 1591, kCancel = 1592;

enum Field { kWidth, kHeight, kPixel, kFocal, kRotation, kFieldCount };
constexpr const char* kLabels[kFieldCount] = {"Width", "Height", "Pixel size", "Focal length", "Rotation"};
constexpr const char* kUnits[kFieldCount] = {"px", "px", "\xB5m", "mm", "\xB0 (PA)"};

// Layout of the 240 x 320 screen, 96-dpi pixels.
constexpr int kMargin = 6, kRight = 240 - kMargin;
constexpr int kRowTop = 60, kRowHeight = 24, kEditLeft = 96, kEditWidth = 80, kFieldHeight = 20;
constexpr int kResultTop = kRowTop + kFieldCount * kRowHeight + 6;
constexpr int kButtonWidth = 70, kButtonTop = 320 - kPlaceButtonHeight - 6;
constexpr int kPopupRows = 10;

// The typed camera, or what is wrong with it.
struct Camera {
    int width = 0, height = 0, focal = 0;
    double pixel = 0, rotation = 0;
    std::string problem;
};

class CcdForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        t.controls = {
            {kTitleId, ControlKind::TitleButton, t.title, MakeRect(0, 0, 120, 24)},
            {kSensorLabel, ControlKind::StaticText, "Sensor", MakeRect(kMargin, 34, 56, 18)},
            {kSensorTrigger, ControlKind::PopupTrigger, "", MakeRect(62, 30, kRight - 62, 22)},
        };
        for (int i = 0; i < kFieldCount; ++i) {
            const int top = kRowTop + i * kRowHeight;
            t.controls.push_back({kFirstLabel + i, ControlKind::StaticText, kLabels[i],
                                  MakeRect(kMargin, top + 3, kEditLeft - kMargin, kFieldHeight - 3)});
            t.controls.push_back({kFirstEdit + i, ControlKind::Edit, "", MakeRect(kEditLeft, top, kEditWidth, kFieldHeight)});
            t.controls.push_back({kFirstUnit + i, ControlKind::StaticText, kUnits[i],
                                  MakeRect(kEditLeft + kEditWidth + 4, top + 3, kRight - kEditLeft - kEditWidth - 4,
                                           kFieldHeight - 3)});
        }
        t.controls.push_back({kResult, ControlKind::StaticText, "",
                              MakeRect(kMargin, kResultTop, kRight - kMargin, kButtonTop - kResultTop - 4)});
        t.controls.push_back(ButtonAt(kOk, kMargin, kButtonTop, kButtonWidth, "OK"));
        t.controls.push_back(ButtonAt(kCancel, kRight - kButtonWidth, kButtonTop, kButtonWidth, "Cancel"));
        // The list last, so that it opens over the fields.
        t.controls.push_back({kSensorList, ControlKind::List, "", MakeRect(62, 0, kRight - 62, 0), false});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        const Preferences& p = state.prefs;
        SetField(state, kFirstEdit + kWidth, std::to_string(p.ccdWidth));
        SetField(state, kFirstEdit + kHeight, std::to_string(p.ccdHeight));
        SetField(state, kFirstEdit + kPixel, Trimmed(p.ccdPixelSize));
        SetField(state, kFirstEdit + kFocal, std::to_string(p.ccdFocalLength));
        SetField(state, kFirstEdit + kRotation, Trimmed(p.ccdRotation));
        // Rows go in bottom first: each new row is inserted at the top.
        const auto sensors = CameraSensors();
        for (size_t i = sensors.size(); i-- > 0;) AddListRow(state, kSensorList, sensors[i].name);
        AddListRow(state, kSensorList, "Custom");
        SetPopupList(state, kSensorTrigger, kSensorList, -1, kPopupRows, MatchingRow(Read(state)));
        Show(state);
    }

    void OnControl(AppState& state, FormWindow&, int id, ControlNotify notify) override {
        if (id == kSensorList && notify == ControlNotify::RowChosen) {
            const int row = GetListSelection(state, kSensorList);
            if (row >= 1 && row <= int(CameraSensors().size())) {
                const CameraSensor& s = CameraSensors()[size_t(row - 1)];
                SetField(state, kFirstEdit + kWidth, std::to_string(s.widthPx));
                SetField(state, kFirstEdit + kHeight, std::to_string(s.heightPx));
                SetField(state, kFirstEdit + kPixel, Trimmed(s.pixelUm));
            }
            Show(state);
        } else if (id >= kFirstEdit && id < kFirstEdit + kFieldCount && notify == ControlNotify::TextChanged) {
            Show(state);
        } else if (id == kOk && notify == ControlNotify::Click) {
            Save(state);
        } else if (id == kCancel && notify == ControlNotify::Click) {
            BackToPreviousForm(state);
        }
    }

private:
    static std::string Trimmed(double value) {
        std::string text = FormatText("%.3f", value);
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
        return text;
    }

    static std::string Text(AppState& state, int field) {
        char text[32];
        GetField(state, kFirstEdit + field, text, sizeof text);
        return text;
    }

    // The fields read and range-checked as the settings take them.
    static Camera Read(AppState& state) {
        Camera c;
        auto whole = [&](int field, int& out, const char* message) {
            if (c.problem.empty() && (!ParseWhole(Text(state, field), out) || out < 1 || out > 100000)) c.problem = message;
        };
        auto real = [&](int field, double& out, double low, double high, const char* message) {
            if (c.problem.empty() && (!ParseWhole(Text(state, field), out) || !(out >= low && out <= high))) {
                c.problem = message;
            }
        };
        whole(kWidth, c.width, "Width: whole pixels, 1 to 100000.");
        whole(kHeight, c.height, "Height: whole pixels, 1 to 100000.");
        real(kPixel, c.pixel, 0.5, 100, "Pixel size: 0.5 to 100 \xB5m.");
        whole(kFocal, c.focal, "Focal length: 1 to 100000 mm.");
        real(kRotation, c.rotation, -360, 360, "Rotation: -360 to 360 degrees.");
        c.rotation = std::fmod(c.rotation + 360.0, 360.0);
        return c;
    }

    // The table's row (1 on) of a camera with these pixels, else 0 ("Custom").
    static int MatchingRow(const Camera& c) {
        const auto sensors = CameraSensors();
        for (size_t i = 0; i < sensors.size(); ++i) {
            const CameraSensor& s = sensors[i];
            if (s.widthPx == c.width && s.heightPx == c.height && std::fabs(s.pixelUm - c.pixel) < 1e-3) return int(i) + 1;
        }
        return 0;
    }

    void Show(AppState& state) {
        const Camera c = Read(state);
        const int row = c.problem.empty() ? MatchingRow(c) : 0;
        SetPopupLabel(state, kSensorTrigger, row == 0 ? "Custom" : CameraSensors()[size_t(row - 1)].name);
        SetListSelection(state, kSensorList, row);
        if (!c.problem.empty()) {
            SetField(state, kResult, c.problem);
            return;
        }
        const std::string width = FieldSizeLabel(CcdSkyFieldArcminutes(c.width, c.pixel, c.focal));
        const std::string height = FieldSizeLabel(CcdSkyFieldArcminutes(c.height, c.pixel, c.focal));
        SetField(state, kResult,
                 FormatText("Sensor %.2f x %.2f mm\nField %s x %s\nScale %.2f arcsec/pixel", c.width * c.pixel / 1000,
                            c.height * c.pixel / 1000, width.c_str(), height.c_str(), CcdImageScale(c.pixel, c.focal)));
    }

    void Save(AppState& state) {
        const Camera c = Read(state);
        if (!c.problem.empty()) {
            SetField(state, kResult, c.problem);
            return;
        }
        Preferences& p = state.prefs;
        p.ccdWidth = c.width;
        p.ccdHeight = c.height;
        p.ccdPixelSize = float(c.pixel);
        p.ccdFocalLength = c.focal;
        p.ccdRotation = float(c.rotation);
        if (SaveSettings(state)) BackToPreviousForm(state);
    }
};

}  // namespace

std::unique_ptr<Form> MakeCcdForm() { return std::make_unique<CcdForm>(); }

}  // namespace vsp
