// 2-StarAlignment (1300): two stars, each chosen from the bright named stars standing between
// 20 and 60 degrees high, centred in the telescope and read, then "Align" computes the
// rotation between the sky and the mount and keeps it with the settings. Also the restore of
// the last alignment, offered here and once at start-up.

#include <array>
#include <string>
#include <vector>

#include "catalog/StarAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"
#include "format/AngleFormat.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "scope/EncoderZero.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/SaveSettings.h"

namespace vsp {

namespace {

constexpr int kReferenceTime = 1301, kReferenceNow = 1302;
constexpr int kDoneButton = 1319, kResetButton = 1320, kAlignButton = 1321, kNStarButton = 1322;
constexpr int kHelpButton = 1323;
constexpr int kPlatformOff = 1344, kPlatformOn = 1345, kPlatformReset = 1346;
constexpr int kStarListFirst = 1330;  // the popup list of each star's button
constexpr int kLabelFirst = 1350;     // row labels, not referred to again

// The controls of one star, in the order of AlignStarTexts.
struct StarIds {
    int choose, read, time, ra, dec, axis1, axis2;
};
constexpr std::array<StarIds, 2> kStarIds{{{1303, 1311, 1305, 1307, 1309, 1315, 1313},
                                           {1304, 1312, 1306, 1308, 1310, 1316, 1314}}};

constexpr char kNStarNeedsAlignment[] = "Please do 2 stars alignment before going to do N stars one.";
constexpr char kSelectOutputType[] = "Please select scope output type (EQ, AZ, Encoder)";
constexpr char kHelpFirst[] =
    "\x95 Tap Star1 to choose the first star.  Use scope control to center on this star and then tap Read. "
    "Repeat with Star2 and then tap Align.";
constexpr char kHelpSecond[] = "\x95 You can also manually enter stars, then press the Read button.";

// The altitudes a star must stand between to be offered, degrees, and the faintest offered:
// a star to centre in a finder without a chart at hand.
constexpr double kLowestStar = 20.0, kHighestStar = 60.0;
constexpr double kFaintestStar = 3.0;

// Layout, 96-dpi pixels: a label column, then a column per star.
constexpr int kMargin = 6, kLabelWidth = 44, kColumnWidth = 92, kColumnGap = 4;
constexpr int kTop = 30, kStep = 22;
constexpr int ColumnLeft(int star) { return kMargin + kLabelWidth + star * (kColumnWidth + kColumnGap); }
constexpr int RowTop(int row) { return kTop + row * kStep; }

// A star neither chosen nor typed (as after a reset).
bool Blank(const AlignStar& r) {
    return r.IsEmpty() && r.name.empty() && r.clockDeg == 0 && r.raDeg == 0 && r.decDeg == 0 && r.axis1Deg == 0 &&
           r.axis2Deg == 0;
}

struct Candidate {
    std::string name;
    int starIndex;
    double raHours, decDeg;  // J2000
};

const char* StarButtonText(int star) { return star == 0 ? "Star1" : "Star2"; }

void AddStarColumn(FormTemplate& t, int star) {
    const StarIds& ids = kStarIds[size_t(star)];
    const int left = ColumnLeft(star);
    t.controls.push_back(ButtonAt(ids.choose, left, RowTop(1), kColumnWidth, StarButtonText(star)));
    int row = 2;
    for (const int id : {ids.time, ids.ra, ids.dec, ids.axis1, ids.axis2}) t.controls.push_back(EditAt(id, left, RowTop(row++), kColumnWidth));
    t.controls.push_back(ButtonAt(ids.read, left, RowTop(row), kColumnWidth, "Read"));
}

FormTemplate TwoStarTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    int label = kLabelFirst;
    t.controls.push_back(LabelAt(label++, kMargin, RowTop(0), kLabelWidth, "Ref."));
    t.controls.push_back(EditAt(kReferenceTime, ColumnLeft(0), RowTop(0), kColumnWidth));
    t.controls.push_back(ButtonAt(kReferenceNow, ColumnLeft(1), RowTop(0) - 2, 44, "Now"));
    int row = 2;
    for (const char* text : {"Time", "RA", "Dec", "Axis 1", "Axis 2"})
        t.controls.push_back(LabelAt(label++, kMargin, RowTop(row++), kLabelWidth, text));
    AddStarColumn(t, 0);
    AddStarColumn(t, 1);
    const int actions = RowTop(8) + 6, thirds = (240 - 2 * kMargin - 8) / 3;
    t.controls.push_back(ButtonAt(kAlignButton, kMargin, actions, thirds, "Align"));
    t.controls.push_back(ButtonAt(kResetButton, kMargin + thirds + 4, actions, thirds, "Reset"));
    t.controls.push_back(ButtonAt(kNStarButton, kMargin + 2 * (thirds + 4), actions, thirds, "N-Stars"));
    const int platform = actions + kStep + 6;
    t.controls.push_back(ButtonAt(kPlatformOn, kMargin, platform, 2 * thirds + 4, "Platform mode on"));
    t.controls.push_back(ButtonAt(kPlatformOff, kMargin, platform, thirds, "Platform off"));
    t.controls.back().visible = false;
    t.controls.push_back(ButtonAt(kPlatformReset, kMargin + thirds + 4, platform, thirds, "Reset platf."));
    t.controls.back().visible = false;
    t.controls.push_back(ButtonAt(kHelpButton, kMargin, 290, 50, "Help"));
    t.controls.push_back(ButtonAt(kDoneButton, 240 - kMargin - 60, 290, 60, "Done"));
    // Last, so that an open list lies over the buttons.
    for (int star = 0; star < 2; ++star)
        t.controls.push_back({kStarListFirst + star, ControlKind::List, "", MakeRect(ColumnLeft(star), 0, kColumnWidth + 40, 0), false});
    return t;
}

// The named stars of magnitude 3 or brighter standing between 20 and 60 degrees now, in the
// name file's order.
std::vector<Candidate> CandidateStars(AppState& state, CatalogSession& sky, const ScopeMoment& now) {
    std::vector<Candidate> out;
    if (!CatalogSessionNeedStars(sky, state.prefs.constLineSet)) return out;
    const std::vector<StarRecord>& stars = sky.stars.DefaultStars();
    const int count = sky.stars.BrightStarCount();
    for (int i = 0; i < count; ++i) {
        BrightStarRecord named;
        if (!sky.stars.ReadBrightStar(i, named) || named.starIndex < 0 || named.starIndex >= sky.stars.DefaultStarsRead())
            continue;
        const StarRecord& s = stars[size_t(named.starIndex)];
        if (s.magnitude / 16.0 > kFaintestStar) continue;
        const double ra = AngleToHours(s.ra), dec = AngleToDegrees(s.dec);
        const double altitude = HorizontalOf(now, {ra, dec}).altitude;
        if (altitude < kLowestStar || altitude > kHighestStar) continue;
        out.push_back({named.name, named.starIndex, ra, dec});
    }
    return out;
}

class TwoStarForm : public Form {
public:
    TwoStarForm(CatalogSession& sky, Telescope& telescope) : sky_(sky), telescope_(telescope) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return TwoStarTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, window.TemplateId());
        candidates_ = CandidateStars(state, sky_, telescope_.Now());
        for (int star = 0; star < 2; ++star) {
            const int list = kStarListFirst + star;
            for (auto c = candidates_.rbegin(); c != candidates_.rend(); ++c) AddListRow(state, list, c->name);
            SetPopupList(state, kStarIds[size_t(star)].choose, list, -1, std::min<int>(int(candidates_.size()), 10), -1);
        }
        ShowPlatform(state, window, telescope_.TwoStar().IsPlatform());
        OfferAlignmentRestore(state, telescope_);
        ShowRecords(state);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (notify == ControlNotify::TextChanged) return;
        if (id == kStarListFirst || id == kStarListFirst + 1) {
            if (notify != ControlNotify::Click) ChooseStar(state, id - kStarListFirst, GetListSelection(state, id));
        } else if (id == kStarIds[0].read || id == kStarIds[1].read) {
            ReadStar(state, id == kStarIds[0].read ? 0 : 1);
        } else if (id == kReferenceNow) {
            SetField(state, kReferenceTime, ClockText());
        } else if (id == kAlignButton) {
            Align(state);
        } else if (id == kResetButton) {
            Reset(state);
        } else if (id == kNStarButton) {
            if (telescope_.TwoStar().IsActive()) ShowForm(state, kNStarFormId);
            else InfoBox(state, kNStarNeedsAlignment, "");
        } else if (id == kDoneButton) {
            ReadFields(state);
            BackToPreviousForm(state);
        } else if (id == kHelpButton) {
            InfoBox(state, kHelpFirst, kHelpSecond);
        } else if (id == kPlatformOn || id == kPlatformOff) {
            telescope_.TwoStar().SetPlatformMode(id == kPlatformOn);
            ShowPlatform(state, window, id == kPlatformOn);
        } else if (id == kPlatformReset) {
            telescope_.TwoStar().ResetPlatform(ClockAngleDegrees(telescope_.Now().local), state.info);
        }
    }

