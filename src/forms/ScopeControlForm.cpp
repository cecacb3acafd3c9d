// ScopeControl (2400): moves the mount while a direction button or key is held, sets the slew
// rate, stops it, and shows where it points, refreshed every 600 ms, beside a small sky
// picture around that place; with setting circles, the push-to guidance panel instead. A mount
// that does not answer is stood in for by the emulated one.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "forms/ScopeGuidancePanel.h"
#include "forms/ScopeSkyPicture.h"
#include "format/AngleFormat.h"
#include "scope/DriveTable.h"
#include "scope/ScopeMessages.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kRateTrigger = 2401;
constexpr int kRateList = 2402;
constexpr int kWestButton = 2396, kEastButton = 2397, kNorthButton = 2398, kSouthButton = 2399;
constexpr int kCloseButton = 2403, kStopButton = 2404, kHelpButton = 2405;
constexpr int kEmulationText = 2406;
constexpr int kPositionFirst = 2410;  // RA, Dec, Az, Alt values
constexpr int kPositionLabelFirst = 2414;
constexpr int kRateLabel = 2418;

constexpr int kRefreshTimer = 1;
constexpr int kHoldTimer = 2;
constexpr uint32_t kRefreshMs = 600;
constexpr uint32_t kHoldRefreshMs = 125;
// A mount whose moves stop unless repeated has them repeated at each refresh.
constexpr uint32_t kRepeatedMoveRefreshMs = 2000;

// Hardware keys of the handheld and the page keys.
constexpr int kKeyPageUp = 33, kKeyPageDown = 34, kKeyRateToggle = 41;
constexpr int kKeyClose = 193, kKeyRateCycle = 194, kKeyWest = 195, kKeyEast = 196;

constexpr const char* kRateNames[] = {"Fast", "Find", "Center", "Guide"};
constexpr int kRateCount = 4;

// Layout, 96-dpi pixels.
constexpr int kMargin = 6;
constexpr int kPanelTop = 32, kLineStep = 20, kLabelWidth = 28, kValueWidth = 96;
constexpr int kPictureLeft = 136, kPictureSide = 98;
constexpr int kRateTop = 136;
constexpr int kPadTop = 166, kPadButtonWidth = 56, kPadButtonHeight = 32, kPadCentre = 120;
constexpr int kBottomTop = 290;

std::optional<ScopeDirection> DirectionOfButton(int id) {
    switch (id) {
        case kNorthButton: return ScopeDirection::North;
        case kSouthButton: return ScopeDirection::South;
        case kEastButton: return ScopeDirection::East;
        case kWestButton: return ScopeDirection::West;
        default: return std::nullopt;
    }
}

std::optional<ScopeDirection> DirectionOfKey(int code) {
    switch (code) {
        case kKeyUp:
        case kKeyPageDown: return ScopeDirection::North;
        case kKeyDown:
        case kKeyPageUp: return ScopeDirection::South;
        case kKeyRight:
        case kKeyEast: return ScopeDirection::East;
        case kKeyLeft:
        case kKeyWest: return ScopeDirection::West;
        default: return std::nullopt;
    }
}

void AddPadButton(FormTemplate& t, int id, int left, int top, const char* text) {
    t.controls.push_back({id, ControlKind::Button, text, MakeRect(left, top, kPadButtonWidth, kPadButtonHeight)});
}

void AddMotionControls(FormTemplate& t) {
    constexpr const char* kLabels[] = {"RA", "Dec", "Az", "Alt"};
    for (int i = 0; i < 4; ++i) {
        const int top = kPanelTop + i * kLineStep;
        t.controls.push_back(LabelAt(kPositionLabelFirst + i, kMargin, top, kLabelWidth, kLabels[i]));
        t.controls.push_back(LabelAt(kPositionFirst + i, kMargin + kLabelWidth, top, kValueWidth, ""));
    }
    t.controls.push_back(LabelAt(kEmulationText, kMargin, kPanelTop + 4 * kLineStep, 124, ""));
    t.controls.push_back(LabelAt(kRateLabel, kMargin, kRateTop, 50, "Speed"));
    t.controls.push_back(ButtonAt(kRateTrigger, kMargin + 50, kRateTop, 78, kRateNames[0]));
    t.controls.back().kind = ControlKind::PopupTrigger;
    const int side = kPadCentre - kPadButtonWidth / 2;
    AddPadButton(t, kNorthButton, side, kPadTop, "North");
    AddPadButton(t, kWestButton, side - kPadButtonWidth - 4, kPadTop + kPadButtonHeight + 4, "West");
    AddPadButton(t, kStopButton, side, kPadTop + kPadButtonHeight + 4, "Stop");
    AddPadButton(t, kEastButton, side + kPadButtonWidth + 4, kPadTop + kPadButtonHeight + 4, "East");
    AddPadButton(t, kSouthButton, side, kPadTop + 2 * (kPadButtonHeight + 4), "South");
    // Last, so that the open list lies over the buttons.
    t.controls.push_back({kRateList, ControlKind::List, "", MakeRect(kMargin + 50, 0, 78, 0), false});
}

