// The observer log form in a whole shell: a new note typed and saved, a note opened, renamed
// and saved under its new name only.

#include "catalog/CatalogSession.h"
#include "forms/ObserverLogForm.h"
#include "platform/PngFile.h"
#include "shell/FormTable.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"
#include "support/TempHome.h"
#include "tools/ObserverLogStore.h"
#include "tools/ObserverLogText.h"

namespace vsp::test {
namespace {

using namespace logform;

class ObserverLogFormTest : public ShellTest {
protected:
    ObserverLogFormTest() {
        state.dir = home_.Dir();
        RegisterForm(state, kObserverLogFormId, [this](AppState&, int) {
            return MakeObserverLogForm(sky_, list_, std::make_shared<ObjectSelection>());
        });
        SetSite(59.91f, -10.75f);
        prefs.site.name = "Oslo";
        EXPECT_EQ(StartApplication(state), StartResult::Started);
        state.observingTime = CalendarDateTime{2024, 1, 5, 21, 7, 0};
        Open(kObserverLogFormId);
    }
    ObserverLogRecord Saved(const std::string& file) {
        ObserverLogRecord note;
        EXPECT_EQ(ReadLogFile(home_.Path("userlogs/" + file), note), LogReadResult::Read) << file;
        return note;
    }

    TempHome home_;
    CatalogSession sky_{state.dir, state.info};
    std::shared_ptr<ObservingList> list_ = std::make_shared<ObservingList>();
};

TEST_F(ObserverLogFormTest, NewTypedNoteIsSaved) {
    ASSERT_EQ(OpenFormId(), kObserverLogFormId);
    Tap(kNewButton);
    EXPECT_EQ(C(kDateEdit).Text(), DeviceDateOrder() == DateOrder::MonthFirst ? "01/05/2024" : "05/01/2024");
    EXPECT_EQ(C(kTimeEdit).Text(), "21:07");
    TypeInto(kObjectEdit, "M42");
    Tap(kPageButton);
    ASSERT_TRUE(C(kTextEdit).Visible());
    TypeInto(kTextEdit, "Trapezium sharp");
    Tap(kSaveButton);
    EXPECT_TRUE(C(kNotesList).Visible());
    const ObserverLogRecord note = Saved("M42.log");
    EXPECT_EQ(note.logText, "Trapezium sharp");
    EXPECT_EQ(note.location, "Oslo");
    EXPECT_EQ(note.hour * 100 + note.minute, 2107);
    ASSERT_EQ(C(kNotesList).RowCount(), 1);
    EXPECT_NE(C(kNotesList).Row(0)->text.find("\tM42"), std::string::npos);
}

TEST_F(ObserverLogFormTest, OpenRenameSaveMovesTheFile) {
    ObserverLogRecord note;
    note.objectName = "M31";
    note.logText = "dust lane";
    note.year = 2023, note.month = 10, note.day = 3;
    RecordingInfoSink messages;
    ASSERT_TRUE(SaveLog(home_.Dir(), note, "", messages));
    Open(kObserverLogFormId);
    TapRow(kNotesList, 0);
    Tap(kOpenButton);
    ASSERT_EQ(C(kObjectEdit).Text(), "M31");
    TypeInto(kObjectEdit, "Andromeda");
    Tap(kSaveButton);
    EXPECT_EQ(ListLogs(home_.Dir()), std::vector<std::string>{"Andromeda.log"});
    EXPECT_EQ(Saved("Andromeda.log").logText, "dust lane");
}

}  // namespace
}  // namespace vsp::test
