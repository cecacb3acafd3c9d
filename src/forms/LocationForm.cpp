// Location (1200): the current site's name, place, clock and air, each change kept and saved
// at once; three stored sites to recall and to save into; the way to the city list.

#include <iterator>
#include <string>

#include "forms/LocationFields.h"
#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "scope/GpsLocation.h"
#include "scope/SerialLink.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/SaveSettings.h"
#include "shell/TypedFieldsForm.h"

namespace vsp {

namespace {

constexpr int kFieldFirst = 1201;  // the site fields in their order, then the rest
constexpr int kDaylightBox = 1210;
constexpr int kPositionText = 1211;
constexpr int kGpsButton = 1212;
constexpr int kSitesCaption = 1214;
constexpr int kSitesHelp = 1213;
constexpr int kRecallFirst = 1220;  // "Site 1".."Site 3"
constexpr int kStoredNameFirst = 1224;
constexpr int kSaveFirst = 1228;
constexpr int kChooseButton = 1232;
constexpr int kLabelFirst = 1240;   // labels and units, not referred to again

constexpr char kSitesHelpFirst[] = "Save several settings using site1, 2 and 3.";
constexpr char kSitesHelpSecond[] =
    "Site 1, 2 or 3 makes that place the current one; Save under it stores the place shown above.";

// Two columns of label, field and unit under the full-width name.
constexpr int kColumnA = kPlaceMargin, kFieldA = 46, kFieldEndA = 102;
constexpr int kColumnB = 128, kFieldB = 168, kFieldEndB = 204;
constexpr int kRight = 240 - kPlaceMargin;

struct FieldPlace {
    int labelLeft, fieldLeft, fieldRight, line;
    const char* label;
    const char* unit;  // right of the field
};

// In the order of SiteFields(). "UT+ 60 min" reads as the clock's offset.
constexpr FieldPlace kPlaces[] = {
    {kColumnA, kFieldA, kRight, 0, "Name", ""},
    {kColumnA, kFieldA, kFieldEndA, 1, "Lat.", "\xB0" "N"},
    {kColumnA, kFieldA, kFieldEndA, 2, "Long.", "\xB0" "E"},
    {kColumnB, kFieldB, kFieldEndB, 1, "Elev.", "m"},
    {kColumnB, kFieldB, kFieldEndB, 2, "UT+", "min"},
    {kColumnA, kFieldA, kFieldEndA, 3, "Temp.", "\xB0" "C"},
    {kColumnB, kFieldB, kFieldEndB, 3, "Press.", "mb"},
    {kColumnB, kFieldB, kFieldEndB, 4, "Hum.", "%"},
};
constexpr int kDaylightLine = 4, kPositionLine = 5, kSitesLine = 6;

constexpr int LineTop(int line) { return kPlaceTop + line * kPlaceLineStep; }

constexpr int kSiteWidth = 72, kSiteGap = 6;
constexpr int kSitesTop = LineTop(kSitesLine) + 4;

void AddSiteFields(FormTemplate& t) {
    static_assert(std::size(kPlaces) == kSiteFieldCount);
    int labelId = kLabelFirst;
    for (size_t i = 0; i < std::size(kPlaces); ++i) {
        const FieldPlace& f = kPlaces[i];
        const int top = LineTop(f.line);
        t.controls.push_back(LabelAt(labelId++, f.labelLeft, top, f.fieldLeft - f.labelLeft, f.label));
        t.controls.push_back(EditAt(kFieldFirst + int(i), f.fieldLeft, top, f.fieldRight - f.fieldLeft));
        const int unitLeft = f.fieldRight + 2, unitRight = f.labelLeft == kColumnA ? kColumnB : kRight;
        if (*f.unit) t.controls.push_back(LabelAt(labelId++, unitLeft, top, unitRight - unitLeft, f.unit));
    }
}

// Per slot: the recall button, the stored name, the button saving into the slot.
void AddStoredSites(FormTemplate& t) {
    t.controls.push_back(LabelAt(kSitesCaption, kColumnA, kSitesTop, 120, "Stored sites"));
    t.controls.push_back(ButtonAt(kSitesHelp, kRight - 30, kSitesTop, 30, "Inf"));
    for (int slot = 0; slot < kStoredSiteCount; ++slot) {
        const int left = kColumnA + slot * (kSiteWidth + kSiteGap), top = kSitesTop + kPlaceLineStep + 2;
        t.controls.push_back(ButtonAt(kRecallFirst + slot, left, top, kSiteWidth, "Site " + std::to_string(slot + 1)));
        t.controls.push_back(LabelAt(kStoredNameFirst + slot, left, top + kPlaceButtonHeight, kSiteWidth, ""));
        t.controls.push_back(
            ButtonAt(kSaveFirst + slot, left, top + kPlaceButtonHeight + kPlaceFieldHeight, kSiteWidth, "Save"));
    }
}

FormTemplate LocationTemplate(int formId, bool gps) {
    FormTemplate t = PlaceTimeTemplate(formId);
    AddSiteFields(t);
    t.controls.push_back({kDaylightBox, ControlKind::CheckBox, "Daylight saving",
                          MakeRect(kColumnA, LineTop(kDaylightLine), kColumnB - kColumnA, kPlaceFieldHeight)});
    t.controls.push_back(LabelAt(kPositionText, kColumnA, LineTop(kPositionLine), kRight - kColumnA, ""));
    AddStoredSites(t);
    const int lastLine = kSitesTop + 4 * kPlaceLineStep + 10;
    t.controls.push_back(ButtonAt(kChooseButton, kColumnA, lastLine, 110, "Choose Location"));
    if (gps) t.controls.push_back(ButtonAt(kGpsButton, kRight - 110, lastLine, 110, "GPS"));
    return t;
}

class LocationForm : public TypedFieldsForm {
public:
    explicit LocationForm(SerialLink* gps) : gps_(gps) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return LocationTemplate(formId, gps_ != nullptr); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        ShowSite(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        // Typed text is read once the user turns to anything else.
        if (notify == ControlNotify::TextChanged) return;
        CommitTypedFields(state, window);
        if (id == kDaylightBox) {
            state.prefs.site.daylight = window.FindControl(id)->Checked() ? 1 : 0;
            SiteShownChanged(state, window);
        } else if (id >= kRecallFirst && id < kRecallFirst + kStoredSiteCount) {
            state.prefs.site = state.prefs.storedSites[size_t(id - kRecallFirst)];
            SiteShownChanged(state, window);
        } else if (id >= kSaveFirst && id < kSaveFirst + kStoredSiteCount) {
            state.prefs.storedSites[size_t(id - kSaveFirst)] = state.prefs.site;
            SaveSettings(state);
            ShowSite(state, window);
        } else if (id == kSitesHelp) {
            InfoBox(state, kSitesHelpFirst, kSitesHelpSecond);
        } else if (id == kChooseButton) {
            ShowForm(state, kChooseLocationFormId);
        } else if (id == kGpsButton) {
            ReadGps(state, window);
        }
    }

private:
    // One reading of the receiver, its texts taken as typed ones are, then saved and shown in
    // the fields; a reading without a position leaves the site where it was.
    void ReadGps(AppState& state, FormWindow& window) {
        // Without a port nothing is read; the user is told where the port is chosen.
        const int port = gps_->GpsPort();
        if (port == 0) {
            InfoBox(state, "No GPS port is selected.", "Please select the GPS Port in Preference 1/7.");
            return;
        }
        const GpsFix fix = GpsToLocation(*gps_, port, state.observingTime.hour, state.prefs.site);
        if (!fix.latitudeText.empty() && !fix.longitudeText.empty()) SiteShownChanged(state, window);
    }

