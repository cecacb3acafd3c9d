#include "databuild/InputFiles.h"

#include <filesystem>

#include <zlib.h>

namespace vsp::databuild {

std::string PathBelow(const std::string& dir, std::string_view relative) {
    return (std::filesystem::path(dir) / relative).string();
}

bool ReadPieces(const std::string& path, const std::function<bool(std::string_view)>& onPiece,
                std::string& problem) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        problem = InputProblem(path, "not found or not readable");
        return false;
    }
    gzbuffer(file, 1 << 18);
    std::vector<char> piece(size_t(1) << 20);
    int got = 0;
    bool stopped = false;
    while (!stopped && (got = gzread(file, piece.data(), unsigned(piece.size()))) > 0)
        stopped = !onPiece(std::string_view(piece.data(), size_t(got)));
    // A stream cut short ends like a whole one (gzread gives 0): only the error state tells.
    int state = Z_OK;
    gzerror(file, &state);
    gzclose(file);
    if (stopped) return false;
    if (got < 0 || state != Z_OK) {
        problem = InputProblem(path, "damaged or cut short (cannot be decompressed)");
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::string& problem) {
    out.clear();
    return ReadPieces(path, [&](std::string_view piece) { out.append(piece); return true; }, problem);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string InputProblem(const std::string& path, std::string_view why) {
    return "Cannot read " + path + ": " + std::string(why);
}

std::string InputLineProblem(const std::string& path, size_t lineNumber, std::string_view why) {
    return path + " line " + std::to_string(lineNumber) + ": " + std::string(why);
}

}  // namespace vsp::databuild
