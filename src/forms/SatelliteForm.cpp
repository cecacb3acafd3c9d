// Satellites (2800): the current satellite of the database where it stands at the form's time,
// its passes, its visible passes with their magnitudes, the passes or flares of every
// satellite, and the sky of one pass. Searches run
// on the window's thread and stop at the first key or tap. The element-set popup finds a
// satellite by typed name or number, updates the database from the settings' addresses and
// imports a file or address typed in the window.

#include "forms/SatelliteForm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/ImportText.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "forms/FolderChoice.h"
#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "forms/SatelliteInfoLines.h"
#include "forms/SatelliteSkyView.h"
#include "platform/FormatText.h"
#include "platform/Text.h"
#include "satellites/CatalogNumber.h"
#include "satellites/ElementSetImport.h"
#include "satellites/Flare.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"
#include "satellites/SatelliteSearches.h"
#include "satellites/VisiblePassSearch.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/ProgressBox.h"
#include "shell/Scale.h"

namespace vsp {
namespace {

constexpr int kPrevButton = 2801, kNextButton = 2802, kNameText = 2803;
constexpr int kInfoLabelFirst = 2810, kInfoValueFirst = 2830, kInfoRows = 15;
constexpr int kLocalTimesText = 2850, kMinElevationLabel = 2851, kMinElevationTrigger = 2852;
constexpr int kMinElevationList = 2853, kHeaderList = 2854, kResultList = 2855, kStatusText = 2856;
constexpr int kInfoButton = 2860, kPassesButton = 2861, kAllPassesButton = 2862, kFlaresButton = 2863;
constexpr int kSetsTrigger = 2864, kSetsList = 2865, kEntryLabel = 2866, kEntryEdit = 2867, kEntryButton = 2868;
constexpr int kChoiceList = 2869, kVisibleButton = 2870, kDeepSpaceTrigger = 2871, kDeepSpaceList = 2872;

// Layout, 96-dpi pixels.
constexpr int kMargin = 6, kTop = 46, kRowStep = 16, kLabelWidth = 84;
constexpr int kListTop = 100, kListHeight = 168, kStatusTop = 272, kButtonTop = 294;
constexpr int kSkySide = 210;
constexpr int kEntryTop = kTop + 18, kMatchTop = kEntryTop + 26;
// The information view's last two lines need this much height below the name.
constexpr int kRoomForAllRows = 15;

// Page Up and Down arrow move to the following satellite, Page Down and Up arrow to the
// preceding one.
constexpr int kKeyPageUp = 33, kKeyPageDown = 34;

enum class View { Information, Passes, AllPasses, Flares, VisiblePasses, PassSky, Find, Import };
bool IsListView(View view) {
    return view == View::Passes || view == View::AllPasses || view == View::Flares || view == View::VisiblePasses;
}

// The pure red of the information view's age once the elements are old; at night, the
// brightest red the night levels have.
Colour OldElementsColour(const AppState& state) {
    if (state.nightLevel == 0) return MakeColour(0xFF, 0, 0);
    return Colour(*std::max_element(state.redIntensity.begin(), state.redIntensity.end()));
}

// The rows of the element-set popup, in this order.
enum class SetsRow { Find, Update, Import };
constexpr const char* kSetsRows[] = {"Find", "Update", "Import file"};
constexpr const char* kSetsLabel = "TLE";
// Matches listed while a name is typed; the first ones are the likely ones.
constexpr size_t kMatchLimit = 100;

struct Column {
    const char* title;
    int width;  // 96-dpi pixels
};
const std::vector<Column>& ColumnsOf(View view) {
    static const std::vector<Column> passes = {{"Date", 34}, {"Aos", 36}, {"Max", 36}, {"Los", 36},
                                               {"Alt", 26}, {"Durat\xB0", 44}};
    static const std::vector<Column> all = {{"Name", 92}, {"Date", 36}, {"Time", 56}, {"Alt", 28}};
    static const std::vector<Column> flares = {{"Name", 76}, {"Date", 34}, {"Time", 56}, {"Mag", 30}, {"Alt", 28}};
    static const std::vector<Column> visible = {{"Date", 38}, {"Aos", 36}, {"Max", 36}, {"Los", 36},
                                                {"Alt", 28}, {"Mag", 34}};
    if (view == View::VisiblePasses) return visible;
    return view == View::AllPasses ? all : view == View::Flares ? flares : passes;
}

// The minimum-elevation rows: passes / flares, "15/30°".
constexpr int kMinElevationRows = 11;
std::string MinElevationText(int index) {
    return std::to_string(PassMinimumElevation(index)) + "/" + std::to_string(FlareMinimumElevation(index)) + "\xB0";
}

// The "Deep-space orbits" rows, and what the closed popup beside the minimum elevation has room
// for.
constexpr const char* kDeepSpaceRows[] = {"Near-Earth formulas", "SDP4"};
constexpr const char* kDeepSpaceLabels[] = {"Near-Earth", "SDP4"};

// A result time (Julian Date + zone offset) as the local clock shows it.
CalendarDateTime LocalOf(double shiftedJd) { return CalendarFromJulianDay(shiftedJd); }

SatelliteObserver FormObserver(const AppState& state) {
    return SearchObserver(SiteEphemeris(state).location, DeepSpaceOrbitsSetting(state.prefs));
}

std::string ResultRow(const SatelliteSearchResult& r, View view) {
    const CalendarDateTime rise = LocalOf(r.riseTime), set = LocalOf(r.setTime);
    const std::string date = NumericDayMonth(rise.month, rise.day, true);
    if (view == View::Passes) {
        const CalendarDateTime middle = LocalOf((r.riseTime + r.setTime) / 2.0);
        return date + "\t" + ClockMinutes(rise.hour, rise.minute) + "\t" +
               ClockMinutes(middle.hour, middle.minute) + "\t" + ClockMinutes(set.hour, set.minute) +
               "\t" + std::to_string(r.maxElevationDeg) + "\xB0\t" +
               FormatText("%dm%d", r.durationS / 60, r.durationS % 60);
    }
    const CalendarDateTime at = LocalOf(view == View::Flares ? r.flareTime : r.riseTime);
    std::string row = r.name + "\t" + NumericDayMonth(at.month, at.day, true) + "\t" +
                      IsoClock(at.hour, at.minute, at.second);
    if (view == View::Flares) row += "\t" + std::to_string(r.magnitude);
    return row + "\t" + std::to_string(r.maxElevationDeg) + "\xB0";
}

// A visible pass: local date and the clock at rise, culmination and set, the culmination's
// elevation and the magnitude there ("-" where no standard magnitude is known).
std::string VisibleRow(const VisiblePass& v, int tzOffsetMinutes) {
    const double zone = tzOffsetMinutes / 1440.0;
    const CalendarDateTime rise = LocalOf(v.pass.riseJd + zone), max = LocalOf(v.pass.maxJd + zone),
                           set = LocalOf(v.pass.setJd + zone);
    return NumericDayMonth(rise.month, rise.day, true) + "\t" + ClockMinutes(rise.hour, rise.minute) + "\t" +
           ClockMinutes(max.hour, max.minute) + "\t" + ClockMinutes(set.hour, set.minute) + "\t" +
           std::to_string(RoundHalfUp(v.pass.maxElevationDeg)) + "\xB0\t" +
           (v.magnitude ? FormatText("%.1f", *v.magnitude) : std::string("-"));
}

FormTemplate SatelliteTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.back().rect.right = 96;  // the title leaves room for the arrows
    t.controls.push_back(ButtonAt(kPrevButton, 150, 1, 40, "<"));
    t.controls.push_back(ButtonAt(kNextButton, 194, 1, 40, ">"));
    t.controls.push_back(LabelAt(kNameText, kMargin, 26, 240 - 2 * kMargin, ""));
    for (int i = 0; i < kInfoRows; ++i) {
        const int top = kTop + i * kRowStep;
        // The block headings take the whole line.
        const bool heading = std::ranges::count(kSatelliteInfoHeadingRows, i) > 0;
        t.controls.push_back(LabelAt(kInfoLabelFirst + i, kMargin, top, heading ? 240 - 2 * kMargin : kLabelWidth, ""));
        t.controls.push_back(LabelAt(kInfoValueFirst + i, kMargin + kLabelWidth, top, 240 - 2 * kMargin - kLabelWidth, ""));
    }
    t.controls.push_back(LabelAt(kLocalTimesText, kMargin, kTop, 240 - 2 * kMargin, std::string(kTimesAreLocal)));
    t.controls.push_back(LabelAt(kMinElevationLabel, kMargin, kTop + 20, 100, "Min. elevation"));
    t.controls.push_back(ButtonAt(kMinElevationTrigger, 110, kTop + 18, 70, ""));
    t.controls.back().kind = ControlKind::PopupTrigger;
    // Beside the minimum elevation, which it follows too: the list views' fifth mode.
    t.controls.push_back(ButtonAt(kVisibleButton, 184, kTop + 18, 50, "Visible"));
    // On the information view's first heading row, for deep-space orbits only: the choice
    // decides what the rows below show.
    t.controls.push_back(ButtonAt(kDeepSpaceTrigger, 150, kTop - 1, 84, ""));
    t.controls.back().kind = ControlKind::PopupTrigger;
    t.controls.back().visible = false;
    t.controls.push_back({kHeaderList, ControlKind::List, "", MakeRect(kMargin, kListTop - 18, 228, 16)});
    t.controls.push_back({kResultList, ControlKind::List, "", MakeRect(kMargin, kListTop, 228, kListHeight)});
    t.controls.push_back(LabelAt(kStatusText, kMargin, kStatusTop, 240 - 2 * kMargin, ""));
    t.controls.push_back(ButtonAt(kInfoButton, 2, kButtonTop, 52, "Info"));
    t.controls.push_back(ButtonAt(kPassesButton, 56, kButtonTop, 60, "Passes"));
    t.controls.push_back(ButtonAt(kAllPassesButton, 118, kButtonTop, 50, "All"));
    t.controls.push_back(ButtonAt(kFlaresButton, 170, kButtonTop, 68, "Flares"));
    // The title line's free spot, between the title and the arrows.
    t.controls.push_back(ButtonAt(kSetsTrigger, 100, 1, 46, kSetsLabel));
    t.controls.back().kind = ControlKind::PopupTrigger;
    t.controls.push_back(LabelAt(kEntryLabel, kMargin, kTop, 240 - 2 * kMargin, ""));
    t.controls.push_back(EditAt(kEntryEdit, kMargin, kEntryTop, 170));
    t.controls.push_back(ButtonAt(kEntryButton, 182, kEntryTop - 2, 52, ""));
    t.controls.push_back({kChoiceList, ControlKind::List, "", MakeRect(kMargin, kMatchTop, 228, kStatusTop - kMatchTop - 4), false});
    // Last, so that the open lists lie over the others.
    t.controls.push_back({kMinElevationList, ControlKind::List, "", MakeRect(110, 0, 70, 0), false});
    t.controls.push_back({kSetsList, ControlKind::List, "", MakeRect(100, 0, 96, 0), false});
    t.controls.push_back({kDeepSpaceList, ControlKind::List, "", MakeRect(100, 0, 134, 0), false});
    t.controls.push_back(ProgressBoxTemplate());
    return t;
}

class SatelliteForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override { return SatelliteTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        database_.emplace(state.dir, state.info);
        database_->Open();
        if (state.prefs.satMinElevation < 0 || state.prefs.satMinElevation > 10) state.prefs.satMinElevation = 0;
        for (int row = kMinElevationRows - 1; row >= 0; --row) AddListRow(state, kMinElevationList, MinElevationText(row));
        SetPopupList(state, kMinElevationTrigger, kMinElevationList, -1, 0, state.prefs.satMinElevation);
        SetPopupLabel(state, kMinElevationTrigger, MinElevationText(state.prefs.satMinElevation));
        for (int row = int(std::size(kSetsRows)) - 1; row >= 0; --row) AddListRow(state, kSetsList, kSetsRows[row]);
        if (state.prefs.satDeepSpace != 1) state.prefs.satDeepSpace = 0;
        for (int row = int(std::size(kDeepSpaceRows)) - 1; row >= 0; --row)
            AddListRow(state, kDeepSpaceList, kDeepSpaceRows[row]);
        SetPopupList(state, kDeepSpaceTrigger, kDeepSpaceList, -1, 0, state.prefs.satDeepSpace);
        SetPopupLabel(state, kDeepSpaceTrigger, kDeepSpaceLabels[state.prefs.satDeepSpace]);
        SetPopupList(state, kSetsTrigger, kSetsList, -1, 0, -1);
        importSource_ = state.dir.Path(kImportDir);
        ChooseSatellite(state, window, state.prefs.currentSatellite);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (searching_) return;
        switch (id) {
            case kPrevButton: ChooseSatellite(state, window, index_ - 1); break;
            case kNextButton: ChooseSatellite(state, window, index_ + 1); break;
            case kInfoButton: ShowView(state, window, View::Information); break;
            case kPassesButton: Search(state, window, View::Passes); break;
            case kAllPassesButton: Search(state, window, View::AllPasses); break;
            case kFlaresButton: Search(state, window, View::Flares); break;
            case kVisibleButton: SearchVisible(state, window); break;
            case kMinElevationList:
                if (notify != ControlNotify::Click) state.prefs.satMinElevation = GetListSelection(state, id);
                break;
            case kDeepSpaceList:
                if (notify == ControlNotify::Click) break;
                state.prefs.satDeepSpace = GetListSelection(state, id) == 1 ? 1 : 0;
                SetPopupLabel(state, kDeepSpaceTrigger, kDeepSpaceLabels[state.prefs.satDeepSpace]);
                ShowView(state, window, view_);  // the rows below follow the new choice
                break;
            case kResultList:
                if (notify != ControlNotify::RowChosen) break;
                if (view_ == View::VisiblePasses) {
                    ShowVisiblePassSky(state, window, GetListSelection(state, id));
                } else {
                    ShowPassSky(state, window, GetListSelection(state, id));
                }
                break;
            case kSetsList:
                if (notify == ControlNotify::RowChosen) SetsChosen(state, window, SetsRow(GetListSelection(state, id)));
                break;
            case kEntryEdit:
                if (notify == ControlNotify::TextChanged) ListChoices(state, window);
                break;
            case kChoiceList:
                if (notify == ControlNotify::RowChosen) view_ == View::Find ? ChooseMatch(state, window) : ChooseFile(state, window);
                break;
            case kEntryButton: view_ == View::Find ? ChooseMatch(state, window) : ImportTyped(state, window); break;
            default: break;
        }
    }

    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        // The key that stopped a search has done its work.
        if (searching_ || std::exchange(keyStoppedSearch_, false)) return true;
        if (view_ == View::Find || view_ == View::Import) return EntryKey(state, window, key);
        if (key.code == kKeyPageUp || key.code == kKeyDown) {
            ChooseSatellite(state, window, index_ + 1);
        } else if (key.code == kKeyPageDown || key.code == kKeyUp) {
            ChooseSatellite(state, window, index_ - 1);
        } else {
            return false;
        }
        return true;
    }

