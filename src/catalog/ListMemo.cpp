#include "catalog/ListMemo.h"

#include <cmath>
#include <cstdio>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ListTargets.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/ProgramDataTables.h"
#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "format/AngleParse.h"
#include "format/CalendarText.h"
#include "platform/MemoFile.h"
#include "platform/ParseNumber.h"
#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"
#include "platform/UserFilesLock.h"

namespace vsp {
namespace {

constexpr size_t kMemoFieldCount = 11;
constexpr size_t kRefusedLineShown = 30;

std::string TextField(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    return trimmed.empty() ? " " : std::string(trimmed);
}

int32_t TypeOfCode(std::string_view code) {
    for (int32_t type = 0; type < kObjectTypeCount; ++type)
        if (!code.empty() && ObjectTypeShortCode(type) == code) return type;
    return 0;
}

std::string_view Prefix(const CatalogTable& catalogs, int32_t catalog) {
    return catalog >= 0 && catalog < kCatalogCount ? CatalogPrefix(catalogs[size_t(catalog)]) : "";
}

// The catalog whose prefix is `prefix` (blanks ignored); -1 when none is. Rows without a
// prefix of their own are told apart by the line's type.
int32_t CatalogOfPrefix(const CatalogTable& catalogs, std::string_view prefix, int32_t type) {
    if (prefix.empty()) {
        if (type == kTypePlanet) return kCatalogPlanet;
        return type == kTypeConstellation ? kCatalogConstellation : kCatalogBrightStars;
    }
    for (int32_t catalog = 0; catalog < kCatalogCount; ++catalog)
        if (TrimBlanks(Prefix(catalogs, catalog)) == prefix) return catalog;
    return -1;
}

std::string MemoFileName(const CalendarDateTime& t, int copy) {
    return StampedName(t, "vespermemo") + (copy > 1 ? "_" + std::to_string(copy) : "") + ".txt";
}

// The memo under the first name of that minute no file has yet.
bool WriteListMemo(const ProgramDir& dir, const CalendarDateTime& when, const std::string& text, InfoSink& messages,
                   std::vector<std::string>& files) {
    std::string name;
    for (int copy = 1; name.empty() || FileExists(dir.Path(kUserListsDir, name)); ++copy)
        name = MemoFileName(when, copy);
    if (!WriteMemo(dir, kUserListsDir, name, text, messages)) return false;
    files.push_back(dir.Path(kUserListsDir, name));
    return true;
}

bool ReadWhole(std::string_view text, int32_t& value) { return ParseWhole(TrimBlanks(text), value); }

// The entry as the line writes it (at `ra` hours, `dec` degrees), for what the catalogs do not hold.
ListEntry LineEntry(const std::vector<std::string_view>& fields, int32_t catalog, int32_t number, int32_t type,
                    double ra, double dec) {
    ListEntry entry;
    entry.name = std::string(TrimBlanks(fields[2]));
    entry.catalog = int16_t(catalog);
    entry.number = number;
    entry.type = int16_t(type);
    entry.ra = float(ra);
    entry.dec = float(dec);
    entry.constellation = int16_t(ConstellationOfPosition(entry.ra, entry.dec, kJ2000Jd));
    entry.magnitudeX10 = int32_t(std::lround(ParseDecimal(fields[7]) * 10.0));
    entry.size1 = int16_t(ParseInteger(TrimBlanks(fields[8])));
    entry.size2 = int16_t(ParseInteger(TrimBlanks(fields[9])));
    entry.code2 = uint16_t(std::max(0, ParseInteger(TrimBlanks(fields[10]))));
    entry.kind = ListEntryKindOfCatalog(catalog);
    if (catalog == kCatalogPlanet) entry.kind = kEntryPlanet;
    if (catalog == kCatalogBrightStars) entry.kind = kEntryBrightStar;
    if (catalog == kCatalogConstellation) entry.kind = kEntryConstellation;
    if (entry.kind != kEntryCatalogObject) entry.listNumber = int16_t(entry.kind == kEntryPlanet ? number : number - 1);
    return entry;
}

// The entry a memo line names; false when the line cannot be read.
bool ParseMemoLine(std::string_view line, CatalogSession& sky, InfoSink& messages, ListEntry& entry) {
    const std::vector<std::string_view> fields = SplitFields(line, ';');
    int32_t number = 0;
    if (fields.size() != kMemoFieldCount || !ReadWhole(fields[1], number)) return false;
    const auto ra = ParseCoordinate(TrimBlanks(fields[5]), 0.0, 24.0);
    const auto dec = ParseCoordinate(TrimBlanks(fields[6]), -90.0, 90.0);
    if (!ra || !dec) return false;
    const int32_t type = TypeOfCode(TrimBlanks(fields[3]));
    const int32_t catalog = CatalogOfPrefix(sky.catalogs, TrimBlanks(fields[0]), type);
    if (catalog < 0) return false;
    std::string problem;
    const bool lookedUp = catalog != kCatalogPlanet && !TrimBlanks(Prefix(sky.catalogs, catalog)).empty() &&
                          FindListTarget(sky, messages, catalog, number, entry, problem) == ListTargetSearch::Found;
    if (!lookedUp) entry = LineEntry(fields, catalog, number, type, *ra, *dec);
    return true;
}

// Bodies, stars, constellations and showers have no class; a code of 0 is a class text too.
std::string ClassField(const ListEntry& entry, const CatalogSession& sky) {
    switch (entry.kind) {
        case kEntryPlanet:
        case kEntryBrightStar:
        case kEntryConstellation:
        case kEntryMeteorShower:
        case kEntryComet:
        case kEntryMinorPlanet: return " ";
        default: return TextField(ObjectClassText(sky.classTexts, entry.code1));
    }
}

}  // namespace

std::string ExportedObjectsMessage(int count) {
    char text[48];
    std::snprintf(text, sizeof text, "%d Object%s exported.", count, count > 1 ? "s" : "");
    return text;
}

std::string ListMemoLine(const ListEntry& entry, const CatalogSession& sky, const TextFormats& formats) {
    const EntryDesignation designation = ListEntryDesignation(entry);
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%.1f;%d;%d;%d\n", entry.magnitudeX10 / 10.0, entry.size1, entry.size2,
                  entry.code2 <= 127 ? int(entry.code2) : 0);
    return TextField(Prefix(sky.catalogs, designation.catalog)) + ";" + std::to_string(designation.number) + ";" +
           TextField(entry.name) + ";" + TextField(ObjectTypeShortCode(entry.type)) + ";" +
           ClassField(entry, sky) + ";" + HMSToStr(entry.ra, formats) + ";" +
           DmsToStr(entry.dec, formats) + ";" + numbers;
}

