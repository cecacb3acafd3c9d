// CheckList 1/3, 2/3, 3/3 (2200, 2203, 2206): one page of the observing checklist each, its
// items as check boxes (a tap ticks or clears one and makes it the item the buttons act on,
// marked at its left), a line to type a text in, and the buttons Add (the typed text at the
// end), Rename (the marked item to the typed text), Delete, Up and Down (the marked item one
// place), Reset (every tick of every page cleared for a new night), and the arrows to the
// other pages. Every change is saved at once in userlogs/checklist.txt.

#include <string>

#include "forms/PlaceTimeForms.h"
#include "forms/SkyForms.h"
#include "platform/Text.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"
#include "tools/Checklist.h"

namespace vsp {
namespace {

constexpr int kPreviousButton = 2290, kNextButton = 2291, kTextEdit = 2292, kAddButton = 2293,
              kRenameButton = 2294, kDeleteButton = 2295, kUpButton = 2296, kDownButton = 2297,
              kResetButton = 2298, kStatusLine = 2299;
constexpr int kFirstBox = 2230, kFirstMark = 2250;  // one per row
constexpr int kRows = int(kChecklistMaxItems);
constexpr int kRowsTop = 28, kRowHeight = 16;
constexpr int kEditTop = kRowsTop + kRows * kRowHeight + 4;
constexpr int kButtonsTop = kEditTop + 22, kSecondButtonsTop = kButtonsTop + 24, kStatusTop = kSecondButtonsTop + 24;

int PageForm(int page) { return page == 1 ? kChecklistFirstFormId : page == 2 ? kChecklistSecondFormId : kChecklistThirdFormId; }

class ChecklistForm : public Form {
public:
    explicit ChecklistForm(int page) : page_(page) {}

    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = PlaceTimeTemplate(formId);
        t.controls.push_back(ButtonAt(kPreviousButton, 184, 2, 24, "<"));
        t.controls.push_back(ButtonAt(kNextButton, 212, 2, 24, ">"));
        for (int i = 0; i < kRows; ++i) {
            const int top = kRowsTop + i * kRowHeight;
            t.controls.push_back(LabelAt(kFirstMark + i, 2, top + 1, 10, ""));
            t.controls.push_back({kFirstBox + i, ControlKind::CheckBox, "", MakeRect(12, top, 226, kRowHeight), false});
        }
        t.controls.push_back(LabelAt(0, 4, kEditTop + 2, 32, "Text:"));
        t.controls.push_back(EditAt(kTextEdit, 38, kEditTop, 198));
        const struct {
            int id, left, top, width;
            const char* text;
        } buttons[] = {{kAddButton, 4, kButtonsTop, 44, "Add"},        {kRenameButton, 52, kButtonsTop, 60, "Rename"},
                       {kDeleteButton, 116, kButtonsTop, 56, "Delete"}, {kResetButton, 176, kButtonsTop, 60, "Reset"},
                       {kUpButton, 4, kSecondButtonsTop, 44, "Up"},     {kDownButton, 52, kSecondButtonsTop, 60, "Down"}};
        for (const auto& b : buttons) t.controls.push_back(ButtonAt(b.id, b.left, b.top, b.width, b.text));
        t.controls.push_back(LabelAt(kStatusLine, 4, kStatusTop, 232, ""));
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        std::string problem;
        readable_ = LoadChecklist(state.dir, list_, problem);
        if (!readable_) {
            list_ = Checklist{};
            InfoBox(state, "The checklist cannot be read.", Utf8ToCp1252(problem));
        }
        Show(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (notify == ControlNotify::TextChanged) return;
        if (id == kPreviousButton || id == kNextButton) {
            ShowForm(state, PageForm((page_ + (id == kNextButton ? 1 : kChecklistPages - 1) - 1) % kChecklistPages + 1));
            return;
        }
        if (id >= kFirstBox && id < kFirstBox + kRows) {
            chosen_ = id - kFirstBox + 1;
            Edit(state, window, [this](Checklist& l) { return ChecklistToggle(l, page_, chosen_); });
            return;
        }
        const std::string typed = Cp1252ToUtf8(FieldText(state));
        switch (id) {
            case kAddButton:
                if (Edit(state, window, [&](Checklist& l) { return ChecklistAdd(l, page_, typed); })) {
                    chosen_ = int(Items().size());
                    SetField(state, kTextEdit, "");
                    Show(state, window);
                }
                break;
            case kRenameButton:
                if (NeedChosen(state)) Edit(state, window, [&](Checklist& l) { return ChecklistRename(l, page_, chosen_, typed); });
                break;
            case kDeleteButton:
                if (NeedChosen(state) && Edit(state, window, [&](Checklist& l) { return ChecklistDelete(l, page_, chosen_); })) {
                    chosen_ = 0;
                    Show(state, window);
                }
                break;
            case kUpButton:
            case kDownButton: Move(state, window, id == kUpButton ? -1 : 1); break;
            case kResetButton:
                Edit(state, window, [](Checklist& l) {
                    ChecklistReset(l);
                    return std::string();
                });
                break;
            default: break;
        }
    }

private:
    const std::vector<ChecklistItem>& Items() const { return list_.pages[size_t(page_ - 1)]; }

