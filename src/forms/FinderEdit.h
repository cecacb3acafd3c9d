#pragma once
// The finder's designation field edited as text, for users with a keyboard. A key typed at the
// end of the field as shown (or a backspace) goes through the keypad's typing rules; a letter
// typed on a bare prefix starts a designation of the user's own, and text of the user's own is
// taken into the field (its catalog chosen, its characters typed by the rules) as soon as it
// reads as a designation: "NGC7" becomes catalog NGC with 7 typed.

#include <string>

#include "catalog/CatalogTable.h"
#include "catalog/FinderTyping.h"
#include "platform/InfoSink.h"

namespace vsp {

// `text` is what the field holds now; answers what it is to show.
std::string FinderTextEdited(FinderField& field, const CatalogTable& catalogs, InfoSink& messages,
                             const std::string& text);

// The identity the field holds when the user asks for it: the field's own when the text is
// what the rules made of it, else the text read as a designation. False (with a box saying how
// to write one) when there is nothing to find.
bool FinderTarget(const FinderField& field, const CatalogTable& catalogs, InfoSink& messages,
                  const std::string& text, int32_t& catalog, int32_t& number);

inline constexpr std::string_view kFinderNotADesignation = "Please type a designation such as M31 or NGC7000,";
inline constexpr std::string_view kFinderNotADesignationHelp = "or choose a catalog and type the number.";

}  // namespace vsp
