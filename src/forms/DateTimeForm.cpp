// Date and time entry (5200): the observing date and time field by field, with - and +
// buttons, in local time or UT, or as a Julian Date; "Now" takes the clock. OK keeps it,
// sets the ephemeris up for it and goes back; Cancel and the title go back without it.

#include <cstdio>
#include <optional>
#include <string>

#include "ephemeris/Time.h"
#include "format/AngleParse.h"
#include "format/CalendarText.h"
#include "format/DateTimeParse.h"
#include "format/ZoneText.h"
#include "forms/DateTimeEntry.h"
#include "forms/PlaceTimeForms.h"
#include "shell/FormHistory.h"
#include "shell/InfoBox.h"
#include "shell/SaveSettings.h"
#include "shell/Startup.h"

namespace vsp {

namespace {

constexpr int kFieldFirst = 5201;  // year, month, day, hour, minute
constexpr int kMinusFirst = 5211;
constexpr int kPlusFirst = 5221;
constexpr int kLabelFirst = 5231;
constexpr int kLocalRadio = 5240;
constexpr int kUniversalRadio = 5241;
constexpr int kJdLabel = 5242;
constexpr int kJdEdit = 5243;
constexpr int kDayLine = 5244;
constexpr int kAutomaticBox = 5245;
constexpr int kNowButton = 5250;
constexpr int kOkButton = 5251;
constexpr int kCancelButton = 5252;
constexpr int kFieldCount = 5;

// In the order of DateField.
constexpr const char* kFieldLabels[kFieldCount] = {"Year", "Month", "Day", "Hour", "Minute"};
constexpr int kStepWidth = 26, kFieldLeft = 90, kFieldWidth = 56, kRowStep = 24;
constexpr int kRadioGroup = 1;

int FieldValue(const CalendarDateTime& t, int field) {
    const int values[kFieldCount] = {t.year, t.month, t.day, t.hour, t.minute};
    return values[field];
}

std::string ClockText(const CalendarDateTime& t) { return ClockMinutes(t.hour, t.minute); }

std::string JdText(const DateTimeEntry& entry) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", EntryJulianDay(entry));
    return text;
}

FormTemplate DateTimeTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    for (int i = 0; i < kFieldCount; ++i) {
        const int top = kPlaceTop + i * kRowStep;
        t.controls.push_back(LabelAt(kLabelFirst + i, kPlaceMargin, top + 2, 50, kFieldLabels[i]));
        t.controls.push_back(ButtonAt(kMinusFirst + i, kFieldLeft - kStepWidth - 4, top, kStepWidth, "-"));
        t.controls.push_back(EditAt(kFieldFirst + i, kFieldLeft, top + 2, kFieldWidth));
        t.controls.push_back(ButtonAt(kPlusFirst + i, kFieldLeft + kFieldWidth + 4, top, kStepWidth, "+"));
    }
    const int below = kPlaceTop + kFieldCount * kRowStep + 4;
    t.controls.push_back(LabelAt(kJdLabel, kPlaceMargin, below, 50, "JD (UT)"));
    t.controls.push_back(EditAt(kJdEdit, kFieldLeft - kStepWidth - 4, below, 2 * kStepWidth + kFieldWidth + 8));
    const int radios = below + kPlaceLineStep + 2;
    t.controls.push_back({kLocalRadio, ControlKind::Radio, "Local", MakeRect(kPlaceMargin, radios, 110, kPlaceFieldHeight),
                          true, IconId::None, kRadioGroup});
    t.controls.push_back({kUniversalRadio, ControlKind::Radio, "UT", MakeRect(130, radios, 60, kPlaceFieldHeight), true,
                          IconId::None, kRadioGroup});
    t.controls.push_back(LabelAt(kDayLine, kPlaceMargin, radios + kPlaceLineStep, 240 - 2 * kPlaceMargin, ""));
    t.controls.push_back({kAutomaticBox, ControlKind::CheckBox, "Automatic time update",
                          MakeRect(kPlaceMargin, radios + 2 * kPlaceLineStep, 200, kPlaceFieldHeight)});
    const int buttons = radios + 3 * kPlaceLineStep + 8;
    t.controls.push_back(ButtonAt(kNowButton, kPlaceMargin, buttons, 70, "Now"));
    t.controls.push_back(ButtonAt(kOkButton, 85, buttons, 70, "OK"));
    t.controls.push_back(ButtonAt(kCancelButton, 164, buttons, 70, "Cancel"));
    return t;
}

class DateTimeForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override { return DateTimeTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        entry_ = DateTimeEntry{state.observingTime, state.prefs.site.tzOffset, false};
        window.FindControl(kLocalRadio)->SetText("Local (UT" + ZoneText(entry_.offset) + ")");
        window.FindControl(kAutomaticBox)->SetChecked(state.prefs.timeUpdate == 0);
        ShowEntry(window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (notify == ControlNotify::TextChanged) {
            TextTyped(window, id);
            return;
        }
        if (id == kCancelButton) return BackToPreviousForm(state);
        if (TakeTypedText(state, window)) {
            if (id == kOkButton) return Confirm(state, window);
            Act(state, window, id);
        }
        ShowEntry(window);
    }

    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (key.code != kKeyEnter) return false;
        TakeTypedText(state, window);
        ShowEntry(window);
        return true;
    }

