#include "platform/ReplaceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/ProgramDir.h"

namespace vsp {
namespace {

// A new file beside `path` that no other writer has: created exclusively, with the mode an
// ordinary new file gets (0666 less the umask). Null when it cannot be made.
std::FILE* CreateTemporary(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(serial++);
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (std::FILE* stream = fdopen(fd, "wb")) return stream;
            close(fd);
            std::remove(temporary.c_str());
            return nullptr;
        }
        if (errno != EEXIST) return nullptr;  // a file left by an earlier run of this pid is passed by
    }
    return nullptr;
}

void RemoveKeepingError(const std::string& path) {
    const int reason = errno;
    std::remove(path.c_str());
    errno = reason;
}

}  // namespace

PendingFile::~PendingFile() {
    if (stream_) Commit(false);
}

bool PendingFile::Open(const std::string& path) {
    path_ = path;
    stream_ = CreateTemporary(path, temporary_);
    return stream_ != nullptr;
}

bool PendingFile::Commit(bool ok) {
    if (!stream_) return false;
    // On disk before the rename, so a power cut leaves the old file or the new one whole.
    ok = std::fflush(stream_) == 0 && fsync(fileno(stream_)) == 0 && ok;
    ok = std::fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    ok = ok && std::rename(temporary_.c_str(), path_.c_str()) == 0;
    if (!ok) RemoveKeepingError(temporary_);
    return ok;
}

bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    PendingFile file;
    if (!file.Open(path)) return false;
    errno = 0;
    const bool ok = write(file.Stream());
    return file.Commit(ok);
}

bool CopyFileOnce(const std::string& from, const std::string& to) {
    if (FileExists(to)) return true;
    std::string temporary;
    std::FILE* stream = CreateTemporary(to, temporary);
    if (!stream) return false;
    std::fclose(stream);
    std::error_code error;
    bool ok = std::filesystem::copy_file(from, temporary, std::filesystem::copy_options::overwrite_existing, error);
    // link() never replaces: of two runs making the copy at once, the first one's stays. A
    // file system without links gets the rename, which can only put one whole copy for another.
    ok = ok && (link(temporary.c_str(), to.c_str()) == 0 || errno == EEXIST ||
                ((errno == EPERM || errno == EOPNOTSUPP) && std::rename(temporary.c_str(), to.c_str()) == 0));
    RemoveKeepingError(temporary);
    return ok && FileExists(to);
}

bool ReplaceFileText(const std::string& path, std::string_view text) {
    return ReplaceFile(path, [text](std::FILE* file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); });
}

}  // namespace vsp
