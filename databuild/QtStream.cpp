#include "databuild/QtStream.h"

#include <cstring>

#include "platform/Text.h"

namespace vsp::databuild {

namespace {

constexpr uint32_t kNullStringLength = 0xFFFFFFFFu;

uint32_t BigEndianU32(const unsigned char* at) {
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

}  // namespace

std::string Utf16BeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        const uint32_t unit = uint32_t(data[2 * i]) << 8 | data[2 * i + 1];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool low = unit >= 0xDC00 && unit < 0xE000;
        if (high && i + 1 < units) {
            const uint32_t next = uint32_t(data[2 * i + 2]) << 8 | data[2 * i + 3];
            if (next >= 0xDC00 && next < 0xE000) {
                AppendUtf8(out, char32_t(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, high || low ? char32_t(0xFFFD) : char32_t(unit));
    }
    return out;
}

bool QtStream::Take(size_t count, const unsigned char*& at) {
    if (failed_ || count > Remaining()) {
        failed_ = true;
        return false;
    }
    at = reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
    offset_ += count;
    return true;
}

bool QtStream::ReadU32(uint32_t& value) {
    const unsigned char* at = nullptr;
    if (!Take(4, at)) return false;
    value = BigEndianU32(at);
    return true;
}

bool QtStream::ReadF64(double& value) {
    const unsigned char* at = nullptr;
    if (!Take(8, at)) return false;
    const uint64_t bits = uint64_t(BigEndianU32(at)) << 32 | BigEndianU32(at + 4);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool QtStream::ReadQString(std::string& utf8, bool* isNull) {
    utf8.clear();
    if (isNull) *isNull = false;
    uint32_t length = 0;
    if (!ReadU32(length)) return false;
    if (length == kNullStringLength) {
        if (isNull) *isNull = true;
        return true;
    }
    const unsigned char* at = nullptr;
    // An odd byte count cannot be UTF-16: the stream is out of step.
    if (length % 2 != 0) {
        failed_ = true;
        return false;
    }
    if (!Take(length, at)) return false;
    utf8 = Utf16BeToUtf8(std::string_view(reinterpret_cast<const char*>(at), length));
    return true;
}

}  // namespace vsp::databuild
