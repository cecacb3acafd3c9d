#include <algorithm>
#include <cmath>

#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "databuild/DsoDesignations.h"
#include "databuild/DsoMerger.h"
#include "databuild/DsoValues.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Spherical.h"

namespace vsp::databuild {

namespace {

// UGC galaxies without an NGC/IC number fainter than this stay out: all of them would make
// the file a catalog of faint galaxies.
constexpr float kUgcMagnitudeLimit = 13.5f;
// A Local Group object this close to an object of another source is that object.
constexpr double kSameObjectArcmin = 1.0;
double ArcminBetween(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
    return AngularSeparation(ra1Deg / 15.0, dec1Deg, ra2Deg / 15.0, dec2Deg) * kRadToDeg * 60.0;
}

}  // namespace

void DsoMerger::PositionDeg(const DsoObject& o, double& raDeg, double& decDeg) const {
    if (const OpenNgcRow* row = OpenNgc(o)) {
        raDeg = row->raDeg;
        decDeg = row->decDeg;
    } else if (const StellariumDso* row = Stellarium(o)) {
        raDeg = row->raDeg;
        decDeg = row->decDeg;
    }
}

// Palomar, Terzan and UGCA numbers exist only in d3's Local Group file; most of these objects
// are in stellarium under ESO or PGC numbers, found by position.
void DsoMerger::AddLocalGroup() {
    const size_t known = objects_.size();
    for (size_t row = 0; row < sources_.localGroup.size(); ++row) {
        const LocalGroupObject& source = sources_.localGroup[row];
        int32_t catalog = 0, number = 0;
        if (!LocalGroupDesignation(source.id, catalog, number)) continue;
        int32_t nearest = -1;
        double nearestArcmin = kSameObjectArcmin;
        for (size_t i = 0; i < known; ++i) {
            if (!alive_[i]) continue;
            double raDeg = 0, decDeg = 0;
            PositionDeg(objects_[i], raDeg, decDeg);
            if (std::fabs(decDeg - source.decDeg) * 60.0 >= nearestArcmin) continue;
            const double arcmin = ArcminBetween(raDeg, decDeg, source.raDeg, source.decDeg);
            if (arcmin < nearestArcmin) {
                nearest = int32_t(i);
                nearestArcmin = arcmin;
            }
        }
        if (nearest >= 0 && !HasCatalog(objects_[size_t(nearest)], catalog)) {
            objects_[size_t(nearest)].localGroupRow = int32_t(row);
            AddDesignation(objects_[size_t(nearest)], catalog, number, true);
            continue;
        }
        DsoObject& object = objects_[size_t(NewObject())];
        object.localGroupRow = int32_t(row);
        AddDesignation(object, catalog, number, true);
    }
}

void DsoMerger::SetValues(DsoObject& object) const {
    const StellariumDso* stellarium = Stellarium(object);
    const OpenNgcRow* openNgc = OpenNgc(object);
    const LocalGroupObject* localGroup = LocalGroup(object);
    object.type = stellarium ? TypeOfStellarium(stellarium->type) : 0;
    if (object.type == 0 && openNgc) object.type = TypeOfOpenNgc(openNgc->type);
    if (object.type == 0 && localGroup) object.type = TypeOfLocalGroup(localGroup->type);
    // Palomar and Terzan objects are globular clusters whatever else lists them as.
    if (localGroup && (HasCatalog(object, kCatalogPalomar) || HasCatalog(object, kCatalogTerzan)))
        object.type = TypeOfLocalGroup(localGroup->type);
    object.magnitude = MagnitudeOf(stellarium, openNgc, localGroup);
    SetPositionAndSize(stellarium, openNgc, localGroup, object);
}

void DsoMerger::CutUgc() {
    int32_t kept = 0, cut = 0;
    for (size_t i = 0; i < objects_.size(); ++i) {
        DsoObject& object = objects_[i];
        if (!alive_[i] || !HasCatalog(object, kCatalogUgc)) continue;
        const bool numbered = HasNgcOrIc(object);
        const bool keep = !numbered && object.magnitude <= kUgcMagnitudeLimit;
        for (TableDesignation& d : object.designations)
            if (d.catalog == kCatalogUgc && !keep) d.record = false;
        if (!numbered) ++(keep ? kept : cut);
    }
    if (kept + cut > 0)
        out_.notes.push_back("UGC: records for the " + std::to_string(kept) +
                             " galaxies without an NGC/IC number down to magnitude 13.5; " + std::to_string(cut) +
                             " fainter ones left out (UGC numbers of NGC/IC galaxies are in the cross-references)");
}

// One record per (row, number): the brightest object that carries it, else the first.
void DsoMerger::KeepBrightestPerNumber() {
    const HolderMap keeper = BestHolders(true);
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (!alive_[i]) continue;
        for (TableDesignation& d : objects_[i].designations)
            if (d.record && keeper.at(DesignationKey{d.catalog, d.number}) != int32_t(i)) d.record = false;
    }
}

