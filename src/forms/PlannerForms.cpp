// The observing planner's forms: Choose Selection Criteria (1700), where each popup writes its
// criterion at once and the buttons run the search, and DorerOvoriri (1800), the list the
// search made, from which the chart opens on an entry.

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "catalog/ConstellationTable.h"
#include "catalog/Eyepieces.h"
#include "catalog/ObjectTypeTable.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "forms/ChartForm.h"
#include "forms/ListForms.h"
#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/ProgressBox.h"
#include "shell/Scale.h"
#include "tools/Planner.h"

namespace vsp {
namespace {

// ---- Choose Selection Criteria ----
constexpr int kWhenButton = 1701, kNowButton = 1702;
constexpr int kNewButton = 1703, kAddButton = 1704, kRemoveButton = 1705, kListButton = 1706;
constexpr int kResetTrigger = 1707, kResetList = 1708;
// One row per criterion: label, trigger and list ids follow from the row.
constexpr int kLabelFirst = 1710, kTriggerFirst = 1720, kListFirst = 1730;
enum CriteriaRow { kDifficultyRow, kEyepieceRow, kMagnitudeRow, kCatalogRow, kTypeRow, kConstellationRow,
                   kVisibilityRow, kCriteriaRows };
constexpr const char* kRowLabels[kCriteriaRows] = {"Difficulty", "Eyepiece", "Magnitude", "Catalog",
                                                   "Object type", "Constellation", "Visibility"};
constexpr const char* kResetRows[] = {"Reset scope criteria", "Reset sky criteria", "Reset all criteria"};
constexpr std::string_view kNoCriteria = "No Criteria";

// Layout, 96-dpi pixels.
constexpr int kMargin = 6, kWhenTop = 28, kRowTop = 54, kRowStep = 24, kLabelWidth = 86;
constexpr int kTriggerLeft = kMargin + kLabelWidth, kTriggerWidth = 240 - kTriggerLeft - kMargin;
constexpr int kButtonTop = 294, kPopupRows = 12;

std::string CriteriaTimeText(const SelectionCriteria& c) {
    return NumericDayMonth(c.month, c.day, false) + "/" + std::to_string(c.year) + "  " +
           ClockMinutes(c.hour, c.minute);
}

FormTemplate CriteriaTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.back().rect.right = 234;  // the title is long
    t.controls.push_back(ButtonAt(kWhenButton, kMargin, kWhenTop, 160, ""));
    t.controls.push_back(ButtonAt(kNowButton, 172, kWhenTop, 62, "Now"));
    for (int row = 0; row < kCriteriaRows; ++row) {
        const int top = kRowTop + row * kRowStep;
        t.controls.push_back(LabelAt(kLabelFirst + row, kMargin, top, kLabelWidth, kRowLabels[row]));
        t.controls.push_back(ButtonAt(kTriggerFirst + row, kTriggerLeft, top, kTriggerWidth, ""));
        t.controls.back().kind = ControlKind::PopupTrigger;
    }
    t.controls.push_back(ButtonAt(kResetTrigger, kTriggerLeft, kRowTop + kCriteriaRows * kRowStep + 6, kTriggerWidth,
                                  "Reset..."));
    t.controls.back().kind = ControlKind::PopupTrigger;
    t.controls.push_back(ButtonAt(kNewButton, 2, kButtonTop, 58, "New list"));
    t.controls.push_back(ButtonAt(kAddButton, 62, kButtonTop, 56, "Add"));
    t.controls.push_back(ButtonAt(kRemoveButton, 120, kButtonTop, 60, "Remove"));
    t.controls.push_back(ButtonAt(kListButton, 182, kButtonTop, 56, "List"));
    // Lists and the progress box last, so that they lie over the others.
    for (int row = 0; row < kCriteriaRows; ++row)
        t.controls.push_back({kListFirst + row, ControlKind::List, "", MakeRect(kTriggerLeft, 0, kTriggerWidth, 0), false});
    t.controls.push_back({kResetList, ControlKind::List, "", MakeRect(kTriggerLeft, 0, kTriggerWidth, 0), false});
    t.controls.push_back(ProgressBoxTemplate());
    return t;
}

// The rows of one criterion's popup, by index.
std::vector<std::string> RowTexts(CriteriaRow row, const std::vector<Eyepiece>& eyepieces) {
    std::vector<std::string> rows;
    switch (row) {
        case kDifficultyRow: rows.assign(kDifficultyTexts.begin(), kDifficultyTexts.end()); break;
        case kMagnitudeRow: rows.assign(kMagnitudeLimitTexts.begin(), kMagnitudeLimitTexts.end()); break;
        case kVisibilityRow: rows.assign(kVisibilityTexts.begin(), kVisibilityTexts.end()); break;
        case kEyepieceRow:
            rows.emplace_back(kNoCriteria);
            for (const Eyepiece& e : eyepieces) rows.push_back(e.name);
            break;
        case kCatalogRow: {
            rows.emplace_back(kNoCriteria);
            const CatalogTable catalogs = DefaultCatalogTable();
            for (int i = 1; i < kCatalogCount; ++i) {
                const std::string_view name = CatalogLongName(catalogs[size_t(i)]);
                rows.emplace_back(name.empty() ? CatalogPrefix(catalogs[size_t(i)]) : name);
            }
            break;
        }
        case kTypeRow: {
            rows.emplace_back(kNoCriteria);
            const ObjectTypeTable types = DefaultObjectTypeTable();
            for (int i = 1; i < kObjectTypeCount; ++i) rows.emplace_back(ObjectTypeName(types[size_t(i)]));
            break;
        }
        case kConstellationRow:
            rows.emplace_back(kNoCriteria);
            for (const ConstellationEntry& c : ConstellationTable()) rows.emplace_back(ConstellationName(c));
            break;
        case kCriteriaRows: break;
    }
    return rows;
}

int16_t& FieldOf(SelectionCriteria& c, CriteriaRow row) {
    switch (row) {
        case kDifficultyRow: return c.difficulty;
        case kEyepieceRow: return c.eyepiece;
        case kMagnitudeRow: return c.magnitudeLimit;
        case kCatalogRow: return c.catalog;
        case kTypeRow: return c.objectType;
        case kConstellationRow: return c.constellation;
        default: return c.visibility;
    }
}

class CriteriaForm : public Form {
public:
    CriteriaForm(CatalogSession& sky, std::shared_ptr<ObservingList> list, SharedCriteria criteria)
        : sky_(sky), list_(std::move(list)), criteria_(std::move(criteria)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return CriteriaTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        eyepieces_ = LoadEyepieces(state.dir);
        // The search looks at the sky of the observing date and time the program shows.
        SetCriteriaTime(*criteria_, state.observingTime);
        SetField(state, kWhenButton, CriteriaTimeText(*criteria_));
        for (int row = 0; row < kCriteriaRows; ++row) FillPopup(state, CriteriaRow(row));
        for (int i = int(std::size(kResetRows)) - 1; i >= 0; --i) AddListRow(state, kResetList, kResetRows[i]);
        SetPopupList(state, kResetTrigger, kResetList, -1, 0, -1);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (searching_) return;
        if (id >= kListFirst && id < kListFirst + kCriteriaRows) {
            if (notify != ControlNotify::Click) Choose(state, CriteriaRow(id - kListFirst), GetListSelection(state, id));
            return;
        }
        switch (id) {
            case kWhenButton: ShowForm(state, kDateTimeFormId); break;
            case kNowButton: Now(state); break;
            case kResetList:
                if (notify == ControlNotify::RowChosen) Reset(state, GetListSelection(state, id));
                break;
            case kNewButton: Run(state, PlannerRun::New); break;
            case kAddButton: Run(state, PlannerRun::Add); break;
            case kRemoveButton: Run(state, PlannerRun::Remove); break;
            case kListButton: ShowForm(state, kPlannerFormId); break;
            default: break;
        }
    }

