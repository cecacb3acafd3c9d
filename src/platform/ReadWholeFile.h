#pragma once
// Whole input files read with a size limit. Only a regular file is read: a directory, a FIFO
// or a device (/dev/zero) is refused at once, without waiting for a writer or reading an
// endless stream.

#include <cstddef>
#include <string>

namespace vsp {

enum class FileReadResult {
    Read,        // the whole file is in the text
    TooLarge,    // the file holds more than the limit; the text has its first `limit` bytes
    NotRegular,  // a directory, FIFO, socket or device
    Unreadable,  // missing, or no permission to read it
};

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& text);

}  // namespace vsp
