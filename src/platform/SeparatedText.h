#pragma once
// Records of text fields joined by a separator (';' in the program's exports), quoted as
// spreadsheet programs read and write them: a field that holds the separator, a double quote or
// a line break is written between double quotes, its quotes doubled, and may then run over
// several lines. Only a quote that opens a field opens a quoted field, so the texts written
// before fields were ever quoted (8" as a scope) still read as they were written.

#include <string>
#include <string_view>
#include <vector>

namespace vsp {

// The fields of a line split at every `separator`, quotes kept as they are and empty fields kept
// ("a;;b" gives three): for texts whose fields never hold the separator.
std::vector<std::string_view> SplitFields(std::string_view line, char separator);

// `field` as a record holds it: unchanged, or quoted when it must be.
std::string QuotedField(std::string_view field, char separator);
// The length of the first record of `text` with its line end ('\n' outside quotes); the whole
// text when no line end follows.
size_t SeparatedRecordLength(std::string_view text, char separator);
// The fields of one record, quotes taken off; its line end ("\n" or "\r\n") is not part of the
// last field. An unclosed quote runs to the end of the record.
std::vector<std::string> SplitSeparatedRecord(std::string_view record, char separator);

}  // namespace vsp