private:
    // ---- the current satellite ----
    void ChooseSatellite(AppState& state, FormWindow& window, int index) {
        const int count = database_->Count();
        if (count == 0) {
            SetField(state, kNameText, "No satellite: import element sets first.");
            ShowView(state, window, View::Information);
            return;
        }
        index = std::clamp(index, 0, count - 1);
        SatelliteRecord record;
        if (!database_->ReadSatelliteRecord(index, record)) return;
        index_ = index;
        state.prefs.currentSatellite = index;
        record_ = record;
        elements_ = SatelliteElements{};
        ConvertSatelliteRecord(record, elements_);
        const std::string name(TrimTrailingBlanks(record.name));  // element-set names are padded
        SetField(state, kNameText, name + "  (" + std::to_string(index + 1) + "/" + std::to_string(count) + ")");
        results_.clear();
        visible_.clear();
        ShowView(state, window, view_ == View::PassSky ? skyFrom_ : view_);
    }

    double FormJdUt(const AppState& state) const {
        const CalendarDateTime local = state.observingTime;
        return JulianDayLocal(local.year, local.month, local.day, local.hour, local.minute, local.second,
                              state.prefs.site.tzOffset);
    }

    // ---- views ----
    void ShowView(AppState& state, FormWindow& window, View view) {
        view_ = view;
        const bool info = view == View::Information, list = IsListView(view);
        for (int i = 0; i < kInfoRows; ++i) {
            ShowControl(state, &window, kInfoLabelFirst + i, info);
            ShowControl(state, &window, kInfoValueFirst + i, info);
        }
        for (const int id : {kLocalTimesText, kMinElevationLabel, kMinElevationTrigger, kVisibleButton, kHeaderList,
                             kResultList})
            ShowControl(state, &window, id, list);
        const bool entry = view == View::Find || view == View::Import;
        for (const int id : {kEntryLabel, kEntryEdit, kEntryButton}) ShowControl(state, &window, id, entry);
        ShowControl(state, &window, kChoiceList, entry);
        ShowControl(state, &window, kMinElevationList, false);
        ShowControl(state, &window, kSetsList, false);
        if (!entry) SetField(state, kStatusText, view == View::Flares ? std::string(kIridiumRetiredShortNote) : "");
        ShowControl(state, &window, kDeepSpaceList, false);
        ShowControl(state, &window, kDeepSpaceTrigger, info && elements_.deepSpace);
        window.ClearPicture();
        if (info) FillInformation(state, window);
        if (list) FillList(state, window);
        state.windows.InvalidateForm(&window);
    }

    void FillInformation(AppState& state, FormWindow& window) {
        if (record_.line1.empty()) return;
        const double jd = FormJdUt(state);
        ComputeSatellite(jd, FormObserver(state), elements_);
        const bool roomForAll = kTop + kRoomForAllRows * kRowStep <= kStatusTop + kRowStep;
        const std::vector<SatelliteInfoLine> lines =
            SatelliteInfoLines(elements_, jd - elements_.epochJd, SettingsFormats(state), roomForAll);
        const bool old = AreOldElements(jd - elements_.epochJd, state.prefs.satOldElementsDays);
        for (int i = 0; i < kInfoRows; ++i) {
            const bool used = size_t(i) < lines.size();
            SetField(state, kInfoLabelFirst + i, used ? lines[size_t(i)].label : "");
            SetField(state, kInfoValueFirst + i, used ? lines[size_t(i)].value : "");
            std::optional<Colour>& colour = window.FindControl(kInfoValueFirst + i)->Colours().text;
            colour = std::nullopt;
            if (old && used && lines[size_t(i)].label == kSatelliteAgeLabel) colour = OldElementsColour(state);
        }
    }

    void FillList(AppState& state, FormWindow& window) {
        const std::vector<Column>& columns = ColumnsOf(view_);
        std::vector<int> widths;
        std::string header;
        for (const Column& c : columns) {
            widths.push_back(ScaledX(state, c.width));
            header += std::string(header.empty() ? "" : "\t") + c.title;
        }
        for (const int id : {kHeaderList, kResultList}) {
            Control* list = window.FindControl(id);
            list->DeleteAllRows();
            list->SetColumns(widths);
        }
        AddListRow(state, kHeaderList, header);
        if (view_ == View::VisiblePasses) {
            for (auto it = visible_.rbegin(); it != visible_.rend(); ++it)
                AddListRow(state, kResultList, VisibleRow(*it, state.prefs.site.tzOffset));
            return;
        }
        for (auto it = results_.rbegin(); it != results_.rend(); ++it) AddListRow(state, kResultList, ResultRow(*it, view_));
    }

    // ---- the element-set popup ----
    void SetsChosen(AppState& state, FormWindow& window, SetsRow row) {
        SetPopupLabel(state, kSetsTrigger, kSetsLabel);
        SetListSelection(state, kSetsList, -1);
        switch (row) {
            case SetsRow::Find: OpenEntry(state, window, View::Find, "Name or number:", "Show", ""); break;
            case SetsRow::Update: Import(state, window, ElementSetUpdateAddresses(state.prefs)); break;
            case SetsRow::Import:
                OpenEntry(state, window, View::Import, "File or http address:", "Import", importSource_);
                break;
        }
    }

    void OpenEntry(AppState& state, FormWindow& window, View view, const char* label, const char* button,
                   const std::string& text) {
        ShowView(state, window, view);
        SetField(state, kEntryLabel, label);
        SetField(state, kEntryButton, button);
        SetField(state, kEntryEdit, text);
        SetField(state, kStatusText, view == View::Import ? "Name line, then the two TLE lines" : "");
        window.SetFocusedControl(kEntryEdit);
        if (view == View::Find) database_->ReadAll(everyRecord_);
        ListChoices(state, window);
    }

    // Enter takes what was typed; Up and Down move through the matches.
    bool EntryKey(AppState& state, FormWindow& window, const KeyPress& key) {
        if (key.code == kKeyEnter) {
            view_ == View::Find ? ChooseMatch(state, window) : ImportTyped(state, window);
            return true;
        }
        if (key.code != kKeyDown && key.code != kKeyUp) return false;
        const int rows = window.FindControl(kChoiceList)->RowCount();
        const int row = GetListSelection(state, kChoiceList) + (key.code == kKeyDown ? 1 : -1);
        if (rows > 0) SetListSelection(state, kChoiceList, std::clamp(row, 0, rows - 1));
        state.windows.InvalidateForm(&window);
        return true;
    }

    // The satellites the typed text may mean, or the folder the typed path is in.
    void ListChoices(AppState& state, FormWindow& window) {
        const std::string typed = window.FindControl(kEntryEdit)->Text();
        std::vector<std::string> rows;
        if (view_ == View::Find) {
            matches_ = MatchSatellites(everyRecord_, typed, kMatchLimit);
            for (const int index : matches_) {
                const SatelliteRecord& r = everyRecord_[size_t(index)];
                const std::optional<int64_t> number = SatelliteCatalogNumber(r);
                rows.push_back(std::string(TrimTrailingBlanks(r.name)) + "  " + (number ? std::to_string(*number) : ""));
            }
        } else {
            rows = folderEntries_ = FolderEntries(FolderOf(typed));
        }
        window.FindControl(kChoiceList)->DeleteAllRows();
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) AddListRow(state, kChoiceList, *it);
        if (view_ == View::Find && !rows.empty()) SetListSelection(state, kChoiceList, 0);
        state.windows.InvalidateForm(&window);
    }

    // A folder opens; a file's path goes into the field.
    void ChooseFile(AppState& state, FormWindow& window) {
        const int row = GetListSelection(state, kChoiceList);
        if (row < 0 || size_t(row) >= folderEntries_.size()) return;
        SetField(state, kEntryEdit, FolderEntryPath(window.FindControl(kEntryEdit)->Text(), folderEntries_[size_t(row)]));
        ListChoices(state, window);
    }

    void ChooseMatch(AppState& state, FormWindow& window) {
        const int row = GetListSelection(state, kChoiceList);
        if (row < 0 || size_t(row) >= matches_.size()) {
            InfoBox(state, "No satellite has this name or number.", window.FindControl(kEntryEdit)->Text());
            return;
        }
        view_ = View::Information;
        ChooseSatellite(state, window, matches_[size_t(row)]);
    }

    void ImportTyped(AppState& state, FormWindow& window) {
        importSource_ = std::string(TrimBlanks(window.FindControl(kEntryEdit)->Text()));
        Import(state, window, {importSource_});
    }

    // Replaces the database with the sets of `sources`; the current satellite stays current
    // when the new database has it. The box names each source by its file name, which fits.
    void Import(AppState& state, FormWindow& window, const std::vector<std::string>& sources) {
        const std::string current(TrimTrailingBlanks(record_.name));
        ShowProgressBox(state, "Please wait, loading", ShortSourceName(sources.front()));
        std::vector<ElementSetSourceReport> report;
        const bool imported = ImportElementSets(*database_, sources, false, state.info, report);
        HideProgressBox(state);
        if (!imported) return;
        std::string lines;
        for (const ElementSetSourceReport& source : report) {
            lines += (lines.empty() ? "" : "\n") + ShortSourceName(source.source) + ": " + ElementSetCountText(source.imported);
            if (!source.rejects.empty()) lines += ", " + std::to_string(source.rejects.size()) + " skipped";
        }
        InfoBox(state, SatellitesInDatabaseText(database_->Count()), lines);
        view_ = View::Information;
        const int kept = current.empty() ? -1 : database_->Find(current);
        ChooseSatellite(state, window, std::max(kept, 0));
    }

    // ---- searches ----
    SatelliteSearchSettings SearchSettings(const AppState& state) const {
        SatelliteSearchSettings settings;
        settings.ephemeris = SiteEphemeris(state);
        settings.startJd = FormJdUt(state);
        settings.minElevationIndex = state.prefs.satMinElevation;
        settings.preciseFlares = state.prefs.preciseFlares;
        settings.deepSpaceOrbits = DeepSpaceOrbitsSetting(state.prefs);
        settings.reportEnd = true;
        return settings;
    }

    void Search(AppState& state, FormWindow& window, View view) {
        results_.clear();
        ShowView(state, window, view);
        if (record_.line1.empty()) return;
        SetField(state, kStatusText, kPressAnyKeyToStop);
        state.windows.UpdateMainWindow();
        SearchProgress progress;
        progress.tzOffsetMinutes = state.prefs.site.tzOffset;
        progress.stop = [&state] { return state.loop.InputPending(); };
        progress.show = [&state](const std::string& text) {
            SetField(state, kStatusText, std::string(kPressAnyKeyToStop) + "  " + text);
            state.windows.UpdateMainWindow();
        };
        searching_ = true;
        const SatelliteSearchSettings settings = SearchSettings(state);
        if (view == View::Passes) {
            results_ = SearchPasses(record_, index_, settings, progress, state.info);
        } else {
            SatelliteSource source{database_->Count(), [this](int i, SatelliteRecord& r) {
                                       return database_->ReadSatelliteRecord(i, r);
                                   }};
            results_ = SearchAllSatellites(view == View::Flares ? AllSatelliteSearch::Flares : AllSatelliteSearch::Passes,
                                           source, settings, progress);
        }
        searching_ = false;
        keyStoppedSearch_ = progress.stopped;
        ShowView(state, window, view);
    }

    // The current satellite's visible passes over the next days.
    void SearchVisible(AppState& state, FormWindow& window) {
        visible_.clear();
        ShowView(state, window, View::VisiblePasses);
        if (record_.line1.empty()) return;
        SetField(state, kStatusText, kPressAnyKeyToStop);
        state.windows.UpdateMainWindow();
        SearchProgress progress;
        progress.stop = [&state] { return state.loop.InputPending(); };
        searching_ = true;
        VisiblePassSettings settings;
        settings.search = SearchSettings(state);
        settings.oldElementsDays = state.prefs.satOldElementsDays;
        const SatelliteSource one{index_ + 1, [this](int, SatelliteRecord& r) {
                                      r = record_;
                                      return true;
                                  }};
        visible_ = SearchVisiblePasses(one, {index_}, settings, ReadStandardMagnitudes(state.dir), progress);
        searching_ = false;
        keyStoppedSearch_ = progress.stopped;
        SetField(state, kStatusText, visible_.empty() && !progress.stopped ? "No visible pass in the next 10 days." : "");
        ShowView(state, window, View::VisiblePasses);
    }

    // ---- the sky of a pass ----
    void ShowVisiblePassSky(AppState& state, FormWindow& window, int row) {
        if (row < 0 || size_t(row) >= visible_.size()) return;
        const VisiblePass& v = visible_[size_t(row)];
        SatelliteSearchResult r = MakePassResult(v.pass.riseJd, v.pass.setJd, v.pass.maxElevationDeg,
                                                 state.prefs.site.tzOffset, v.satelliteIndex,
                                                 TrimTrailingBlanks(record_.name).substr(0, kResultNameLength));
        ShowSky(state, window, record_, r, v.pass.maxJd + state.prefs.site.tzOffset / 1440.0);
    }

    void ShowPassSky(AppState& state, FormWindow& window, int row) {
        if (row < 0 || size_t(row) >= results_.size())
            return;
        const SatelliteSearchResult& r = results_[size_t(row)];
        SatelliteRecord record;
        if (!database_->ReadSatelliteRecord(r.satelliteIndex, record)) return;
        ShowSky(state, window, record, r, (r.riseTime + r.setTime) / 2.0);
    }

    // `highest`: the local time shown as the pass's highest point.
    void ShowSky(AppState& state, FormWindow& window, const SatelliteRecord& record, const SatelliteSearchResult& r,
                 double highest) {
        const PassSky sky = PassSkyOf(state, record, r, highest);
        skyFrom_ = view_;
        ShowView(state, window, View::PassSky);
        ShowControl(state, &window, kNameText, true);
        SetField(state, kNameText, r.name);
        Canvas canvas;
        const int side = ScaledX(state, kSkySide);
        DrawPassSky(canvas, side, sky, state);
        const int left = (ScaledX(state, 240) - side) / 2;
        state.windows.CopyCanvas(window, canvas, MakeRect(left, ScaledY(state, kTop), side, side));
    }

    PassSky PassSkyOf(AppState& state, const SatelliteRecord& record, const SatelliteSearchResult& r,
                      double highest) const {
        const double offset = state.prefs.site.tzOffset / 1440.0;
        const double rise = r.riseTime - offset, set = r.setTime - offset;
        SatelliteElements elements;
        ConvertSatelliteRecord(record, elements);
        const SatelliteObserver observer = FormObserver(state);
        PassSky sky;
        constexpr int kSteps = 48;
        for (int i = 0; i <= kSteps; ++i) {
            ComputeSatelliteSgp4(rise + (set - rise) * i / kSteps, observer, elements);
            sky.track.push_back({elements.azimuthDeg, std::max(0.0, elements.elevationDeg)});
        }
        const auto clock = [](double shiftedJd) {
            const CalendarDateTime t = LocalOf(shiftedJd);
            return IsoClock(t.hour, t.minute, t.second);
        };
        sky.riseText = clock(r.riseTime);
        sky.highestText = clock(highest);
        sky.setText = clock(r.setTime);
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant middle = LocalInstant(LocalOf(highest), settings);
        for (const int body : {kBodySun, kBodyMoon}) {
            BodyPosition place;
            BodyHorizon horizon;
            if (ComputeBody(place, body, middle, settings, &horizon) != kEphemerisOk ||
                horizon.altitude <= 0.0) {
                continue;
            }
            (body == kBodySun ? sky.sun : sky.moon) = SkyPlace{horizon.azimuth, horizon.altitude};
        }
        return sky;
    }

    std::optional<SatelliteDatabase> database_;
    int index_ = 0;
    SatelliteRecord record_;
    SatelliteElements elements_;
    View view_ = View::Information;
    std::vector<SatelliteSearchResult> results_;
    std::vector<VisiblePass> visible_;
    View skyFrom_ = View::Passes;  // the list a pass's sky was opened from
    bool searching_ = false;
    bool keyStoppedSearch_ = false;
    std::string importSource_;                // the last file or address typed
    std::vector<SatelliteRecord> everyRecord_;  // read when a search by name begins
    std::vector<int> matches_;                // record indices, in the list's order
    std::vector<std::string> folderEntries_;  // the import list's rows
};

}  // namespace

std::unique_ptr<Form> MakeSatelliteForm() { return std::make_unique<SatelliteForm>(); }

}  // namespace vsp
