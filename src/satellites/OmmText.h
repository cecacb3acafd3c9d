#pragma once
// Element sets as OMM texts (CCSDS Orbit Mean-elements Message, SGP4 theory) and the choice,
// by content, between them and the two-line format:
// - CSV: a header line naming the keys (OBJECT_NAME, NORAD_CAT_ID, EPOCH, MEAN_MOTION, ...) in
//   any order, then one record a line; fields may be quoted ("..." with "" for a quote).
// - JSON: an array of objects with the same keys (values as strings or numbers), or one object.
// - XML: ndm/omm/body/segment/{metadata, data/{meanElements, tleParameters}}, one or many omm,
//   namespace prefixes ignored (read with pugixml).
// A record that cannot be used is skipped and reported: CSV rows by their line, JSON and XML
// records by their number (1-based, in text order); a text that is not JSON or XML at all by
// the line where reading stopped.

#include <string_view>

#include "satellites/ElementSetText.h"

namespace vsp {

enum class ElementSetFormat { TwoLine, OmmCsv, OmmJson, OmmXml };

// The format `text` is in: '<' first is XML, '[' or '{' JSON, a first line of comma-separated
// OMM keys CSV, anything else the two-line format.
ElementSetFormat DetectElementSetFormat(std::string_view text);

ParsedElementSets ParseOmmCsv(std::string_view text);
ParsedElementSets ParseOmmJson(std::string_view text);
ParsedElementSets ParseOmmXml(std::string_view text);

// The sets of `text` in the format it is in.
ParsedElementSets ParseElementSetText(std::string_view text);

}  // namespace vsp