FormTemplate ScopeControlTemplate(int formId, bool encoder) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.push_back(ButtonAt(kHelpButton, kMargin, kBottomTop, 50, "Help"));
    t.controls.push_back(ButtonAt(kCloseButton, 240 - kMargin - 60, kBottomTop, 60, "Close"));
    if (!encoder) {
        AddMotionControls(t);
        return t;
    }
    t.controls.push_back(LabelAt(kEmulationText, 100, 2, 240 - kMargin - 100, ""));
    AddGuidanceControls(t);
    return t;
}

// Holding a direction button: the pen going down starts the motion, lifting it stops it,
// wherever the pen has slid meanwhile.
class HoldHook : public ControlHook {
public:
    using Action = std::function<void(int id, bool down)>;
    explicit HoldHook(Action action) : action_(std::move(action)) {}
    bool OnTap(Control& control, int, int, TapPhase phase) override {
        if (phase != TapPhase::Move) action_(control.Id(), phase == TapPhase::Down);
        return true;
    }
    bool CapturesStylus() const override { return true; }

private:
    Action action_;
};

class ScopeControlForm : public Form {
public:
    ScopeControlForm(CatalogSession& sky, Telescope& telescope) : sky_(sky), telescope_(telescope) {}

    FormTemplate BuildTemplate(AppState& state, int formId) override {
        return ScopeControlTemplate(formId, IsEncoderDrive(state.prefs.scopeDrive));
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        ScopeDispatcher& scope = telescope_.Dispatcher();
        telescope_.Link().SetBusyIndicator([&state](bool busy) {
            SetField(state, kEmulationText, busy ? "Waiting for the telescope..." : "");
            state.windows.UpdateMainWindow();
        });
        if (!scope.ScopeConnect()) {
            telescope_.Link().SetEmulating(true);
            InfoBox(state, scope_text::kActivatingEmulation, "");
        }
        if (telescope_.Link().Emulating()) SetField(state, kEmulationText, "Emulated telescope");
        if (IsEncoderDrive(state.prefs.scopeDrive)) {
            guidance_.Open(state);
        } else {
            for (int rate = kRateCount - 1; rate >= 0; --rate) AddListRow(state, kRateList, kRateNames[rate]);
            SetPopupList(state, kRateTrigger, kRateList, -1, 0, 0);
            ApplyRate(state, 0);
            for (const int id : {kNorthButton, kSouthButton, kEastButton, kWestButton}) {
                window.FindControl(id)->Subclass(std::make_unique<HoldHook>([this, &state, &window](int id, bool down) {
                    if (down) StartHold(state, window, *DirectionOfButton(id));
                    else StopHold(state, window);
                }));
            }
        }
        Refresh(state, window);
        state.loop.SetTimer(window.Handle(), kRefreshTimer, kRefreshMs);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (const auto period = guidance_.RefreshPeriod(state, id, notify)) {
            state.loop.SetTimer(window.Handle(), kRefreshTimer, *period);
        } else if (id == kRateList && notify != ControlNotify::Click) {
            ApplyRate(state, GetListSelection(state, kRateList));
        } else if (id == kStopButton) {
            telescope_.Dispatcher().ScopeStop();
        } else if (id == kCloseButton) {
            BackToPreviousForm(state);
        } else if (id == kHelpButton) {
            InfoBox(state, scope_text::kHelpFirst, scope_text::kHelpSecond);
        }
    }

    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (key.code == kKeyClose) {
            BackToPreviousForm(state);
            return true;
        }
        if (IsEncoderDrive(state.prefs.scopeDrive)) return false;
        if (key.code == kKeyRateCycle) {
            ApplyRate(state, (rate_ + 1) % kRateCount);
        } else if (key.code == kKeyRateToggle) {
            ApplyRate(state, rate_ == 0 ? 2 : 0);
        } else if (const auto direction = DirectionOfKey(key.code)) {
            StartHold(state, window, *direction);
        } else {
            return false;
        }
        return true;
    }

    void OnKeyUp(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (DirectionOfKey(key.code) == held_) StopHold(state, window);
    }

    void OnTimer(AppState& state, FormWindow& window, int timerId) override {
        if (timerId == kHoldTimer && held_) {
            if (MovesStopUnlessRepeated(state.prefs.scopeDrive)) telescope_.Dispatcher().ScopeMove(*held_);
            Refresh(state, window);
        } else if (timerId == kRefreshTimer && !held_) {
            Refresh(state, window);
        }
    }

    void OnLeave(AppState& state, FormWindow& window) override {
        ScopeDispatcher& scope = telescope_.Dispatcher();
        telescope_.Link().SetBusyIndicator(nullptr);
        telescope_.Link().SetEmulating(false);
        if (FindDrive(state.prefs.scopeDrive).value_or(DriveInfo{}).stopsOnClose) scope.ScopeStop();
        // "Upon need": the port is given back once the user is done with the mount, so that
        // another program may use it; "Persistant" keeps it for the next operation.
        if (state.prefs.linkMode == 0) telescope_.Link().SetKeepOpen(0);
        scope.ScopeDisconnect();
        Form::OnLeave(state, window);
    }

