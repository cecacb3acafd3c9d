#include "tools/Checklist.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"

namespace vsp {

namespace {

constexpr std::string_view kFileHeading = "# Vespertar checklist: \"## Page N\" headings, \"[ ] item\" or \"[x] item\" lines";
constexpr std::string_view kPageHeading = "## Page ";
constexpr std::string_view kUnticked = "[ ] ";

const char* const kDefaultPages[kChecklistPages][9] = {
    {"Batteries and power tank charged", "Power and mount cables", "Hand controller", "Eyepieces and filters",
     "Star charts and observing list", "Red light", "Warm clothes", "Observing log", nullptr},
    {"Level the mount", "Polar alignment", "Let the optics cool down", "Check the collimation",
     "Align the finder", "Dew control on", "Set the site and the time", "Align on two stars", nullptr},
    {"Cap the optics", "Park the mount", "Dew heaters off", "Log the session", "Pack the eyepieces",
     "Recharge the batteries", nullptr},
};

// The file as its messages name it, below the program directory.
std::string FileNameForMessages() { return std::string(kUserLogsDir) + std::string(kChecklistFileName); }

std::string PageText(int page) { return "page " + std::to_string(page); }

// The code-page text of a typed or stored item, or nullopt with the reason.
std::optional<std::string> ItemText(std::string_view utf8, std::string& problem) {
    if (!FitsCp1252(utf8)) {
        problem = "The item's text has a character the device cannot show.";
        return std::nullopt;
    }
    const std::string text(TrimBlanks(Utf8ToCp1252(utf8)));
    if (text.empty()) {
        problem = "The item's text is empty.";
        return std::nullopt;
    }
    if (std::any_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; })) {
        problem = "The item's text has a control character.";
        return std::nullopt;
    }
    if (text.size() > kChecklistMaxTextBytes) {
        problem = "An item's text is at most " + std::to_string(kChecklistMaxTextBytes) + " characters.";
        return std::nullopt;
    }
    return text;
}

// The page's items, or null with the message for a page outside 1..3.
std::vector<ChecklistItem>* Page(Checklist& list, int page, std::string& problem) {
    if (page >= 1 && page <= kChecklistPages) return &list.pages[size_t(page - 1)];
    problem = "There are pages 1 to " + std::to_string(kChecklistPages) + " only.";
    return nullptr;
}

// The item, or null with the message when the page has no item `index`.
ChecklistItem* Item(Checklist& list, int page, int index, std::string& problem) {
    std::vector<ChecklistItem>* items = Page(list, page, problem);
    if (!items) return nullptr;
    if (index >= 1 && size_t(index) <= items->size()) return &(*items)[size_t(index - 1)];
    problem = "There is no item " + std::to_string(index) + " on " + PageText(page) + " (it has " +
              std::to_string(items->size()) + ").";
    return nullptr;
}

bool ParseLine(std::string_view line, int& page, Checklist& out, std::string& problem) {
    if (line.empty() || (line[0] == '#' && !line.starts_with(kPageHeading))) return true;
    if (line.starts_with(kPageHeading)) {
        const std::string_view number = TrimBlanks(line.substr(kPageHeading.size()));
        if (number.size() != 1 || number[0] < '1' || number[0] > '0' + kChecklistPages) {
            problem = "not a page from 1 to " + std::to_string(kChecklistPages);
            return false;
        }
        page = number[0] - '0';
        return true;
    }
    const bool ticked = line.starts_with("[x] ") || line.starts_with("[X] ");
    if (!ticked && !line.starts_with(kUnticked)) {
        problem = "neither an item (\"[ ] text\", \"[x] text\") nor a \"## Page N\" heading";
        return false;
    }
    if (page == 0) {
        problem = "an item before the first \"## Page N\" heading";
        return false;
    }
    std::vector<ChecklistItem>& items = out.pages[size_t(page - 1)];
    if (items.size() >= kChecklistMaxItems) {
        problem = "more than " + std::to_string(kChecklistMaxItems) + " items on " + PageText(page);
        return false;
    }
    const std::optional<std::string> text = ItemText(line.substr(kUnticked.size()), problem);
    if (!text) return false;
    items.push_back({*text, ticked});
    return true;
}

bool WriteChecklistFile(const ProgramDir& dir, const Checklist& list, std::string& problem) {
    const std::string path = dir.Path(kUserLogsDir, kChecklistFileName);
    MakeDirectory(dir.Path(kUserLogsDir));
    if (ReplaceFileText(path, ChecklistFileText(list)))
        return true;
    problem = "Cannot write " + FileNameForMessages() + ": " + SystemErrorText(LastSystemErrorCode());
    return false;
}

}  // namespace

