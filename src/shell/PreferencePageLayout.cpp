#include "shell/PreferencePageLayout.h"

#include <algorithm>

#include "platform/Canvas.h"

#include "shell/PortChoice.h"
#include "shell/PreferencePages.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kMargin = 4;
constexpr int kGap = 3;
constexpr int kRight = kPreferencePageWidth - kMargin;
constexpr int kContentTop = kTitleHeight + 4;
constexpr int kCaptionHeight = 16;
constexpr int kHelpWidth = 26;
constexpr int kLineStep = 19;
constexpr int kFieldHeight = 18;
constexpr int kLabelDrop = 2;  // a label's text sits level with the text of its field
constexpr int kStackStep = 14;  // a label over its field
constexpr int kCheckStep = 15;
constexpr int kCheckHeight = 14;
constexpr int kCloseCheckRows = 10;
constexpr int kGridStep = 20;
constexpr int kNumberWidth = 54;
constexpr int kShortFieldWidth = 34;  // room for "12.5"
constexpr int kLabelPadding = 6;      // a label's text and the padding that keeps it on one line
constexpr int kPopupChrome = 14;      // the trigger's padding and arrow
constexpr int kBarHeight = 20;
constexpr int kBarTop = kPreferencePageHeight - kBarHeight - 2;
constexpr int kPageButtonWidth = 21;
constexpr int kStepButtonWidth = 36;
constexpr int kOkWidth = 30;
constexpr int kListPadding = 32;  // the list's frame, text padding and scroll bar
constexpr int kWidestRow = kRight - kMargin - kListPadding;
constexpr int kFirstControlId = 3000;
constexpr int kFirstListId = 3600;

constexpr std::string_view kOtherLabel = "Other";

// The page 7 buttons of the image cache, which holds no setting.
constexpr SettingGroup kCacheGroup{
    7, "Cache management", "Pictures downloaded for the objects are kept on this device.", ""};

bool IsPort(const PreferenceSetting& s) { return s.look == PageLook::PortList; }

bool IsPopup(const PreferenceSetting& s) { return s.kind == PreferenceKind::Choice || IsPort(s); }

bool IsShortField(const PreferenceSetting& s) {
    return (s.kind == PreferenceKind::Integer || s.kind == PreferenceKind::Real) && !IsPort(s) &&
           s.label.ends_with(':');
}

bool IsShownOnly(const PreferenceSetting& s) { return s.look == PageLook::ShownOnly; }

std::string NameOf(const PreferenceSetting& s) {
    std::string name = s.label;
    if (name.ends_with(':')) name.pop_back();
    return name;
}

SettingBinding BindingOf(const PreferenceSetting& s, SettingControl control, std::string name) {
    SettingBinding b;
    b.setting = &s;
    b.control = control;
    b.name = std::move(name);
    return b;
}

// The row the stored value selects, as the popup shows it.
bool OtherChosen(const PreferenceSetting& choice, const Preferences& prefs) {
    const int row = ChoiceRowOf(choice, choice.getNumber(prefs));
    return row >= 0 && choice.rows[size_t(row)] == kOtherLabel;
}

class PageBuilder {
public:
    PageBuilder(const PreferenceTable& table, int page, const Preferences& prefs, const TextMeasure& measure,
                const std::vector<PortLabel>& ports)
        : table_(table), page_(page), prefs_(prefs), measure_(measure), ports_(ports) {
        portRows_.push_back("None");
        for (const PortLabel& port : ports) portRows_.push_back(PortRowText(port, measure_, kWidestRow));
        gpsRows_ = portRows_;
        portRows_.emplace_back(kOtherPortRow);
        // Once chosen, the daemon's entry is a row of its own.
        const bool listed = std::any_of(ports.begin(), ports.end(), [](const PortLabel& p) { return p.name == kLocalGpsd; });
        if (!listed) gpsRows_.emplace_back(kGpsdPortRow);
        gpsRows_.emplace_back(kOtherPortRow);
    }

