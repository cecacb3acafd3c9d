#include "tools/MinorBodyTargets.h"

#include <algorithm>
#include <cmath>

#include "catalog/CatalogTable.h"
#include "catalog/ConstellationOfPosition.h"
#include "catalog/ObjectTypeTable.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"
#include "platform/Text.h"

namespace vsp {

bool MinorBodyPlaceAt(const MinorBodyRecord& record, const Instant& when, const EphemerisSettings& settings,
                      MinorBodyPlace& out) {
    MinorBodyPlace place;
    if (ComputeMinorBody(place.position, record.elements, when, settings) != kEphemerisOk) return false;
    const Mat3 toJ2000 = MatTranspose(PrecessionMatrix(kJ2000Jd, when.ut));
    VectorToRaDec(MatMulVec(toJ2000, RaDecToVector(place.position.raHours, place.position.decDeg)), place.raJ2000,
                  place.decJ2000);
    place.magnitude = std::isfinite(place.position.magnitude) ? place.position.magnitude : 0.0;
    out = place;
    return true;
}

std::string MinorBodyEntryName(const MinorBodyRecord& record) {
    constexpr size_t kFits = kListEntryNameSize - 1;
    const std::string label = Utf8ToCp1252(MinorBodyLabel(record));
    if (label.size() <= kFits) return label;
    if (record.elements.kind == MinorBodyKind::MinorPlanet && !record.name.empty())
        return Utf8ToCp1252(record.name).substr(0, kFits);
    return Utf8ToCp1252(record.designation).substr(0, kFits);
}

ListEntry MinorBodyListEntry(const MinorBodyRecord& record, const MinorBodyPlace& place, int32_t sourceIndex) {
    const bool comet = record.elements.kind == MinorBodyKind::Comet;
    ListEntry entry;
    entry.name = MinorBodyEntryName(record);
    entry.designation = record.designation.substr(0, kListEntryDesignationSize);
    entry.number = int32_t(record.number);
    entry.catalog = kCatalogComet;
    entry.type = int16_t(comet ? kTypeComet : kTypeMinorPlanet);
    entry.kind = comet ? kEntryComet : kEntryMinorPlanet;
    entry.ra = float(place.raJ2000);
    entry.dec = float(place.decJ2000);
    entry.constellation = int16_t(ConstellationOfPosition(place.raJ2000, place.decJ2000, kJ2000Jd));
    entry.sourceIndex = sourceIndex;
    entry.magnitudeX10 = int32_t(std::lround(place.magnitude * 10.0));
    return entry;
}

const MinorBodyRecord* FindMinorBodyOfEntry(const MinorBodies& bodies, const ListEntry& entry) {
    if (!IsMinorBodyEntry(entry)) return nullptr;
    const std::vector<MinorBodyRecord>& records = entry.kind == kEntryComet ? bodies.comets : bodies.minorPlanets;
    for (const MinorBodyRecord& record : records) {
        if (record.designation.substr(0, kListEntryDesignationSize) == entry.designation) return &record;
    }
    return nullptr;
}

ObservingList MinorEntriesAt(const ObservingList& list, const MinorBodies& bodies, const Instant& when,
                             const EphemerisSettings& settings) {
    ObservingList moved = list;
    std::vector<ListEntry> entries = list.Entries();
    for (ListEntry& entry : entries) {
        const MinorBodyRecord* record = FindMinorBodyOfEntry(bodies, entry);
        MinorBodyPlace place;
        if (record && MinorBodyPlaceAt(*record, when, settings, place))
            entry = MinorBodyListEntry(*record, place, entry.sourceIndex);
    }
    moved.Assign(std::move(entries));
    moved.selected = list.selected;
    return moved;
}

ObservingList MinorEntriesAt(const ObservingList& list, const ProgramDir& dir, InfoSink& messages,
                             const Instant& when, const EphemerisSettings& settings) {
    if (std::none_of(list.Entries().begin(), list.Entries().end(), IsMinorBodyEntry)) return list;
    MinorBodies bodies;
    LoadMinorBodies(dir, messages, bodies);
    return MinorEntriesAt(list, bodies, when, settings);
}

MinorBodyLookup LookUpMinorBodyEntry(const ProgramDir& dir, InfoSink& messages, std::string_view typed,
                                     const Instant& when, const EphemerisSettings& settings, ListEntry& out,
                                     std::vector<std::string>& candidates) {
    constexpr size_t kCandidatesShown = 8;
    MinorBodies bodies;
    LoadMinorBodies(dir, messages, bodies);
    const std::vector<const MinorBodyRecord*> found = FindMinorBodies(bodies, typed, kCandidatesShown);
    if (found.size() > 1) {
        for (const MinorBodyRecord* record : found) candidates.push_back(MinorBodyLabel(*record));
        return MinorBodyLookup::Ambiguous;
    }
    MinorBodyPlace place;
    if (found.empty() || !MinorBodyPlaceAt(*found[0], when, settings, place)) return MinorBodyLookup::NotFound;
    const auto& records = found[0]->elements.kind == MinorBodyKind::Comet ? bodies.comets : bodies.minorPlanets;
    out = MinorBodyListEntry(*found[0], place, int32_t(found[0] - records.data()));
    return MinorBodyLookup::Found;
}

}  // namespace vsp
