#pragma once
// The observing checklists: three pages of items, each a text and a tick, kept in the user
// file userlogs/checklist.txt and changed only through the edits below, each saved at once.
//
// The file is UTF-8 text, one line each:
//   # a comment (the file's first line says what it is); blank lines are ignored
//   ## Page N          N = 1..3, the items below it belong to that page
//   [ ] text           an item not ticked
//   [x] text           a ticked one ("[X]" is read too)
// Texts are held in the device code page as every user text is; a character the code page
// has no byte for is refused. When the file does not exist the default pages stand in for it.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr int kChecklistPages = 3;
inline constexpr size_t kChecklistMaxItems = 12;      // per page: what one screen shows
inline constexpr size_t kChecklistMaxTextBytes = 32;  // code-page bytes per item: one line of the screen
inline constexpr std::string_view kChecklistFileName = "checklist.txt";
inline constexpr size_t kChecklistMaxFileBytes = 64 * 1024;

struct ChecklistItem {
    std::string text;  // code page, 1..kChecklistMaxTextBytes bytes, no control characters
    bool ticked = false;
    bool operator==(const ChecklistItem&) const = default;
};

struct Checklist {
    std::array<std::vector<ChecklistItem>, kChecklistPages> pages;
    bool operator==(const Checklist&) const = default;
};

// The first content: before leaving, setting up, after the night.
Checklist DefaultChecklist();

// The file's text and back. Parse: false with `problem` ("line 4: ...") for a text that is
// not a checklist; nothing is guessed.
std::string ChecklistFileText(const Checklist& list);
bool ParseChecklist(std::string_view utf8, Checklist& out, std::string& problem);

// The home's checklist: the defaults when there is no file; false with `problem` when the
// file cannot be read or is not a checklist.
bool LoadChecklist(const ProgramDir& dir, Checklist& out, std::string& problem);

// The edits. Pages count from 1, items from 1 as they are shown; each returns an empty text
// when done, else the message that says why not (and leaves the list as it was). A text is
// UTF-8 as typed.
std::string ChecklistAdd(Checklist& list, int page, std::string_view textUtf8);
std::string ChecklistRename(Checklist& list, int page, int index, std::string_view textUtf8);
std::string ChecklistDelete(Checklist& list, int page, int index);
std::string ChecklistMove(Checklist& list, int page, int index, int newIndex);
std::string ChecklistSetTick(Checklist& list, int page, int index, bool ticked);
std::string ChecklistToggle(Checklist& list, int page, int index);
void ChecklistReset(Checklist& list);  // every tick cleared, for a new night

// One edit of the home's checklist under the user-files lock, from the read to the rename,
// so that a command and the window editing at once lose nothing. `out` is the list after the
// edit (or as read when the edit refused). False with `problem` when the lock, the read, the
// edit or the write failed (empty when the
// lock failed: its message has gone to `messages`).
using ChecklistEdit = std::function<std::string(Checklist&)>;
bool EditChecklist(const ProgramDir& dir, InfoSink& messages, const ChecklistEdit& edit, Checklist& out,
                   std::string& problem);

}  // namespace vsp