Checklist DefaultChecklist() {
    Checklist list;
    for (int page = 0; page < kChecklistPages; ++page) {
        for (const char* const* item = kDefaultPages[page]; *item; ++item) list.pages[size_t(page)].push_back({*item, false});
    }
    return list;
}

std::string ChecklistFileText(const Checklist& list) {
    std::string text = std::string(kFileHeading) + "\n";
    for (int page = 0; page < kChecklistPages; ++page) {
        text += "\n" + std::string(kPageHeading) + std::to_string(page + 1) + "\n";
        for (const ChecklistItem& item : list.pages[size_t(page)])
            text += (item.ticked ? "[x] " : "[ ] ") + Cp1252ToUtf8(item.text) + "\n";
    }
    return text;
}

bool ParseChecklist(std::string_view utf8, Checklist& out, std::string& problem) {
    out = Checklist{};
    int page = 0, lineNumber = 0;
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view line = utf8.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++lineNumber;
        std::string why;
        if (!ParseLine(line, page, out, why)) {
            problem = "line " + std::to_string(lineNumber) + ": " + why;
            out = Checklist{};
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool LoadChecklist(const ProgramDir& dir, Checklist& out, std::string& problem) {
    const std::string path = dir.Path(kUserLogsDir, kChecklistFileName);
    const std::string name = FileNameForMessages();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        out = DefaultChecklist();
        return true;
    }
    std::string text;
    switch (ReadWholeFile(path, kChecklistMaxFileBytes, text)) {
        case FileReadResult::Read: break;
        case FileReadResult::TooLarge: problem = name + " is too large."; return false;
        case FileReadResult::NotRegular:
        case FileReadResult::Unreadable: problem = "Cannot read " + name + "."; return false;
    }
    std::string why;
    if (ParseChecklist(text, out, why)) return true;
    problem = name + " is damaged, " + why + ".";
    return false;
}

std::string ChecklistAdd(Checklist& list, int page, std::string_view textUtf8) {
    std::string problem;
    std::vector<ChecklistItem>* items = Page(list, page, problem);
    if (!items) return problem;
    if (items->size() >= kChecklistMaxItems)
        return "The page is full: " + std::to_string(kChecklistMaxItems) + " items at most.";
    const std::optional<std::string> text = ItemText(textUtf8, problem);
    if (!text) return problem;
    items->push_back({*text, false});
    return {};
}

std::string ChecklistRename(Checklist& list, int page, int index, std::string_view textUtf8) {
    std::string problem;
    ChecklistItem* item = Item(list, page, index, problem);
    if (!item) return problem;
    const std::optional<std::string> text = ItemText(textUtf8, problem);
    if (!text) return problem;
    item->text = *text;
    return {};
}

std::string ChecklistDelete(Checklist& list, int page, int index) {
    std::string problem;
    if (!Item(list, page, index, problem)) return problem;
    std::vector<ChecklistItem>& items = list.pages[size_t(page - 1)];
    items.erase(items.begin() + (index - 1));
    return {};
}

std::string ChecklistMove(Checklist& list, int page, int index, int newIndex) {
    std::string problem;
    if (!Item(list, page, index, problem) || !Item(list, page, newIndex, problem)) return problem;
    std::vector<ChecklistItem>& items = list.pages[size_t(page - 1)];
    const ChecklistItem moved = items[size_t(index - 1)];
    items.erase(items.begin() + (index - 1));
    items.insert(items.begin() + (newIndex - 1), moved);
    return {};
}

std::string ChecklistSetTick(Checklist& list, int page, int index, bool ticked) {
    std::string problem;
    ChecklistItem* item = Item(list, page, index, problem);
    if (!item) return problem;
    item->ticked = ticked;
    return {};
}

std::string ChecklistToggle(Checklist& list, int page, int index) {
    std::string problem;
    ChecklistItem* item = Item(list, page, index, problem);
    if (!item) return problem;
    item->ticked = !item->ticked;
    return {};
}

void ChecklistReset(Checklist& list) {
    for (auto& items : list.pages)
        for (ChecklistItem& item : items) item.ticked = false;
}

bool EditChecklist(const ProgramDir& dir, InfoSink& messages, const ChecklistEdit& edit, Checklist& out,
                   std::string& problem) {
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) {
        problem.clear();  // the lock has said why
        return false;
    }
    if (!LoadChecklist(dir, out, problem)) return false;
    problem = edit(out);
    if (!problem.empty()) return false;
    return WriteChecklistFile(dir, out, problem);
}

}  // namespace vsp
