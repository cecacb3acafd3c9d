// SkyChart (1900). The chart is drawn into an offscreen canvas of the chart area and copied to
// the form in one piece; what the redraw left behind answers the taps. Redraws poll the input
// between star blocks and start again once the input is handled, so a drag or a key never
// waits for a deep star field.

#include "forms/ChartForm.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "chart/ChartIdentify.h"
#include "chart/ChartLabels.h"
#include "chart/ChartSetup.h"
#include "forms/ChartFormLists.h"
#include "forms/ChartScopeActions.h"
#include "forms/ChartScopeFollow.h"
#include "forms/EphemerisFormKit.h"
#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "scope/DriveTable.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"
#include "shell/Startup.h"
#include "tools/MinorBodyTargets.h"

namespace vsp {
namespace {

// Layout, 96-dpi pixels: the title and the three list triggers share the top bar; the chart
// takes the rest of the screen.
constexpr int kScreenWidth = 240, kScreenHeight = 320;
constexpr int kBarHeight = kTitleHeight;
constexpr int kTitleWidth = 68;
constexpr int kTriggerTop = 2, kTriggerHeight = 20;
constexpr int kZoomLeft = 70, kZoomWidth = 42;
constexpr int kObjectLeft = 114, kObjectWidth = 70;
constexpr int kScopeLeft = 186, kScopeWidth = 52;
constexpr int kObjectListWidth = 110, kScopeListWidth = 118;
constexpr int kObjectListRows = 14;
constexpr int kMinorBodiesFormId = 2550;  // Comets&Asteroids
// The information button in the chart's top left corner, and the band of the date and time
// line at the bottom (a tap there changes them).
constexpr int kInfoButtonSide = 26;
constexpr int kTimeLineHeight = 14, kTimeLineWidth = 150;
// A pen that moves less than this (per axis, 96-dpi pixels) taps rather than drags.
constexpr int kDragThreshold = 4;

constexpr uint32_t kTimeRefreshMs = 120000;
constexpr uint32_t kRedrawRetryMs = 40;
constexpr int kStarModeDefaultOnly = 2;

// Hardware keys of the handheld.
constexpr int kKeyPageUp = 33, kKeyPageDown = 34, kKeyClose = 193;

constexpr int kTitleId = 8000;
constexpr int kPreferencesFormId = 1400;
constexpr int kNStarFormId = 2100;

FormTemplate ChartTemplate(int formId) {
    FormTemplate t = NamedFormTemplate(formId);
    t.controls.push_back({kTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, kTitleWidth, kBarHeight}});
    const auto trigger = [&t](int id, int left, int width, const char* text) {
        t.controls.push_back({id, ControlKind::PopupTrigger, text, MakeRect(left, kTriggerTop, width, kTriggerHeight)});
    };
    trigger(kChartZoomTrigger, kZoomLeft, kZoomWidth, "");
    trigger(kChartObjectTrigger, kObjectLeft, kObjectWidth, "???");
    trigger(kChartScopeTrigger, kScopeLeft, kScopeWidth, "Scope");
    t.controls.push_back({kChartLoadingText, ControlKind::StaticText, std::string(chart_text::kLoading),
                          MakeRect(80, 150, 100, 16)});
    t.controls.push_back({kChartInfoButton, ControlKind::Button, "", MakeRect(0, kBarHeight, kInfoButtonSide, kInfoButtonSide),
                          true, IconId::Information});
    // Lists last, so that an open list lies over everything.
    t.controls.push_back({kChartZoomList, ControlKind::List, "", MakeRect(kZoomLeft, 0, kZoomWidth + 8, 0), false});
    t.controls.push_back({kChartObjectList, ControlKind::List, "",
                          MakeRect(kScreenWidth - kObjectListWidth - 2, 0, kObjectListWidth, 0), false});
    t.controls.push_back({kChartScopeList, ControlKind::List, "",
                          MakeRect(kScreenWidth - kScopeListWidth - 2, 0, kScopeListWidth, 0), false});
    return t;
}

// The mount's slew rate for a field of view: fast across wide fields, fine on narrow ones.
std::optional<ScopeRate> RateOfLevel(int level) {
    if (level <= 4) return ScopeRate(0);
    if (level <= 7) return ScopeRate(1);
    if (level <= 9) return ScopeRate(2);
    if (level <= 12) return ScopeRate(3);
    return std::nullopt;
}

class ChartForm : public Form {
public:
    ChartForm(CatalogSession& sky, Telescope& telescope, SharedObjectSelection info,
              std::shared_ptr<ObservingList> list, SharedChartCentre centre)
        : sky_(sky), telescope_(telescope), info_(std::move(info)), list_(std::move(list)), centre_(std::move(centre)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return ChartTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        state.windows.UpdateMainWindow();  // "Loading sky..." while the catalogs open
        loaded_ = Load(state);
        ShowControl(state, &window, kChartLoadingText, false);
        if (!loaded_) return;
        FillLists(state);
        // The place another form asked for, or the entry chosen on a list screen, comes to the middle.
        if (centre_ && centre_->target) CentreOnRequest(state, window);
        else if (list_->selected >= 0 && list_->selected < int(offered_.size())) ChooseObject(state, window, list_->selected);
        else Redraw(state, window);
        state.loop.SetTimer(window.Handle(), kChartRefreshTimer, kTimeRefreshMs);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kChartInfoButton) {
            InfoBox(state, chart_text::kHelpFirst, chart_text::kHelpSecond);
            return;
        }
        if (notify != ControlNotify::RowChosen || !loaded_) return;
        const int row = GetListSelection(state, id);
        if (id == kChartZoomList) ChooseZoom(state, window, row);
        else if (id == kChartObjectList) ChooseObject(state, window, row);
        else if (id == kChartScopeList) RunScopeEntry(state, window, row);
    }

    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (key.code == kKeyClose) {
            BackToPreviousForm(state);
            return true;
        }
        if (!loaded_) return false;
        const int step = std::max(1, int(area_.Width()) / 4);
        switch (key.code) {
            case kKeyUp:
            case kKeyPageUp: ChooseZoom(state, window, view_.ZoomLevel() + 1); return true;
            case kKeyDown:
            case kKeyPageDown: ChooseZoom(state, window, view_.ZoomLevel() - 1); return true;
            case kKeyLeft: MoveChart(step, 0); break;
            case kKeyRight: MoveChart(-step, 0); break;
            default: return false;
        }
        Redraw(state, window);
        return true;
    }

    void OnTap(AppState& state, FormWindow& window, int x, int y, TapPhase phase) override {
        if (!loaded_) return;
        const int cx = x - area_.left, cy = y - area_.top;
        if (phase == TapPhase::Down) {
            pen_ = PenTrack{cx, cy, cx, cy, false, area_.Contains(x, y)};
            return;
        }
        if (!pen_.onChart) return;
        if (!pen_.dragging && (std::abs(cx - pen_.downX) > ScaledX(state, kDragThreshold) ||
                               std::abs(cy - pen_.downY) > ScaledY(state, kDragThreshold))) {
            pen_.dragging = true;
        }
        if (pen_.dragging && (cx != pen_.lastX || cy != pen_.lastY)) {
            MoveChart(cx - pen_.lastX, cy - pen_.lastY);
            pen_.lastX = cx, pen_.lastY = cy;
            Redraw(state, window);
        }
        if (phase == TapPhase::Up) {
            pen_.onChart = false;
            if (!pen_.dragging) Tap(state, window, pen_.downX, pen_.downY);
        }
    }

    void OnTimer(AppState& state, FormWindow& window, int timerId) override {
        if (timerId == kChartRedrawTimer) {
            state.loop.KillTimer(window.Handle(), kChartRedrawTimer);
            Redraw(state, window);
        } else if (timerId == kChartRefreshTimer) {
            Redraw(state, window);  // the redraw moves the chart to the new time
        } else if (timerId == kChartFollowTimer && follow_.Tick(scene_)) {
            Redraw(state, window);
        }
    }

    void OnLeave(AppState& state, FormWindow& window) override {
        StopFollowing(state, window);
        Form::OnLeave(state, window);
    }