bool ExportListMemo(const ProgramDir& dir, const ObservingList& list, const CalendarDateTime& when,
                    const CatalogSession& sky, const TextFormats& formats, InfoSink& messages,
                    std::vector<std::string>& files) {
    // From the choice of a free name to its rename, so that two exports never pick the same.
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) return false;
    std::string memo;
    memo.reserve(kMemoBufferSize);
    for (const ListEntry& entry : list.Entries()) {
        memo += ListMemoLine(entry, sky, formats);
        if (memo.size() > kMemoFlushThreshold) {
            if (!WriteListMemo(dir, when, memo, messages, files)) return false;
            memo.clear();
        }
    }
    if (!memo.empty() && !WriteListMemo(dir, when, memo, messages, files)) return false;
    messages.InfoBox(ExportedObjectsMessage(list.Count()) + "\n", "");
    return true;
}

bool ReadMemoText(const std::string& path, std::string& text) {
    const FileReadResult read = ReadWholeFile(path, kMemoBufferSize - 1, text);
    return read == FileReadResult::Read || read == FileReadResult::TooLarge;
}

bool ImportListMemo(std::string_view text, CatalogSession& sky, InfoSink& messages, ObservingList& list) {
    ObservingList imported = list;
    imported.Clear();
    bool memo = false;  // a line has been read: the text is a memo, and the list becomes its
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ListEntry entry;
        if (!TrimBlanks(line).empty()) {
            if (!ParseMemoLine(line, sky, messages, entry)) {
                messages.InfoBox("Failed to load data. Check line", text.substr(start));
                if (memo) list = std::move(imported);
                return false;
            }
            memo = true;
            if (imported.Add(entry) != ListAddResult::Added)
                messages.InfoBox("Already loaded:", line.substr(0, kRefusedLineShown));
        }
        start = end + 1;
    }
    if (!memo) {
        messages.InfoBox("Failed to load data. Check line", "");
        return false;
    }
    list = std::move(imported);
    return true;
}

}  // namespace vsp
