#pragma once
// printf-style formatting into a string: a protocol command, a value with its unit, a line of a
// table. The pattern is checked against the values at compile time.

#include <string>

namespace vsp {

// The whole text `pattern` makes of the values, however long.
std::string FormatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vsp