    static void ShowSite(AppState& state, FormWindow& window) {
        int id = kFieldFirst;
        for (const SiteField& f : SiteFields())
            window.FindControl(id++)->SetText(SiteFieldText(state.settings, f, state.prefs));
        window.FindControl(kDaylightBox)->SetChecked(state.prefs.site.daylight != 0);
        window.FindControl(kPositionText)->SetText(SitePositionText(state.prefs.site, state.prefs.decFormat));
        // A stored place is named by its first part, "Paris" of "Paris, Paris, France".
        for (int slot = 0; slot < kStoredSiteCount; ++slot) {
            const std::string& name = state.prefs.storedSites[size_t(slot)].name;
            window.FindControl(kStoredNameFirst + slot)->SetText(name.substr(0, name.find(',')));
        }
    }

    static void SiteShownChanged(AppState& state, FormWindow& window) {
        SiteChanged(state);
        if (state.currentFormWindow == &window) ShowSite(state, window);
    }

    void CommitTypedFields(AppState& state, FormWindow& window) override {
        bool changed = false;
        int id = kFieldFirst;
        for (const SiteField& f : SiteFields()) {
            Control* field = window.FindControl(id++);
            const std::string typed = field->Text();
            if (typed == SiteFieldText(state.settings, f, state.prefs)) continue;
            Refusal refusal;
            const TypedOutcome outcome = ReadSiteField(state.settings, f, typed, state.prefs, refusal);
            changed = changed || outcome == TypedOutcome::Accepted;
            field->SetText(SiteFieldText(state.settings, f, state.prefs));
            if (!refusal.first.empty()) InfoBox(state, refusal.first, refusal.second);
        }
        if (changed) SiteShownChanged(state, window);
    }

    SerialLink* gps_;
};

}  // namespace

std::unique_ptr<Form> MakeLocationForm(SerialLink* gps) { return std::make_unique<LocationForm>(gps); }

}  // namespace vsp
