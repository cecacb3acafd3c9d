#pragma once
// The satellite database exported as text memos: each record as its three lines, the memo
// written and restarted whenever it holds more than 3596 characters.

#include "platform/InfoSink.h"
#include "platform/MemoFile.h"
#include "satellites/SatelliteDatabase.h"

namespace vsp {

inline constexpr size_t kSatelliteMemoLimit = 3596;

// Writes the records through `memos` and shows "%d Satellite record%s exported.\n" with the
// number written. A record that cannot be read ends the export there (the database's
// message); false then, or when a memo could not be written.
bool ExportSatellites(SatelliteDatabase& database, MemoWriter& memos, InfoSink& messages, int& exported);

}  // namespace vsp
