#pragma once
// Cards of a FITS file's primary header (FITS Standard 4.0): 80-character cards in
// 2880-byte blocks, the header closed by END. Used to write the target, the site and the
// time into the images a camera sends, which carry the camera's own idea of them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vsp {

inline constexpr size_t kFitsCardLength = 80;
inline constexpr size_t kFitsBlockLength = 2880;

struct FitsCard {
    std::string keyword;  // up to 8 characters, upper case
    std::string value;    // as it is written: a quoted string (FitsString) or a number
    std::string comment;
};

// A FITS character string: quoted, quotes doubled, anything outside printable ASCII as '?',
// cut to fit one card.
std::string FitsString(std::string_view text);
// The 80 characters of a card (value from column 11, a fixed-format number right-justified
// to column 30).
std::string FitsCardText(const FitsCard& card);
// `fits` with each card's keyword set: a card of the primary header that has it is replaced
// in place, otherwise the card is added before END; the header is padded with blanks to
// whole blocks and the data that follows it kept byte for byte. nullopt when `fits` is not a
// FITS file (no SIMPLE card first, no END card, a header longer than the file).
std::optional<std::string> SetFitsCards(std::string_view fits, const std::vector<FitsCard>& cards);

}  // namespace vsp
