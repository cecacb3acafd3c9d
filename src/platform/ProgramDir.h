#pragma once
// The program directory: the folder that holds data/, usercatalogs/, userlists/, userlogs/,
// font/, shots/ and import/. Every relative path the program uses is joined to it here.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vsp {

class ProgramDir {
public:
    // `root` is used as given; a trailing '/' is added when missing.
    explicit ProgramDir(const std::filesystem::path& root);

    // --home when given, else $VESPERTAR_HOME, else ~/.local/share/vespertar.
    static ProgramDir Resolve(const std::optional<std::string>& homeOption);

    const std::string& Root() const { return root_; }  // always ends with '/'
    // `relative` below the root; the second form is `name` in the sub-folder `folder`.
    std::string Path(std::string_view relative) const;
    std::string Path(std::string_view folder, std::string_view name) const;

private:
    std::string root_;
};

// Sub-folders of the program directory, with their trailing '/'.
inline constexpr std::string_view kDataDir = "data/";
inline constexpr std::string_view kUserCatalogsDir = "usercatalogs/";
inline constexpr std::string_view kUserListsDir = "userlists/";
inline constexpr std::string_view kUserLogsDir = "userlogs/";
inline constexpr std::string_view kFontDir = "font/";

// A name that comes from a user (list, log, catalog, import) may become part of a path only
// when it has no separator, no "..", no control character and is not empty.
bool IsSafeFileName(std::string_view name);

// Creates one directory level; an existing directory is fine. Returns true on success.
bool MakeDirectory(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace vsp
