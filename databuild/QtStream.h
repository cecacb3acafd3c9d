#pragma once
// Reading a Qt data stream (QDataStream, big-endian) from a byte buffer: the integers, doubles
// and strings stellarium writes into its deep-sky catalog. Every read is bounds-checked; the
// first read that runs past the end (or finds a malformed string) marks the stream failed and
// every later read fails too, so a caller can read a whole record and check once.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vsp::databuild {

class QtStream {
public:
    explicit QtStream(std::string_view bytes) : bytes_(bytes) {}

    bool ReadU32(uint32_t& value);
    bool ReadF64(double& value);
    // A QString: u32 byte length, then UTF-16BE code units; 0xFFFFFFFF is the null string.
    // Returned as UTF-8; the null string reads as "" (isNull tells them apart when wanted).
    bool ReadQString(std::string& utf8, bool* isNull = nullptr);

    size_t Offset() const { return offset_; }
    size_t Remaining() const { return bytes_.size() - offset_; }
    bool AtEnd() const { return offset_ == bytes_.size(); }
    bool Failed() const { return failed_; }

private:
    bool Take(size_t count, const unsigned char*& at);

    std::string_view bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

// UTF-16BE bytes to UTF-8; unpaired surrogates become U+FFFD. `bytes` must have an even size.
std::string Utf16BeToUtf8(std::string_view bytes);

}  // namespace vsp::databuild
