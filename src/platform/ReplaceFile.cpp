#include "platform/ReplaceFile.h"

#include <unistd.h>

#include <cerrno>

namespace vsp {

bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    const std::string temporary = path + ".tmp";
    std::FILE* stream = std::fopen(temporary.c_str(), "wb");
    if (!stream) return false;
    errno = 0;
    bool ok = write(stream);
    // On disk before the rename, so a power cut leaves the old file or the new one whole.
    ok = std::fflush(stream) == 0 && fsync(fileno(stream)) == 0 && ok;
    ok = std::fclose(stream) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int reason = errno;
        std::remove(temporary.c_str());
        errno = reason;
    }
    return ok;
}

}  // namespace vsp
