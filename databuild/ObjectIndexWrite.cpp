#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "catalog/ObjectIndex.h"
#include "catalog/StarAngle.h"
#include "databuild/DataFileWriter.h"
#include "databuild/ObjectFilesWrite.h"

namespace vsp::databuild {

namespace {

constexpr uint32_t kIndexVersion = 1;
constexpr int16_t kNeverDrawnKey = 32767;
// Record 0 is never a candidate of the search; its key sorts before every object.
const int32_t kLowestKey = int32_t(std::lround(-90.0 * kAngleUnitsPerDegree));

// Tenths of the record's magnitude as it reads (9.65 -> 97, not the 96 its binary value
// would round to).
int16_t MagnitudeKey(float magnitude) {
    const long key = std::lround(magnitude * 10.0f);
    return int16_t(std::clamp<long>(key, std::numeric_limits<int16_t>::min(), kNeverDrawnKey - 1));
}

ObjectIndexEntry EntryOf(const ObjectFileLayout& layout, int32_t recordIndex) {
    const ObjectRecord& r = layout.records[size_t(recordIndex)];
    ObjectIndexEntry e;
    e.catalog = r.catalog;
    e.record = recordIndex;
    e.ra = int32_t(std::lround(double(r.ra) * kAngleUnitsPerHour));
    e.dec = int32_t(std::lround(double(r.dec) * kAngleUnitsPerDegree));
    e.type = uint16_t(r.type);
    e.magnitudeKey = MagnitudeKey(r.magnitude);
    return e;
}

ObjectIndexEntry Padding(int32_t ra, int32_t dec) {
    ObjectIndexEntry e;
    e.record = -1;
    e.ra = ra;
    e.dec = dec;
    e.magnitudeKey = kNeverDrawnKey;
    return e;
}

// Entries by declination, then right ascension and record; 15 to a record after the
// sentinel; the last record filled with entries the chart never draws.
bool WriteIndex(std::string_view name, const ObjectFileLayout& layout, const std::vector<int32_t>& records,
               const std::string& dataDir, const std::string& source, BuildReport& report) {
    std::vector<ObjectIndexEntry> entries;
    for (int32_t index : records) entries.push_back(EntryOf(layout, index));
    std::sort(entries.begin(), entries.end(), [](const ObjectIndexEntry& a, const ObjectIndexEntry& b) {
        return std::tie(a.dec, a.ra, a.record) < std::tie(b.dec, b.ra, b.record);
    });
    DataFileWriter file(std::string(name), kObjectIndexTypeCode, kIndexVersion, kObjectIndexRecordSize);
    uint8_t* sentinel = file.Append();
    for (int32_t k = 0; k < kObjectIndexEntriesPerRecord; ++k)
        EncodeObjectIndexEntry(Padding(0, kLowestKey), sentinel + k * kObjectIndexEntrySize);
    for (size_t first = 0; first < entries.size(); first += kObjectIndexEntriesPerRecord) {
        uint8_t* record = file.Append();
        for (size_t k = 0; k < size_t(kObjectIndexEntriesPerRecord); ++k) {
            const size_t i = first + k;
            const ObjectIndexEntry e = i < entries.size() ? entries[i] : Padding(entries.back().ra, entries.back().dec);
            EncodeObjectIndexEntry(e, record + k * kObjectIndexEntrySize);
        }
    }
    return file.Commit(dataDir, source, report);
}

// The brightest objects (unknown magnitudes last) after every list object.
std::vector<int32_t> BrightestWithLists(const DsoCatalog& catalog, const ObjectFileLayout& layout,
                                        const std::vector<int32_t>& primaries, size_t count) {
    std::vector<bool> listed(catalog.objects.size(), false);
    std::vector<int32_t> out;
    for (const auto* list : {&catalog.messier, &catalog.caldwell, &catalog.sac, &catalog.herschel})
        for (int32_t object : *list)
            if (object >= 0 && !listed[size_t(object)] && layout.objectRecord[size_t(object)] >= 0) {
                listed[size_t(object)] = true;
                out.push_back(layout.objectRecord[size_t(object)]);
            }
    std::vector<std::pair<float, int32_t>> others;
    for (int32_t record : primaries)
        if (!listed[size_t(layout.recordObject[size_t(record)])])
            others.emplace_back(layout.records[size_t(record)].magnitude, record);
    std::sort(others.begin(), others.end());
    for (size_t i = 0; i < others.size() && out.size() < count; ++i) out.push_back(others[i].second);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

bool WriteObjectIndexFiles(const DsoCatalog& catalog, const ObjectFileLayout& layout,
                          const std::string& dataDir, const DsoProvenance&, BuildReport& report) {
    std::vector<int32_t> core, primaries;
    for (int32_t i = 0; i < layout.coreCount; ++i) core.push_back(i);
    for (size_t i = 0; i < layout.records.size(); ++i)
        if (layout.records[i].link == int32_t(i)) primaries.push_back(int32_t(i));
    const std::vector<int32_t> bright = BrightestWithLists(catalog, layout, primaries, kObjectIndex2kObjects);
    const std::string of = std::string(kObjectFile18k) + ": ";
    return WriteIndex(kObjectIndex1k, layout, core, dataDir,
                      of + "the " + std::to_string(core.size()) + " core records (the 1k file)", report) &&
           WriteIndex(kObjectIndex2k, layout, bright, dataDir,
                      of + "the " + std::to_string(bright.size()) + " brightest objects, every list object among them",
                      report) &&
           WriteIndex(kObjectIndex18k, layout, primaries, dataDir, of + "one entry per object", report);
}

}  // namespace vsp::databuild
