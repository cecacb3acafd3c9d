#include "forms/ObserverLogForm.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/Designation.h"
#include "catalog/Eyepieces.h"
#include "catalog/ObjectLookup.h"
#include "catalog/StarAngle.h"
#include "format/AngleParse.h"
#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "platform/PaintParts.h"
#include "platform/UserFilesLock.h"
#include "shell/FormOps.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"
#include "tools/ObserverLogExport.h"
#include "tools/ObserverLogNew.h"
#include "tools/ObserverLogShot.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

using namespace logform;

constexpr size_t kTypedTextChars = 260;  // what the text page admits
constexpr int kStarType = 30;            // "Star" of the object type table
constexpr char kHelpFirst[] = "\x95 Use this assistant to take notes during your observation session.";
constexpr char kHelpList[] = "\x95 You can create, edit or delete your observation logs.";
constexpr char kHelpNote[] =
    "\x95 You can add your own shots to each note. Just press on the binocular to get the name and the location "
    "the file to follow.";

const std::vector<std::string> kQualityRows = {"Poor", "Good", "Excellent"};
const std::vector<std::string> kDetectionRows = {"Difficult", "Easy", "Evident"};
const std::vector<std::string> kImpressionRows = {"Faint", "Bright"};

enum class LogMode { List, New, Edit };

// The text page's edit shows its whole text wrapped, the caret after the last character.
class WrappedEditHook : public ControlHook {
public:
    explicit WrappedEditHook(AppState& state) : state_(state) {}

    bool OnPaint(const Control& control, Canvas& canvas, const Rect& box) override {
        const PaintPalette palette = PaletteOf(state_.windows.SystemColours());
        FillRect(canvas, box, palette.window);
        DrawBevel(canvas, box, Bevel::Sunken, palette);
        canvas.SetTextColour(palette.windowText);
        const int lineHeight = canvas.MeasureText("", FontId::Normal).height;
        const int pad = ScaledX(state_, 4);
        int y = box.top + pad;
        for (const std::string& line : WrapText(canvas, control.Text() + "|", FontId::Normal, box.Width() - 2 * pad)) {
            DrawClippedText(canvas, box, box.left + pad, y, line, FontId::Normal);
            y += lineHeight;
        }
        return true;
    }

private:
    AppState& state_;
};

// The object chosen in the finder or on the chart, as a new note takes it.
std::optional<ChartObjectChoice> ChosenObject(CatalogSession& sky, const ObjectSelection* selection) {
    if (!selection || !selection->chosen) return std::nullopt;
    if (const auto& star = selection->star) {
        return ChartObjectChoice{star->name.empty() ? star->designation : star->name, kStarType,
                                 star->record.magnitude / 16.0, AngleToHours(star->record.ra),
                                 AngleToDegrees(star->record.dec)};
    }
    RecordingInfoSink quiet;  // an object the files lack leaves the note without one
    FoundObject found;
    std::string problem;
    if (FindObject(sky, quiet, selection->catalog, selection->number, found, problem) != ObjectSearch::Found)
        return std::nullopt;
    return ChartObjectChoice{CatalogDesignation(sky.catalogs, selection->catalog, selection->number), found.record.type,
                             found.record.magnitude, found.record.ra, found.record.dec};
}

std::string Text(FormWindow& window, int id) { return window.FindControl(id)->Text(); }

class ObserverLogForm : public Form {
public:
    ObserverLogForm(CatalogSession& sky, std::shared_ptr<ObservingList> list, SharedObjectSelection selection)
        : sky_(sky), list_(std::move(list)), selection_(std::move(selection)) {}

