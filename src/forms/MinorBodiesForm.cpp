// Comets&Asteroids (2550). The databases can hold 65535 objects of each kind: the magnitudes
// of all are taken cheaply (geometric distances), and only the brightest kListLimit are
// placed and listed.

#include "forms/MinorBodiesForm.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "catalog/ConstellationTable.h"
#include "format/AngleFormat.h"
#include "format/EventText.h"
#include "format/RiseSetText.h"
#include "forms/EphemerisFormKit.h"
#include "forms/FolderChoice.h"
#include "forms/PlaceTimeForms.h"
#include "platform/FormatText.h"
#include "platform/Text.h"
#include "settings/PreferenceTable.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/ProgressBox.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MinorBodyImport.h"
#include "tools/MinorBodySky.h"

namespace vsp {
namespace {

constexpr int kHeadFirst = 2551;  // four column heads
constexpr int kObjectList = 2556, kEmptyHint = 2557, kDetailFirst = 2560;
constexpr int kChartButton = 2570, kGotoButton = 2571, kImportButton = 2572;

// Layout, 96-dpi pixels.
constexpr int kHeadTop = 42, kListTop = 56, kListRows = 8;
constexpr int kListHeight = kListRows * kEphemRowHeight + 2;
constexpr int kDetailTop = kListTop + kListHeight + 4, kDetailLines = 6;
constexpr int kButtonTop = 294;
const std::vector<int> kColumns = {112, 38, 40, 38};
const std::vector<const char*> kHeads = {"Object", "Mag", "Con", "Alt"};

// The most objects placed and listed at once.
constexpr size_t kListLimit = 500;
// "23h45.0" and "-70°45.0", as the other tables of the ephemeris forms.
constexpr int kShortFormat = 3;

constexpr char kEmptyText[] =
    "No comet or minor planet yet. Import loads the comet and asteroid files whose addresses "
    "Preferences 7/7 holds.";

struct Listed {
    MinorBodyRecord record;
    MinorBodySky sky;
};

FormTemplate MinorBodiesTemplate(int formId) {
    FormTemplate t = EphemerisTemplate(formId);
    AddColumnHeads(t, kHeadFirst, kEphemMargin, kHeadTop, kColumns, kHeads);
    t.controls.push_back({kObjectList, ControlKind::List, "", MakeRect(kEphemMargin, kListTop, kEphemWidth, kListHeight)});
    t.controls.push_back({kEmptyHint, ControlKind::StaticText, kEmptyText,
                          MakeRect(kEphemMargin, kListTop + 4, kEphemWidth, 4 * kEphemLineHeight), false});
    for (int i = 0; i < kDetailLines; ++i)
        t.controls.push_back(TextAt(kDetailFirst + i, kEphemMargin, kDetailTop + i * kEphemLineHeight, kEphemWidth));
    t.controls.push_back(ButtonAt(kChartButton, 4, kButtonTop, 60, "Chart"));
    t.controls.push_back(ButtonAt(kGotoButton, 68, kButtonTop, 60, "Goto"));
    t.controls.push_back(ButtonAt(kImportButton, 166, kButtonTop, 70, "Import"));
    t.controls.push_back(ProgressBoxTemplate());
    return t;
}

// The list's name of an object: its name, else its designation.
std::string ShortName(const MinorBodyRecord& r) { return Utf8ToCp1252(r.name.empty() ? r.designation : r.name); }

std::string MagnitudeCell(double m) { return std::isfinite(m) ? FormatText("%.1f", m) : std::string("-"); }

std::string ConstellationCell(int index) {
    const ConstellationEntry* entry = ConstellationAt(index);
    return entry ? std::string(ConstellationAbbreviation(*entry)) : std::string("-");
}

std::string RiseSetLine(const RiseTransitSetTimes& times) {
    switch (times.status) {
        case RiseSetStatus::Circumpolar: return "Up all day";
        case RiseSetStatus::NeverRises: return "Does not rise this day";
        case RiseSetStatus::Normal: break;
    }
    return "Rise " + ClockMinutesText(times.rise) + "  Transit " + ClockMinutesText(times.transit) + "  Set " +
           ClockMinutesText(times.set);
}

// The objects of both databases brightest first (no magnitude last), at most kListLimit.
std::vector<MinorBodyRecord> BrightestOf(MinorBodies bodies, const Instant& when) {
    std::vector<MinorBodyRecord> all = std::move(bodies.comets);
    all.insert(all.end(), bodies.minorPlanets.begin(), bodies.minorPlanets.end());
    double earth[3];
    EarthHeliocentricEcliptic(when, earth);
    std::vector<double> magnitudes;
    for (const MinorBodyRecord& r : all) {
        const double m = MinorBodyMagnitudeAt(r.elements, when.tt, earth);
        magnitudes.push_back(std::isfinite(m) ? m : HUGE_VAL);
    }
    std::vector<size_t> order(all.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const size_t kept = std::min(order.size(), kListLimit);
    std::partial_sort(order.begin(), order.begin() + long(kept), order.end(),
                      [&](size_t a, size_t b) { return magnitudes[a] < magnitudes[b]; });
    std::vector<MinorBodyRecord> out;
    for (size_t i = 0; i < kept; ++i) out.push_back(std::move(all[order[i]]));
    return out;
}

class MinorBodiesForm : public Form {
public:
    MinorBodiesForm(Telescope& telescope, SharedChartCentre centre) : telescope_(telescope), centre_(std::move(centre)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return MinorBodiesTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kMinorBodiesFormId);
        SetListColumns(state, window, kObjectList, kColumns);
        Fill(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        switch (id) {
            case kObjectList:
                if (notify != ControlNotify::Click) ShowDetails(state, GetListSelection(state, kObjectList));
                break;
            case kChartButton: Chart(state); break;
            case kGotoButton: Goto(state, window); break;
            case kImportButton: Import(state, window); break;
            default: break;
        }
    }

private:
    // Reads the databases, places the brightest and lists them, the first one chosen.
    void Fill(AppState& state, FormWindow& window) {
        listed_.clear();
        MinorBodies bodies;
        LoadMinorBodies(state.dir, state.info, bodies);
        const EphemerisSettings settings = SiteEphemeris(state);
        const Instant when = LocalInstant(state.observingTime, settings);
        total_ = bodies.comets.size() + bodies.minorPlanets.size();
        std::vector<std::string> rows;
        for (MinorBodyRecord& record : BrightestOf(std::move(bodies), when)) {
            Listed item{std::move(record), {}};
            // Elements that describe no orbit, or a date outside the ephemeris, are left out.
            if (MinorBodySkyAt(item.record.elements, when, settings, item.sky) != kEphemerisOk) continue;
            rows.push_back(ShortName(item.record) + "\t" + MagnitudeCell(item.sky.place.magnitude) + "\t" +
                           ConstellationCell(item.sky.constellation) + "\t" + AzimuthText(item.sky.horizon.altitude));
            listed_.push_back(std::move(item));
        }
        FillList(state, window, kObjectList, rows);
        const bool empty = listed_.empty();
        ShowControl(state, &window, kEmptyHint, empty);
        ShowControl(state, &window, kObjectList, !empty);
        for (size_t i = 0; i < kHeads.size(); ++i) ShowControl(state, &window, kHeadFirst + int(i), !empty);
        // A cut list says so over its first column.
        SetField(state, kHeadFirst, total_ > listed_.size() && !empty ? FormatText("Brightest %zu", listed_.size())
                                                                    : std::string(kHeads[0]));
        if (!empty) SetListSelection(state, kObjectList, 0);
        ShowDetails(state, empty ? -1 : 0);
        state.windows.InvalidateForm(&window);
    }

    void ShowDetails(AppState& state, int row) {
        std::vector<std::string> lines(kDetailLines);
        if (row >= 0 && size_t(row) < listed_.size()) {
            lines = DetailLines(state, listed_[size_t(row)]);
        } else if (total_ > 0) {
            lines[0] = "Tap an object for its details.";
        }
        for (int i = 0; i < kDetailLines; ++i) SetField(state, kDetailFirst + i, lines[size_t(i)]);
    }

    std::vector<std::string> DetailLines(AppState& state, const Listed& item) {
        const MinorBodyPosition& p = item.sky.place;
        const EphemerisSettings settings = SiteEphemeris(state);
        RiseTransitSetTimes times;
        const bool timed = MinorBodyDayTimes(item.record.elements, state.observingTime,
                                             HorizonDegrees(state.prefs.horizon), settings, times) == kEphemerisOk;
        const std::string magnitude = std::isfinite(p.magnitude) ? FormatText("  Mag %.1f", p.magnitude) : "";
        return {Utf8ToCp1252(MinorBodyLabel(item.record)),
                "RA " + HMSToStr(p.raHours, kShortFormat, &state.info) + "  Dec " + DmsToStr(p.decDeg, kShortFormat) +
                    magnitude,
                FormatText("Sun %.3f AU  Earth %.3f AU", p.sunDistanceAu, p.earthDistanceAu),
                FormatText("Elong. %.0f\xB0  Phase %.0f\xB0  Motion %.1f\"/h", p.elongationDeg, p.phaseDeg,
                           p.motionArcsecPerHour),
                timed ? RiseSetLine(times) : std::string("No rise and set for this date"),
                FormatText("Elements %ld days old", long(std::lround(p.elementAgeDays)))};
    }

    const Listed* Chosen(AppState& state) {
        const int row = GetListSelection(state, kObjectList);
        if (row >= 0 && size_t(row) < listed_.size()) return &listed_[size_t(row)];
        InfoBox(state, listed_.empty() ? "No comet or minor planet in the databases." : "No object selected.", "");
        return nullptr;
    }

    void Chart(AppState& state) {
        const Listed* item = Chosen(state);
        if (!item) return;
        ChartSelection selection;
        selection.raHours = item->sky.place.raHours;
        selection.decDeg = item->sky.place.decDeg;
        selection.magnitude = std::isfinite(item->sky.place.magnitude) ? float(item->sky.place.magnitude) : 0.0f;
        selection.name = ShortName(item->record).substr(0, kSelectionNameLength);
        centre_->target = selection;
        ShowForm(state, kSkyChartFormId);
    }

    // As the chart's Goto: setting circles guide on the scope control form, a real mount's
    // slew is watched there, the emulated one's on the chart.
    void Goto(AppState& state, FormWindow&) {
        const Listed* item = Chosen(state);
        if (!item) return;
        const EquatorialPosition catalog{item->sky.catalogRaHours, item->sky.catalogDecDeg};
        const ScopeGotoResult result = telescope_.Dispatcher().ScopeGoto(catalog, state.prefs.correction);
        if (result == ScopeGotoResult::Guidance) ShowForm(state, kScopeControlFormId);
        if (result != ScopeGotoResult::Slewing) return;
        telescope_.SetSlewStarted(true);
        if (telescope_.Link().Emulating()) Chart(state);
        else ShowForm(state, kScopeControlFormId);
    }

    // Each address of the settings as its own kind; a failed one says why and the other is
    // still read.
    void Import(AppState& state, FormWindow& window) {
        struct Source {
            const std::string& address;
            MinorBodyKind kind;
            const char* one;
            const char* many;
        };
        const Source sources[] = {{state.prefs.cometUrl, MinorBodyKind::Comet, "comet", "comets"},
                                  {state.prefs.asteroidUrl, MinorBodyKind::MinorPlanet, "minor planet", "minor planets"}};
        std::string lines;
        for (const Source& source : sources) {
            ShowProgressBox(state, "Please wait, loading", ShortSourceName(source.address));
            MinorBodyImportOptions options;
            options.kind = source.kind;
            MinorBodyImportReport report;
            const bool imported = ImportMinorBodies(state.dir, source.address, options, state.info, report);
            HideProgressBox(state);
            if (!imported) continue;
            const int written = report.written[KindSlot(source.kind)];
            lines += (lines.empty() ? "" : "\n") + ShortSourceName(source.address) + ": " + std::to_string(written) +
                     " " + (written == 1 ? source.one : source.many);
            if (report.rejectCount > 0) lines += ", " + std::to_string(report.rejectCount) + " lines skipped";
        }
        if (!lines.empty()) InfoBox(state, "Comets and minor planets imported.", lines);
        Fill(state, window);
    }

    Telescope& telescope_;
    SharedChartCentre centre_;
    std::vector<Listed> listed_;
    size_t total_ = 0;  // objects in the databases
};

}  // namespace

std::unique_ptr<Form> MakeMinorBodiesForm(Telescope& telescope, SharedChartCentre centre) {
    return std::make_unique<MinorBodiesForm>(telescope, std::move(centre));
}

}  // namespace vsp
