#pragma once
// Memos: exported text written as numbered files under export/ of the program directory
// ("<stem>_001.txt", "<stem>_002.txt", ...), each put on disk whole through a temporary file.

#include <string>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr std::string_view kExportDir = "export/";

// Puts `text` on disk whole as the memo `name` (a safe file name, IsSafeFileName) in `folder` of
// the program directory, which it makes when missing; "Can't open memo:" or "Error while
// exporting memo." with the memo's path and false when it could not be written.
bool WriteMemo(const ProgramDir& dir, std::string_view folder, const std::string& name, std::string_view text,
               InfoSink& messages);

class MemoWriter {
public:
    // `stem` must be a safe file name (IsSafeFileName).
    MemoWriter(const ProgramDir& dir, std::string stem, InfoSink& messages);

    // The next memo; "Can't open memo:" or "Error while exporting memo." with its path and
    // false when it could not be written.
    bool Write(std::string_view text);
    const std::vector<std::string>& Files() const { return files_; }

private:
    ProgramDir dir_;
    std::string stem_;
    InfoSink& messages_;
    std::vector<std::string> files_;
};

}  // namespace vsp
