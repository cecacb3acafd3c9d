#pragma once
// Imports of the Minor Planet Center's element files into the comet and minor-planet
// databases: from a file or an http(s) address, gzip or not, read a line at a time (the whole
// MPCORB.DAT is never held). Everything before MPCORB's line of dashes (or before the first
// element line) is its header and skipped. A line that cannot be read is reported by number
// and skipped. Each database is replaced only when at least one object of its kind came in,
// under the user files' lock; past 65535 objects of a kind the brightest are kept.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/HttpFetch.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "solarsystem/MinorBodyRecord.h"

namespace vsp {

// Whole MPCORB.DAT downloads take minutes, not the minute the small fetches allow.
inline constexpr long kElementDownloadSeconds = 1800;
// Damaged lines reported one by one; past these only counted.
inline constexpr size_t kReportedLineLimit = 100;

struct MinorBodyImportOptions {
    std::optional<MinorBodyKind> kind;          // read every line as this kind; none: told by each line
    std::optional<double> brighterThan;         // keep what `magnitude` makes brighter than this
    std::function<double(const MinorBodyElements&)> magnitude;
    std::vector<std::string> only;              // keep what any of these names (NamesMinorBody)
    HttpTimeouts timeouts{.totalSeconds = kElementDownloadSeconds};
};

struct ElementLineReject {
    long line = 0;
    std::string reason;
};

struct MinorBodyImportReport {
    long lines = 0;                 // lines read, header included
    int read[2] = {0, 0};           // objects read, [0] comets, [1] minor planets
    int kept[2] = {0, 0};           // of them passing the filters
    int written[2] = {0, 0};        // of them in the database (kept, at most 65535)
    long rejectCount = 0;
    std::vector<ElementLineReject> rejects;  // the first kReportedLineLimit
};

inline int KindSlot(MinorBodyKind kind) { return kind == MinorBodyKind::Comet ? 0 : 1; }

// False with a message when the source cannot be read or nothing came in.
bool ImportMinorBodies(const ProgramDir& dir, const std::string& source, const MinorBodyImportOptions& options,
                       InfoSink& messages, MinorBodyImportReport& report);

}  // namespace vsp
