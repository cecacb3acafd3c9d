#pragma once
// What the program tells about a deep-sky object of the object file: the names it goes by, its
// type, class and constellation, and its short description with the expansion. The object
// command and the object information form read them the same way. Texts are narrow, in the
// device code page, trimmed of the tables' padding.

#include <string>
#include <vector>

#include "catalog/CatalogSession.h"
#include "catalog/ObjectLookup.h"
#include "platform/InfoSink.h"

namespace vsp {

// Magnitudes at or above this are the builder's mark for "unknown" (99.9).
inline constexpr float kUnknownMagnitude = 99.0f;

struct ObjectFacts {
    std::string designation;          // as the program shows it: "M31" for NGC 224
    std::vector<std::string> others;  // its other designations, without repeats
    std::string commonName;           // empty when it has none
    std::string catalogPrefix;
    std::string typeCode, typeName;   // empty for a type outside the table
    std::string classText;            // empty when there is none
    std::string constellationName, constellationAbbreviation;  // empty when unknown
    std::string description;          // the short description, empty when there is none
    std::string translation;          // its expansion
};

// Errors while reading the cross-references or descriptions go to `messages`; what cannot be
// read stays empty.
ObjectFacts ReadObjectFacts(CatalogSession& sky, InfoSink& messages, const FoundObject& found);

bool MagnitudeKnown(const ObjectRecord& record);

}  // namespace vsp
