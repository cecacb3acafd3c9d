#pragma once
// What the list manager and the menus do with the user's files: the kinds of files it shows,
// their names, and the memo and import actions with their boxes.

#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "shell/AppState.h"

namespace vsp {

enum class UserFileKind { Lists, Catalogs, Locations, Eyepieces, Logs };
inline constexpr int kUserFileKindCount = 5;

std::string_view UserFileKindTitle(UserFileKind kind);
// The name an import offers first ("user_object", "location_list", ...).
std::string_view UserFileDefaultName(UserFileKind kind);
// The files of that kind, without their extension, sorted.
std::vector<std::string> UserFileNames(const ProgramDir& dir, UserFileKind kind);

// Fetches the named file from the data server (or the local import/ copy) into the user file
// of that kind; the import's own boxes tell how it went.
void ImportUserFile(AppState& state, UserFileKind kind, const std::string& name);
void DeleteUserFile(AppState& state, UserFileKind kind, const std::string& name);

// The current list to a memo, and a memo into it (menu commands 1034 and 1033).
void RunListMemoExport(AppState& state, CatalogSession& sky, const ObservingList& list);
void RunListMemoImport(AppState& state, CatalogSession& sky, ObservingList& list);

}  // namespace vsp
