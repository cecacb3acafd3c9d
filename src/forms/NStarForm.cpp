// N-StarAlignment Setup (2100): the stars of the pointing correction. "Add" opens the sky
// chart to pick one, "Sync" records the mount's reading while it is centred (or the typed
// one), "Calc" fits the correction of the alignment method in use and shows what error it
// leaves. The list is kept beside the settings so that the `scope nstar` commands share it.

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "platform/UserFilesLock.h"
#include "scope/ErrorTermFit.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kStarList = 2101;
constexpr int kTimeField = 2102, kRaField = 2103, kDecField = 2104, kAxis1Field = 2105, kAxis2Field = 2106;
constexpr int kErrorText = 2112;
constexpr int kAddButton = 2113, kSyncButton = 2114, kDeleteButton = 2115, kCalcButton = 2116;
constexpr int kHelpButton = 2117, kDoneButton = 2118;
constexpr int kLabelFirst = 2120;  // field labels, not referred to again

constexpr char kSelectOneStar[] = "Please select one stars.";
constexpr char kHelpFirst[] =
    "Tap Add to choose 4 or more stars. For each, center it in your reticle eyepiece. Then tap Sync after each "
    "entry. In case of manual inputs tap Sync after.";
constexpr char kHelpSecond[] = "Calc will compute the pointing correction parameters.";

// Layout, 96-dpi pixels: the list, two columns of labelled fields, the actions.
constexpr int kMargin = 6, kListTop = 28, kListHeight = 136;
constexpr int kFieldsTop = 170, kStep = 22, kLabelWidth = 44, kFieldWidth = 68;
constexpr int kActionsTop = kFieldsTop + 3 * kStep + 4;
constexpr int FieldLeft(int column) { return kMargin + kLabelWidth + column * (kLabelWidth + kFieldWidth + 4); }

void AddField(FormTemplate& t, int& label, int id, int column, int row, const char* text) {
    const int top = kFieldsTop + row * kStep;
    t.controls.push_back(LabelAt(label++, FieldLeft(column) - kLabelWidth, top + 1, kLabelWidth - 2, text));
    t.controls.push_back(EditAt(id, FieldLeft(column), top, kFieldWidth));
}

FormTemplate NStarTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.push_back({kStarList, ControlKind::List, "", MakeRect(kMargin, kListTop, 240 - 2 * kMargin, kListHeight)});
    int label = kLabelFirst;
    AddField(t, label, kTimeField, 0, 0, "Time");
    AddField(t, label, kRaField, 1, 0, "RA");
    AddField(t, label, kAxis1Field, 0, 1, "Axis 1");
    AddField(t, label, kDecField, 1, 1, "Dec");
    AddField(t, label, kAxis2Field, 0, 2, "Axis 2");
    t.controls.push_back(LabelAt(kErrorText, FieldLeft(1) - kLabelWidth, kFieldsTop + 2 * kStep + 2,
                                 kLabelWidth + kFieldWidth, ""));
    const int quarter = (240 - 2 * kMargin - 12) / 4;
    int left = kMargin;
    for (const auto& [id, text] : {std::pair{kAddButton, "Add"}, {kSyncButton, "Sync"}, {kDeleteButton, "Delete"},
                                   {kCalcButton, "Calc"}}) {
        t.controls.push_back(ButtonAt(id, left, kActionsTop, quarter, text));
        left += quarter + 4;
    }
    t.controls.push_back(ButtonAt(kHelpButton, kMargin, 290, 50, "Help"));
    t.controls.push_back(ButtonAt(kDoneButton, 240 - kMargin - 60, 290, 60, "Done"));
    return t;
}