private:
    void ApplyRate(AppState& state, int rate) {
        if (rate < 0 || rate >= kRateCount) return;
        rate_ = rate;
        SetListSelection(state, kRateList, rate);
        SetPopupLabel(state, kRateTrigger, kRateNames[rate]);
        telescope_.Dispatcher().ScopeSetRate(ScopeRate(rate));
    }

    void StartHold(AppState& state, FormWindow& window, ScopeDirection direction) {
        if (held_ == direction) return;  // a key repeating while held
        StopHold(state, window);
        held_ = direction;
        telescope_.Dispatcher().ScopeMove(direction);
        const bool repeated = MovesStopUnlessRepeated(state.prefs.scopeDrive);
        state.loop.SetTimer(window.Handle(), kHoldTimer, repeated ? kRepeatedMoveRefreshMs : kHoldRefreshMs);
    }

    void StopHold(AppState& state, FormWindow& window) {
        if (!held_) return;
        state.loop.KillTimer(window.Handle(), kHoldTimer);
        telescope_.Dispatcher().ScopeStopAxis(*std::exchange(held_, std::nullopt));
        Refresh(state, window);
    }

    // The position read from the mount; the last good one stays when a read fails.
    void Refresh(AppState& state, FormWindow& window) {
        const int drive = state.prefs.scopeDrive;
        if (IsEncoderDrive(drive)) {
            guidance_.Draw(state, window);
            return;
        }
        if (!IsNoDrive(drive)) {
            EquatorialPosition read;
            if (telescope_.Dispatcher().ScopeGetPosition(read)) position_ = read;
        }
        if (position_) ShowPosition(state, *position_);
        const Rect area = MakeRect(ScaledX(state, kPictureLeft), ScaledY(state, kPanelTop),
                                   ScaledX(state, kPictureSide), ScaledX(state, kPictureSide));
        DrawScopeSky(state, sky_, window, area, position_ ? &*position_ : nullptr);
    }

    void ShowPosition(AppState& state, const EquatorialPosition& p) {
        const ScopeMoment now = telescope_.Now();
        const HorizontalPlace sky = HorizontalOf(now, p);
        SetField(state, kPositionFirst, HMSToStr(p.raHours, now.formats));
        SetField(state, kPositionFirst + 1, DmsToStr(p.decDegrees, now.formats));
        SetField(state, kPositionFirst + 2, DmsToStr(sky.azimuth, now.formats));
        SetField(state, kPositionFirst + 3, DmsToStr(sky.altitude, now.formats));
    }

    CatalogSession& sky_;
    Telescope& telescope_;
    int rate_ = 0;
    std::optional<ScopeDirection> held_;
    std::optional<EquatorialPosition> position_;
    ScopeGuidancePanel guidance_{telescope_};
};

}  // namespace

std::unique_ptr<Form> MakeScopeControlForm(CatalogSession& sky, Telescope& telescope) {
    return std::make_unique<ScopeControlForm>(sky, telescope);
}

}  // namespace vsp
