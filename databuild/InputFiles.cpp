#include "databuild/InputFiles.h"

#include <zlib.h>

namespace vsp::databuild {

std::string PathBelow(const std::string& dir, std::string_view relative) {
    if (dir.empty() || dir.back() == '/') return dir + std::string(relative);
    return dir + "/" + std::string(relative);
}

int ReadWholeFile(const std::string& path, std::string& out, std::string& problem) {
    out.clear();
    // gzread passes a file that is not gzip data through unchanged.
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        problem = InputProblem(path, "not found or not readable");
        return 0;
    }
    char chunk[1 << 16];
    int got = 0;
    while ((got = gzread(file, chunk, sizeof chunk)) > 0) out.append(chunk, size_t(got));
    const bool failed = got < 0;
    gzclose(file);
    if (failed) {
        problem = InputProblem(path, "damaged (cannot be decompressed)");
        return 0;
    }
    return 1;
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

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string InputProblem(const std::string& path, std::string_view why) {
    return "Cannot read " + path + ": " + std::string(why);
}

std::string InputLineProblem(const std::string& path, size_t lineNumber, std::string_view why) {
    return path + " line " + std::to_string(lineNumber) + ": " + std::string(why);
}

}  // namespace vsp::databuild