class NStarForm : public Form {
public:
    explicit NStarForm(Telescope& telescope) : telescope_(telescope) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return NStarTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        if (!telescope_.NStarsLoaded()) {
            LoadNStars(state.dir, telescope_.NStars());
            telescope_.SetNStarsLoaded();
        }
        const int columns = ScaledX(state, 240 - 2 * kMargin);
        window.FindControl(kStarList)->SetColumns({ScaledX(state, 34), ScaledX(state, 110), columns - ScaledX(state, 144)});
        if (const auto picked = telescope_.TakeStarPick()) AddPicked(state, *picked);
        Fill(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (notify == ControlNotify::TextChanged) return;
        switch (id) {
            case kStarList: ShowStar(state); break;
            case kAddButton: Add(state); break;
            case kSyncButton: Sync(state, window); break;
            case kDeleteButton:
                if (List().Remove(size_t(std::max(0, Selected(state))), state.info)) Changed(state, window);
                break;
            case kCalcButton: Calc(state, window); break;
            case kHelpButton: InfoBox(state, kHelpFirst, kHelpSecond); break;
            case kDoneButton: BackToPreviousForm(state); break;
            default: break;
        }
    }

private:
    NStarList& List() { return telescope_.NStars().list; }
    bool TwoStarMethod(const AppState& state) const { return state.prefs.alignMethod == 0; }
    bool Equatorial(const AppState& state) const { return state.prefs.scopeOutputType == 0; }
    int Selected(AppState& state) { return GetListSelection(state, kStarList); }

    bool NeedsAlignment(AppState& state) {
        if (!TwoStarMethod(state) || telescope_.TwoStar().IsActive()) return false;
        InfoBox(state, kDoTwoStarsFirst, "");
        return true;
    }

    void Add(AppState& state) {
        if (NeedsAlignment(state)) return;
        if (List().Size() >= kMaxNStars) {
            InfoBox(state, kTooManyNStars, "");
            return;
        }
        telescope_.RequestStarPick();
        ShowForm(state, kSkyChartFormId);
    }

    // The star's place of date and, for the alt-azimuth output types, where it stands now.
    void AddPicked(AppState& state, const PickedStar& picked) {
        const auto place = telescope_.Dispatcher().ReduceTarget({picked.raHours, picked.decDegrees}, state.prefs.correction);
        if (!place) return;
        const AlignStar star = NewNStar(picked.name, picked.starIndex, ClockAngleDegrees(telescope_.Now().local),
                                        place->apparent.raHours, place->apparent.decDegrees, Equatorial(state),
                                        place->azimuth, place->altitude);
        if (List().Add(star, state.info)) Save(state);
        selected_ = int(List().Size()) - 1;
    }

    // The mount's reading on the selected star now, or the typed one without a drive.
    void Sync(AppState& state, FormWindow& window) {
        if (List().Size() == 0) return void(InfoBox(state, kAddOneStar, ""));
        const int row = Selected(state);
        if (row < 0 || row >= int(List().Size())) return void(InfoBox(state, kSelectOneStar, ""));
        if (NeedsAlignment(state)) return;
        AlignStar& star = List().Stars()[size_t(row)];
        EquatorialPosition reading;
        if (!IsNoDrive(state.prefs.scopeDrive)) {
            if (!telescope_.Dispatcher().ScopeReadRaw(reading)) return;
            if (Equatorial(state)) reading.raHours *= 15;
        } else {
            AlignStar typed;
            ReadAlignStarTexts({"", "", "", Field(state, kAxis1Field), Field(state, kAxis2Field)},
                               state.prefs.scopeOutputType, typed);
            reading = {typed.axis1Deg, typed.axis2Deg};
        }
        star.clockDeg = ClockAngleDegrees(telescope_.Now().local);
        star.measuredAxis1Deg = reading.raHours;
        star.measuredAxis2Deg = reading.decDegrees;
        selected_ = row;
        Changed(state, window);
    }

