#include "databuild/InputFiles.h"
#include "databuild/StarSources.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"

namespace vsp::databuild {

namespace {

// An empty field is 0; anything else must be a whole positive number.
bool NumberField(std::string_view field, int32_t& out) {
    field = TrimBlanks(field);
    out = 0;
    return field.empty() || (ParseWhole(field, out) && out > 0);
}

}  // namespace

bool ReadCrossIds(const std::string& path, std::vector<CrossId>& out, std::string& problem) {
    out.clear();
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    const auto lines = SplitLines(text);
    bool anyStar = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (TrimBlanks(line).empty() || line.front() == '#') continue;
        // HIP, component, SAO, HD, HR
        const auto fields = SplitFields(line, '\t');
        int32_t hip = 0, sao = 0, hd = 0, hr = 0;
        if (fields.size() != 5 || !NumberField(fields[0], hip) || hip == 0 || !NumberField(fields[2], sao) ||
            !NumberField(fields[3], hd) || !NumberField(fields[4], hr)) {
            problem = InputLineProblem(path, i + 1, "expected HIP, component, SAO, HD and HR separated by tabs");
            out.clear();
            return false;
        }
        anyStar = true;
        if (hr > 0) out.push_back({hip, std::string(TrimBlanks(fields[1])), hr});
    }
    if (!anyStar) {
        problem = InputProblem(path, "holds no cross-identifications");
        return false;
    }
    return true;
}

}  // namespace vsp::databuild