    bool OnKey(AppState&, FormWindow&, const KeyPress&) override {
        // The key that stopped a search has done its work.
        return searching_ || std::exchange(keyStoppedSearch_, false);
    }

private:
    void FillPopup(AppState& state, CriteriaRow row) {
        const std::vector<std::string> rows = RowTexts(row, eyepieces_);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) AddListRow(state, kListFirst + row, *it);
        int16_t& field = FieldOf(*criteria_, row);
        if (field < 0 || field >= int(rows.size())) field = 0;
        SetPopupList(state, kTriggerFirst + row, kListFirst + row, -1, std::min(int(rows.size()), kPopupRows), field);
        SetPopupLabel(state, kTriggerFirst + row, rows[size_t(field)]);
    }

    void Choose(AppState& state, CriteriaRow row, int index) {
        if (index < 0) return;
        if (row == kTypeRow) {
            ChooseObjectType(*criteria_, int16_t(index));
        } else {
            FieldOf(*criteria_, row) = int16_t(index);
        }
        if (row == kEyepieceRow) {
            const auto eyepiece = ChosenEyepiece(eyepieces_, index);
            criteria_->eyepieceValue = eyepiece ? int16_t(eyepiece->focalMm) : int16_t(0);
        }
    }

    void Refill(AppState& state) {
        for (int row = 0; row < kCriteriaRows; ++row) {
            const int field = FieldOf(*criteria_, CriteriaRow(row));
            SetListSelection(state, kListFirst + row, field);
            SetPopupLabel(state, kTriggerFirst + row, RowTexts(CriteriaRow(row), eyepieces_)[size_t(field)]);
        }
    }

