#include "forms/EphemerisFormKit.h"

#include <cstdio>

#include "format/AngleFormat.h"
#include "format/EventText.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/Scale.h"

namespace vsp {
namespace {

// "23h45.0" and "-70°45.0": the narrowest of the hour and angle forms, for table columns.
constexpr int kShortFormat = 3;

}  // namespace

std::string RiseSetCells(const RiseTransitSetTimes& times) {
    switch (times.status) {
        case RiseSetStatus::Circumpolar: return "\tall day\t";
        case RiseSetStatus::NeverRises: return "\tnot up\t";
        case RiseSetStatus::Normal: break;
    }
    return ClockMinutesText(times.rise) + "\t" + ClockMinutesText(times.transit) + "\t" + ClockMinutesText(times.set);
}

std::string PlaceCells(AppState& state, const BodyPosition& place) {
    char magnitude[16];
    std::snprintf(magnitude, sizeof magnitude, "%.1f", place.magnitude);
    return HMSToStr(place.rightAscension, kShortFormat, &state.info) + "\t" +
           DmsToStr(place.declination, kShortFormat) + "\t" + magnitude;
}

FormTemplate EphemerisTemplate(int formId) {
    FormTemplate t = NamedFormTemplate(formId);
    t.controls.push_back({kEphemTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, 120, kTitleHeight}});
    t.controls.push_back(TextAt(kEphemCaptionId, kEphemMargin, kEphemCaptionTop, kEphemWidth));
    return t;
}

ControlTemplate TextAt(int id, int left, int top, int width, std::string text) {
    return {id, ControlKind::StaticText, std::move(text), MakeRect(left, top, width, kEphemLineHeight)};
}

void AddColumnHeads(FormTemplate& t, int firstId, int left, int top, const std::vector<int>& widths,
                    const std::vector<const char*>& heads) {
    int x = left + 1;  // inside the list's frame
    for (size_t i = 0; i < widths.size() && i < heads.size(); ++i) {
        t.controls.push_back(TextAt(firstId + int(i), x, top, widths[i], heads[i]));
        x += widths[i];
    }
}

void SetColumnHeads(AppState& state, int firstId, const std::vector<const char*>& heads) {
    for (size_t i = 0; i < heads.size(); ++i) SetField(state, firstId + int(i), heads[i]);
}

void AddRadioPair(FormTemplate& t, int firstId, int top, const char* first, const char* second) {
    constexpr int kRadioWidth = 80, kRadioHeight = 16, kGroup = 1;
    for (int i = 0; i < 2; ++i) {
        t.controls.push_back({firstId + i, ControlKind::Radio, i == 0 ? first : second,
                              MakeRect(kEphemMargin + i * (kRadioWidth + 4), top, kRadioWidth, kRadioHeight), true,
                              IconId::None, kGroup});
    }
}

void SetListColumns(AppState& state, FormWindow& window, int listId, const std::vector<int>& widths) {
    Control* list = window.FindControl(listId);
    if (!list) return;
    std::vector<int> device;
    for (int w : widths) device.push_back(ScaledX(state, w));
    list->SetColumns(std::move(device));
}

void FillList(AppState& state, FormWindow& window, int listId, const std::vector<std::string>& rows) {
    Control* list = window.FindControl(listId);
    if (!list) return;
    list->DeleteAllRows();
    list->SetTopRow(0);
    list->SetSelectionMark(-1);
    // Each row goes in at the top, so the last comes first.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) AddListRow(state, listId, *row);
}

void OpenEphemerisForm(AppState& state, FormWindow& window, int formId) {
    InitTitle(state, window);
    EnterForm(state, formId);
    SetField(state, kEphemCaptionId, PlaceAndDateText(state));
}

}  // namespace vsp
