#include "databuild/DsoMerge.h"

#include "catalog/CatalogTable.h"
#include "databuild/DsoDesignations.h"
#include "databuild/DsoMerger.h"
#include "databuild/DsoNames.h"
#include "databuild/DsoValues.h"

namespace vsp::databuild {

namespace {

// Rows that hold records of their own: every table row a source gives numbers for, except
// the list catalogs (M, C), which the numbered lists resolve.
constexpr int32_t kRecordRows[] = {
    kCatalogAbell,     kCatalogBarnard,  kCatalogCederblad, kCatalogCollinder, kCatalogIc,
    kCatalogLynds,     kCatalogMelotte,  kCatalogNgc,       kCatalogPalomar,   kCatalogRcw,
    kCatalogRuprecht,  kCatalogSharpless, kCatalogStock,    kCatalogTerzan,    kCatalogTrumpler,
    kCatalogUgc,       kCatalogUgca,     kCatalogVdb,       kCatalogVdbHa};

bool HasDesignation(const DsoObject& object, int32_t catalog, int32_t number) {
    for (const TableDesignation& d : object.designations)
        if (d.catalog == catalog && d.number == number) return true;
    return false;
}

}  // namespace

bool HasCatalog(const DsoObject& object, int32_t catalog) {
    for (const TableDesignation& d : object.designations)
        if (d.catalog == catalog) return true;
    return false;
}

bool HasNgcOrIc(const DsoObject& object) {
    return HasCatalog(object, kCatalogNgc) || HasCatalog(object, kCatalogIc);
}

void AddDesignation(DsoObject& object, int32_t catalog, int32_t number, bool record) {
    if (HasDesignation(object, catalog, number)) return;
    object.designations.push_back({catalog, number, record && IsRecordRow(catalog)});
}

void DsoMerger::Run() {
    AddStellariumObjects();
    HolderMap holders = NgcIcHolders();
    const HolderMap chosen = ChosenOpenNgcRows();
    AbsorbMessierTwins(chosen, holders);
    DropLosingNgcIc(holders);
    AttachOpenNgc(chosen, holders);
    AddLocalGroup();
    for (size_t i = 0; i < objects_.size(); ++i)
        if (alive_[i]) SetValues(objects_[i]);
    CutUgc();
    KeepBrightestPerNumber();
    ResolveLists();
    Compact();
    SetNamesAndClassTexts(sources_, out_.objects);
}

const StellariumDso* DsoMerger::Stellarium(const DsoObject& o) const {
    return o.stellariumRow >= 0 ? &sources_.stellarium[size_t(o.stellariumRow)] : nullptr;
}

const OpenNgcRow* DsoMerger::OpenNgc(const DsoObject& o) const {
    return o.openNgcRow >= 0 ? &sources_.openNgc[size_t(o.openNgcRow)] : nullptr;
}

const LocalGroupObject* DsoMerger::LocalGroup(const DsoObject& o) const {
    return o.localGroupRow >= 0 ? &sources_.localGroup[size_t(o.localGroupRow)] : nullptr;
}

int32_t DsoMerger::NewObject() {
    objects_.emplace_back();
    alive_.push_back(true);
    return int32_t(objects_.size() - 1);
}

bool DsoMerger::Before(int32_t a, int32_t b, float magnitudeA, float magnitudeB) {
    if (magnitudeA != magnitudeB) return magnitudeA < magnitudeB;
    return a < b;
}

void DsoMerger::AddStellariumObjects() {
    for (size_t row = 0; row < sources_.stellarium.size(); ++row) {
        DsoObject& object = objects_[size_t(NewObject())];
        object.stellariumRow = int32_t(row);
        const StellariumDso& source = sources_.stellarium[row];
        for (int slot = 0; slot < kStellariumIdCount; ++slot) {
            const int32_t catalog = StellariumSlotRow(slot);
            int32_t number = 0;
            if (catalog < 0 || source.ids[size_t(slot)].empty()) continue;
            if (DesignationNumber(catalog, source.ids[size_t(slot)], number)) AddDesignation(object, catalog, number, true);
        }
    }
}

// The stellarium object that keeps each NGC/IC number when several carry it.
HolderMap DsoMerger::NgcIcHolders() const {
    HolderMap holders;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const float magnitude = MagnitudeOf(Stellarium(objects_[i]), nullptr, nullptr);
        for (const TableDesignation& d : objects_[i].designations) {
            if (d.catalog != kCatalogNgc && d.catalog != kCatalogIc) continue;
            auto [at, added] = holders.emplace(DesignationKey{d.catalog, d.number}, int32_t(i));
            if (added) continue;
            const float held = MagnitudeOf(Stellarium(objects_[size_t(at->second)]), nullptr, nullptr);
            if (Before(int32_t(i), at->second, magnitude, held)) at->second = int32_t(i);
        }
    }
    return holders;
}