    PageLayout Build() {
        for (const PreferenceSetting& s : table_.Listed())
            if (s.Page() == page_) settings_.push_back(&s);
        AddFrame();
        if (page_ == 7) AddCacheGroup();
        if (page_ == 4) {
            AddZoomGrid();
        } else {
            AddGroups();
        }
        out_.controls.insert(out_.controls.end(), lists_.begin(), lists_.end());
        return std::move(out_);
    }

private:
    int Add(ControlKind kind, std::string text, Rect r, bool visible = true) {
        const int id = nextId_++;
        out_.controls.push_back(ControlTemplate{id, kind, std::move(text), r, visible});
        return id;
    }

    int Width(std::string_view text) const { return measure_(text); }

    // Wide enough for the longest label in the group's label column, within limits that leave
    // the fields room.
    int LabelColumnWidth(const SettingGroup* group) const {
        int widest = 0;
        for (const PreferenceSetting* s : settings_) {
            if (s->group != group) continue;
            if (IsPopup(*s) || (!IsShortField(*s) && s->label != kOtherLabel && s->kind != PreferenceKind::Flag &&
                                s->kind != PreferenceKind::Text))
                widest = std::max(widest, Width(s->label));
            widest = std::max(widest, Width(s->heading));
        }
        return std::clamp(widest + kLabelPadding + 4, 56, 124);
    }

    void AddFrame() {
        // The page buttons centred between "Prev" and "Next".
        const int between = kRight - kMargin - 2 * kStepButtonWidth;
        const int first = kMargin + kStepButtonWidth + (between - kPreferencePageCount * (kPageButtonWidth + 1) + 1) / 2;
        for (int p = 1; p <= kPreferencePageCount; ++p) {
            const int left = first + (p - 1) * (kPageButtonWidth + 1);
            AddWithId(kPageButtonFirst + p - 1, ControlKind::Button, std::to_string(p),
                      MakeRect(left, kBarTop, kPageButtonWidth, kBarHeight));
        }
        AddWithId(kPrevPageButton, ControlKind::Button, "Prev",
                  MakeRect(kMargin, kBarTop, kStepButtonWidth, kBarHeight));
        AddWithId(kNextPageButton, ControlKind::Button, "Next",
                  MakeRect(kRight - kStepButtonWidth, kBarTop, kStepButtonWidth, kBarHeight));
        AddWithId(kPreferencesOkButton, ControlKind::Button, "Ok",
                  MakeRect(kRight - kOkWidth, 2, kOkWidth, kTitleHeight - 4));
    }

    void AddWithId(int id, ControlKind kind, std::string text, Rect r) {
        out_.controls.push_back(ControlTemplate{id, kind, std::move(text), r, true});
    }

    void AddCaption(const SettingGroup& group) {
        Add(ControlKind::TitleButton, std::string(group.name),
            MakeRect(kMargin, y_, kRight - kMargin - kHelpWidth - kGap, kCaptionHeight));
        const int help = Add(ControlKind::Button, "Inf", MakeRect(kRight - kHelpWidth, y_, kHelpWidth, kCaptionHeight));
        out_.helpButtons.emplace_back(help, &group);
        y_ += kCaptionHeight + kGap;
    }

    void AddCacheGroup() {
        AddCaption(kCacheGroup);
        const int width = (kRight - kMargin - 2 * kGap) / 3;
        int left = kMargin;
        for (const char* label : {"Clear", "Sync", "Stop"}) {
            out_.cacheButtons.push_back(Add(ControlKind::Button, label, MakeRect(left, y_, width, kFieldHeight + 2)));
            left += width + kGap;
        }
        y_ += kFieldHeight + 2 + kGap + 2;
    }

