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

constexpr const char* kMonthAbbreviations[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "23h45.0" and "-70°45.0": the narrowest of the hour and angle forms, for table columns.
constexpr int kShortFormat = 3;

}  // namespace

EphemerisSettings SiteEphemeris(const AppState& state) {
    const Site& site = state.prefs.site;
    EphemerisSettings settings;
    settings.location = {site.latitude, site.longitude, double(site.elevation), site.tzOffset,
                         site.temperature, site.pressure};
    settings.chartMode = state.prefs.correction;
    settings.deltaT = state.prefs.deltaT;
    settings.currentYear = state.observingTime.year;
    return settings;
}

CalendarDateTime ObservingLocal(const AppState& state) {
    const ObservingTime& t = state.observingTime;
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

TextFormats SettingsFormats(AppState& state) { return {state.prefs.raFormat, state.prefs.decFormat, &state.info}; }

std::string ShortDateText(int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%s %02d", month >= 1 && month <= 12 ? kMonthAbbreviations[month - 1] : "???",
                  day);
    return text;
}

std::string PlaceAndDateText(const AppState& state) {
    const ObservingTime& t = state.observingTime;
    char text[96];
    std::snprintf(text, sizeof text, "%s, %s %04d  %02d:%02d", state.prefs.site.name.c_str(),
                  ShortDateText(t.month, t.day).c_str(), t.year, t.hour, t.minute);
    return text;
}

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
