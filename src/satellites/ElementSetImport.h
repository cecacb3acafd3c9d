#pragma once
// Element sets brought into the satellite database from text files or HTTP(S) addresses.
// The database is replaced only when every source could be had and at least one valid set
// came in, so a failed fetch or a useless text leaves the previous database as it was.

#include <string>
#include <vector>

#include "platform/HttpFetch.h"
#include "platform/InfoSink.h"
#include "satellites/ElementSetText.h"
#include "satellites/SatelliteDatabase.h"
#include "settings/Preferences.h"

namespace vsp {

// A file may hold a full database: 65535 sets of three lines of 69 characters and line ends;
// a download as much (the whole catalog as OMM JSON is some 8 MiB).
inline constexpr size_t kElementFileLimit = size_t(16) << 20;
inline constexpr size_t kElementTextCapacity = kElementFileLimit;

// An http:// or https:// address is fetched, anything else read as a regular file of at most
// kElementFileLimit bytes. A fetched text that begins with '<' and holds no omm element is an
// error page. False with a message when no text could be had.
bool LoadElementSetText(const std::string& source, std::string& text, InfoSink& messages,
                        const HttpTimeouts& timeouts = {});

struct ElementSetSourceReport {
    std::string source;
    int imported = 0;
    std::vector<ElementSetReject> rejects;
};

// Imports `sources` in order as one database (each text in the format its content shows: two-line
// sets or OMM CSV, JSON or XML, OmmText.h) (after the present records with `append`).
// `report` tells per source what came in and what was rejected. Every source is read before
// the user files are locked; the database is read (for `append`) and replaced under the lock.
bool ImportElementSets(SatelliteDatabase& database, const std::vector<std::string>& sources, bool append,
                       InfoSink& messages, std::vector<ElementSetSourceReport>& report,
                       const HttpTimeouts& timeouts = {});

// What an update downloads: the visual element sets, then the Iridium ones.
std::vector<std::string> ElementSetUpdateAddresses(const Preferences& prefs);

// "151 satellites in the database".
std::string SatellitesInDatabaseText(int count);
// "151 element sets", "1 element set".
std::string ElementSetCountText(int count);

}  // namespace vsp
