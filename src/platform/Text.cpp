#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace vsp {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which pass through as the C1 control of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char32_t Cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

namespace {

char NarrowOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return char(cp);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return char(0x80 + i);
    }
    if (cp >= 0x80 && cp < 0xA0) return char(cp);
    return '?';
}

// Decodes one well-formed UTF-8 sequence at `i` (RFC 3629: no overlong forms, no surrogates,
// nothing above U+10FFFF); returns its length, or 0 when none begins there.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    const size_t length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
    if (length == 0 || b0 > 0xF4 || i + length > s.size()) return 0;
    cp = b0 & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Cp1252ToUtf8(std::string_view narrow) {
    std::string out;
    out.reserve(narrow.size() + narrow.size() / 4);
    for (char c : narrow) AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            cp = static_cast<unsigned char>(utf8[i]);
            length = 1;
        }
        out += NarrowOf(cp);
        i += length;
    }
    return out;
}

std::string ToValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) {
            AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(text[i])));
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const size_t length = DecodeUtf8(utf8, i, cp);
        if (length > 1 && NarrowOf(cp) == '?') return false;
        i += std::max<size_t>(length, 1);
    }
    return true;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimTrailingBlanks(text);
    return text.substr(std::min(text.size(), text.find_first_not_of(kBlanks)));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace vsp
