#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

// Columns 1-5 hold the prefix, 6-20 the id; the name is `_("...")` after them.
constexpr size_t kIdColumn = 5;
constexpr size_t kNameColumn = 20;

bool ParseNameLine(std::string_view line, StellariumName& name, std::string& why) {
    const size_t open = line.find("_(\"", kNameColumn);
    if (line.size() <= kNameColumn || open == std::string_view::npos) {
        why = "no _(\"name\") after column 20";
        return false;
    }
    const size_t textStart = open + 3;
    const size_t close = line.find("\")", textStart);
    if (close == std::string_view::npos) {
        why = "the name has no closing \")";
        return false;
    }
    name.prefix = std::string(TrimBlanks(line.substr(0, kIdColumn)));
    name.id = std::string(TrimBlanks(line.substr(kIdColumn, open - kIdColumn)));
    name.name = std::string(line.substr(textStart, close - textStart));
    if (name.id.empty()) {
        why = "no designation in columns 6-20";
        return false;
    }
    if (name.name.empty()) {
        why = "empty name";
        return false;
    }
    return true;
}

}  // namespace

bool ReadStellariumNames(const std::string& path, std::vector<StellariumName>& out,
                        std::string& problem) {
    out.clear();
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (TrimBlanks(line).empty() || line.front() == '#') continue;
        StellariumName name;
        std::string why;
        if (!ParseNameLine(line, name, why)) {
            problem = InputLineProblem(path, i + 1, why);
            out.clear();
            return false;
        }
        out.push_back(std::move(name));
    }
    return true;
}

}  // namespace vsp::databuild