    void Calc(AppState& state, FormWindow& window) {
        NStarState& nstars = telescope_.NStars();
        Alignment& alignment = telescope_.TwoStar();
        if (TwoStarMethod(state)) {
            if (List().Size() < kMinErrorTermStars) return void(InfoBox(state, kAddFourStars, ""));
            if (NeedsAlignment(state)) return;
            const ErrorTermResult result = FitErrorTerms(alignment, AlignmentFrameOf(state.prefs), telescope_.Stars(),
                                                         List().Stars(), telescope_.Now().formats, state.info);
            nstars.errors = alignment.errors;
            InfoBox(state, result.message, "");
        } else {
            if (List().Size() == 0) return void(InfoBox(state, kAddOneStar, ""));
            if (!FitPointingModel(Equatorial(state), List().Stars(), alignment.pointing, state.info)) return;
            nstars.model = alignment.pointing;
        }
        selected_ = Selected(state);
        Changed(state, window);
    }

    void Save(AppState& state) {
        UserFilesLock lock;
        if (LockUserFiles(state.dir, state.info, lock)) SaveNStars(state.dir, telescope_.NStars());
    }

    void Changed(AppState& state, FormWindow& window) {
        Save(state);
        Fill(state, window);
    }

    // One row per star: "St n", its name, and whether the mount has been read on it.
    void Fill(AppState& state, FormWindow& window) {
        window.FindControl(kStarList)->DeleteAllRows();
        const auto stars = List().Stars();
        for (size_t i = stars.size(); i-- > 0;) {
            AddListRow(state, kStarList, "St " + std::to_string(i + 1) + "\t" + stars[i].name + "\t" +
                                             (Synced(stars[i]) ? "synced" : "to sync"));
        }
        if (selected_ >= int(stars.size())) selected_ = int(stars.size()) - 1;
        SetListSelection(state, kStarList, selected_);
        ShowStar(state);
        SetField(state, kErrorText, ErrorText(state));
    }

    // The error the fitted correction leaves on the stars read so far, degrees (a star still to
    // sync has no reading to compare).
    std::string ErrorText(AppState& state) {
        if (List().Size() == 0) return std::string(kNoNStars);
        std::vector<AlignStar> synced;
        std::ranges::copy_if(List().Stars(), std::back_inserter(synced), Synced);
        if (synced.empty()) return "";
        const double error = TwoStarMethod(state)
                                 ? MeanPointingError(telescope_.TwoStar(), AlignmentFrameOf(state.prefs), synced) *
                                       kRadToDeg
                                 : RmsPointingError(synced);
        return "Error " + DmsToStr(error, telescope_.Now().formats);
    }

    static bool Synced(const AlignStar& star) { return star.measuredAxis1Deg != 0 || star.measuredAxis2Deg != 0; }

    void ShowStar(AppState& state) {
        const int row = Selected(state);
        const TextFormats formats = telescope_.Now().formats;
        if (row < 0 || row >= int(List().Size())) {
            for (const int id : {kTimeField, kRaField, kDecField, kAxis1Field, kAxis2Field}) SetField(state, id, "");
            return;
        }
        const AlignStar& star = List().Stars()[size_t(row)];
        SetField(state, kTimeField, DegToHmsStr(star.clockDeg));
        SetField(state, kRaField, HMSToStr(star.raDeg / 15, formats));
        SetField(state, kDecField, DmsToStr(star.decDeg, formats));
        const double axis1 = star.measuredAxis1Deg;
        SetField(state, kAxis1Field, Equatorial(state) ? HMSToStr(axis1 / 15, formats) : DmsToStr(axis1, formats));
        SetField(state, kAxis2Field, DmsToStr(star.measuredAxis2Deg, formats));
    }

    static std::string Field(AppState& state, int id) {
        char buffer[64];
        GetField(state, id, buffer, sizeof buffer);
        return buffer;
    }

    Telescope& telescope_;
    int selected_ = -1;
};

}  // namespace

std::unique_ptr<Form> MakeNStarForm(Telescope& telescope) { return std::make_unique<NStarForm>(telescope); }

}  // namespace vsp
