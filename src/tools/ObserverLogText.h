#pragma once
// Notes as text: the date in the user's order, and the export line (twenty fields joined by
// ';', then ";\n") that the export writes and the import reads back.

#include <string>
#include <string_view>

#include "format/TextFormats.h"
#include "tools/ObserverLogRecord.h"

namespace vsp {

enum class DateOrder { DayFirst, MonthFirst };

// The order a short date of 1 December 2007 shows: month first when its second character is
// '2' ("12/01/07"), day first otherwise ("01/12/2007", "1.12.07").
DateOrder DateOrderOfSample(std::string_view shortDate);
// The order of the user's short dates (strftime "%x" in the LC_TIME locale).
DateOrder DeviceDateOrder();

// "%02d/%02d/%04d" in that order.
std::string NoteDateText(const ObserverLogRecord& note, DateOrder order);
// "%02d:%02d", the note's clock time.
std::string NoteTimeText(const ObserverLogRecord& note);
// Day, month and year of "D/M/YYYY" (or "M/D/YYYY"); false, `note` unchanged, for anything else.
bool ParseNoteDate(std::string_view text, DateOrder order, ObserverLogRecord& note);
// "H:MM" or "HH:MM" into hour and minute; false, `note` unchanged, for anything else.
bool ParseNoteTime(std::string_view text, ObserverLogRecord& note);

inline constexpr char kLogExportColumns[] =
    "Date;Time;Object;RA;Dec;Type;Obj Mag;Const;Moon;Sun;Vis. Mag;Transparency;Seeing;Scope;Location;Filter;Log\n";

// The note's export line; an empty text field is written as one blank, a text that holds ';',
// a double quote or a line break is quoted as spreadsheet programs read it (SeparatedText.h),
// so such a "line" may run over several lines of the file.
std::string LogExportLine(const ObserverLogRecord& note, DateOrder order, const TextFormats& formats);
// The length of the first export line of `text` with its line end, quoted line breaks inside.
size_t LogExportRecordLength(std::string_view text);
// A line of the export back into a note (the constellation, derived from the place, is not
// read). False for a line that is not one: too few fields, an unreadable date or time, no
// object name, a place out of range (RA 0..24 h, Dec -90..90 degrees) or a choice out of its
// range.
bool ParseLogExportLine(std::string_view line, DateOrder order, ObserverLogRecord& note);

}  // namespace vsp
