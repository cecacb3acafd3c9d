#include "forms/ObserverLogLayout.h"

#include <vector>

#include "forms/PlaceTimeForms.h"

namespace vsp::logform {
namespace {

constexpr int kMargin = 6, kRight = 240 - kMargin;
constexpr int kFieldLeft = 54, kRightLabel = 138, kRightField = 172;  // two columns of label and field
constexpr int kButtonTop = 294;

constexpr int LineTop(int line) { return kPlaceTop + line * kPlaceLineStep; }

bool IsPopupList(int id) { return id >= kTransparencyList && id <= kEyepieceList && (id - kTransparencyList) % 2 == 0; }

// The page a control belongs to; the buttons of a note are on both of its pages.
enum class Page { List, Fields, Text, Note };

Page PageOf(int id) {
    if (id >= kPageButton) return Page::Note;
    if (id >= kTextCaption) return Page::Text;
    if (id >= kObjectEdit) return Page::Fields;
    return Page::List;
}

bool Shows(LogView view, Page page) {
    switch (view) {
        case LogView::List: return page == Page::List;
        case LogView::Fields: return page == Page::Fields || page == Page::Note;
        case LogView::Text: return page == Page::Text || page == Page::Note;
    }
    return false;
}

void AddLabel(FormTemplate& t, int& labelId, int left, int line, const char* text) {
    const int right = left == kMargin ? kFieldLeft : kRightField;
    t.controls.push_back(LabelAt(labelId++, left, LineTop(line), right - left - 2, text));
}

// The trigger on its line; its list, hidden until the trigger is tapped, goes after every other
// control so that it opens over them, as wide as the trigger's column.
void AddPopup(FormTemplate& t, std::vector<ControlTemplate>& lists, int trigger, int left, int line, int right) {
    t.controls.push_back(
        {trigger, ControlKind::PopupTrigger, "", MakeRect(left, LineTop(line), right - left, kPlaceFieldHeight)});
    const int listLeft = left == kRightField ? kRightLabel : left;
    lists.push_back({trigger + 1, ControlKind::List, "", MakeRect(listLeft, 0, right - listLeft, 0), false});
}

void AddFieldsPage(FormTemplate& t, std::vector<ControlTemplate>& lists) {
    int label = kFieldLabelFirst;
    AddLabel(t, label, kMargin, 0, "Object");
    t.controls.push_back(EditAt(kObjectEdit, kFieldLeft, LineTop(0), kRightField - kFieldLeft - 4));
    t.controls.push_back({kShotButton, ControlKind::Button, "Photo",
                          MakeRect(kRightField, LineTop(0), kRight - kRightField, kPlaceFieldHeight)});
    AddLabel(t, label, kMargin, 1, "Date");
    t.controls.push_back(EditAt(kDateEdit, kFieldLeft, LineTop(1), kRightLabel - kFieldLeft - 4));
    AddLabel(t, label, kRightLabel, 1, "Time");
    t.controls.push_back(EditAt(kTimeEdit, kRightField, LineTop(1), kRight - kRightField));
    AddLabel(t, label, kMargin, 2, "Transp.");
    AddPopup(t, lists, kTransparencyTrigger, kFieldLeft, 2, kRightLabel - 4);
    AddLabel(t, label, kRightLabel, 2, "Seen");
    AddPopup(t, lists, kDetectionTrigger, kRightField, 2, kRight);
    AddLabel(t, label, kMargin, 3, "Seeing");
    AddPopup(t, lists, kSeeingTrigger, kFieldLeft, 3, kRightLabel - 4);
    AddLabel(t, label, kRightLabel, 3, "Look");
    AddPopup(t, lists, kImpressionTrigger, kRightField, 3, kRight);
    AddLabel(t, label, kMargin, 4, "Scope");
    t.controls.push_back(EditAt(kScopeEdit, kFieldLeft, LineTop(4), kRightLabel - kFieldLeft - 4));
    AddLabel(t, label, kRightLabel, 4, "Filter");
    t.controls.push_back(EditAt(kFilterEdit, kRightField, LineTop(4), kRight - kRightField));
    AddLabel(t, label, kMargin, 5, "Place");
    t.controls.push_back(EditAt(kLocationEdit, kFieldLeft, LineTop(5), kRight - kFieldLeft));
    AddLabel(t, label, kMargin, 6, "Ocular");
    AddPopup(t, lists, kEyepieceTrigger, kFieldLeft, 6, kRight);
    AddLabel(t, label, kMargin, 7, "Limit");
    t.controls.push_back(EditAt(kLimitEdit, kFieldLeft, LineTop(7), 40));
    t.controls.push_back(LabelAt(kSkyText, kFieldLeft + 48, LineTop(7), kRight - kFieldLeft - 48, ""));
    AddLabel(t, label, kMargin, 8, "Notes");
    t.controls.push_back(
        {kTextPreview, ControlKind::StaticText, "",
         MakeRect(kFieldLeft, LineTop(8) + kPlaceLabelDrop, kRight - kFieldLeft, kButtonTop - 4 - LineTop(8))});
}

}  // namespace

FormTemplate ObserverLogTemplate(int formId) {
    FormTemplate t = PlaceTimeTemplate(formId);
    t.controls.push_back(ButtonAt(kHelpButton, kRight - 22, 1, 22, "i"));
    t.controls.push_back({kNotesList, ControlKind::List, "",
                          MakeRect(kMargin, kPlaceTop, kRight - kMargin, kButtonTop - 6 - kPlaceTop)});
    t.controls.push_back(ButtonAt(kNewButton, 2, kButtonTop, 56, "New"));
    t.controls.push_back(ButtonAt(kOpenButton, 60, kButtonTop, 56, "Open"));
    t.controls.push_back(ButtonAt(kDeleteButton, 118, kButtonTop, 58, "Delete"));
    t.controls.push_back(ButtonAt(kExportButton, 178, kButtonTop, 60, "Export"));
    std::vector<ControlTemplate> popupLists;
    AddFieldsPage(t, popupLists);
    t.controls.push_back(LabelAt(kTextCaption, kMargin, kPlaceTop, kRight - kMargin, ""));
    t.controls.push_back({kTextEdit, ControlKind::Edit, "",
                          MakeRect(kMargin, LineTop(1), kRight - kMargin, kButtonTop - 6 - LineTop(1))});
    t.controls.push_back(ButtonAt(kPageButton, 2, kButtonTop, 76, ""));
    t.controls.push_back(ButtonAt(kSaveButton, 82, kButtonTop, 76, "Save"));
    t.controls.push_back(ButtonAt(kCancelButton, 162, kButtonTop, 76, "Cancel"));
    t.controls.insert(t.controls.end(), popupLists.begin(), popupLists.end());
    return t;
}

void ShowLogView(FormWindow& window, LogView view) {
    for (const auto& control : window.Controls()) {
        const int id = control->Id();
        if (id < kNotesList || id > kCancelButton || id == kHelpButton) continue;  // the title and the help stay
        control->SetVisible(!IsPopupList(id) && Shows(view, PageOf(id)));
    }
    if (Control* page = window.FindControl(kPageButton)) page->SetText(view == LogView::Text ? "Fields" : "Text");
}

}  // namespace vsp::logform