HolderMap DsoMerger::BestHolders(bool recordsOnly) const {
    HolderMap best;
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (!alive_[i]) continue;
        for (const TableDesignation& d : objects_[i].designations) {
            if (recordsOnly && !d.record) continue;
            auto [at, added] = best.emplace(DesignationKey{d.catalog, d.number}, int32_t(i));
            if (!added && Before(int32_t(i), at->second, objects_[i].magnitude, objects_[size_t(at->second)].magnitude))
                at->second = int32_t(i);
        }
    }
    return best;
}

int32_t DsoMerger::ResolveEntry(const HolderMap& holders, int32_t catalog, int32_t number, const std::string& entry) {
    const auto found = holders.find(DesignationKey{catalog, number});
    if (found != holders.end()) return found->second;
    out_.notes.push_back(entry + ": no object in the sources; the list entry is empty");
    return -1;
}

void DsoMerger::ResolveLists() {
    const HolderMap holders = BestHolders(false);
    out_.messier.assign(size_t(kMessierCount), -1);
    out_.caldwell.assign(size_t(kCaldwellCount), -1);
    for (int32_t n = 1; n <= kMessierCount; ++n)
        out_.messier[size_t(n - 1)] = ResolveEntry(holders, kCatalogMessier, n, "M" + std::to_string(n));
    for (int32_t n = 1; n <= kCaldwellCount; ++n)
        out_.caldwell[size_t(n - 1)] = ResolveEntry(holders, kCatalogCaldwell, n, "C" + std::to_string(n));
    const HolderMap recordHolders = BestHolders(true);
    ResolveNgcList(sources_.bestNgc, kSacCount, "SAC", recordHolders, out_.sac);
    ResolveNgcList(sources_.herschel400, kHerschelCount, "H", recordHolders, out_.herschel);
}

void DsoMerger::ResolveNgcList(const std::vector<int32_t>& numbers, int32_t size, const char* list,
                               const HolderMap& holders, std::vector<int32_t>& out) {
    out.assign(size_t(size), -1);
    for (size_t i = 0; i < numbers.size() && i < size_t(size); ++i)
        out[i] = ResolveEntry(holders, kCatalogNgc, numbers[i], list + std::to_string(i + 1));
    for (size_t i = size_t(size); i < numbers.size(); ++i)
        out_.notes.push_back(std::string(list) + " list: NGC " + std::to_string(numbers[i]) + " (entry " +
                             std::to_string(i + 1) + ") dropped, the list holds " + std::to_string(size));
    if (numbers.size() < size_t(size))
        out_.notes.push_back(std::string(list) + " list: only " + std::to_string(numbers.size()) + " of " +
                             std::to_string(size) + " entries in the source");
}

// Only objects that get a record or a list entry reach the files.
void DsoMerger::Compact() {
    std::vector<int32_t> newIndex(objects_.size(), -1);
    std::vector<bool> listed(objects_.size(), false);
    for (const auto* list : {&out_.messier, &out_.caldwell, &out_.sac, &out_.herschel})
        for (int32_t index : *list)
            if (index >= 0) listed[size_t(index)] = true;
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (!alive_[i]) continue;
        bool kept = listed[i];
        for (const TableDesignation& d : objects_[i].designations) kept = kept || d.record;
        if (!kept) continue;
        newIndex[i] = int32_t(out_.objects.size());
        out_.objects.push_back(std::move(objects_[i]));
    }
    for (auto* list : {&out_.messier, &out_.caldwell, &out_.sac, &out_.herschel})
        for (int32_t& index : *list)
            if (index >= 0) index = newIndex[size_t(index)];
}

}  // namespace vsp::databuild