    FormTemplate BuildTemplate(AppState&, int formId) override { return ObserverLogTemplate(formId); }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        order_ = DeviceDateOrder();
        eyepieceRows_ = {"None"};
        for (const Eyepiece& eyepiece : LoadEyepieces(state.dir)) eyepieceRows_.push_back(eyepiece.name);
        FillPopup(state, kTransparencyTrigger, kQualityRows);
        FillPopup(state, kSeeingTrigger, kQualityRows);
        FillPopup(state, kDetectionTrigger, kDetectionRows);
        FillPopup(state, kImpressionTrigger, kImpressionRows);
        FillPopup(state, kEyepieceTrigger, eyepieceRows_);
        window.FindControl(kTextEdit)->Subclass(std::make_unique<WrappedEditHook>(state));
        const int dateWidth = ScaledX(state, 70), timeWidth = ScaledX(state, 38);
        window.FindControl(kNotesList)
            ->SetColumns(
                {dateWidth, timeWidth, window.FindControl(kNotesList)->Bounds().Width() - dateWidth - timeWidth});
        ShowList(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (notify == ControlNotify::TextChanged) {
            if (id == kTextEdit) LimitText(window);
            return;
        }
        if (notify != ControlNotify::Click) {
            RememberSkyChoice(state, id);
            return;
        }
        switch (id) {
            case kNewButton: NewNote(state, window); break;
            case kOpenButton: OpenNote(state, window); break;
            case kDeleteButton: DeleteNote(state, window); break;
            case kExportButton: Export(state); break;
            case kHelpButton: InfoBox(state, kHelpFirst, mode_ == LogMode::List ? kHelpList : kHelpNote); break;
            case kShotButton: Link(state, window); break;
            case kPageButton: TurnPage(window); break;
            case kSaveButton: Save(state, window); break;
            case kCancelButton: ShowList(state, window); break;
            default: break;
        }
    }

private:
    static void FillPopup(AppState& state, int trigger, const std::vector<std::string>& rows) {
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) AddListRow(state, trigger + 1, *row);
        SetPopupList(state, trigger, trigger + 1, -1, 0, 0);
    }

    static void SetPopup(AppState& state, int trigger, const std::vector<std::string>& rows, int value) {
        const int row = std::clamp(value, 0, int(rows.size()) - 1);
        SetListSelection(state, trigger + 1, row);
        SetPopupLabel(state, trigger, rows[size_t(row)]);
    }

    static int PopupValue(AppState& state, int trigger) { return std::max(0, GetListSelection(state, trigger + 1)); }

    void ShowList(AppState& state, FormWindow& window) {
        mode_ = LogMode::List;
        names_ = ListLogs(state.dir);
        Control* list = window.FindControl(kNotesList);
        list->DeleteAllRows();
        for (auto name = names_.rbegin(); name != names_.rend(); ++name) {
            ObserverLogRecord note;
            const bool read = ReadLogFile(state.dir.Path(kUserLogsDir, *name), note) == LogReadResult::Read;
            AddListRow(state, kNotesList,
                       read ? NoteDateText(note, order_) + "\t" + NoteTimeText(note) + "\t" + note.objectName
                            : "\t\t" + *name);
        }
        ShowLogView(window, LogView::List);
    }

    void ShowNote(AppState& state, FormWindow& window) {
        SetField(state, kObjectEdit, note_.objectName);
        SetField(state, kDateEdit, NoteDateText(note_, order_));
        SetField(state, kTimeEdit, NoteTimeText(note_));
        char text[64];
        SetField(state, kScopeEdit, note_.scope);
        SetField(state, kFilterEdit, note_.filter);
        SetField(state, kLocationEdit, note_.location);
        std::snprintf(text, sizeof text, "%.1f", note_.visualLimitX10 / 10.0);
        SetField(state, kLimitEdit, text);
        std::snprintf(text, sizeof text, "Moon %d%%  Sun %d\xB0", note_.moonPhasePercent, note_.sunAltitude);
        SetField(state, kSkyText, text);
        SetField(state, kTextEdit, note_.logText);
        SetField(state, kTextPreview, note_.logText);
        SetPopup(state, kTransparencyTrigger, kQualityRows, note_.transparency);
        SetPopup(state, kSeeingTrigger, kQualityRows, note_.seeing);
        SetPopup(state, kDetectionTrigger, kDetectionRows, note_.detection);
        SetPopup(state, kImpressionTrigger, kImpressionRows, note_.impression);
        SetPopup(state, kEyepieceTrigger, eyepieceRows_, note_.eyepiece);
        ShowLogView(window, LogView::Fields);
    }

    void NewNote(AppState& state, FormWindow& window) {
        NewLogSource source;
        source.local = state.observingTime;
        source.ephemeris = SiteEphemeris(state);
        source.prefs = &state.prefs;
        source.list = list_.get();
        source.chartChoice = ChosenObject(sky_, selection_.get());
        source.transparency = transparency_;
        source.seeing = seeing_;
        note_ = NewLog(source, "");
        mode_ = LogMode::New;
        ShowNote(state, window);
    }

    void OpenNote(AppState& state, FormWindow& window) {
        const int row = GetListSelection(state, kNotesList);
        if (!LoadLog(state.dir, names_, row, note_, state.info)) return;
        openedFile_ = names_[size_t(row)];
        mode_ = LogMode::Edit;
        ShowNote(state, window);
    }

    void DeleteNote(AppState& state, FormWindow& window) {
        const int row = GetListSelection(state, kNotesList);
        if (row < 0 || size_t(row) >= names_.size()) {
            InfoBox(state, kSelectLogMessage, "");
            return;
        }
        if (InfoBoxYesNo(state, "Delete the note " + names_[size_t(row)] + " ?", "")) return;  // answered No
        if (UserFilesLock lock; LockUserFiles(state.dir, state.info, lock)) DeleteLog(state.dir, names_[size_t(row)]);
        ShowList(state, window);
    }

    void Export(AppState& state) {
        if (ListLogs(state.dir).empty()) {
            InfoBox(state, kNothingToExportMessage, "");
            return;
        }
        if (InfoBoxYesNo(state, kExportLogsQuestion, "")) return;  // answered No
        LogExportResult result;
        ExportLogs(state.dir, order_, SettingsFormats(state), state.info, result);
    }

    // The typed fields into `note`; a date or time that does not read is told and nothing changes.
    bool ReadFields(AppState& state, FormWindow& window, ObserverLogRecord& note) {
        ObserverLogRecord read = note;
        if (!ParseNoteDate(Text(window, kDateEdit), order_, read)) {
            InfoBox(state, "Please type the date as", order_ == DateOrder::MonthFirst ? "MM/DD/YYYY" : "DD/MM/YYYY");
            return false;
        }
        if (!ParseNoteTime(Text(window, kTimeEdit), read)) {
            InfoBox(state, "Please type the time as", "HH:MM");
            return false;
        }
        read.objectName = Text(window, kObjectEdit).substr(0, kLogObjectNameChars);
        read.scope = Text(window, kScopeEdit).substr(0, kLogScopeChars);
        read.filter = Text(window, kFilterEdit).substr(0, kLogFilterChars);
        read.location = Text(window, kLocationEdit).substr(0, kLogLocationChars);
        read.logText = Text(window, kTextEdit).substr(0, kLogTextChars);
        read.visualLimitX10 = int32_t(ParseDecimal(Text(window, kLimitEdit)) * 10.0);
        read.transparency = PopupValue(state, kTransparencyTrigger);
        read.seeing = PopupValue(state, kSeeingTrigger);
        read.detection = PopupValue(state, kDetectionTrigger);
        read.impression = PopupValue(state, kImpressionTrigger);
        read.eyepiece = PopupValue(state, kEyepieceTrigger);
        note = std::move(read);
        return true;
    }

    void Save(AppState& state, FormWindow& window) {
        if (!ReadFields(state, window, note_)) return;
        const std::string previous = mode_ == LogMode::Edit ? openedFile_ : "";
        // A rename onto another note's name replaces that note only when the user says so
        // (asked before the lock is taken: nobody waits on the answer).
        const std::string target = LogFileName(note_.objectName.substr(0, kLogObjectNameChars));
        if (SaveReplacesAnotherLog(state.dir, note_, previous) &&
            InfoBoxYesNo(state, "Replace the note " + target + " ?", ""))
            return;  // answered No
        UserFilesLock lock;
        if (!LockUserFiles(state.dir, state.info, lock) || !SaveLog(state.dir, note_, previous, state.info)) return;
        lock.Release();
        ShowList(state, window);
    }

    void Link(AppState& state, FormWindow& window) {
        ObserverLogRecord note = note_;
        if (!ReadFields(state, window, note)) return;
        const ShotLinkResult shot = LinkShot(state.dir, note, state.info);
        if (shot.link == ShotLink::Found) InfoBox(state, "This picture is linked to the note:", shot.path);
    }

    void TurnPage(FormWindow& window) {
        const bool toText = window.FindControl(kTextEdit) && !window.FindControl(kTextEdit)->Visible();
        if (toText) {
            const std::string object = Text(window, kObjectEdit);
            window.FindControl(kTextCaption)->SetText(object.empty() ? "Notes" : "Notes on " + object);
        } else {
            window.FindControl(kTextPreview)->SetText(Text(window, kTextEdit));
        }
        ShowLogView(window, toText ? LogView::Text : LogView::Fields);
    }

    static void LimitText(FormWindow& window) {
        Control* edit = window.FindControl(kTextEdit);
        if (edit->Text().size() > kTypedTextChars) edit->SetText(edit->Text().substr(0, kTypedTextChars));
    }

    // The last transparency and seeing chosen start the next new note.
    void RememberSkyChoice(AppState& state, int id) {
        if (id == kTransparencyList) transparency_ = PopupValue(state, kTransparencyTrigger);
        if (id == kSeeingList) seeing_ = PopupValue(state, kSeeingTrigger);
    }

    CatalogSession& sky_;
    std::shared_ptr<ObservingList> list_;
    SharedObjectSelection selection_;
    ObserverLogRecord note_;
    LogMode mode_ = LogMode::List;
    std::vector<std::string> names_;
    std::string openedFile_;
    std::vector<std::string> eyepieceRows_;
    DateOrder order_ = DateOrder::DayFirst;
    int transparency_ = 0;
    int seeing_ = 0;
};

}  // namespace

std::unique_ptr<Form> MakeObserverLogForm(CatalogSession& sky, std::shared_ptr<ObservingList> list,
                                          SharedObjectSelection selection) {
    return std::make_unique<ObserverLogForm>(sky, std::move(list), std::move(selection));
}

}  // namespace vsp
