// The object information: the object or star the finder chose, its names, facts, where it
// stands and its description, laid out down the screen; without a chosen object, a line and
// the way to the finder.
#include <algorithm>
#include <string>
#include <vector>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "catalog/Designation.h"
#include "catalog/ObjectFacts.h"
#include "catalog/StarAngle.h"
#include "forms/ObservingContext.h"  // the observing place, time and formats of the forms
#include "forms/ObjectForms.h"
#include "forms/ObjectInfoLines.h"
#include "platform/PaintParts.h"
#include "shell/FormHistory.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "settings/PreferenceTable.h"
#include "shell/Scale.h"

namespace vsp {
namespace {

constexpr int kTitleId = 8000;
constexpr int kFinderButtonId = 113;
constexpr int kNoObjectId = 114;
constexpr int kFirstLineId = 3000;  // the controls of the lines, in order

constexpr char kNoObjectText[] = "No object chosen yet. Tap Finder to choose one by its catalog and number.";

// Layout of the 240 x 320 screen, 96-dpi pixels.
constexpr int kMargin = 4;
constexpr int kScreenWidth = 240;
constexpr int kLinesTop = 28;
constexpr int kLabelWidth = 46;
constexpr int kRightHalf = 126;      // where a second label starts
constexpr int kRightLabelWidth = 34;
constexpr int kIndent = 10;
constexpr int kLineHeight = 13;       // the least a line of text takes
constexpr int kGroupGap = 4;          // above a line that starts a group
constexpr int kScrollLines = 3;
constexpr int kTextPadding = 2;       // each side of a static text's lines

// The controls of one line; 0 where the line has none.
struct LineControls {
    int label = 0, value = 0, label2 = 0, value2 = 0;
};

class ObjectInfoForm : public Form {
public:
    ObjectInfoForm(CatalogSession& sky, SharedObjectSelection selection)
        : sky_(sky), selection_(std::move(selection)) {}

    FormTemplate BuildTemplate(AppState& state, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        t.controls.push_back({kTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, 120, 24}});
        t.controls.push_back({kFinderButtonId, ControlKind::Button, "Finder", Rect{180, 2, 236, 22}});
        std::string missing = kNoObjectText;
        if (selection_->chosen) ReadLines(state, missing);
        if (lines_.empty()) {
            t.controls.push_back({kNoObjectId, ControlKind::StaticText, missing,
                                  Rect{kMargin, kLinesTop + 6, kScreenWidth - kMargin, 120}});
        }
        int id = kFirstLineId;
        auto add = [&](const std::string& text, bool present) {
            if (!present) return 0;
            t.controls.push_back({id, ControlKind::StaticText, text, Rect{}});
            return id++;
        };
        for (const InfoLine& line : lines_) {
            const bool labelled = !line.label.empty();
            const bool pair = !line.label2.empty();
            ids_.push_back({add(line.label, labelled), add(line.value, true), add(line.label2, pair),
                            add(line.value2, pair)});
        }
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        InitTitle(state, window);
        EnterForm(state, kObjectInfoFormId);
        LayOut(state, window);
    }

    void OnControl(AppState& state, FormWindow&, int controlId, ControlNotify notify) override {
        if (controlId == kFinderButtonId && notify == ControlNotify::Click) ShowForm(state, kFinderFormId);
    }

    // A long description may run past the screen: Up and Down, or a tap on the form beside the
    // lines (in its upper or lower half), move the lines by a few rows.
    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (key.code != kKeyUp && key.code != kKeyDown) return false;
        Scroll(state, window, key.code == kKeyDown);
        return true;
    }
    void OnTap(AppState& state, FormWindow& window, int, int y, TapPhase phase) override {
        if (phase == TapPhase::Up) Scroll(state, window, y > window.Bounds().Height() / 2);
    }

private:
    // The lines of the chosen object; `missing` says why there are none.
    void ReadLines(AppState& state, std::string& missing) {
        if (selection_->star) {
            ReadStarLines(state, *selection_->star);
            return;
        }
        FoundObject found;
        if (FindObject(sky_, state.info, selection_->catalog, selection_->number, found, missing) !=
            ObjectSearch::Found) {
            return;
        }
        const ObjectFacts facts = ReadObjectFacts(sky_, state.info, found);
        const TextFormats formats = SettingsFormats(state);
        FixedPositionSky place;
        const bool placed = Place(state, found.record.ra, found.record.dec, formats, place);
        lines_ = ObjectInfoLines(facts, found.record, placed ? &place : nullptr, formats);
    }

