#include "platform/Base64.h"

#include <cstdint>

namespace vsp {

namespace {

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3);
    uint32_t quartet = 0;
    int held = 0, padding = 0;
    bool ended = false;  // a padded quartet ends the data
    for (char c : text) {
        if (IsBlank(c)) continue;
        const int sextet = c == '=' ? 0 : SextetOf(c);
        // Padding only in the last two places of a quartet, nothing after it.
        if (sextet < 0 || ended || (c == '=' && held < 2) || (c != '=' && padding > 0)) return std::nullopt;
        padding += c == '=';
        quartet = quartet << 6 | uint32_t(sextet);
        if (++held < 4) continue;
        const char bytes[3] = {char(quartet >> 16), char(quartet >> 8 & 0xFF), char(quartet & 0xFF)};
        out.append(bytes, size_t(3 - padding));
        ended = padding > 0;
        held = 0;
        quartet = 0;
    }
    if (held != 0) return std::nullopt;
    return out;
}

}  // namespace vsp
