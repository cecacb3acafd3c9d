#pragma once
// Base64 (RFC 4648, the standard alphabet) as servers send binary data inside text, such as
// the images of INDI's BLOB vectors. Blanks and line breaks between the characters are
// passed over, as the servers break their lines.

#include <optional>
#include <string>
#include <string_view>

namespace vsp {

// The bytes of `text`; nullopt for a character outside the alphabet, a length that is not a
// whole number of quartets or padding anywhere but at the end.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace vsp
