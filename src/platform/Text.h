#pragma once
// Text inside the program is narrow, in the device code page (Windows-1252); it becomes
// UTF-8 only at the edge (window, terminal, JSON) and comes back through Utf8ToCp1252.

#include <string>
#include <string_view>

namespace vsp {

inline constexpr char kDegreeSign = '\xB0';
inline constexpr char kBullet = '\x95';

// One code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);
// The code point of one code-page byte (the five undefined bytes stand for themselves).
char32_t Cp1252CodePoint(unsigned char byte);
std::string Cp1252ToUtf8(std::string_view narrow);
// Characters without a code-page byte become '?'; invalid UTF-8 bytes are taken as Latin-1.
std::string Utf8ToCp1252(std::string_view utf8);
// Text of unknown origin made valid UTF-8 for the edge (JSON): well-formed UTF-8 is kept as it
// is and every byte that does not begin a well-formed sequence is read as a code-page byte, so
// code-page text that missed its conversion still reads right and nothing is dropped.
std::string ToValidUtf8(std::string_view text);
// True when Utf8ToCp1252 turns no character of `utf8` into '?': every character has a
// code-page byte (a byte that is not UTF-8 counts as the code-page byte it is), so two names
// that differ stay different. A name that becomes a file name must pass, or "Ωmega" and
// "Ψmega" would both be "?mega".
bool FitsCp1252(std::string_view utf8);
// Equal but for the case of ASCII letters ("vega" names "Vega", "lx200" the drive "LX200").
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// With the ASCII letters in lower case (other bytes as they are).
std::string Lower(std::string_view text);
// The blanks around the program's texts (the padding of table texts and typed fields, the
// spaces, tabs and line ends around imported fields): the C locale's white space.
inline constexpr std::string_view kBlanks = " \t\n\v\f\r";
// Without the blanks before and after.
std::string_view TrimBlanks(std::string_view text);
// Without the blanks after (leading blanks kept, as in a padded element-set name).
std::string_view TrimTrailingBlanks(std::string_view text);

}  // namespace vsp
