#pragma once
// Typing a designation on the finder's keypad: the catalog is chosen in a popup list, then
// digits are appended one by one to the field, which shows the prefix and the digits so far.
// Each catalog limits what may be typed; list-chosen catalogs cannot be typed at all.
//
// A key is taken (true) or refused (false, with a message where the program has one).

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/CatalogTable.h"
#include "platform/InfoSink.h"

namespace vsp {

inline constexpr std::string_view kFinderUsePopup =
    "Please use the popup list to select your object and not the numeric keyboard.";
inline constexpr std::string_view kFinderTooManyDigits = "To many digits";
inline constexpr std::string_view kFinderNoObjects =
    "Sorry, there is no object available from this catalog using your current object database.";
inline constexpr std::string_view kFinderTychoFormat = "It seems the format is not correct.";
inline constexpr std::string_view kFinderTychoFormatHelp = "Please use this one:\nTYCnnnn-nnnnnn-1";
inline constexpr size_t kFinderTychoLength = 12;
inline constexpr char kFinderBackspace = '\b';

struct FinderField {
    int32_t catalog = 0;
    std::string typed;   // what was typed after the prefix
    std::string text;    // what the field shows: prefix and typed characters
    int32_t number = 0;  // the typed text read as a number (0 while empty)
};

// Chooses the catalog and clears what was typed.
void FinderSelectCatalog(FinderField& field, const CatalogTable& catalogs, int32_t catalog);

// Digits for every catalog, '-' as well for Tycho, kFinderBackspace removes the last one.
bool FinderTypeKey(FinderField& field, const CatalogTable& catalogs, InfoSink& messages, char key);

// The identity the field names, when the user asks to find it. Tycho text goes through the
// region-number rule (kFinderTychoFormat with kFinderTychoFormatHelp when it does not fit);
// other catalogs need at least one digit.
bool FinderIdentity(const FinderField& field, InfoSink& messages, int32_t& catalog, int32_t& number);

}  // namespace vsp