    void Now(AppState& state) {
        state.observingTime = state.services.localClock ? state.services.localClock() : state.observingTime;
        SetCriteriaTime(*criteria_, state.observingTime);
        SetField(state, kWhenButton, CriteriaTimeText(*criteria_));
    }

    void Reset(AppState& state, int row) {
        SetPopupLabel(state, kResetTrigger, "Reset...");
        SetListSelection(state, kResetList, -1);
        if (row < 0) return;
        ResetCriteria(*criteria_, row == 0 ? CriteriaGroup::Scope : row == 1 ? CriteriaGroup::Sky : CriteriaGroup::Both);
        Refill(state);
    }

    void Run(AppState& state, PlannerRun run) {
        searching_ = true;
        RunPlanner(state, sky_, *list_, *criteria_, run);
        searching_ = false;
        keyStoppedSearch_ = state.loop.InputPending();
        ShowForm(state, kPlannerFormId);
    }

    CatalogSession& sky_;
    std::shared_ptr<ObservingList> list_;
    SharedCriteria criteria_;
    std::vector<Eyepiece> eyepieces_;
    bool searching_ = false;
    bool keyStoppedSearch_ = false;
};

// ---- DorerOvoriri: the list ----
constexpr int kCaptionText = 1801, kHeaderList = 1802, kEntryList = 1803;
constexpr int kCriteriaButton = 1804, kChartButton = 1805, kDeleteButton = 1806, kClearButton = 1807;
constexpr int kListTop = 62, kListHeight = 224;

struct Column {
    const char* title;
    int width;  // 96-dpi pixels
};
constexpr Column kColumns[] = {{"Name", 72}, {"Type", 50}, {"Con", 32}, {"Mag", 32}, {"Alt", 38}};

FormTemplate PlannerListTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.push_back(LabelAt(kCaptionText, kMargin, 26, 240 - 2 * kMargin, ""));
    t.controls.push_back({kHeaderList, ControlKind::List, "", MakeRect(kMargin, kListTop - 18, 228, 16)});
    t.controls.push_back({kEntryList, ControlKind::List, "", MakeRect(kMargin, kListTop, 228, kListHeight)});
    t.controls.push_back(ButtonAt(kCriteriaButton, 2, kButtonTop, 60, "Criteria"));
    t.controls.push_back(ButtonAt(kChartButton, 64, kButtonTop, 52, "Chart"));
    t.controls.push_back(ButtonAt(kDeleteButton, 118, kButtonTop, 62, "Remove"));
    t.controls.push_back(ButtonAt(kClearButton, 182, kButtonTop, 56, "Clear"));
    return t;
}

// Geometric altitude of a J2000 place at the list's time: enough to tell what is up.
int AltitudeDeg(const ListEntry& entry, const EphemerisSettings& site, const CalendarDateTime& local) {
    const double lst = LocalSiderealTime(local.year, local.month, local.day, local.hour, local.minute, local.second,
                                         site.location.longitudeWest, site.location.tzOffset);
    return int(std::lround(Altitude(lst, entry.ra, entry.dec, site.location.latitude)));
}

