#include "platform/MemoFile.h"

#include <cstdio>

#include "platform/FormatText.h"
#include "platform/ReplaceFile.h"

namespace vsp {

MemoWriter::MemoWriter(const ProgramDir& dir, std::string stem, InfoSink& messages)
    : dir_(dir), stem_(std::move(stem)), messages_(messages) {}

bool WriteMemo(const ProgramDir& dir, std::string_view folder, const std::string& name, std::string_view text,
               InfoSink& messages) {
    const std::string path = dir.Path(folder, name);
    if (!IsSafeFileName(name) || !MakeDirectory(dir.Path(folder))) {
        messages.InfoBox("Can't open memo:", path);
        return false;
    }
    const bool written = ReplaceFileText(path, text);
    if (!written) {
        messages.InfoBox("Error while exporting memo.", path);
        return false;
    }
    return true;
}

bool MemoWriter::Write(std::string_view text) {
    const std::string name = stem_ + FormatText("_%03zu.txt", files_.size() + 1);  // listed in order
    if (!WriteMemo(dir_, kExportDir, name, text, messages_)) return false;
    files_.push_back(dir_.Path(kExportDir, name));
    return true;
}

}  // namespace vsp
