#include "platform/ProgramDir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace vsp {

ProgramDir::ProgramDir(std::string root) : root_(std::move(root)) {
    if (root_.empty() || root_.back() != '/') root_ += '/';
}

ProgramDir ProgramDir::Resolve(const std::optional<std::string>& homeOption) {
    if (homeOption && !homeOption->empty()) return ProgramDir(*homeOption);
    if (const char* env = std::getenv("VESPERTAR_HOME"); env && *env) return ProgramDir(env);
    const char* home = std::getenv("HOME");
    return ProgramDir(std::string(home && *home ? home : ".") + "/.local/share/vespertar");
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
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    struct stat st {};
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CopyFile(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return false;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char block[65536];
    bool ok = true;
    for (size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) {
        if (std::fwrite(block, 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    ok = ok && !std::ferror(in);
    std::fclose(in);
    ok = (std::fflush(out) == 0) && ok;
    ok = (std::fclose(out) == 0) && ok;
    return ok;
}

}  // namespace vsp
