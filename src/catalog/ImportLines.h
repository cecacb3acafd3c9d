#pragma once
// The lines of an imported text: one record a line, fields separated by ';' (a ';' after the
// last field, as the expected field lines show it, may be left out), blanks around a field
// ignored. Blank lines and a header line (the expected field line itself) are skipped without
// being counted.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace vsp {

using ImportFields = std::vector<std::string_view>;

struct ImportCount {
    int accepted = 0;
    int rejected = 0;
};

// Calls `accept` with the fields of every other line: a line whose field count differs from
// the header's, or that `accept` refuses, is counted rejected.
ImportCount ForEachImportLine(std::string_view text, std::string_view header,
                              const std::function<bool(const ImportFields&)>& accept);

// A decimal number written out in full ("13", "-0.5", "2.5e1"); nullopt for anything else,
// among them an empty field, "inf" and "nan".
std::optional<double> ParseImportNumber(std::string_view field);

// A text that fits a NUL-terminated field of `size` bytes.
bool FitsTextField(std::string_view text, int32_t size);

}  // namespace vsp
