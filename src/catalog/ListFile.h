#pragma once
// Observing lists on disk: "userlists/<name>.lst", a 68-byte header then 76-byte entries,
// little-endian:
//   offset  0  4 bytes   reserved (written 0, not read)
//   offset  4  text[40]  list name, NUL-terminated
//   offset 44  i32 x 5   observing year, month, day, hour, minute
//   offset 64  i32       number of entries N
//   offset 68  N x 76    entries (ListEntry.h)
// Every list is written to a temporary file and renamed over the old one.

#include <string>
#include <string_view>
#include <vector>

#include "catalog/ObservingList.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr std::string_view kListDir = "userlists/";
inline constexpr std::string_view kListExtension = ".lst";
inline constexpr int32_t kListHeaderSize = 68;

// "userlists/<name>.lst" of the program directory.
std::string ListPath(const ProgramDir& dir, std::string_view name);
// Writes `list` as "userlists/<name>.lst" with `name` as the list's name (a safe file name:
// IsSafeFileName); an empty list writes nothing and answers true. "Can't write header." or
// "Can't write data." with the path on failure.
bool SaveList(const ProgramDir& dir, const ObservingList& list, std::string_view name,
              InfoSink& messages);
// Reads "userlists/<name>.lst" into `list` (entries cut at its capacity, name and time from
// the header). "Can't open file." / "Can't read header." with the path; `list` is untouched on
// failure.
bool LoadList(const ProgramDir& dir, std::string_view name, ObservingList& list, InfoSink& messages);
// The names (without ".lst") of the saved lists, sorted.
std::vector<std::string> SavedLists(const ProgramDir& dir);
// The names (without the extension) of the user files in "usercatalogs/" that end with
// `extension` (".txt", ".eyp", ".loc", ".ppc"), sorted: what the list screen offers to load.
std::vector<std::string> UserCatalogFiles(const ProgramDir& dir, std::string_view extension);

}  // namespace vsp
