#pragma once
// Observing lists as text ("memos"): one line per entry, fields joined by ';' and the line
// ended by '\n':
//   catalog prefix; number; name; type short code; class text; right ascension; declination
//   (both in the hour and angle formats of the settings); magnitude (one decimal); first size;
//   second size; small value
// An empty text field is written as one blank. The numbered lists' entries and the planets
// are written under their list's catalog and number (ListEntryDesignation).
//
// An export goes to "userlists/YYYYMMDD_vespermemo_HHMM.txt" of the observing date and time,
// one memo whenever the text passes 65336 bytes. A memo never overwrites another: a name
// already taken gets "_2", "_3", ... before ".txt" (chosen under the user-files lock, so that
// exports at the same minute never share one).

#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "format/TextFormats.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr size_t kMemoBufferSize = 65536;
inline constexpr size_t kMemoFlushThreshold = 65336;
inline constexpr std::string_view kDefaultMemoName = "user_object";  // "userlists/user_object.txt"

// "%d Object%s exported." (no line end), as an export of `count` entries reports it.
std::string ExportedObjectsMessage(int count);

std::string ListMemoLine(const ListEntry& entry, const CatalogSession& sky, const TextFormats& formats);

// Writes the memos of `list`; "Can't open memo:" or "Error while exporting memo." with the
// file name and false when one cannot be written, else "%d Object%s exported.\n" and true.
// `files` gets the paths written.
bool ExportListMemo(const ProgramDir& dir, const ObservingList& list, const CalendarDateTime& when,
                    const CatalogSession& sky, const TextFormats& formats, InfoSink& messages,
                    std::vector<std::string>& files);

// At most the first kMemoBufferSize - 1 bytes of the file; false when it cannot be read or
// is not a regular file (a directory, a FIFO, a device).
bool ReadMemoText(const std::string& path, std::string& text);

// Empties `list` and fills it from memo text. Catalog objects and stars are looked up in the
// catalogs (the numbered lists through their tables) and filled from there; planets, the
// entries the catalogs do not hold and those without a catalog prefix are taken from the
// line. A line that cannot be read (not eleven fields, no whole number, a right ascension
// outside 0..24 h or a declination outside -90..90 degrees, minutes or seconds of 60 or more)
// ends the import with "Failed to load data. Check line" and the text from that line on, and
// false; an entry the list refuses is reported with "Already loaded:" and the first 30
// characters of its line. A text that is not a memo (no line of it reads) leaves `list` as it
// was.
bool ImportListMemo(std::string_view text, CatalogSession& sky, InfoSink& messages, ObservingList& list);

}  // namespace vsp
