#pragma once
// The star catalogs of one run: the default stars (read once into memory), the constellation
// lines of the chosen set, the bright-star names, and the extended catalog that is open, read
// block by block. The application state owns one StarCatalog; nothing here is global.
//
// Operations answer whether they succeeded; block and index lookups give -1 when missing.
// Messages go to the InfoSink given at construction, verbatim.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/StarCache.h"
#include "catalog/StarEntry.h"
#include "catalog/StarRecord.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "records/CatalogDb.h"

namespace vsp {

inline constexpr std::string_view kDefaultStarsFileName = "vespertar_default_stars.ppc";
inline constexpr std::string_view kHrIndexFileName = "vespertar_hr_idx.ppc";
inline constexpr std::string_view kHip110kIndexFileName = "vespertar_hip_110k_idx.ppc";
inline constexpr std::string_view kTychoIndexFileName = "vespertar_tycho_idx.ppc";
inline constexpr std::string_view kBrightStarFileName = "vespertar_brightstar.ppc";
inline constexpr std::string_view kConstellationLineFileName = "vespertar_constellation.ppc";

inline constexpr uint32_t kDefaultStarsTypeCode = 0x706C3031;
inline constexpr uint32_t kHrIndexTypeCode = 0x706C3636;
inline constexpr uint32_t kHip110kIndexTypeCode = 0x706C3631;
inline constexpr uint32_t kTychoIndexTypeCode = 0x706C3630;
inline constexpr uint32_t kBrightStarTypeCode = 0x706C3635;
inline constexpr uint32_t kConstellationLineTypeCode = 0x706C3634;

inline constexpr int kDefaultStarCount = 1646;
inline constexpr int kDefaultStarSlots = 1648;
inline constexpr int kDefaultStarProgressStep = 150;
inline constexpr int kClassicLineCapacity = 647;  // set 0
inline constexpr int kReyLineCapacity = 867;      // set 1
inline constexpr int32_t kBrightStarRecordSize = 20;
inline constexpr int32_t kBrightStarNameSize = 18;
inline constexpr int32_t kConstellationLineRecordSize = 8;
inline constexpr int kNumberIndexSlots = 42;  // 16-bit block numbers per index record
inline constexpr int32_t kHighestStarNumber = 121000;
inline constexpr int32_t kTychoStarCountFrom = 140000;  // designations "TYC..." from here on
inline constexpr float kWalkMinimumMagnitude = 5.5f;
// Extended catalogs up to this size are kept in memory (64 MiB holds even the 2.5-million-star
// Tycho file).
inline constexpr size_t kResidentCatalogLimit = size_t(64) << 20;

// Entries per block of an extended catalog, which follows from its record count alone: 80
// when the count x 42, kept to 16 bits, exceeds 25000, else 42. The data builder chooses its
// block counts by the same rule.
constexpr int EntriesPerBlockFor(uint32_t recordCount) {
    return ((recordCount * 42u) & 0xFFFFu) > 25000u ? 80 : 42;
}

inline constexpr std::string_view kStarDatabaseMissing =
    "Could not open star database\nPlease install vespertar_default_stars.ppc into data sub directory.";
inline constexpr std::string_view kStarRecordUnreadable = "Could not retrieve star record!";
inline constexpr std::string_view kConstellationFileMissing = "Could not find vespertar_constellation.ppc";
inline constexpr std::string_view kVerifyConfiguration = "Please verify your configuration.";
inline constexpr std::string_view kConstellationNoBuffer = "Can't allocate constellation buffer";
inline constexpr std::string_view kHipparcosNotOpen = "Database Hipparchos isn't open!";
inline constexpr std::string_view kHipparcosIndexMissing = "Could not open Hipparchos index file";
inline constexpr std::string_view kTychoIndexMissing = "Can't open Tycho index.";
inline constexpr std::string_view kTychoIndexUnreadable = "Could not retrieve tycho record!";
inline constexpr std::string_view kTychoBlockUnreadable = "Can't get stellar record";
// Formats, with the record number.
inline constexpr const char* kHipparcosRecordUnreadable = "Can't find Hipparchos record number %d";
inline constexpr const char* kHipparcosIndexUnreadable = "Can't find Hipparchos index record number %d";

// One line of a constellation figure: the figure value of the file and two indexes into the
// default star array, the ends of the line.
struct ConstellationLine {
    int32_t figure = 0;
    int32_t from = 0;
    int32_t to = 0;
};

// A record of the bright-star name file.
struct BrightStarRecord {
    char name[kBrightStarNameSize] = {};  // NUL-terminated
    int16_t starIndex = 0;                // into the default star array
};

// Right ascension window of a view in whole minutes (hours x 60 + minutes), low <= m < high.
struct RaMinuteWindow {
    int low = 0;
    int high = 0;
};

// What the chart tells a walk about the view.
struct StarWalkView {
    float limitingMagnitude = 0.0f;
    float lowestDec = 0.0f;   // degrees
    float highestDec = 0.0f;  // degrees
    RaMinuteWindow windows[2];  // two, so that a view across 0 h is covered
    int scaleParameter = 0;     // 1 draws every star one size class larger
};

// The chart's side of a walk.
class StarWalkTarget {
public:
    virtual ~StarWalkTarget() = default;
    // Projects and draws one star; true (with its screen place) when it was drawn.
    virtual bool DrawStar(const StarRecord& star, int sizeClass, int colourClass, int16_t& screenX,
                          int16_t& screenY) = 0;
    // Polled between blocks: a key or tap stops the walk.
    virtual bool StopRequested() { return false; }
};

// The number written as "TYC%d-%d-1" (region, number within it) when the open catalog holds
// at least 140000 stars, else "HIP%d".
std::string ExtendedStarDesignation(int32_t number, int32_t catalogStarCount);

class StarCatalog {
public:
    StarCatalog(const ProgramDir& dir, InfoSink& messages);