    void AddGroups() {
        const SettingGroup* group = nullptr;
        for (size_t i = 0; i < settings_.size();) {
            const PreferenceSetting& s = *settings_[i];
            if (s.group != group) {
                group = s.group;
                labelWidth_ = LabelColumnWidth(group);
                AddCaption(*group);
            }
            i = AddLine(i);
        }
    }

    // Lays out the line starting at settings_[i]; answers the index after it.
    size_t AddLine(size_t i) {
        const PreferenceSetting& s = *settings_[i];
        auto next = [&](size_t j) { return j < settings_.size() ? settings_[j] : nullptr; };
        if (s.kind == PreferenceKind::Flag) {
            size_t end = i;
            while (next(end) && next(end)->kind == PreferenceKind::Flag && next(end)->group == s.group) ++end;
            AddCheckBoxes(i, end);
            return end;
        }
        if (IsShortField(s) && next(i + 1) && IsShortField(*next(i + 1))) {
            size_t end = i;
            while (next(end) && IsShortField(*next(end))) ++end;
            AddShortFields(i, end);
            return end;
        }
        if (s.kind == PreferenceKind::Text) {
            AddTextLine(s);
            return i + 1;
        }
        if (IsPopup(s)) {
            const PreferenceSetting* other = next(i + 1);
            const bool withOther = other && other->label == kOtherLabel && !IsPopup(*other);
            AddPopupLine(s, withOther ? other : nullptr);
            return i + (withOther ? 2 : 1);
        }
        AddValueLine(s);
        return i + 1;
    }

    void AddLabel(const std::string& text, int left, int width, bool visible = true) {
        Add(ControlKind::StaticText, text, MakeRect(left, y_ + kLabelDrop, width, kFieldHeight - kLabelDrop), visible);
    }
    // A label on a line of its own, over its field.
    void AddLabelAbove(const std::string& text, int left, int width, bool visible = true) {
        Add(ControlKind::StaticText, text, MakeRect(left, y_, width, kStackStep), visible);
    }

    int FieldLeft() const { return kMargin + labelWidth_; }

    const std::vector<std::string>& RowsOf(const PreferenceSetting& s) const {
        if (!IsPort(s)) return s.rows;
        return OffersGpsd(s) ? gpsRows_ : portRows_;
    }

    int AddPopup(const PreferenceSetting& s, Rect trigger, bool visible = true) {
        SettingBinding b = BindingOf(s, SettingControl::Popup, NameOf(s));
        b.rows = RowsOf(s);
        b.fieldId = Add(ControlKind::PopupTrigger, "", trigger, visible);
        int widest = 0;
        for (const std::string& row : b.rows) widest = std::max(widest, Width(row));
        const int width = std::clamp(widest + kListPadding, trigger.Width(), kRight - kMargin);
        const int left = std::min(trigger.left, kRight - width);
        if (IsPort(s))
            for (size_t row = 0; row < b.rows.size(); ++row)
                b.shown.push_back(row == 0 || row > ports_.size()
                                      ? b.rows[row]
                                      : PortRowText(ports_[row - 1], measure_, trigger.Width() - kPopupChrome));
        b.listId = nextListId_++;
        lists_.push_back(ControlTemplate{b.listId, ControlKind::List, "", MakeRect(left, trigger.bottom, width, 0), false});
        const int fieldId = b.fieldId;
        out_.bindings.push_back(std::move(b));
        if (IsPort(s)) AddPortPath(s, trigger);
        return fieldId;
    }

    // Hidden until "Other..." is chosen.
    void AddPortPath(const PreferenceSetting& s, Rect trigger) {
        SettingBinding b = BindingOf(s, SettingControl::PortPath, NameOf(s));
        b.portPath = PortPathSetting(table_, s);
        out_.bindings.back().portPath = b.portPath;
        b.fieldId = Add(ControlKind::Edit, "", trigger, false);
        out_.bindings.push_back(std::move(b));
    }