private:
    AlignStar& Record(int star) { return star == 0 ? telescope_.Stars().star1 : telescope_.Stars().star2; }

    std::string ClockText() const { return DegToHmsStr(ClockAngleDegrees(telescope_.Now().local)); }

    void ChooseStar(AppState& state, int star, int row) {
        if (row < 0 || row >= int(candidates_.size())) return;
        const Candidate& c = candidates_[size_t(row)];
        // The mount points at places of date, and gotos are sent through the alignment as such.
        const auto place = telescope_.Dispatcher().ReduceTarget({c.raHours, c.decDeg}, state.prefs.correction);
        if (!place) return;
        AlignStar& record = Record(star);
        record.starIndex = c.starIndex;
        record.name = c.name.substr(0, kAlignStarNameMax);
        record.raDeg = place->apparent.raHours * 15.0;
        record.decDeg = place->apparent.decDegrees;
        const TextFormats formats = telescope_.Now().formats;
        SetPopupLabel(state, kStarIds[size_t(star)].choose, record.name);
        SetField(state, kStarIds[size_t(star)].ra, HMSToStr(place->apparent.raHours, formats));
        SetField(state, kStarIds[size_t(star)].dec, DmsToStr(place->apparent.decDegrees, formats));
        if (star == 1 && ZeroEncoderOnStar(telescope_.Dispatcher().Encoder(), state.prefs, *place, state.prefs.alignment))
            SaveSettings(state);
    }

    // The time of the measurement, then the mount's axes: read from the mount when a drive is
    // chosen, otherwise the star's own place for the user to correct.
    void ReadStar(AppState& state, int star) {
        const int outputType = state.prefs.scopeOutputType;
        if (outputType < 0 || outputType > 2) {
            InfoBox(state, kSelectOutputType, "");
            return;
        }
        const ScopeMoment now = telescope_.Now();
        const StarIds& ids = kStarIds[size_t(star)];
        SetField(state, ids.time, ClockText());
        Record(star).clockDeg = ClockAngleDegrees(now.local);
        EquatorialPosition axes;  // axis 1 in hours for EQ, degrees otherwise
        if (!IsNoDrive(state.prefs.scopeDrive)) {
            if (!telescope_.Dispatcher().ScopeReadRaw(axes)) return;
        } else {
            ReadFields(state);
            const AlignStar& r = Record(star);
            axes = {r.raDeg / 15.0, r.decDeg};
            if (outputType != 0) {
                const HorizontalPlace sky = HorizontalOf(now, axes);
                axes = {sky.azimuth, sky.altitude};
            }
        }
        SetField(state, ids.axis1, outputType == 0 ? HMSToStr(axes.raHours, now.formats) : DmsToStr(axes.raHours, now.formats));
        SetField(state, ids.axis2, DmsToStr(axes.decDegrees, now.formats));
        ReadFields(state);
    }

    std::string Field(AppState& state, int id) {
        char buffer[64];
        GetField(state, id, buffer, sizeof buffer);
        return buffer;
    }

    // The typed texts into the records, as Align reads them.
    void ReadFields(AppState& state) {
        telescope_.Stars().referenceTime = Field(state, kReferenceTime);
        for (int star = 0; star < 2; ++star) {
            const StarIds& ids = kStarIds[size_t(star)];
            const AlignStarTexts texts{Field(state, ids.time), Field(state, ids.ra), Field(state, ids.dec),
                                       Field(state, ids.axis1), Field(state, ids.axis2)};
            ReadAlignStarTexts(texts, state.prefs.scopeOutputType, Record(star));
        }
    }

    void Align(AppState& state) {
        ReadFields(state);
        const ScopeMoment now = telescope_.Now();
        if (!AlignTwoStars(AlignmentFrameOf(state.prefs), telescope_.Stars(), JulianDayOf(now), telescope_.TwoStar(),
                           state.prefs.alignment, state.info))
            return;
        SaveSettings(state);
        BackToPreviousForm(state);
    }

    void Reset(AppState& state) {
        telescope_.TwoStar().ResetAlignment();
        telescope_.Dispatcher().Encoder().ResetZero();
        telescope_.Stars() = TwoStarRecords{};
        SetField(state, kReferenceTime, "");
        for (int star = 0; star < 2; ++star) {
            const StarIds& ids = kStarIds[size_t(star)];
            for (const int id : {ids.time, ids.ra, ids.dec, ids.axis1, ids.axis2}) SetField(state, id, "");
            SetPopupLabel(state, ids.choose, StarButtonText(star));
        }
    }

    // The records as the fields show them; an empty star leaves its fields empty.
    void ShowRecords(AppState& state) {
        const TwoStarRecords& records = telescope_.Stars();
        SetField(state, kReferenceTime, records.referenceTime.empty() ? ClockText() : records.referenceTime);
        const int outputType = state.prefs.scopeOutputType;
        const TextFormats formats = telescope_.Now().formats;
        for (int star = 0; star < 2; ++star) {
            const AlignStar& r = Record(star);
            if (Blank(r)) continue;
            const StarIds& ids = kStarIds[size_t(star)];
            if (!r.name.empty()) SetPopupLabel(state, ids.choose, r.name);
            SetField(state, ids.time, DegToHmsStr(r.clockDeg));
            SetField(state, ids.ra, HMSToStr(r.raDeg / 15.0, formats));
            SetField(state, ids.dec, DmsToStr(r.decDeg, formats));
            SetField(state, ids.axis1, outputType == 0 ? HMSToStr(r.axis1Deg / 15.0, formats) : DmsToStr(r.axis1Deg, formats));
            SetField(state, ids.axis2, DmsToStr(r.axis2Deg, formats));
        }
    }

    static void ShowPlatform(AppState& state, FormWindow& window, bool on) {
        ShowControl(state, &window, kPlatformOn, !on);
        ShowControl(state, &window, kPlatformOff, on);
        ShowControl(state, &window, kPlatformReset, on);
    }

    CatalogSession& sky_;
    Telescope& telescope_;
    std::vector<Candidate> candidates_;
};

}  // namespace

void OfferAlignmentRestore(AppState& state, Telescope& telescope) {
    SavedAlignment& saved = state.prefs.alignment;
    const RestoreOffer offer = telescope.Restore().Check(saved, JulianDayOf(telescope.Now()), telescope.TwoStar().IsActive());
    if (offer != RestoreOffer::Offer) return;
    bool restored = false;
    if (InfoBoxYesNo(state, kRestoreQuestion, "")) {
        telescope.Restore().Decline(saved);
        SaveSettings(state);
    } else {
        restored = telescope.Restore().Accept(AlignmentFrameOf(state.prefs), saved, telescope.Stars(),
                                              telescope.TwoStar(), state.info);
    }
    SettleEncoderZero(telescope.Dispatcher().Encoder(), state.prefs, saved, restored);
}

std::unique_ptr<Form> MakeTwoStarForm(CatalogSession& sky, Telescope& telescope) {
    return std::make_unique<TwoStarForm>(sky, telescope);
}

}  // namespace vsp
