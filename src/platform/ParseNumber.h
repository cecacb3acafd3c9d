#pragma once
// Numbers read from text (typed values, imported fields, device replies), all through
// std::from_chars: decimal, no locale, no leading blanks or '+', and never an exception.

#include <charconv>
#include <string_view>

namespace vsp {

// The whole of `text` as a number: false when it is empty, out of the type's range, has blanks
// or anything after the number (`out` is then not to be used). Reals are read in any form
// from_chars reads ("13", "-0.5", "2.5e1", "inf", "nan").
template <typename Number>
bool ParseWhole(std::string_view text, Number& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace vsp
