// Choose Location (1600): the stored sites, then every city of the city list; typing the
// first letters of a name brings its first city to the top of the list, a row tapped (or
// Enter) becomes the current site.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "forms/PlaceTimeForms.h"
#include "catalog/CityList.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kFindLabel = 1601;
constexpr int kFindEdit = 1602;
constexpr int kPlaceList = 1603;
constexpr int kStatusLine = 1604;

constexpr int kListTop = kPlaceTop + kPlaceLineStep + 2;
constexpr int kListBottom = kListTop + 13 * 16 + 2;  // thirteen rows and the frame, two lines under it
constexpr int kNameColumn = 162;                    // the position takes the rest
constexpr char kFindHint[] = "Type the first letters of a city.";

// "49N 2E" from a latitude and a west-positive longitude, to the nearest degree.
std::string PositionText(float latitude, float longitudeWest) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%c %.0f%c", std::fabs(latitude), latitude < 0 ? 'S' : 'N',
                  std::fabs(longitudeWest), longitudeWest > 0 ? 'W' : 'E');
    return text;
}

std::string Row(const std::string& name, float latitude, float longitudeWest) {
    return name + "\t" + PositionText(latitude, longitudeWest);
}

class ChooseLocationForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = PlaceTimeTemplate(formId);
        t.controls.push_back(LabelAt(kFindLabel, kPlaceMargin, kPlaceTop, 30, "Find"));
        t.controls.push_back(EditAt(kFindEdit, 40, kPlaceTop, 240 - 40 - kPlaceMargin));
        t.controls.push_back({kPlaceList, ControlKind::List, "", Rect{kPlaceMargin, kListTop, 240 - kPlaceMargin, kListBottom}});
        t.controls.push_back({kStatusLine, ControlKind::StaticText, "",
                              Rect{kPlaceMargin, kListBottom + 2, 240 - kPlaceMargin, kListBottom + 34}});
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        Control& list = *window.FindControl(kPlaceList);
        const int columnWidth = ScaledX(state, kNameColumn);
        list.SetColumns({columnWidth, list.Bounds().Width() - columnWidth});
        for (int slot = 0; slot < kStoredSiteCount; ++slot) {
            const Site& s = state.prefs.storedSites[size_t(slot)];
            list.InsertRow(slot, Row("Site " + std::to_string(slot + 1) + ": " + s.name, s.latitude, s.longitude));
        }
        const bool haveCities = cities_.Open(state.dir);
        CityEntry city;
        for (int32_t i = 0; haveCities && cities_.Read(i, city); ++i)
            list.InsertRow(list.RowCount(), Row(city.name, city.latitude, city.longitude));
        window.FindControl(kStatusLine)->SetText(
            haveCities ? kFindHint : "The city list is missing: run vespertar data build.");
        window.SetFocusedControl(kFindEdit);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kFindEdit && notify == ControlNotify::TextChanged) FindTyped(state, window);
        if (id == kPlaceList && notify == ControlNotify::RowChosen) Choose(state, GetListSelection(state, kPlaceList));
    }

    // Up and Down move through the list while the find field has the focus; Enter chooses.
    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        const int row = GetListSelection(state, kPlaceList);
        const int last = window.FindControl(kPlaceList)->RowCount() - 1;
        if (key.code == kKeyEnter) {
            if (row >= 0) Choose(state, row);
        } else if (key.code == kKeyDown || key.code == kKeyUp) {
            SetListSelection(state, kPlaceList, std::clamp(row + (key.code == kKeyDown ? 1 : -1), 0, last));
        } else {
            return false;
        }
        return true;
    }

private:
    void FindTyped(AppState& state, FormWindow& window) {
        const std::string typed = window.FindControl(kFindEdit)->Text();
        const int32_t found = typed.empty() ? -1 : cities_.FindPrefix(typed);
        Control& list = *window.FindControl(kPlaceList);
        if (found < 0) {
            SetListSelection(state, kPlaceList, -1);
            list.SetTopRow(0);
            window.FindControl(kStatusLine)->SetText(typed.empty() ? kFindHint : "No city begins with \"" + typed + "\".");
            return;
        }
        const int row = kStoredSiteCount + found;
        SetListSelection(state, kPlaceList, row);
        list.SetTopRow(std::min(row, list.RowCount() - list.VisibleRows()));
        window.FindControl(kStatusLine)->SetText("Tap a place to make it the current site.");
    }

    void Choose(AppState& state, int row) {
        CityEntry city;
        if (row < 0) return;
        if (row < kStoredSiteCount) {
            state.prefs.site = state.prefs.storedSites[size_t(row)];
        } else if (cities_.Read(row - kStoredSiteCount, city)) {
            state.prefs.site = CitySite(city);
        } else {
            return;
        }
        SiteChanged(state);
        BackToPreviousForm(state);
    }

    CityList cities_;
};

}  // namespace

std::unique_ptr<Form> MakeChooseLocationForm() { return std::make_unique<ChooseLocationForm>(); }

}  // namespace vsp
