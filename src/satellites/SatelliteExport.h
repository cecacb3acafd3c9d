#pragma once
// The satellite database exported as text memos: each record as its three lines (catalog
// numbers past 99999 in Alpha-5, as the database holds them), the memo
// written and restarted whenever it holds more than 3596 characters.

#include <vector>

#include "platform/InfoSink.h"
#include "platform/MemoFile.h"
#include "satellites/SatelliteDatabase.h"

namespace vsp {

inline constexpr size_t kSatelliteMemoLimit = 3596;

// Writes the records through `memos` and shows "%d Satellite record%s exported.\n" with the
// number written. A set whose catalog number is past 339999 has no two-line form: it is left
// out and put in `skipped`. A record that cannot be read ends the export there (the
// database's message); false then, or when a memo could not be written.
bool ExportSatellites(SatelliteDatabase& database, MemoWriter& memos, InfoSink& messages, int& exported,
                      std::vector<SatelliteRecord>& skipped);

}  // namespace vsp
