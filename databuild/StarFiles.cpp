#include <cstdio>

#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "databuild/DefaultStarsWrite.h"
#include "databuild/StarCatalogWrite.h"
#include "databuild/StarEntryPacking.h"
#include "databuild/StarSelection.h"

namespace vsp::databuild {

namespace {

// The star counts for which the readers use a number index (the HR and the 110K index).
constexpr int32_t kHrIndexedFrom = 9101, kHrIndexedTo = 9199;
constexpr int32_t kHip110kIndexedFrom = 118001, kHip110kIndexedTo = 119999;

// Rows of the extended catalog table.
enum : int { kHrRow = 0, kHip16kRow = 1, kHip32kRow = 2, kHip64kRow = 3, kHip110kRow = 4 };

// The Hipparcos selections by brightness: whole blocks whose count the N rule reads back.
struct BrightestLayout {
    int row;
    int entriesPerBlock;
    int32_t stars;
};
constexpr BrightestLayout kBrightest[] = {
    {kHip16kRow, 42, 381 * 42},   // 16002
    {kHip32kRow, 80, 596 * 80},   // 47680: 32000 stars fit no block size the reader derives
    {kHip64kRow, 80, 800 * 80},   // 64000
};

static_assert(EntriesPerBlockFor(381) == 42 && EntriesPerBlockFor(596) == 80 &&
              EntriesPerBlockFor(800) == 80 && EntriesPerBlockFor(595) == 42);

std::string_view FileOfRow(int row) { return ExtendedCatalogs()[size_t(row)].fileName; }

std::string Magnitude(double v) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::vector<StarEntry> Pack(const std::vector<ChosenStar>& stars) {
    std::vector<StarEntry> entries;
    entries.reserve(stars.size());
    for (const ChosenStar& c : stars)
        entries.push_back(PackStarEntry(c.number, c.star->raHours, c.star->decDeg, c.star->magnitude,
                                        c.star->colour, c.star->hasColour));
    return entries;
}

bool BuildHrCatalog(const StarSources& sources, const HrSelection& hr, const std::string& dataDir,
                   BuildReport& report) {
    const std::string source = "HR numbers: " + sources.provenanceCrossIds + "; stars: " + sources.provenanceStars;
    const ExtendedCatalogLayout layout{FileOfRow(kHrRow), 42, kHrIndexedFrom, kHrIndexedTo};
    NumberBlocks blocks;
    if (!WriteExtendedCatalog(Pack(hr.Stars()), layout, dataDir, source, report, &blocks)) return false;
    const int32_t slots = report.files.back().records * layout.entriesPerBlock;
    if (!WriteNumberIndex(kHrIndexFileName, kHrIndexTypeCode, blocks, slots, dataDir, source, report)) return false;
    const int32_t stars = int32_t(hr.Stars().size());
    const int32_t highest = hr.Stars().back().number;
    report.notes.push_back(std::string(layout.fileName) + ": " + std::to_string(stars) + " of the HR numbers 1.." +
                           std::to_string(highest) + " have a Hipparcos star (" + std::to_string(highest - stars) +
                           " have none); " + std::to_string(slots - stars) + " padding entries make " +
                           std::to_string(slots / layout.entriesPerBlock) +
                           " blocks, since the HR number index serves only a catalog of 9101..9199 stars");
    return true;
}

bool BuildHipCatalogs(const StarSources& sources, const std::string& dataDir, BuildReport& report) {
    const std::string& source = sources.provenanceStars;
    const int32_t available = int32_t(sources.hipStars.stars.size());
    std::string counts = "Hipparcos catalogs (brightest first, V then HIP):";
    for (const BrightestLayout& b : kBrightest) {
        const auto stars = SelectBrightestHip(sources.hipStars, size_t(b.stars));
        const ExtendedCatalogLayout layout{FileOfRow(b.row), b.entriesPerBlock, b.stars, 0};
        if (!WriteExtendedCatalog(Pack(stars), layout, dataDir, source, report)) return false;
        counts += ' ';
        counts += std::string(layout.fileName) + " " + std::to_string(stars.size()) + " stars to V " +
                  Magnitude(stars.back().star->magnitude) + " in " + std::to_string(report.files.back().records) +
                  " blocks of " + std::to_string(b.entriesPerBlock) + ";";
        if (int32_t(stars.size()) < b.stars)
            counts += " (only " + std::to_string(stars.size()) + " stars given, the rest is padding);";
    }
    const auto all = SelectBrightestHip(sources.hipStars, size_t(available));
    const ExtendedCatalogLayout layout{FileOfRow(kHip110kRow), 80, kHip110kIndexedFrom, kHip110kIndexedTo};
    NumberBlocks blocks;
    if (!WriteExtendedCatalog(Pack(all), layout, dataDir, source, report, &blocks)) return false;
    counts += ' ';
    counts += std::string(layout.fileName) + " all " + std::to_string(available) + " stars in " +
              std::to_string(report.files.back().records) + " blocks of 80";
    if (!WriteNumberIndex(kHip110kIndexFileName, kHip110kIndexTypeCode, blocks, kHighestStarNumber + 1, dataDir,
                          source, report))
        return false;
    report.notes.push_back(counts);
    report.notes.push_back(std::string(FileOfRow(kHip32kRow)) + ": " + std::to_string(kBrightest[1].stars) +
                           " stars, not 32000: the readers take 80 entries per block only from 596 blocks on, and "
                           "595 blocks of 42 hold 24990, so no file of 32000 stars reads back");
    return true;
}

void NoteLines(const LineSetSummary (&lines)[2], BuildReport& report) {
    static const char* const kSetName[2] = {"Classic (western)", "Rey Lines (western_rey)"};
    const int capacity[2] = {kClassicLineCapacity, kReyLineCapacity};
    for (int set = 0; set < 2; ++set) {
        const LineSetSummary& s = lines[set];
        std::string note = std::string(kConstellationLineFileName) + ": " + kSetName[set] + " " +
                           std::to_string(s.written) + " lines";
        if (s.cutForCapacity > 0)
            note += "; the program holds " + std::to_string(capacity[set]) + ", so the " +
                    std::to_string(s.cutForCapacity) + " lines with the faintest fainter star (V " +
                    Magnitude(s.brightestCut) + " and fainter) were dropped";
        note += "; left out: " + std::to_string(s.withoutStar) + " to a star without an HR number, " +
                std::to_string(s.selfLines) + " from a star to itself, " + std::to_string(s.duplicates) +
                " repeated";
        report.notes.push_back(note);
    }
}

bool BuildDefaultStarFiles(const StarSources& sources, const HrSelection& hr, const std::string& dataDir,
                          BuildReport& report) {
    DefaultSelection defaults;
    if (!SelectDefaultStars(sources, hr, kDefaultStarCount, defaults, report.problem)) return false;
    const std::string source = "HR numbers: " + sources.provenanceCrossIds + "; stars: " + sources.provenanceStars +
                               "; names: " + sources.provenanceNames + "; figures: " + sources.provenanceFigures;
    if (!WriteDefaultStars(defaults.stars, sources, dataDir, source, report)) return false;
    BrightStarSummary names;
    if (!WriteBrightStars(defaults.stars, sources, dataDir,
                          "names: " + sources.provenanceNames + "; stars as " + std::string(kDefaultStarsFileName),
                          report, names))
        return false;
    LineSetSummary lines[2];
    if (!WriteConstellationLines(defaults.stars, sources, hr, dataDir,
                                 "figures: " + sources.provenanceFigures + "; stars as " +
                                     std::string(kDefaultStarsFileName),
                                 report, lines))
        return false;
    int negative = 0;
    for (const ChosenStar& c : defaults.stars) negative += c.star->magnitude < 0;
    report.notes.push_back(std::string(kDefaultStarsFileName) + ": " + std::to_string(defaults.figureStars) +
                           " stars of the constellation figures and the brightest other HR stars to V " +
                           Magnitude(defaults.faintestOther) + ", one HR number per Hipparcos star; " +
                           std::to_string(negative) + " stars brighter than magnitude 0 are stored as 0");
    report.notes.push_back(std::string(kBrightStarFileName) + ": " + std::to_string(names.names) +
                           " named default stars; " + std::to_string(names.truncated) +
                           " names cut to 17 bytes");
    NoteLines(lines, report);
    return true;
}

}  // namespace

bool BuildStarFiles(const BuildOptions& options, BuildReport& report) {
    report.Progress("stars: reading the Hipparcos stars, cross-identifications, names and figures");
    StarSources sources;
    if (!ReadStarSources(options, sources, report.problem)) return false;
    if (!CheckFigureConstellations(sources, report.problem)) return false;
    const HrSelection hr(sources);
    if (hr.Stars().empty()) {
        report.problem = "No HR number of " + sources.provenanceCrossIds + " names a star of " + sources.provenanceStars;
        return false;
    }
    return BuildDefaultStarFiles(sources, hr, options.dataDir, report) &&
                   BuildHrCatalog(sources, hr, options.dataDir, report) &&
                   BuildHipCatalogs(sources, options.dataDir, report);
}

}  // namespace vsp::databuild
