#pragma once
// The merge's working state, shared by its two halves: DsoMerge.cpp turns the source rows
// into objects, DsoMergeSelect.cpp adds the Local Group objects, sets the values and decides
// which object keeps which number and which objects the lists name.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "databuild/DsoMerge.h"
#include "databuild/DsoSources.h"

namespace vsp::databuild {

using DesignationKey = std::pair<int32_t, int32_t>;  // (catalog row, number)
using HolderMap = std::map<DesignationKey, int32_t>;  // designation -> object index

bool HasCatalog(const DsoObject& object, int32_t catalog);
bool HasNgcOrIc(const DsoObject& object);
// Adds (catalog, number) unless the object has it; `record` only for record rows.
void AddDesignation(DsoObject& object, int32_t catalog, int32_t number, bool record);

class DsoMerger {
public:
    DsoMerger(const DsoSources& sources, DsoCatalog& out) : sources_(sources), out_(out) {}
    void Run();

private:
    const StellariumDso* Stellarium(const DsoObject& o) const;
    const OpenNgcRow* OpenNgc(const DsoObject& o) const;
    const LocalGroupObject* LocalGroup(const DsoObject& o) const;
    int32_t NewObject();
    // Brighter first, then the earlier source row: the order of every "which object keeps
    // this number" decision.
    static bool Before(int32_t a, int32_t b, float magnitudeA, float magnitudeB);

    // DsoMerge.cpp: the source rows.
    void AddStellariumObjects();
    HolderMap NgcIcHolders() const;
    HolderMap ChosenOpenNgcRows() const;
    void AbsorbMessierTwins(const HolderMap& chosen, HolderMap& holders);
    void Absorb(int32_t from, int32_t into, HolderMap& holders);
    void DropLosingNgcIc(const HolderMap& holders);
    void AttachOpenNgc(const HolderMap& chosen, const HolderMap& holders);

    // DsoMergeSelect.cpp: values and choices.
    void AddLocalGroup();
    void PositionDeg(const DsoObject& o, double& raDeg, double& decDeg) const;
    void SetValues(DsoObject& object) const;
    void CutUgc();
    void KeepBrightestPerNumber();
    HolderMap BestHolders(bool recordsOnly) const;
    void ResolveLists();
    int32_t ResolveEntry(const HolderMap& holders, int32_t catalog, int32_t number, const std::string& entry);
    void ResolveNgcList(const std::vector<int32_t>& numbers, int32_t size, const char* list,
                        const HolderMap& holders, std::vector<int32_t>& out);
    void Compact();

    const DsoSources& sources_;
    DsoCatalog& out_;
    std::vector<DsoObject> objects_;
    std::vector<bool> alive_;  // false once merged into another object
};

}  // namespace vsp::databuild