    void ReadStarLines(AppState& state, const FoundStar& star) {
        const double ra = AngleToHours(star.record.ra), dec = AngleToDegrees(star.record.dec);
        StarFacts facts{star, {}, {}};
        if (star.hrNumber > 0 && selection_->catalog != kCatalogHr)
            facts.others.push_back(CatalogDesignation(sky_.catalogs, kCatalogHr, star.hrNumber));
        if (selection_->catalog != kCatalogHip) {
            if (const int32_t hip = HipparcosNumberAt(sky_.dir, state.info, star.record))
                facts.others.push_back(CatalogDesignation(sky_.catalogs, kCatalogHip, hip));
        }
        if (const ConstellationEntry* c = ConstellationAt(ConstellationOfPosition(ra, dec, JulianEpochToJd(2000.0))))
            facts.constellationName = std::string(ConstellationName(*c));
        const TextFormats formats = SettingsFormats(state);
        FixedPositionSky place;
        const bool placed = Place(state, ra, dec, formats, place);
        lines_ = StarInfoLines(facts, placed ? &place : nullptr, formats);
    }

    // Where a J2000 position stands for the observing time and place; false outside the
    // ephemeris.
    static bool Place(AppState& state, double raHours, double decDeg, const TextFormats& formats,
                      FixedPositionSky& place) {
        return FixedPositionSkyCompute(raHours, decDeg, state.observingTime, SiteEphemeris(state),
                                       HorizonDegrees(state.prefs.horizon), formats, place);
    }

    void Scroll(AppState& state, FormWindow& window, bool down) {
        const int step = kScrollLines * ScaledY(state, kLineHeight);
        const int overflow = std::max(0, contentBottom_ - window.Bounds().Height());
        scroll_ = std::clamp(scroll_ + (down ? step : -step), 0, overflow);
        LayOut(state, window);
        state.windows.InvalidateForm(&window);
    }

    // Down the screen line by line, each as tall as its wrapped text, moved up by the scroll;
    // a line moved under the title is hidden.
    void LayOut(AppState& state, FormWindow& window) {
        Canvas measure;
        measure.SetTextScale(state.windows.Caps().Scale());
        const int fontHeight = measure.MeasureText("", FontId::Normal).height;
        const int padding = 2 * ScaledX(state, kTextPadding);
        const int linesTop = ScaledY(state, kLinesTop);
        // Places a control at (left, top) `width` wide; answers its height.
        auto place = [&](int id, int left, int top, int width) {
            Control* c = id ? window.FindControl(id) : nullptr;
            if (!c) return 0;
            const int rows = std::max<int>(1, WrapText(measure, c->Text(), FontId::Normal, width - padding).size());
            const int height = std::max(rows * fontHeight, rows * ScaledY(state, kLineHeight));
            c->SetBounds(MakeRect(left, top - scroll_, width, height));
            c->SetVisible(top - scroll_ >= linesTop);
            return height;
        };
        const int x = ScaledX(state, kMargin), right = ScaledX(state, kScreenWidth - kMargin);
        const int valueLeft = x + ScaledX(state, kLabelWidth), half = ScaledX(state, kRightHalf);
        const int value2Left = half + ScaledX(state, kRightLabelWidth);
        int y = linesTop;
        for (size_t i = 0; i < ids_.size(); ++i) {
            const LineControls& line = ids_[i];
            if (lines_[i].gapBefore) y += ScaledY(state, kGroupGap);
            int height = 0;
            if (!line.label) {
                const int left = x + (lines_[i].indent ? ScaledX(state, kIndent) : 0);
                height = place(line.value, left, y, right - left);
            } else {
                const int valueRight = line.label2 ? half : right;
                height = std::max({place(line.label, x, y, valueLeft - x),
                                   place(line.value, valueLeft, y, valueRight - valueLeft),
                                   place(line.label2, half, y, value2Left - half),
                                   place(line.value2, value2Left, y, right - value2Left)});
            }
            y += height;
        }
        contentBottom_ = y;
    }

    CatalogSession& sky_;
    SharedObjectSelection selection_;
    std::vector<InfoLine> lines_;
    std::vector<LineControls> ids_;
    int contentBottom_ = 0;  // device pixels, unscrolled
    int scroll_ = 0;
};

}  // namespace

std::unique_ptr<Form> MakeObjectInfoForm(CatalogSession& sky, SharedObjectSelection selection) {
    return std::make_unique<ObjectInfoForm>(sky, std::move(selection));
}

}  // namespace vsp
