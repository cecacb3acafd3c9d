#pragma once
// Whole-file writes that never leave a partial file behind. The temporary file of each write
// has a name of its own beside the target (the process id and a count), so writers running
// side by side never write into one another's file.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace vsp {

// A new file being written under a temporary name beside `path`, for writers that fill it
// bit by bit (cairo's streams). Commit puts it on disk and renames it over `path`; a file never
// committed is removed, so an earlier file at `path` stays as it was.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();
    // False when the temporary file cannot be made (LastSystemErrorCode() tells why).
    bool Open(const std::string& path);
    std::FILE* Stream() const { return stream_; }
    // `ok` is false when the writer failed; then nothing replaces the target. False when the
    // file did not take its place.
    bool Commit(bool ok = true);

private:
    std::string path_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
};

// Lets `write` fill a new temporary file beside `path`, puts it on disk and renames it over
// `path`, so a failure leaves any earlier file as it was (and no temporary file). `write`
// answers false when it failed. False when any step failed; LastSystemErrorCode() then tells
// why (0 when `write` failed without a system error).
bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& write);
// ReplaceFile with `text` as the whole new file.
bool ReplaceFileText(const std::string& path, std::string_view text);

// Copies `from` to `to` unless `to` exists. The copy is linked into place whole, so no reader
// sees half of it and a file that another run put at `to` meanwhile is kept. True when `to`
// exists afterwards.
bool CopyFileOnce(const std::string& from, const std::string& to);

}  // namespace vsp
