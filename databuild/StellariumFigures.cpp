#include "databuild/InputFiles.h"
#include "databuild/StarSources.h"

namespace vsp::databuild {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return words;
        const size_t end = std::min(line.find_first_of(" \t", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

bool PositiveNumber(std::string_view word, int32_t& out) {
    return ParseWhole(word, out) && out > 0;
}

}  // namespace

bool ReadFigures(const std::string& path, std::vector<Figure>& out, std::string& problem) {
    out.clear();
    std::string text;
    if (!ReadWholeFile(path, text, problem)) return false;
    const auto lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto words = Words(lines[i]);
        if (words.empty() || words[0].front() == '#' || words[0].front() == '.') continue;
        auto fail = [&](std::string_view why) {
            problem = InputLineProblem(path, i + 1, why);
            out.clear();
            return false;
        };
        int32_t count = 0;
        if (words.size() < 2 || !PositiveNumber(words[1], count))
            return fail("expected a figure name, its number of lines and their HIP pairs");
        if (words.size() != 2 + 2 * size_t(count))
            return fail(std::to_string(count) + " lines announced but " + std::to_string(words.size() - 2) +
                        " star numbers given");
        Figure figure;
        figure.abbreviation = std::string(words[0]);
        figure.lineNumber = i + 1;
        for (int32_t k = 0; k < count; ++k) {
            FigureSegment segment;
            if (!PositiveNumber(words[2 + 2 * size_t(k)], segment.fromHip) ||
                !PositiveNumber(words[3 + 2 * size_t(k)], segment.toHip))
                return fail("a star number is not a HIP number");
            figure.segments.push_back(segment);
        }
        out.push_back(std::move(figure));
    }
    if (out.empty()) {
        problem = InputProblem(path, "holds no constellation figures");
        return false;
    }
    return true;
}

}  // namespace vsp::databuild
