#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>
#include <type_traits>

namespace vsp {

int LastSystemErrorCode() { return errno; }

std::string SystemErrorText(int code) {
    char buffer[256] = {};
    // The GNU strerror_r may return a static string instead of filling the buffer.
    auto result = strerror_r(code, buffer, sizeof buffer);
    if constexpr (std::is_same_v<decltype(result), char*>) {
        return result ? std::string(result) : std::string(buffer);
    } else {
        return result == 0 ? std::string(buffer) : "Unknown error " + std::to_string(code);
    }
}

}  // namespace vsp
