#pragma once
// The rules that turn source values into object-file values: object types from each
// source's own codes, which source's magnitude, position and size an object keeps, the
// position angle and the class text.

#include <cstdint>
#include <string>

#include "databuild/DsoMerge.h"
#include "databuild/DsoSources.h"

namespace vsp::databuild {

// Row of the object type table for a stellarium type code, a KStars (OpenNGC) type code and a
// d3 Local Group type word.
int32_t TypeOfStellarium(uint32_t code);
int32_t TypeOfOpenNgc(int code);
int32_t TypeOfLocalGroup(const std::string& word);

// The third of the class texts an object of this type draws its class from.
ClassPart ClassPartOfType(int32_t type);

// stellarium's morphology up to its first ';' ("EN; 3, 3, 2" -> "EN"), trimmed, as a class
// text of `part`; empty when longer than a class text can hold, or when a galaxy has only a
// Hubble-stage number.
std::string ClassTextOf(const std::string& morphology, ClassPart part);

// The magnitude a star-chart user expects: stellarium V, else OpenNGC (mostly B), else
// stellarium B, else the Local Group value, else kUnknownMagnitude.
float MagnitudeOf(const StellariumDso* stellarium, const OpenNgcRow* openNgc,
                  const LocalGroupObject* localGroup);

// Position, size and position angle from the sources present (any may be null): OpenNGC
// first, then stellarium, then the Local Group entry.
void SetPositionAndSize(const StellariumDso* stellarium, const OpenNgcRow* openNgc,
                        const LocalGroupObject* localGroup, DsoObject& object);

// Whether a part of an OpenNGC long name reads as a catalog designation rather than a name.
bool LooksLikeDesignation(const std::string& part);

}  // namespace vsp::databuild