    int AddEdit(const PreferenceSetting& s, Rect r, std::string name, bool visible = true) {
        SettingBinding b = BindingOf(s, SettingControl::Edit, std::move(name));
        b.fieldId = Add(ControlKind::Edit, "", r, visible);
        out_.bindings.push_back(std::move(b));
        return out_.bindings.back().fieldId;
    }

    // Label and popup; a choice with an "Other" row shares its line with the value typed
    // for "Other", shown only while that row is chosen. A popup whose longest row would not
    // fit beside the label goes under it.
    void AddPopupLine(const PreferenceSetting& s, const PreferenceSetting* other) {
        int widest = 0;
        for (const std::string& row : RowsOf(s)) widest = std::max(widest, Width(row));
        // A port stays beside its label (three stacked port lines push page 1 past its bar):
        // its list opens as wide as the rows, its trigger shows the row shortened to fit it.
        if (!other && !IsPort(s) && widest + kPopupChrome > kRight - FieldLeft()) {
            AddLabelAbove(s.label, kMargin, kRight - kMargin);
            y_ += kStackStep;
            AddPopup(s, Rect{kMargin + kLabelPadding, y_, kRight, y_ + kFieldHeight});
            y_ += kLineStep;
            return;
        }
        AddLabel(s.label, kMargin, labelWidth_);
        const bool otherShown = other && OtherChosen(s, prefs_);
        const int otherLeft = kRight - kNumberWidth;
        const int popupRight = otherShown ? otherLeft - kGap : kRight;
        AddPopup(s, Rect{FieldLeft(), y_, popupRight, y_ + kFieldHeight});
        if (other) AddEdit(*other, MakeRect(otherLeft, y_, kNumberWidth, kFieldHeight), NameOf(s) + " (Other)", otherShown);
        y_ += kLineStep;
    }

    void AddValueLine(const PreferenceSetting& s) {
        AddLabel(s.label, kMargin, labelWidth_);
        const std::string& unit = s.unit;
        if (IsShownOnly(s)) {
            SettingBinding b = BindingOf(s, SettingControl::Shown, NameOf(s));
            b.unit = unit;
            b.fieldId = Add(ControlKind::StaticText, "", Rect{FieldLeft(), y_ + kLabelDrop, kRight, y_ + kFieldHeight});
            out_.bindings.push_back(std::move(b));
        } else {
            AddEdit(s, MakeRect(FieldLeft(), y_, kNumberWidth, kFieldHeight), NameOf(s));
            if (!unit.empty()) AddLabel(unit, FieldLeft() + kNumberWidth + kGap, Width(unit) + kLabelPadding);
        }
        y_ += kLineStep;
    }

    void AddTextLine(const PreferenceSetting& s) {
        AddLabelAbove(s.label, kMargin, kRight - kMargin);
        y_ += kStackStep;
        AddEdit(s, Rect{kMargin, y_, kRight, y_ + kFieldHeight}, NameOf(s));
        y_ += kLineStep + 1;
    }

    // Settings [first, end) side by side, spread across the line after the heading (when the
    // line has one): each label before its field, or above it when the line is too narrow.
    void AddShortFields(size_t first, size_t end) {
        const PreferenceSetting& lead = *settings_[first];
        const bool shown = lead.ShownFor(prefs_);
        const std::string& heading = lead.heading;
        int left = kMargin;
        if (!heading.empty()) {
            AddLabel(heading, kMargin, labelWidth_, shown);
            left = FieldLeft();
        }
        const int count = int(end - first);
        const int cell = (kRight - left) / count;
        int needed = count * (kShortFieldWidth + kGap);
        for (size_t i = first; i < end; ++i) needed += Width(settings_[i]->label) + kLabelPadding;
        const bool above = needed > kRight - left;
        const int fieldTop = above ? y_ + kStackStep : y_;
        for (size_t i = first; i < end; ++i) {
            const PreferenceSetting& s = *settings_[i];
            const int labelWidth = above ? cell - kGap : Width(s.label) + kLabelPadding;
            if (above) {
                AddLabelAbove(s.label, left, labelWidth, shown);
            } else {
                AddLabel(s.label, left, labelWidth, shown);
            }
            const int fieldLeft = above ? left : left + labelWidth;
            const int fieldWidth = std::min(kNumberWidth, left + cell - kGap - fieldLeft);
            AddEdit(s, MakeRect(fieldLeft, fieldTop, fieldWidth, kFieldHeight), NameOf(s), shown);
            left += cell;
        }
        if (shown) y_ = fieldTop + kLineStep;
    }