private:
    struct PenTrack {
        int downX = 0, downY = 0, lastX = 0, lastY = 0;
        bool dragging = false;
        bool onChart = false;
    };

    // ---- loading and drawing ----
    bool Load(AppState& state) {
        const CalendarDateTime local = state.observingTime;
        const EphemerisSettings settings = SiteEphemeris(state);
        if (!LoadChartScene(sky_, state.info, state.prefs, local, settings, objects_, scene_)) return false;
        scene_.formats = SettingsFormats(state);
        area_ = Rect{0, ScaledY(state, kBarHeight), ScaledX(state, kScreenWidth), ScaledY(state, kScreenHeight)};
        if (!canvas_.Create(area_.Width(), area_.Height())) {
            InfoBox(state, kOffscreenFailed, "");
            return false;
        }
        SetViewFromPreferences(view_, state.prefs, PixelUnit(state), area_.Width(), area_.Height(), local, settings);
        if (!IsHorizontalChart(view_.ChartTypeValue())) view_.SetCentre(180.0, 45.0);
        if (view_.ChartTypeValue() == kChartEquatorialSky) view_.SetCentre(view_.Sky().lstHours * 15.0, view_.Sky().latitudeDeg);
        refreshedAtMs_ = state.loop.GetClock().NowMs();
        return true;
    }

    // A redraw refreshes the time first once two minutes have passed since the last refresh.
    void RefreshTimeIfDue(AppState& state) {
        const int64_t now = state.loop.GetClock().NowMs();
        if ((now - refreshedAtMs_) / 1000 < kTimeRefreshMs / 1000) return;
        refreshedAtMs_ = now;
        if (state.prefs.timeUpdate == 0) state.observingTime = LocalClockNow(state);
        MoveChartToInstant(state.prefs, state.observingTime, SiteEphemeris(state), objects_, scene_, view_);
    }

    void Redraw(AppState& state, FormWindow& window) {
        RefreshTimeIfDue(state);
        Preferences prefs = state.prefs;
        if (follow_.Following()) prefs.starMode = kStarModeDefaultOnly;
        ChartRenderOptions options;
        options.scale = state.scaleX;
        options.stopRequested = [&state] { return state.loop.InputPending(); };
        RenderChart(canvas_, view_, pictures_, prefs, scene_, options, drawn_);
        state.windows.CopyCanvas(window, canvas_, area_);
        // The selection came to the middle; from here on the user moves the chart.
        scene_.centreOnSelection = false;
        if (drawn_.stopped) state.loop.SetTimer(window.Handle(), kChartRedrawTimer, kRedrawRetryMs);
        SetPopupLabel(state, kChartZoomTrigger, FieldOfViewText(view_.ZoomLevel()));
    }

    // Pixels the chart content moves by: horizontal charts shift, centred charts turn so that
    // the sky under the pen follows it.
    void MoveChart(int dx, int dy) {
        scene_.centreOnSelection = false;
        if (IsHorizontalChart(view_.ChartTypeValue())) {
            view_.SetOrigin(view_.CenterX() + dx, view_.CenterY() + dy);
            return;
        }
        const SkyDirection d = view_.PixelToCatalog(area_.Width() / 2.0 - dx, area_.Height() / 2.0 - dy);
        view_.CentreOnVector(view_.PrecomputeVector(d.first, d.second, false));
    }

    // ---- lists ----
    void FillLists(AppState& state) {
        // "Hide ToolBar" leaves the keys and the pen to work the chart.
        for (const int trigger : {kChartZoomTrigger, kChartObjectTrigger, kChartScopeTrigger})
            ShowControl(state, nullptr, trigger, !state.prefs.hideToolBar);
        for (int level = kZoomLevelCount - 1; level >= 0; --level) AddListRow(state, kChartZoomList, FieldOfViewText(level));
        SetPopupList(state, kChartZoomTrigger, kChartZoomList, -1, 0, view_.ZoomLevel());
        const EphemerisSettings site = SiteEphemeris(state);
        offered_ = ObjectListRows(
            objects_, MinorEntriesAt(*list_, state.dir, state.info, LocalInstant(state.observingTime, site), site));
        for (auto it = offered_.rbegin(); it != offered_.rend(); ++it) AddListRow(state, kChartObjectList, it->label);
        SetPopupList(state, kChartObjectTrigger, kChartObjectList, -1, kObjectListRows, -1);
        SetPopupLabel(state, kChartObjectTrigger, "???");
        FillScopeList(state);
    }

    void FillScopeList(AppState& state) {
        FormWindow* window = state.currentFormWindow;
        if (Control* list = window ? window->FindControl(kChartScopeList) : nullptr) list->DeleteAllRows();
        for (int entry = kChartScopeEntryCount - 1; entry >= 0; --entry)
            AddListRow(state, kChartScopeList, ScopeEntryText(ChartScopeEntry(entry), follow_.Following()));
        SetPopupList(state, kChartScopeTrigger, kChartScopeList, -1, 0, -1);
        SetPopupLabel(state, kChartScopeTrigger, "Scope");
    }

    void ChooseZoom(AppState& state, FormWindow& window, int level) {
        if (level < 0 || level >= kZoomLevelCount) return;
        view_.SetZoomLevel(level);
        state.prefs.zoomLevelHorizon = view_.ZoomLevelHorizon();
        state.prefs.zoomLevelOther = view_.ZoomLevelOther();
        SetListSelection(state, kChartZoomList, view_.ZoomLevel());
        if (follow_.Following() && !telescope_.SlewStarted()) {
            if (const auto rate = RateOfLevel(view_.ZoomLevel())) telescope_.Dispatcher().ScopeSetRate(*rate);
        }
        Redraw(state, window);
    }

    void ChooseObject(AppState& state, FormWindow& window, int row) {
        if (row < 0 || size_t(row) >= offered_.size()) return;
        const ChartSelection& chosen = offered_[size_t(row)].selection;
        Select(state, chosen);
        if (chosen.tableIndex >= 0) objects_[size_t(chosen.tableIndex)].alwaysShow = true;
        scene_.centreOnSelection = true;
        Redraw(state, window);
    }

    void CentreOnRequest(AppState& state, FormWindow& window) {
        Select(state, *centre_->target);
        if (scene_.selectedStar) scene_.selectedStar->ofDate = true;
        centre_->target.reset();
        scene_.centreOnSelection = true;
        Redraw(state, window);
    }

    // ---- the selection ----
    void Tap(AppState& state, FormWindow& window, int x, int y) {
        if (x < ScaledX(state, kTimeLineWidth) && y >= area_.Height() - ScaledY(state, kTimeLineHeight)) {
            ShowForm(state, kDateTimeFormId);
            return;
        }
        const bool horizontal = IsHorizontalChart(view_.ChartTypeValue());
        if (horizontal && follow_.Following() && !telescope_.SlewStarted()) {
            InfoBox(state, chart_text::kUseKeys, "");
            return;
        }
        const std::optional<ChartSelection> hit = IdentifyAt(view_, scene_, area_.Width(), x, y);
        if (!hit) return;
        Select(state, *hit);
        if (hit->star && telescope_.StarPickRequested()) {
            telescope_.DeliverStarPick({hit->name.empty() ? HrDesignation(hit->number) : hit->name, hit->number,
                                        hit->raHours, hit->decDeg});
            BackToPreviousForm(state);
            return;
        }
        scene_.centreOnSelection = !horizontal;
        Redraw(state, window);
    }

    void Select(AppState& state, const ChartSelection& selection) {
        if (scene_.selected >= 0) objects_[size_t(scene_.selected)].alwaysShow = false;
        selection_ = selection;
        scene_.selected = selection.tableIndex;
        scene_.selectedStar.reset();
        if (selection.tableIndex < 0) {
            const bool unnamed = selection.name.empty();
            scene_.selectedStar = ChartMark{selection.raHours, selection.decDeg, false, selection.magnitude,
                                            unnamed ? HrDesignation(selection.number) : selection.name};
        }
        const auto row = std::ranges::find_if(offered_, [&](const ObjectListRow& r) {
            return r.selection.tableIndex == selection.tableIndex && r.selection.number == selection.number;
        });
        SetListSelection(state, kChartObjectList, row == offered_.end() ? -1 : int(row - offered_.begin()));
        SetPopupLabel(state, kChartObjectTrigger, row != offered_.end() ? row->label : std::string("???"));
    }

    // ---- the telescope list ----
    void RunScopeEntry(AppState& state, FormWindow& window, int row) {
        SetPopupLabel(state, kChartScopeTrigger, "Scope");
        SetListSelection(state, kChartScopeList, -1);
        if (row < 0 || row >= kChartScopeEntryCount) return;
        switch (ChartScopeEntry(row)) {
            case ChartScopeEntry::TwoStarAlignment: ShowForm(state, kTwoStarFormId); break;
            case ChartScopeEntry::NStarAlignment: ShowForm(state, kNStarFormId); break;
            case ChartScopeEntry::GotoSelected: GotoSelected(state); break;
            case ChartScopeEntry::CentreOnScope: CentreOnScope(state, window); break;
            case ChartScopeEntry::ScopeControl:
                telescope_.SetSlewStarted(false);
                // Setting circles opened by hand show the box alone, no earlier goto's target.
                if (IsEncoderDrive(state.prefs.scopeDrive)) telescope_.Dispatcher().Encoder().ClearTarget();
                telescope_.Dispatcher().ScopeConnect();
                ShowForm(state, kScopeControlFormId);
                break;
            case ChartScopeEntry::FollowScope: ToggleFollow(state, window); break;
            case ChartScopeEntry::ObjectInformation: ShowInformation(state); break;
            case ChartScopeEntry::Preferences: ShowForm(state, kPreferencesFormId); break;
            case ChartScopeEntry::SyncOnSelected:
                if (RequireSelection(state)) SyncOnSelection(state, telescope_, *selection_, view_);
                break;
        }
    }

    bool RequireSelection(AppState& state) {
        if (!selection_) InfoBox(state, chart_text::kNoSelection, "");
        return selection_.has_value();
    }

    void GotoSelected(AppState& state) {
        if (!RequireSelection(state)) return;
        const ScopeGotoResult result = GotoSelection(state, telescope_, *selection_, view_);
        // Setting circles: the user pushes the tube, guided by the scope control form.
        if (result == ScopeGotoResult::Guidance) ShowForm(state, kScopeControlFormId);
        if (result != ScopeGotoResult::Slewing) return;
        telescope_.SetSlewStarted(true);
        // A real mount's slew is watched on the scope control form; the emulated one is
        // watched on the chart, where the scope control form left it.
        if (!telescope_.Link().Emulating()) ShowForm(state, kScopeControlFormId);
    }

    void CentreOnScope(AppState& state, FormWindow& window) {
        const std::optional<EquatorialPosition> place = ScopePlaceInSky(state, telescope_);
        if (!place) return;
        const ChartVector v = view_.PrecomputeVector(place->raHours, place->decDegrees, true);
        if (!IsHorizontalChart(view_.ChartTypeValue())) {
            view_.CentreOnVector(v);
            scene_.centreOnSelection = false;
            Redraw(state, window);
            return;
        }
        // The horizontal charts name what the telescope points at, as a tap there would.
        view_.Prepare();
        const ScreenPoint p = view_.Project(v);
        if (p.visible) {
            if (const auto hit = IdentifyAt(view_, scene_, area_.Width(), p.x, p.y)) Select(state, *hit);
        }
        Redraw(state, window);
    }

    void ToggleFollow(AppState& state, FormWindow& window) {
        if (follow_.Following()) {
            StopFollowing(state, window);
        } else if (follow_.Start(telescope_)) {
            state.loop.SetTimer(window.Handle(), kChartFollowTimer, uint32_t(ChartScopeFollow::kPeriod.count()));
            follow_.Tick(scene_);
        }
        FillScopeList(state);
        Redraw(state, window);
    }

    void StopFollowing(AppState& state, FormWindow& window) {
        if (!follow_.Following()) return;
        state.loop.KillTimer(window.Handle(), kChartFollowTimer);
        follow_.Stop();
        scene_.scope.reset();
    }

    // The information screen of the selection: a body's ephemeris, or the object's or star's
    // own information form.
    void ShowInformation(AppState& state) {
        if (!RequireSelection(state)) return;
        const ChartSelection& s = *selection_;
        if (s.kind == kKindPlanet) {
            ShowForm(state, s.number == kBodyMoon ? kMoonFormId : kPlanetsFormId);
            return;
        }
        if (s.kind == kKindMinorBody && s.tableIndex >= 0) {
            ShowForm(state, kMinorBodiesFormId);
            return;
        }
        info_->chosen = true;
        info_->catalog = s.kind;
        info_->number = s.number;
        info_->star.reset();
        if (s.star) {
            const bool bright = s.kind == kKindBrightStar || s.kind == kKindHrStar;
            info_->star = FoundStar{bright ? HrDesignation(s.number) : s.name, *s.star,
                                    s.kind == kKindBrightStar ? s.name : std::string(), bright ? s.number : 0};
            if (bright) info_->catalog = kKindHrStar;
        }
        ShowForm(state, kObjectInfoFormId);
    }

    CatalogSession& sky_;
    Telescope& telescope_;
    SharedObjectSelection info_;
    std::shared_ptr<ObservingList> list_;
    SharedChartCentre centre_;
    bool loaded_ = false;
    std::vector<ChartObject> objects_;
    ChartScene scene_;
    ChartView view_;
    ChartPictures pictures_;
    Canvas canvas_;
    ChartDrawn drawn_;
    Rect area_;
    std::vector<ObjectListRow> offered_;
    std::optional<ChartSelection> selection_;
    ChartScopeFollow follow_;
    PenTrack pen_;
    int64_t refreshedAtMs_ = 0;
};

}  // namespace

std::unique_ptr<Form> MakeChartForm(CatalogSession& sky, Telescope& telescope, SharedObjectSelection selection,
                                    std::shared_ptr<ObservingList> list, SharedChartCentre centre) {
    return std::make_unique<ChartForm>(sky, telescope, std::move(selection), std::move(list), std::move(centre));
}

}  // namespace vsp
