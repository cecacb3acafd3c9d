#pragma once
// printf-style formatting of a short text (a protocol command, a value with its unit) into a
// string; texts longer than 127 bytes are cut.

#include <array>
#include <cstdio>
#include <string>

namespace vsp {

template <typename... Values>
std::string FormatText(const char* pattern, Values... values) {
    std::array<char, 128> text{};
    std::snprintf(text.data(), text.size(), pattern, values...);
    return text.data();
}

}  // namespace vsp
