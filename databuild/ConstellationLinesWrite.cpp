#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "catalog/ConstellationTable.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataFileWriter.h"
#include "databuild/DefaultStarsWrite.h"
#include "databuild/InputFiles.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

constexpr uint32_t kLineFileVersion = 1;
// Serpens is one figure in the sky cultures but two rows of the constellation table: the
// head lies west of 17 h, the tail east of it.
constexpr double kSerpensCaudaFromHours = 17.0;

struct Line {
    int16_t row;
    int16_t from, to;  // default star indexes
    double fainterEnd;
};

std::vector<int> RowsOf(const std::string& abbreviation) {
    std::vector<int> rows;
    for (int i = 0; i < kConstellationCount; ++i)
        if (ConstellationAbbreviation(*ConstellationAt(i)) == abbreviation) rows.push_back(i);
    return rows;
}

std::string UnknownFigureProblem(const std::string& path, const Figure& figure) {
    return InputLineProblem(path, figure.lineNumber, "unknown constellation \"" + figure.abbreviation + "\"");
}

// The lines of one figure set, in figure order, without the ones the reader could not use.
bool CollectLines(const std::vector<Figure>& figures, const std::string& path, const HrSelection& hr,
                 const std::map<int32_t, int16_t>& indexOfHr, const std::vector<ChosenStar>& stars,
                 std::vector<Line>& lines, LineSetSummary& summary, std::string& problem) {
    std::set<std::pair<int16_t, int16_t>> seen;
    auto indexOf = [&](int32_t hip) -> int {
        const auto found = indexOfHr.find(hr.FigureHr(hip));
        return found == indexOfHr.end() ? -1 : found->second;
    };
    for (const Figure& figure : figures) {
        const std::vector<int> rows = RowsOf(figure.abbreviation);
        if (rows.empty()) {
            problem = UnknownFigureProblem(path, figure);
            return false;
        }
        for (const FigureSegment& segment : figure.segments) {
            const int from = indexOf(segment.fromHip), to = indexOf(segment.toHip);
            if (from < 0 || to < 0) {
                ++summary.withoutStar;
                continue;
            }
            if (from == to) {
                ++summary.selfLines;
                continue;
            }
            if (!seen.emplace(int16_t(std::min(from, to)), int16_t(std::max(from, to))).second) {
                ++summary.duplicates;
                continue;
            }
            const HipStar& a = *stars[size_t(from)].star;
            const HipStar& b = *stars[size_t(to)].star;
            const int row = rows.size() > 1 && a.raHours >= kSerpensCaudaFromHours ? rows[1] : rows[0];
            lines.push_back({int16_t(row), int16_t(from), int16_t(to), std::max(a.magnitude, b.magnitude)});
        }
    }
    return true;
}

// The reader stops at its table's size, which would cut whole figures at the end of the file;
// dropping the lines to the faintest stars instead keeps every figure recognisable.
void CutToCapacity(std::vector<Line>& lines, size_t capacity, LineSetSummary& summary) {
    if (lines.size() <= capacity) return;
    std::vector<size_t> order(lines.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return std::tie(lines[a].fainterEnd, a) > std::tie(lines[b].fainterEnd, b);
    });
    std::vector<bool> drop(lines.size(), false);
    const size_t excess = lines.size() - capacity;
    for (size_t i = 0; i < excess; ++i) drop[order[i]] = true;
    summary.cutForCapacity = int(excess);
    summary.brightestCut = lines[order[excess - 1]].fainterEnd;
    std::vector<Line> kept;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!drop[i]) kept.push_back(lines[i]);
    lines = std::move(kept);
}

}  // namespace

bool CheckFigureConstellations(const StarSources& sources, std::string& problem) {
    for (int set = 0; set < 2; ++set)
        for (const Figure& figure : sources.figureSets[set])
            if (RowsOf(figure.abbreviation).empty()) {
                problem = UnknownFigureProblem(sources.figurePaths[set], figure);
                return false;
            }
    return true;
}

bool WriteConstellationLines(const std::vector<ChosenStar>& stars, const StarSources& sources,
                            const HrSelection& hr, const std::string& dataDir, const std::string& source,
                            BuildReport& report, LineSetSummary (&summary)[2]) {
    std::map<int32_t, int16_t> indexOfHr;
    for (size_t i = 0; i < stars.size(); ++i) indexOfHr[stars[i].number] = int16_t(i);
    DataFileWriter file(std::string(kConstellationLineFileName), kConstellationLineTypeCode, kLineFileVersion,
                        kConstellationLineRecordSize);
    const size_t capacity[2] = {size_t(kClassicLineCapacity), size_t(kReyLineCapacity)};
    for (int set = 0; set < 2; ++set) {
        summary[set] = LineSetSummary{};
        std::vector<Line> lines;
        if (!CollectLines(sources.figureSets[set], sources.figurePaths[set], hr, indexOfHr, stars, lines,
                          summary[set], report.problem))
            return false;
        CutToCapacity(lines, capacity[set], summary[set]);
        summary[set].written = int(lines.size());
        for (const Line& line : lines) {
            uint8_t* record = file.Append();
            WriteI16(record, int16_t(set));
            WriteI16(record + 2, line.row);
            WriteI16(record + 4, line.from);
            WriteI16(record + 6, line.to);
        }
    }
    return file.Commit(dataDir, source, report);
}

}  // namespace vsp::databuild