    // Check boxes [first, end) in two columns, filled row by row.
    void AddCheckBoxes(size_t first, size_t end) {
        const int column = (kRight - kMargin) / 2;
        // A long run closes up to boxes that touch, so that page 5's flags leave room below.
        const int rows = (int(end - first) + 1) / 2;
        const int step = rows >= kCloseCheckRows ? kCheckHeight : kCheckStep;
        for (size_t i = first; i < end; ++i) {
            const int k = int(i - first);
            const PreferenceSetting& s = *settings_[i];
            SettingBinding b = BindingOf(s, SettingControl::CheckBox, NameOf(s));
            b.fieldId = Add(ControlKind::CheckBox, s.label,
                            MakeRect(kMargin + k % 2 * column, y_ + k / 2 * step, column - kGap, kCheckHeight));
            out_.bindings.push_back(std::move(b));
        }
        y_ += rows * step + kGap;
    }

    // One row per field of view: its name, the star limit (fixed where it has one row), the
    // object limit and the view; settings come as star, object, view triples.
    void AddZoomGrid() {
        AddCaption(*settings_.front()->group);
        const int fovWidth = 36;
        const int starsLeft = kMargin + fovWidth, objectsLeft = starsLeft + 56, viewLeft = objectsLeft + 62;
        AddLabelAbove("Stars", starsLeft, objectsLeft - starsLeft);
        AddLabelAbove("Objects", objectsLeft, viewLeft - objectsLeft);
        AddLabelAbove("View", viewLeft, kRight - viewLeft);
        y_ += kStackStep + 1;
        for (size_t i = 0; i + 2 < settings_.size(); i += 3) {
            const PreferenceSetting& stars = *settings_[i];
            AddLabel(stars.label.substr(0, stars.label.find(' ')), kMargin, fovWidth);
            if (stars.rows.size() > 1) {
                AddPopup(stars, Rect{starsLeft, y_, objectsLeft - kGap, y_ + kFieldHeight});
            } else {
                AddLabel(stars.rows.front(), starsLeft, objectsLeft - starsLeft);
            }
            AddPopup(*settings_[i + 1], Rect{objectsLeft, y_, viewLeft - kGap, y_ + kFieldHeight});
            AddPopup(*settings_[i + 2], Rect{viewLeft, y_, kRight, y_ + kFieldHeight});
            y_ += kGridStep;
        }
    }

    const PreferenceTable& table_;
    int page_;
    const Preferences& prefs_;
    const TextMeasure& measure_;
    std::vector<const PreferenceSetting*> settings_;
    PageLayout out_;
    std::vector<ControlTemplate> lists_;
    const std::vector<PortLabel>& ports_;
    std::vector<std::string> portRows_;
    std::vector<std::string> gpsRows_;  // with the "gpsd" row
    int labelWidth_ = 0;
    int y_ = kContentTop;
    int nextId_ = kFirstControlId;
    int nextListId_ = kFirstListId;
};

}  // namespace

int LayoutTextWidth(std::string_view text) {
    static const Canvas measure;
    return measure.MeasureText(text, FontId::Normal).width;
}

PageLayout LayOutPreferencePage(const PreferenceTable& table, int page, const Preferences& prefs,
                                const TextMeasure& measure, const std::vector<PortLabel>& ports) {
    return PageBuilder(table, page, prefs, measure, ports).Build();
}

}  // namespace vsp
