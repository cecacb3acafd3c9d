#include "forms/ScopeGuidancePanel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "forms/PlaceTimeForms.h"
#include "platform/Canvas.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kRefreshTrigger = 2303, kRefreshList = 2304;
constexpr int kRefreshLabel = 2420, kTimeLabel = 2421, kTime = 2422;
constexpr int kInformationHeading = 2423, kCountsLabel = 2424, kAzimuthCount = 2425, kAltitudeCount = 2426;
constexpr int kCurrentHeading = 2427, kCurrentLabel = 2428, kCurrentAzimuth = 2429, kCurrentAltitude = 2430;
constexpr int kTargetHeading = 2431, kTargetLabel = 2432, kTargetAzimuth = 2433, kTargetAltitude = 2434;
constexpr int kDeltaLabel = 2435, kDeltaAzimuth = 2436, kDeltaAltitude = 2437;
constexpr int kPushAzimuth = 2438, kPushAltitude = 2439, kHint = 2440;

constexpr const char* kRefreshNames[] = {"Real Time", " 1/4s", " 1/2s", " 1s ", " 2s ", " 3s ", " 4s "};
constexpr uint32_t kRefreshPeriods[] = {125, 250, 500, 1000, 2000, 3000, 4000};  // ms
constexpr int kRefreshCount = int(std::size(kRefreshNames));
static_assert(std::size(kRefreshPeriods) == std::size(kRefreshNames));

// Layout, 96-dpi pixels: a label column, then the azimuth and the altitude columns.
constexpr int kMargin = 6, kLabelWidth = 104, kValueWidth = 62;
constexpr int kValueLeft = kMargin + kLabelWidth, kSecondValueLeft = kValueLeft + kValueWidth + 2;
constexpr int kTop = 28, kStep = 18, kGap = 4;
constexpr int kArrowsTop = 210, kArrowsHeight = 54, kArrowsWidth = 240 - 2 * kMargin;

// Rows go in pairs, a heading or the time above its values, a little apart from the next pair.
constexpr int RowTop(int row) { return kTop + row * kStep + row / 2 * kGap; }

void AddValueRow(FormTemplate& t, int row, int label, const char* text, int first, int second) {
    t.controls.push_back(LabelAt(label, kMargin, RowTop(row), kLabelWidth, text));
    t.controls.push_back(LabelAt(first, kValueLeft, RowTop(row), kValueWidth, ""));
    if (second) t.controls.push_back(LabelAt(second, kSecondValueLeft, RowTop(row), kValueWidth, ""));
}

// Controls shown only while there is somewhere to push to.
constexpr int kGuidanceIds[] = {kTargetHeading, kTargetLabel, kTargetAzimuth, kTargetAltitude, kDeltaLabel,
                                kDeltaAzimuth, kDeltaAltitude, kPushAzimuth, kPushAltitude};

// Closer than one encoder count the box cannot tell the tube from the target.
bool OnTarget(double delta, int32_t steps) { return std::fabs(delta) < 360.0 / std::max(1, std::abs(steps)); }

// Which way the tube goes to close `delta` (reading - target), and how far.
std::string PushText(double delta, int32_t steps, const char* decreasing, const char* increasing) {
    if (OnTarget(delta, steps)) return "on target";
    return FormatText("%s %.1f\xB0", delta > 0 ? decreasing : increasing, std::fabs(delta));
}

// An arrow `side` long centred on (cx, cy) pointing along (dx, dy), one of them +-1 and the
// other 0; a ring when the axis is on target.
void DrawArrow(Canvas& canvas, int cx, int cy, int side, int dx, int dy, bool onTarget) {
    const int half = side / 2, head = std::max(3, side / 4), thick = std::max(1, side / 20);
    if (onTarget) {
        for (int r = 0; r <= thick; ++r) canvas.DrawCircle(cx, cy, half / 2 - r);
        return;
    }
    const int tipX = cx + dx * half, tipY = cy + dy * half;
    for (int w = -thick; w <= thick; ++w)
        canvas.DrawLine(cx - dx * half + dy * w, cy - dy * half + dx * w, tipX - dx * head + dy * w,
                        tipY - dy * head + dx * w);
    for (int i = 0; i <= head; ++i) {
        const int x = tipX - dx * i, y = tipY - dy * i;
        canvas.DrawLine(x - dy * i, y - dx * i, x + dy * i, y + dx * i);
    }
}

}  // namespace

void AddGuidanceControls(FormTemplate& t) {
    t.controls.push_back(LabelAt(kRefreshLabel, kMargin, RowTop(0), kLabelWidth, "Refresh Rate"));
    t.controls.push_back(ButtonAt(kRefreshTrigger, kValueLeft, RowTop(0) - 1, kValueWidth, " 0.6s "));
    t.controls.back().kind = ControlKind::PopupTrigger;
    AddValueRow(t, 1, kTimeLabel, "Time", kTime, 0);
    t.controls.push_back(LabelAt(kInformationHeading, kMargin, RowTop(2), 228, "Encoder Informations"));
    AddValueRow(t, 3, kCountsLabel, "Encoder positions", kAzimuthCount, kAltitudeCount);
    t.controls.push_back(LabelAt(kCurrentHeading, kMargin, RowTop(4), 228, "Current Scope Position"));
    AddValueRow(t, 5, kCurrentLabel, "Hor & Elv", kCurrentAzimuth, kCurrentAltitude);
    t.controls.push_back(LabelAt(kTargetHeading, kMargin, RowTop(6), 228, "Target Scope Position"));
    AddValueRow(t, 7, kTargetLabel, "Hor & Elv", kTargetAzimuth, kTargetAltitude);
    AddValueRow(t, 8, kDeltaLabel, "Delta Hor & Elv", kDeltaAzimuth, kDeltaAltitude);
    const int pushTop = kArrowsTop + kArrowsHeight + 2, halfWidth = kArrowsWidth / 2;
    t.controls.push_back(LabelAt(kPushAzimuth, kMargin + halfWidth / 4, pushTop, halfWidth, ""));
    t.controls.push_back(LabelAt(kPushAltitude, kMargin + halfWidth + halfWidth / 4, pushTop, halfWidth, ""));
    t.controls.push_back(LabelAt(kHint, kMargin, RowTop(6), 228, ""));
    t.controls.back().rect.bottom += kStep;
    for (ControlTemplate& c : t.controls)
        for (const int id : kGuidanceIds) c.visible = c.visible && c.id != id;
    // Last, so that the open list lies over the labels.
    t.controls.push_back({kRefreshList, ControlKind::List, "", MakeRect(kValueLeft, 0, kValueWidth + 22, 0), false});
}