private:
    // The fields as typed, when they make a date and time in range; the reason why not in
    // `reason` otherwise.
    std::optional<CalendarDateTime> TypedFields(const FormWindow& window, std::string& reason) const {
        auto text = [&](int field) { return window.FindControl(kFieldFirst + field)->Text(); };
        const auto day = ParseCalendarDay(text(0) + "-" + text(1) + "-" + text(2), reason);
        const auto clock = ParseClockTime(text(3) + ":" + text(4), reason);
        if (!day || !clock) return std::nullopt;
        const CalendarDateTime shown{*day, ClockTime{clock->hour, clock->minute, 0}};
        DateTimeEntry typed = entry_;
        SetShownTime(typed, shown);
        if (EntryInRange(typed)) return shown;
        reason = "Dates from the year 0 to 2199 only.";
        return std::nullopt;
    }

    // What is typed is taken at once where it makes sense, so the other fields follow it.
    void TextTyped(FormWindow& window, int id) {
        if (id == kJdEdit) {
            if (!SetJulianDay(entry_, ParseDecimal(window.FindControl(kJdEdit)->Text()))) return;
            ShowFields(window);
        } else {
            std::string reason;
            const std::optional<CalendarDateTime> shown = TypedFields(window, reason);
            if (!shown) {
                window.FindControl(kDayLine)->SetText(reason);
                return;
            }
            SetShownTime(entry_, *shown);
            ShowJulianDay(window);
        }
        window.FindControl(kAutomaticBox)->SetChecked(false);
        ShowDayLine(window);
    }

    // False, after a box saying why, when typed text could not be taken.
    bool TakeTypedText(AppState& state, const FormWindow& window) const {
        const std::string jd = window.FindControl(kJdEdit)->Text();
        if (jd != JdText(entry_) && !IsAcceptableJulianDay(ParseDecimal(jd))) {
            InfoBox(state, kInvalidJdMessage, "");
            return false;
        }
        std::string reason;
        if (TypedFields(window, reason)) return true;
        InfoBox(state, "This date or time cannot be used.", reason);
        return false;
    }

    void Act(AppState& state, FormWindow& window, int id) {
        if (id == kNowButton) {
            entry_.local = LocalClockNow(state);
            window.FindControl(kAutomaticBox)->SetChecked(true);
        } else if (id == kLocalRadio || id == kUniversalRadio) {
            entry_.universal = id == kUniversalRadio;
        } else if (id >= kMinusFirst && id < kMinusFirst + kFieldCount) {
            Step(window, DateField(id - kMinusFirst), -1);
        } else if (id >= kPlusFirst && id < kPlusFirst + kFieldCount) {
            Step(window, DateField(id - kPlusFirst), +1);
        }
    }

    void Step(FormWindow& window, DateField field, int delta) {
        DateTimeEntry stepped = entry_;
        StepField(stepped, field, delta);
        if (EntryInRange(stepped)) entry_ = stepped;
        window.FindControl(kAutomaticBox)->SetChecked(false);
    }

    void Confirm(AppState& state, FormWindow& window) {
        state.observingTime = entry_.local;
        state.prefs.timeUpdate = window.FindControl(kAutomaticBox)->Checked() ? 0 : 1;
        SaveSettings(state);
        if (state.hooks.initEphemeris) state.hooks.initEphemeris(state);
        BackToPreviousForm(state);
    }

    void ShowFields(FormWindow& window) const {
        const CalendarDateTime shown = ShownTime(entry_);
        for (int i = 0; i < kFieldCount; ++i)
            window.FindControl(kFieldFirst + i)->SetText(std::to_string(FieldValue(shown, i)));
        window.FindControl(kLocalRadio)->SetChecked(!entry_.universal);
        window.FindControl(kUniversalRadio)->SetChecked(entry_.universal);
        ShowDayLine(window);
    }

    // Everything from the entry, replacing what was typed.
    void ShowEntry(FormWindow& window) const {
        ShowFields(window);
        ShowJulianDay(window);
    }

    void ShowJulianDay(FormWindow& window) const { window.FindControl(kJdEdit)->SetText(JdText(entry_)); }

    // The weekday of the date shown and the clock time in the other scale.
    void ShowDayLine(FormWindow& window) const {
        DateTimeEntry other = entry_;
        other.universal = !entry_.universal;
        const std::string clock = (entry_.universal ? "local " : "UT ") + ClockText(ShownTime(other));
        window.FindControl(kDayLine)->SetText(WeekdayName(ShownTime(entry_)) + ", " + clock);
    }

    DateTimeEntry entry_;
};

}  // namespace

std::unique_ptr<Form> MakeDateTimeForm() { return std::make_unique<DateTimeForm>(); }

}  // namespace vsp
