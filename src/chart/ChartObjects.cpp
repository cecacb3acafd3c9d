#include "chart/ChartObjects.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "catalog/CrossReference.h"
#include "catalog/Designation.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ObjectRecord.h"
#include "catalog/StarAngle.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/MoonAge.h"
#include "platform/Text.h"

namespace vsp {
namespace {

// The builder writes an unknown position angle as this small code.
constexpr uint16_t kNoPositionAngle = 0xFFFF;
constexpr double kLunationDays = 29.53;

constexpr std::array<int, 10> kChartBodies = {kBodySun,     kBodyMoon,   kBodyMercury, kBodyVenus,
                                              kBodyMars,    kBodyJupiter, kBodySaturn, kBodyUranus,
                                              kBodyNeptune, kBodyPluto};

// The magnitude key of the index is what the chart compares with its limit: the record's
// magnitude in tenths, an unknown one (99.9) kept as 999 so that it passes only "All" and never
// crowds the bright objects at the tighter limits.
// "NGC 224": the catalog designation with a blank after the prefix, as users type it.
std::string SpacedDesignation(const CatalogTable& catalogs, int32_t catalog, int32_t number) {
    const std::string written = CatalogDesignation(catalogs, catalog, number);
    if (catalog < 0 || catalog >= kCatalogCount) return written;
    const std::string_view prefix = TrimTrailingBlanks(CatalogPrefix(catalogs[size_t(catalog)]));
    if (prefix.empty() || written.compare(0, prefix.size(), prefix) != 0) return written;
    return std::string(prefix) + " " + written.substr(prefix.size());
}

// The prefixes are the same in every session's table (an object file only moves the ranges),
// so the names need no session.
const CatalogTable& Catalogs() {
    static const CatalogTable table = DefaultCatalogTable();
    return table;
}

ChartObject DeepSkyObject(const ObjectIndexEntry& entry, const ObjectRecord& record, const ListNameIndex& lists,
                          const std::vector<int64_t>& named) {
    ChartObject object;
    object.kind = record.catalog;
    object.number = record.number;
    object.displayType = record.type;
    object.recordIndex = entry.record;
    object.raHours = AngleToHours(entry.ra);
    object.decDeg = AngleToDegrees(entry.dec);
    object.magnitudeTenths = entry.magnitudeKey;
    object.sizeMajor = record.sizeMajor;
    object.sizeMinor = record.sizeMinor;
    object.positionAngle = record.code2 == kNoPositionAngle ? 0.0f : float(record.code2);
    object.listName = lists.Of(uint16_t(entry.record));
    // A listed record is known by its catalog designation too, where its catalog has one.
    object.listed = object.listName.catalog != 0 && record.catalog >= 0 && record.catalog < kCatalogCount;
    object.named = std::ranges::binary_search(named, CrossReferenceKey(record.catalog, record.number));
    return object;
}

ChartObject SolarSystemObject(int code, const BodyPosition& place) {
    ChartObject object;
    object.kind = kKindPlanet;
    object.number = code;
    object.displayType = kTypeSolarSystem;
    object.raHours = place.rightAscension;
    object.decDeg = place.declination;
    object.magnitudeTenths = int32_t(std::lround(place.magnitude * 10.0));
    object.sizeMajor = object.sizeMinor = float(place.diameter);
    object.label = BodyTitleName(code);
    object.designation = BodyName(code);
    return object;
}

}  // namespace

std::string ChartLabel(const ChartObject& object) {
    if (object.recordIndex < 0 || !object.label.empty()) return object.label;
    return RecordLabel(Catalogs(), object.listName, object.kind, object.number);
}

std::string ChartDesignation(const ChartObject& object) {
    if (object.recordIndex < 0 || !object.designation.empty()) return object.designation;
    return SpacedDesignation(Catalogs(), object.kind, object.number);
}

// Both files are read whole, one system call each: record by record the 18k table took ten
// times as long.
bool LoadDeepSkyObjects(CatalogSession& session, InfoSink& messages, std::vector<ChartObject>& out) {
    out.clear();
    CatalogDb& index = session.files.objectIndex;
    CatalogDb& objects = session.files.objects;
    if (!index.IsOpen() || !objects.IsOpen()) return true;
    std::vector<uint8_t> entries, records;
    if (!index.ReadAll(entries) || !objects.ReadAll(records)) return false;
    const int32_t objectCount = objects.RecordCount();
    const size_t entryCount = entries.size() / kObjectIndexEntrySize;
    out.reserve(entryCount);
    const std::vector<int64_t> named = CrossReferenceNamedKeys(session.files.crossReferences);
    const ListNameIndex lists(session.lists);
    for (size_t i = 0; i < entryCount; ++i) {
        const ObjectIndexEntry entry = DecodeObjectIndexEntry(entries.data() + i * kObjectIndexEntrySize);
        if (entry.record < 0 || entry.record >= objectCount) continue;  // an empty slot
        const ObjectRecord record = DecodeObjectRecord(records.data() + size_t(entry.record) * kObjectRecordSize);
        out.push_back(DeepSkyObject(entry, record, lists, named));
    }
    return true;
}

bool AppendSolarSystem(const CalendarDateTime& local, const EphemerisSettings& settings,
                       std::vector<ChartObject>& out) {
    const Instant when = LocalInstant(local, settings);
    std::vector<ChartObject> bodies;
    for (int code : kChartBodies) {
        BodyPosition place;
        if (ComputeBody(place, code, when, settings) != kEphemerisOk) {
            return false;
        }
        bodies.push_back(SolarSystemObject(code, place));
    }
    out.insert(out.end(), bodies.begin(), bodies.end());
    return true;
}

int MoonAgeDays(const CalendarDateTime& local, const EphemerisSettings& settings) {
    const double hour = local.hour + local.minute / 60.0 + local.second / 3600.0;
    const double angle = MoonAgeAngle(local.year, local.month, local.day, hour, settings.location.tzOffset);
    return int(angle / 360.0 * kLunationDays);
}

}  // namespace vsp
