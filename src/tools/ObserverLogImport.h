#pragma once
// Notes read back from the text the export writes (or any text in its columns): each line
// (with the line breaks its quoted texts hold) that reads as a note is saved under userlogs/,
// replacing a note of the same name; the export's header lines and blank lines are passed
// over; every other line is rejected.

#include <string_view>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "tools/ObserverLogText.h"

namespace vsp {

inline constexpr char kNoLogLoadedMessage[] = "No observer log has been loaded.\nPlease check the file format.";

struct LogImportCounts {
    int accepted = 0;
    int rejected = 0;
};

// Reports "%d User log uploaded, %d rejected." or, when no line was accepted, that none was
// loaded (false). The notes are written under the user-files lock (false with its message
// when it cannot be had).
bool ImportLogs(const ProgramDir& dir, std::string_view text, DateOrder order, InfoSink& messages,
                LogImportCounts& counts);

}  // namespace vsp
