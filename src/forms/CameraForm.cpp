// Camera Control (5300): exposures through the INDI camera the settings name (the camera
// port path, "indi://HOST:PORT/DEVICE"): exposure time, count, binning, gain and target, a
// Start button, the progress while the camera works ("Press any key to stop.") and the files
// written under shots/, as `camera expose` takes them.

#include <string>

#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "platform/ParseNumber.h"
#include "platform/Text.h"
#include "scope/IndiCamera.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/InfoBox.h"
#include "shell/ProgressBox.h"

namespace vsp {
namespace {

constexpr int kPortText = 5301, kSecondsEdit = 5302, kCountEdit = 5303, kBinEdit = 5304, kGainEdit = 5305,
              kTargetEdit = 5306, kStartButton = 5307, kStatusText = 5308, kFilesList = 5309;
constexpr int kLabelWidth = 84, kFieldLeft = kPlaceMargin + kLabelWidth, kFieldWidth = 70;
constexpr int kWidth = 240 - 2 * kPlaceMargin;
constexpr std::string_view kPressAnyKey = "Press any key to stop.";

int LineTop(int line) { return kPlaceTop + line * kPlaceLineStep; }

// The progress of the camera with the way to stop under it; everything else as the shell shows it.
class CameraProgress : public InfoSink {
public:
    explicit CameraProgress(AppState& state) : state_(state) {}
    int InfoBox(std::string_view first, std::string_view second) override { return state_.info.InfoBox(first, second); }
    void ShowProgress(std::string_view first, std::string_view second) override {
        state_.info.ShowProgress(std::string(first) + ", " + std::string(second), kPressAnyKey);
    }
    void EndProgress() override { state_.info.EndProgress(); }

private:
    AppState& state_;
};

std::string FieldText(AppState& state, int id) {
    char buffer[128] = {};
    GetField(state, id, buffer, sizeof buffer);
    return std::string(TrimBlanks(buffer));
}

class CameraForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = PlaceTimeTemplate(formId);
        ControlTemplate port = LabelAt(kPortText, kPlaceMargin, LineTop(0), kWidth, "");
        port.rect.bottom += kPlaceLineStep;  // a long address takes two lines
        t.controls.push_back(port);
        const struct {
            int id;
            const char* label;
        } fields[] = {{kSecondsEdit, "Exposure (s):"}, {kCountEdit, "Count:"}, {kBinEdit, "Binning:"},
                      {kGainEdit, "Gain:"},            {kTargetEdit, "Target:"}};
        int line = 2;
        for (const auto& field : fields) {
            t.controls.push_back(LabelAt(0, kPlaceMargin, LineTop(line) + kPlaceLabelDrop, kLabelWidth, field.label));
            t.controls.push_back(EditAt(field.id, kFieldLeft, LineTop(line), field.id == kTargetEdit ? 140 : kFieldWidth));
            ++line;
        }
        t.controls.push_back(ButtonAt(kStartButton, kPlaceMargin, LineTop(line) + 4, 60, "Start"));
        t.controls.push_back(LabelAt(kStatusText, kPlaceMargin, LineTop(line + 1) + 8, kWidth, ""));
        const int listTop = LineTop(line + 2) + 8;
        t.controls.push_back({kFilesList, ControlKind::List, "", MakeRect(kPlaceMargin, listTop, kWidth, 316 - listTop)});
        t.controls.push_back(ProgressBoxTemplate());
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        const std::string& port = state.prefs.cameraPortPath;
        SetField(state, kPortText, port.empty() ? "Camera: none (set its port path in Preference 1/7)" : "Camera: " + port);
        SetField(state, kSecondsEdit, "5");
        SetField(state, kCountEdit, "1");
        SetField(state, kBinEdit, "1");
        SetField(state, kStatusText, "Files written:");
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify) override {
        if (id == kStartButton) Start(state, window);
    }

private:
    void Start(AppState& state, FormWindow& window) {
        ExposurePlan plan;
        plan.port = state.prefs.cameraPortPath;
        double seconds = 0, gain = 0;
        const std::string gainText = FieldText(state, kGainEdit);
        if (!ParseWhole(FieldText(state, kSecondsEdit), seconds) || !(seconds >= 0 && seconds <= 86400) ||
            !ParseWhole(FieldText(state, kCountEdit), plan.count) || plan.count < 1 ||
            !ParseWhole(FieldText(state, kBinEdit), plan.binning) || plan.binning < 1 || plan.binning > 16 ||
            (!gainText.empty() && !ParseWhole(gainText, gain))) {
            InfoBox(state, "Please enter the seconds, count, binning", "and gain (or leave it empty) as numbers.");
            return;
        }
        if (plan.port.empty()) {
            InfoBox(state, "No camera port is set.", "Set the camera port path in Preference 1/7.");
            return;
        }
        plan.seconds = seconds;
        if (!gainText.empty()) plan.gain = gain;
        plan.target = Cp1252ToUtf8(FieldText(state, kTargetEdit));
        plan.site = SiteEphemeris(state).location;
        CameraProgress progress(state);
        const auto files = TakeExposures(plan, state.dir.Path("shots"), progress,
                                         [&state] { return state.loop.InputPending(); });
        window.FindControl(kFilesList)->DeleteAllRows();
        for (const auto& file : files) AddListRow(state, kFilesList, file.filename().string());
        SetField(state, kStatusText, "Files written: " + std::to_string(files.size()) + " in shots/");
    }
};

}  // namespace

std::unique_ptr<Form> MakeCameraForm() { return std::make_unique<CameraForm>(); }

}  // namespace vsp