void ScopeGuidancePanel::Open(AppState& state) {
    for (int row = kRefreshCount - 1; row >= 0; --row) AddListRow(state, kRefreshList, kRefreshNames[row]);
    SetPopupList(state, kRefreshTrigger, kRefreshList, -1, 0, -1);
}

std::optional<uint32_t> ScopeGuidancePanel::RefreshPeriod(AppState& state, int id, ControlNotify notify) {
    if (id != kRefreshList || notify == ControlNotify::Click) return std::nullopt;
    const int row = GetListSelection(state, kRefreshList);
    if (row < 0 || row >= kRefreshCount) return std::nullopt;
    SetPopupLabel(state, kRefreshTrigger, kRefreshNames[row]);
    return kRefreshPeriods[row];
}

void ScopeGuidancePanel::Draw(AppState& state, FormWindow& window) {
    EncoderBox& box = telescope_.Dispatcher().Encoder();
    if (!box.Connect()) return;
    const ScopeMoment now = telescope_.Now();
    SetField(state, kTime, IsoClock(now.local.hour, now.local.minute, now.local.second));
    EncoderReading reading;
    if (!box.ReadAltAz(reading)) return;
    ShowReading(state, reading);
    const Alignment& alignment = telescope_.TwoStar();
    std::optional<EncoderGuidance> guidance;
    if (alignment.IsActive())
        guidance = GuideToTarget(reading, box.Target(), alignment, state.prefs.alignMethod, ClockAngleDegrees(now.local));
    // The emulated tube goes where the user would push it.
    if (guidance && telescope_.Link().Emulating()) box.SteerEmulated(-guidance->deltaAzimuth, -guidance->deltaAltitude);
    ShowGuidance(state, window, guidance);
}

void ScopeGuidancePanel::ShowReading(AppState& state, const EncoderReading& reading) {
    const TextFormats formats = telescope_.Now().formats;
    SetField(state, kAzimuthCount, FormatText("%d", reading.azimuthCount));
    SetField(state, kAltitudeCount, FormatText("%d", reading.altitudeCount));
    SetField(state, kCurrentAzimuth, DmsToStr(reading.azimuth, formats));
    SetField(state, kCurrentAltitude, DmsToStr(reading.altitude, formats));
}

void ScopeGuidancePanel::ShowGuidance(AppState& state, FormWindow& window,
                                      const std::optional<EncoderGuidance>& guidance) {
    for (const int id : kGuidanceIds) ShowControl(state, &window, id, guidance.has_value());
    ShowControl(state, &window, kHint, !guidance);
    if (!guidance) {
        SetField(state, kHint, telescope_.Dispatcher().Encoder().Target().IsSet()
                                   ? "Align on two stars to be guided to the target."
                                   : "No target: choose an object on the sky chart, then Goto.");
        window.ClearPicture();
        return;
    }
    const TextFormats formats = telescope_.Now().formats;
    SetField(state, kTargetAzimuth, DmsToStr(guidance->targetAzimuth, formats));
    SetField(state, kTargetAltitude, DmsToStr(guidance->targetAltitude, formats));
    SetField(state, kDeltaAzimuth, DmsToStr(guidance->deltaAzimuth, formats));
    SetField(state, kDeltaAltitude, DmsToStr(guidance->deltaAltitude, formats));
    const double dAz = guidance->deltaAzimuth, dAlt = guidance->deltaAltitude;
    SetField(state, kPushAzimuth, PushText(dAz, state.prefs.azSteps, "left", "right"));
    SetField(state, kPushAltitude, PushText(dAlt, state.prefs.altSteps, "down", "up"));

    const Rect area = MakeRect(ScaledX(state, kMargin), ScaledY(state, kArrowsTop), ScaledX(state, kArrowsWidth),
                               ScaledY(state, kArrowsHeight));
    Canvas canvas;
    if (!canvas.Create(area.Width(), area.Height())) return;
    canvas.SetBackColour(state.display.backgroundBrush);
    canvas.FillRect(MakeRect(0, 0, area.Width(), area.Height()));
    canvas.SetForeColour(state.display.foregroundPen);
    const int side = area.Height() * 3 / 4, quarter = area.Width() / 4, cy = area.Height() / 2;
    DrawArrow(canvas, quarter, cy, side, dAz > 0 ? -1 : 1, 0, OnTarget(dAz, state.prefs.azSteps));
    DrawArrow(canvas, 3 * quarter, cy, side, 0, dAlt > 0 ? 1 : -1, OnTarget(dAlt, state.prefs.altSteps));
    window.SetPicture(canvas, area);
}

}  // namespace vsp
