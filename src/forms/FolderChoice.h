#pragma once
// Choosing a file by walking folders in a list beside a typed path: the folder the path is in,
// its rows, and the short name a box shows for a path or an address.

#include <string>
#include <vector>

namespace vsp {

// The folder a typed path names, or the nearest one above it that exists ("/" for nothing
// typed, "." for a relative path none of whose folders exists).
std::string FolderOf(const std::string& typed);

// A folder's way up ("../", except at the root), its sub-folders ("name/") and then its files,
// each sorted by name; none when it cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);

// The path of a row of FolderEntries(FolderOf(typed)), "../" taken as the way up.
std::string FolderEntryPath(const std::string& typed, const std::string& entry);

// The last part of a path or address ("visual.txt"), or all of it when it ends in '/'.
std::string ShortSourceName(const std::string& source);

}  // namespace vsp