std::string EntryRow(const ListEntry& e, const ObjectTypeTable& types, int altitude) {
    const std::string type = e.type > 0 && e.type < kObjectTypeCount ? std::string(ObjectTypeCode(types[size_t(e.type)])) : "";
    const ConstellationEntry* con = ConstellationAt(e.constellation);
    char magnitude[16];
    std::snprintf(magnitude, sizeof magnitude, "%.1f", e.magnitudeX10 / 10.0);
    return e.name + "\t" + type + "\t" + (con ? std::string(ConstellationAbbreviation(*con)) : "") + "\t" +
           (e.magnitudeX10 == 0 || e.magnitudeX10 >= 990 ? "" : magnitude) + "\t" + std::to_string(altitude) + "\xB0";
}

class PlannerListForm : public Form {
    // The list was made for its own date and time; a list without one is for the observing time.
    CalendarDateTime ListLocalTime(const AppState& state) const {
        return list_->time.year == 0 ? state.observingTime : list_->time;
    }


public:
    PlannerListForm(CatalogSession& sky, std::shared_ptr<ObservingList> list) : sky_(sky), list_(std::move(list)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return PlannerListTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        std::vector<int> widths;
        std::string header;
        for (const Column& c : kColumns) {
            widths.push_back(ScaledX(state, c.width));
            header += std::string(header.empty() ? "" : "\t") + c.title;
        }
        for (const int id : {kHeaderList, kEntryList}) window.FindControl(id)->SetColumns(widths);
        AddListRow(state, kHeaderList, header);
        Fill(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        switch (id) {
            case kEntryList: list_->selected = GetListSelection(state, id); break;
            case kCriteriaButton: ShowForm(state, kCriteriaFormId); break;
            case kChartButton: ShowForm(state, kSkyChartFormId); break;
            case kDeleteButton:
                if (list_->Remove(list_->selected)) Fill(state, window);
                break;
            case kClearButton:
                list_->Clear();
                Fill(state, window);
                break;
            default: break;
        }
    }

private:
    void Fill(AppState& state, FormWindow& window) {
        window.FindControl(kEntryList)->DeleteAllRows();
        const ObjectTypeTable types = DefaultObjectTypeTable();
        const EphemerisSettings site = SiteEphemeris(state);
        const CalendarDateTime local = ListLocalTime(state);
        const std::vector<ListEntry>& entries = list_->Entries();
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            AddListRow(state, kEntryList, EntryRow(*it, types, AltitudeDeg(*it, site, local)));
        if (list_->selected >= 0) SetListSelection(state, kEntryList, list_->selected);
        const int count = list_->Count();
        SetField(state, kCaptionText, std::to_string(count) + (count == 1 ? " object for " : " objects for ") +
                                          NumericDayMonth(local.month, local.day, false) + "/" +
                                          std::to_string(local.year) + " " + ClockMinutes(local.hour, local.minute));
    }

    CatalogSession& sky_;
    std::shared_ptr<ObservingList> list_;
};

}  // namespace

void RunPlanner(AppState& state, CatalogSession& sky, ObservingList& list, const SelectionCriteria& criteria,
                PlannerRun run) {
    list.SetCapacity(ListCapacityOfRow(state.prefs.maxSelected));
    PlannerContext context{sky, state.prefs, SiteEphemeris(state), state.info,
                           [&state](std::string_view text) { ShowProgressBox(state, text); },
                           [&state] { return state.loop.InputPending(); }};
    switch (run) {
        case PlannerRun::New: NewSearch(criteria, context, list); break;
        case PlannerRun::Add: AddSearch(criteria, context, list); break;
        case PlannerRun::Remove: RemoveMatching(criteria, context, list); break;
    }
    list.time = CriteriaTime(criteria);
    list.selected = -1;
    HideProgressBox(state);
}

std::unique_ptr<Form> MakeCriteriaForm(CatalogSession& sky, std::shared_ptr<ObservingList> list, SharedCriteria criteria) {
    return std::make_unique<CriteriaForm>(sky, std::move(list), std::move(criteria));
}

std::unique_ptr<Form> MakePlannerListForm(CatalogSession& sky, std::shared_ptr<ObservingList> list) {
    return std::make_unique<PlannerListForm>(sky, std::move(list));
}

}  // namespace vsp