    // --- default stars ---
    // Opens the default star file read-only; on failure the message kStarDatabaseMissing.
    bool OpenDefaultStars();
    void CloseDefaultStars() { defaultStars_.Close(); }
    // Reads records 0 .. 1645 into the array once per run; `progress` is called with the
    // number of records read after every 150. A record that cannot be read ends the load.
    bool LoadDefaultStars(const std::function<void(int)>& progress = {});
    bool DefaultStarsLoaded() const { return defaultLoaded_; }
    int DefaultStarsRead() const { return defaultRead_; }
    // The in-memory array (1648 slots, the first DefaultStarsRead() filled).
    std::vector<StarRecord>& DefaultStars() { return defaultArray_; }
    // One record straight from the file; false for an index outside 0 .. 1645 or a failed read.
    bool ReadDefaultStar(int index, StarRecord& out);

    // --- constellation lines ---
    // Loads the lines of set 0 (Classic) or 1 (Rey Lines), unless that set is loaded already.
    void LoadConstellationLines(int set);
    int ConstellationLineSet() const { return lineSet_; }
    const std::vector<ConstellationLine>& ConstellationLines() const { return lines_; }
    int ConstellationLineCount() const { return int(lines_.size()); }

    // --- bright-star names ---
    int BrightStarCount();
    bool ReadBrightStar(int index, BrightStarRecord& out);
    // The name-sorted record index of the star with this number (low 16 bits compared), or
    // its id-sorted record index when its name is not among the first K; -1 when missing.
    int FindBrightStar(int32_t starNumber);

    // --- extended catalog ---
    // Opens row `index` of the extended catalog table (-1: none). A missing or malformed file
    // leaves no catalog open (false), and the readers behave accordingly.
    bool OpenExtendedCatalog(int index);
    void CloseExtendedCatalog();
    bool ExtendedOpen() const { return extended_.IsOpen(); }
    int ExtendedIndex() const { return extendedIndex_; }
    int EntriesPerBlock() const { return entriesPerBlock_; }
    int32_t ExtendedStarCount() const;
    // Block n / N, entry n mod N into `out`; the full star number, 0 on failure.
    int32_t StarBySequence(int32_t sequence, StarRecord& out);
    // The block holding a declination (degrees, -90 .. 90); -1 when none.
    int BlockByDeclination(float declination);
    // HR / HIP number through the number index: the block number (with `out` filled when the
    // star is in it), -1 when missing. LastEntryFound() is the entry of the last match.
    int StarByNumber(int32_t number, StarRecord& out);
    int LastEntryFound() const { return lastEntry_; }
    // Tycho number (region x 100000 + number): true and `out` filled when found.
    bool StarByTycho(int32_t number, StarRecord& out);
    std::string Designation(int32_t number) const {
        return ExtendedStarDesignation(number, ExtendedStarCount());
    }

    // --- region walk ---
    // Draws the stars of the view from the extended catalog; the number drawn.
    int WalkRegion(const StarWalkView& view, StarWalkTarget& target);
    const StarCache& Cache() const { return cache_; }
    // Forgets the stars of the last walk (a redraw that walks no catalog lists none).
    void ClearCache() { cache_.MarkEmpty(); }

private:
    // Reads block `index` of the extended catalog into blockEntries_; false when it cannot be
    // read (no message here: each caller has its own).
    bool ReadBlock(int32_t index);
    // The entry of the block read last that carries `number` into `out` (and LastEntryFound()).
    bool TakeFromBlock(int32_t number, StarRecord& out);
    bool OpenCompanion(std::string_view name, RecordFileHandle& handle) const;
    void Message(std::string_view first, std::string_view second = {}) { messages_.InfoBox(first, second); }
    void MessageNumber(const char* format, int value);

    ProgramDir dir_;
    InfoSink& messages_;

    CatalogDb defaultStars_;
    std::vector<StarRecord> defaultArray_;
    bool defaultLoaded_ = false;
    int defaultRead_ = 0;

    int lineSet_ = -1;
    std::vector<ConstellationLine> lines_;

    int brightStarCount_ = -1;

    CatalogDb extended_;
    std::vector<uint8_t> resident_;  // the whole extended catalog when it fits the limit
    int extendedIndex_ = -1;
    int entriesPerBlock_ = 0;
    int lastEntry_ = -1;
    std::vector<StarEntry> blockEntries_;

    StarCache cache_;
};

}  // namespace vsp
