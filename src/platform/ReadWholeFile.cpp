#include "platform/ReadWholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vsp {

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& text) {
    text.clear();
    // Non-blocking, so that opening a FIFO does not wait for its writer; a regular file reads
    // the same either way.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileReadResult::Unreadable;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return FileReadResult::NotRegular;
    }
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    text.resize(limit + 1);
    size_t got = 0;
    FileReadResult result = FileReadResult::Read;
    while (got < text.size()) {
        const ssize_t n = read(fd, text.data() + got, text.size() - got);
        if (n > 0) {
            got += size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n < 0) result = FileReadResult::Unreadable;
            break;
        }
    }
    close(fd);
    if (result == FileReadResult::Unreadable) got = 0;
    if (got > limit) {
        got = limit;
        result = FileReadResult::TooLarge;
    }
    text.resize(got);
    return result;
}

}  // namespace vsp
