#include "forms/FolderChoice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vsp {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& typed) {
    fs::path folder(typed.empty() ? "/" : typed);
    std::error_code error;
    while (!fs::is_directory(folder, error) && folder.has_relative_path()) folder = folder.parent_path();
    return folder.empty() ? "." : folder.string();  // a relative path to nothing: the working folder
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> folders, files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::error_code kindError;  // a link to nowhere is listed as a file
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(kindError)) folders.push_back(name + "/");
        else files.push_back(name);
    }
    std::ranges::sort(folders);
    std::ranges::sort(files);
    if (fs::path(folder).lexically_normal().has_relative_path()) folders.insert(folders.begin(), "../");
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string FolderEntryPath(const std::string& typed, const std::string& entry) {
    return (fs::path(FolderOf(typed)) / entry).lexically_normal().string();
}

std::string ShortSourceName(const std::string& source) {
    const std::string name = fs::path(source).filename().string();
    return name.empty() ? source : name;
}

}  // namespace vsp
