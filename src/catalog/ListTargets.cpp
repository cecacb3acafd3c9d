#include "catalog/ListTargets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/Designation.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/StarAngle.h"
#include "ephemeris/Constants.h"
#include "platform/Text.h"

namespace vsp {
namespace {

constexpr int kTypeSingleStar = 30;

int16_t WholeArcminutes(double size) { return int16_t(std::clamp(size, -32768.0, 32767.0)); }

int32_t MagnitudeTenths(double magnitude) { return int32_t(std::lround(magnitude * 10.0)); }

void SetSizes(ListEntry& entry, double major, double minor) {
    entry.size1 = WholeArcminutes(major);
    entry.size2 = WholeArcminutes(minor);
    if (entry.size2 == 0) entry.size2 = entry.size1;
}

std::string NumberedName(const char* prefix, int32_t number) {
    char name[kListEntryNameSize];
    std::snprintf(name, sizeof name, "%s%d", prefix, number);
    return name;
}

}  // namespace

int16_t ListEntryKindOfCatalog(int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return kEntryMessier;
        case kCatalogCaldwell: return kEntryCaldwell;
        case kCatalogHerschel: return kEntryHerschel;
        case kCatalogSac: return kEntrySac;
        default: return kEntryCatalogObject;
    }
}

std::string ObjectTypeShortCode(int32_t type) {
    static const ObjectTypeTable types = DefaultObjectTypeTable();
    return type >= 0 && type < kObjectTypeCount ? std::string(TrimBlanks(ObjectTypeCode(types[size_t(type)]))) : "";
}

std::string ListEntryDesignationText(const CatalogTable& catalogs, const ListEntry& entry) {
    if (IsMinorBodyEntry(entry)) return entry.designation;
    const EntryDesignation id = ListEntryDesignation(entry);
    const bool prefixed = id.catalog >= 0 && id.catalog < kCatalogCount &&
                          !TrimBlanks(CatalogPrefix(catalogs[size_t(id.catalog)])).empty();
    return prefixed ? CatalogDesignation(catalogs, id.catalog, id.number) : entry.name;
}

ListEntry ObjectListEntry(const CatalogTable& catalogs, const FoundObject& found, int16_t kind,
                          int32_t listNumber) {
    const ObjectRecord& record = found.record;
    ListEntry entry;
    entry.number = record.number;
    entry.catalog = int16_t(record.catalog);
    entry.type = int16_t(record.type);
    entry.constellation = int16_t(record.constellation);
    entry.ra = record.ra;
    entry.dec = record.dec;
    entry.sourceIndex = found.index;
    entry.code1 = record.code1;
    entry.code2 = record.code2;
    SetSizes(entry, record.sizeMajor, record.sizeMinor);
    entry.kind = kind;
    entry.magnitudeX10 = MagnitudeTenths(record.magnitude);
    if (kind != kEntryCatalogObject) entry.listNumber = int16_t(listNumber - 1);
    if (kind == kEntryMessier) entry.name = NumberedName("M", listNumber);
    else if (kind == kEntryCaldwell) entry.name = NumberedName("C", listNumber);
    else entry.name = CatalogDesignation(catalogs, record.catalog, record.number);
    return entry;
}

ListEntry StarListEntry(const FoundStar& star, int32_t catalog, int32_t number) {
    ListEntry entry;
    entry.name = star.name.empty() ? star.designation : star.name;
    entry.number = number;
    entry.catalog = int16_t(catalog);
    entry.type = kTypeSingleStar;
    entry.ra = float(AngleToHours(star.record.ra));
    entry.dec = float(AngleToDegrees(star.record.dec));
    entry.constellation = int16_t(ConstellationOfPosition(entry.ra, entry.dec, kJ2000Jd));
    entry.sourceIndex = star.record.number;
    entry.kind = kEntryBrightStar;
    entry.magnitudeX10 = MagnitudeTenths(star.record.magnitude / 16.0);
    return entry;
}

ListEntry BodyListEntry(int code, const BodyPosition& position, double equinoxJd) {
    ListEntry entry;
    entry.name = BodyTitleName(code);
    entry.number = code;
    entry.listNumber = int16_t(code);
    entry.catalog = kCatalogPlanet;
    entry.type = kTypePlanet;
    entry.ra = float(position.rightAscension);
    entry.dec = float(position.declination);
    entry.constellation = int16_t(ConstellationOfPosition(position.rightAscension, position.declination, equinoxJd));
    entry.sourceIndex = code;
    SetSizes(entry, position.diameter, 0.0);
    entry.kind = kEntryPlanet;
    entry.magnitudeX10 = MagnitudeTenths(position.magnitude);
    return entry;
}

ListTargetSearch FindListTarget(CatalogSession& sky, InfoSink& messages, int32_t catalog, int32_t number,
                                ListEntry& out, std::string& problem) {
    if (IsStarLookupCatalog(catalog)) {
        FoundStar star;
        switch (FindStar(sky.stars, sky.dir, messages, catalog, number, star, problem)) {
            case StarSearch::Found: out = StarListEntry(star, catalog, number); return ListTargetSearch::Found;
            case StarSearch::NoCatalog: return ListTargetSearch::NoCatalog;
            case StarSearch::NotFound: return ListTargetSearch::NotFound;
        }
    }
    FoundObject found;
    if (FindObject(sky, messages, catalog, number, found, problem) != ObjectSearch::Found)
        return ListTargetSearch::NotFound;
    out = ObjectListEntry(sky.catalogs, found, ListEntryKindOfCatalog(catalog), number);
    return ListTargetSearch::Found;
}

}  // namespace vsp
