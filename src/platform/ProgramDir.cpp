#include "platform/ProgramDir.h"

#include <cstdlib>

namespace vsp {

namespace fs = std::filesystem;

ProgramDir::ProgramDir(const fs::path& root) : root_((root / "").string()) {}

std::string ProgramDir::Path(std::string_view relative) const {
    return (fs::path(root_) / relative).string();
}

std::string ProgramDir::Path(std::string_view folder, std::string_view name) const {
    return (fs::path(root_) / folder / name).string();
}

ProgramDir ProgramDir::Resolve(const std::optional<std::string>& homeOption) {
    if (homeOption && !homeOption->empty()) return ProgramDir(*homeOption);
    if (const char* env = std::getenv("VESPERTAR_HOME"); env && *env) return ProgramDir(env);
    const char* home = std::getenv("HOME");
    return ProgramDir(fs::path(home && *home ? home : ".") / ".local/share/vespertar");
}

bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find("..") != std::string_view::npos) return false;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

bool MakeDirectory(const std::string& path) {
    std::error_code error;
    fs::create_directory(path, error);
    return !error && fs::is_directory(path, error);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace vsp
