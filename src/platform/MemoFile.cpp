#include "platform/MemoFile.h"

#include <cstdio>

#include "platform/ReplaceFile.h"

namespace vsp {

MemoWriter::MemoWriter(const ProgramDir& dir, std::string stem, InfoSink& messages)
    : dir_(dir), stem_(std::move(stem)), messages_(messages) {}

bool MemoWriter::Write(std::string_view text) {
    char number[16];
    std::snprintf(number, sizeof number, "_%03zu.txt", files_.size() + 1);  // listed in order
    const std::string name = stem_ + number;
    const std::string path = dir_.Path(kExportDir, name);
    if (!IsSafeFileName(name) || !MakeDirectory(dir_.Path(kExportDir))) {
        messages_.InfoBox("Can't open memo:", path);
        return false;
    }
    const bool written = ReplaceFile(path, [text](std::FILE* stream) {
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    });
    if (!written) {
        messages_.InfoBox("Error while exporting memo.", path);
        return false;
    }
    files_.push_back(path);
    return true;
}

}  // namespace vsp