    static std::string FieldText(AppState& state) {
        char buffer[128] = {};
        GetField(state, kTextEdit, buffer, sizeof buffer);
        return std::string(TrimBlanks(buffer));
    }

    bool NeedChosen(AppState& state) const {
        if (chosen_ >= 1 && size_t(chosen_) <= Items().size()) return true;
        InfoBox(state, "Tap an item first:", "the buttons act on the marked one.");
        return false;
    }

    void Move(AppState& state, FormWindow& window, int step) {
        if (!NeedChosen(state)) return;
        const int to = chosen_ + step;
        if (to < 1 || size_t(to) > Items().size()) return;  // already first or last
        if (Edit(state, window, [&](Checklist& l) { return ChecklistMove(l, page_, chosen_, to); })) {
            chosen_ = to;
            Show(state, window);
        }
    }

    // One change, saved at once; the page shows the file as it is afterwards.
    bool Edit(AppState& state, FormWindow& window, const ChecklistEdit& edit) {
        std::string problem;
        const bool done = EditChecklist(state.dir, state.info, edit, list_, problem);
        if (done) readable_ = true;
        if (!done && !problem.empty()) InfoBox(state, "The checklist is unchanged:", Utf8ToCp1252(problem));
        Show(state, window);
        return done;
    }

    void Show(AppState& state, FormWindow& window) {
        const auto& items = Items();
        for (int i = 0; i < kRows; ++i) {
            const bool used = size_t(i) < items.size();
            Control* box = window.FindControl(kFirstBox + i);
            if (used) {
                SetField(state, kFirstBox + i, items[size_t(i)].text);
                box->SetChecked(items[size_t(i)].ticked);
            }
            ShowControl(state, &window, kFirstBox + i, used);
            SetField(state, kFirstMark + i, used && i + 1 == chosen_ ? "\xBB" : "");
        }
        size_t ticked = 0;
        for (const ChecklistItem& item : items) ticked += item.ticked ? 1 : 0;
        SetField(state, kStatusLine,
                 !readable_     ? std::string("The checklist file cannot be read.")
                 : items.empty() ? std::string("No items: type one and tap Add.")
                               : std::to_string(ticked) + " of " + std::to_string(items.size()) + " done");
    }

    int page_;
    int chosen_ = 0;  // the marked item, from 1; 0 none
    bool readable_ = true;
    Checklist list_;
};

}  // namespace

std::unique_ptr<Form> MakeChecklistForm(int page) { return std::make_unique<ChecklistForm>(page); }

}  // namespace vsp