// One OpenNGC row per NGC/IC number: the plain row, else its first component.
HolderMap DsoMerger::ChosenOpenNgcRows() const {
    HolderMap chosen;
    std::map<DesignationKey, bool> plainChosen;
    for (size_t row = 0; row < sources_.openNgc.size(); ++row) {
        int32_t catalog = 0, number = 0;
        bool plain = false;
        if (!OpenNgcIdentifier(sources_.openNgc[row].catalogIdentifier, catalog, number, plain)) continue;
        const DesignationKey key{catalog, number};
        auto [at, added] = chosen.emplace(key, int32_t(row));
        if (added) {
            plainChosen[key] = plain;
        } else if (plain && !plainChosen[key]) {
            at->second = int32_t(row);
            plainChosen[key] = true;
        }
    }
    return chosen;
}

// stellarium keeps some Messier objects in a row of their own without the NGC number (M8
// beside a row for NGC 6523); OpenNGC names the NGC object "M 8". The two rows are one
// object: the Messier row keeps its values and takes the NGC row's designations.
void DsoMerger::AbsorbMessierTwins(const HolderMap& chosen, HolderMap& holders) {
    std::map<int32_t, int32_t> messierRows;
    for (size_t i = 0; i < objects_.size(); ++i)
        for (const TableDesignation& d : objects_[i].designations)
            if (d.catalog == kCatalogMessier) messierRows.emplace(d.number, int32_t(i));
    for (const auto& [key, row] : chosen) {
        const int32_t messier = MessierNumberOf(sources_.openNgc[size_t(row)].name);
        const auto found = messierRows.find(messier);
        if (messier == 0 || found == messierRows.end()) continue;
        const int32_t keeper = found->second;
        if (!alive_[size_t(keeper)] || HasNgcOrIc(objects_[size_t(keeper)])) continue;
        const auto held = holders.find(key);
        if (held != holders.end() && held->second != keeper) Absorb(held->second, keeper, holders);
        AddDesignation(objects_[size_t(keeper)], key.first, key.second, true);
        holders[key] = keeper;
    }
}

void DsoMerger::Absorb(int32_t from, int32_t into, HolderMap& holders) {
    DsoObject& source = objects_[size_t(from)];
    DsoObject& target = objects_[size_t(into)];
    for (const TableDesignation& d : source.designations) {
        AddDesignation(target, d.catalog, d.number, d.record);
        const auto held = holders.find(DesignationKey{d.catalog, d.number});
        if (held != holders.end() && held->second == from) held->second = into;
    }
    if (source.stellariumRow >= 0) target.mergedStellariumRows.push_back(source.stellariumRow);
    target.mergedStellariumRows.insert(target.mergedStellariumRows.end(), source.mergedStellariumRows.begin(),
                                       source.mergedStellariumRows.end());
    alive_[size_t(from)] = false;
}

void DsoMerger::DropLosingNgcIc(const HolderMap& holders) {
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (!alive_[i]) continue;
        for (TableDesignation& d : objects_[i].designations) {
            if (d.catalog != kCatalogNgc && d.catalog != kCatalogIc) continue;
            const auto held = holders.find(DesignationKey{d.catalog, d.number});
            if (held != holders.end() && held->second != int32_t(i)) d.record = false;
        }
    }
}

void DsoMerger::AttachOpenNgc(const HolderMap& chosen, const HolderMap& holders) {
    std::map<int32_t, bool> messierTaken;
    for (size_t i = 0; i < objects_.size(); ++i)
        if (alive_[i])
            for (const TableDesignation& d : objects_[i].designations)
                if (d.catalog == kCatalogMessier) messierTaken[d.number] = true;
    for (const auto& [key, row] : chosen) {
        const auto held = holders.find(key);
        if (held != holders.end()) {
            objects_[size_t(held->second)].openNgcRow = row;
            continue;
        }
        DsoObject& object = objects_[size_t(NewObject())];
        object.openNgcRow = row;
        AddDesignation(object, key.first, key.second, true);
        const OpenNgcRow& source = sources_.openNgc[size_t(row)];
        const int32_t messier = MessierNumberOf(source.name);
        if (messier > 0 && !messierTaken[messier]) {
            AddDesignation(object, kCatalogMessier, messier, false);
            messierTaken[messier] = true;
        }
        // OpenNGC's cross-identifications only feed the cross-references.
        size_t start = 0;
        while (start <= source.longName.size()) {
            size_t end = source.longName.find(',', start);
            if (end == std::string::npos) end = source.longName.size();
            int32_t catalog = 0, number = 0;
            if (LongNamePartDesignation(std::string_view(source.longName).substr(start, end - start), catalog, number) &&
                catalog != kCatalogMessier)
                AddDesignation(object, catalog, number, false);
            start = end + 1;
        }
    }
}

int DesignationRank(int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return 0;
        case kCatalogCaldwell: return 1;
        case kCatalogNgc: return 2;
        case kCatalogIc: return 3;
        case kCatalogMelotte: return 4;
        default: return 5 + catalog;
    }
}

bool IsRecordRow(int32_t catalog) {
    for (int32_t row : kRecordRows)
        if (row == catalog) return true;
    return false;
}

void MergeDsoSources(const DsoSources& sources, DsoCatalog& out) {
    out = DsoCatalog{};
    DsoMerger(sources, out).Run();
}

}  // namespace vsp::databuild
