#include "databuild/ObjectFileLayout.h"

#include <algorithm>
#include <tuple>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ObjectTypeTable.h"
#include "ephemeris/Constants.h"

namespace vsp::databuild {

namespace {

constexpr uint16_t kNoListRecord = 0xFFFF;

struct Slot {
    int32_t catalog;
    int32_t number;
    int32_t object;
};

bool SlotOrder(const Slot& a, const Slot& b) {
    return std::tie(a.catalog, a.number, a.object) < std::tie(b.catalog, b.number, b.object);
}

// The fixed shape of the core, as the program assumes it when the 1k file is open.
struct CoreShape {
    int32_t ic, ngc, tail;
};

CoreShape FixedCoreShape() {
    CatalogTable table = DefaultCatalogTable();
    UseOneKObjectRanges(table);
    const int32_t icEnd = table[kCatalogIc].endRecord;
    const int32_t ngcEnd = table[kCatalogNgc].endRecord;
    return {icEnd - table[kCatalogIc].firstRecord, ngcEnd - table[kCatalogNgc].firstRecord,
            kCoreRecordCount - ngcEnd};
}

// The object's lowest record number in `catalog`, 0 when it has none there.
int32_t RecordNumberIn(const DsoObject& object, int32_t catalog) {
    int32_t best = 0;
    for (const TableDesignation& d : object.designations)
        if (d.record && d.catalog == catalog && (best == 0 || d.number < best)) best = d.number;
    return best;
}

bool IsStellar(int32_t type) {
    static const ObjectTypeTable table = DefaultObjectTypeTable();
    const uint8_t group = table[size_t(type)].group;
    return group == kGroupStar || group == kGroupMultipleStar;
}

class Layouter {
public:
    Layouter(const DsoCatalog& catalog, ObjectFileLayout& layout, std::vector<std::string>& notes)
        : catalog_(catalog), objects_(catalog.objects), layout_(layout), notes_(notes),
          listOrder_(objects_.size(), -1), inCore_(objects_.size(), false) {}

    bool Run(std::string& problem) {
        MarkListObjects();
        const CoreShape shape = FixedCoreShape();
        std::vector<Slot> icPart, ngcPart;
        if (!ChoosePart(kCatalogNgc, shape.ngc, ngcPart, problem)) return false;
        if (!ChoosePart(kCatalogIc, shape.ic, icPart, problem)) return false;
        std::vector<Slot> extra;
        const std::vector<Slot> tail = ChooseTail(shape.tail, extra);
        if (int32_t(icPart.size()) != shape.ic || int32_t(ngcPart.size()) != shape.ngc)
            notes_.push_back("the core holds " + std::to_string(icPart.size()) + " IC and " +
                             std::to_string(ngcPart.size()) + " NGC objects where the program's " +
                             "1k ranges expect " + std::to_string(shape.ic) + " and " +
                             std::to_string(shape.ngc) + ": the 1k file will not find them by number");

        std::vector<Slot> sorted = extra;
        for (size_t i = 0; i < objects_.size(); ++i)
            for (const TableDesignation& d : objects_[i].designations)
                if (d.record) sorted.push_back({d.catalog, d.number, int32_t(i)});
        std::sort(sorted.begin(), sorted.end(), SlotOrder);

        std::vector<Slot> all = icPart;
        all.insert(all.end(), ngcPart.begin(), ngcPart.end());
        all.insert(all.end(), tail.begin(), tail.end());
        layout_.coreCount = int32_t(all.size());
        all.insert(all.end(), sorted.begin(), sorted.end());
        if (all.size() > size_t(kCatalogNoFirstRecord)) {
            problem = "deep-sky objects: " + std::to_string(all.size()) +
                      " records do not fit the catalog ranges (at most " +
                      std::to_string(kCatalogNoFirstRecord) + ")";
            return false;
        }
        SetPrimaryRecords(all);
        FillRecords(all);
        FillRanges(all);
        FillLists();
        return true;
    }

private:
    void MarkListObjects() {
        int32_t order = 0;
        for (const auto* list : {&catalog_.messier, &catalog_.caldwell, &catalog_.sac, &catalog_.herschel})
            for (int32_t index : *list) {
                if (index >= 0 && listOrder_[size_t(index)] < 0) listOrder_[size_t(index)] = order;
                ++order;
            }
    }

    // The NGC or IC part: every list object holding a number of the catalog (NGC first),
    // then the brightest others not yet in the core; by number.
    bool ChoosePart(int32_t catalogIndex, int32_t size, std::vector<Slot>& part, std::string& problem) {
        std::vector<std::tuple<float, int32_t, int32_t>> others;  // magnitude, number, object
        for (size_t i = 0; i < objects_.size(); ++i) {
            const int32_t number = RecordNumberIn(objects_[i], catalogIndex);
            if (number == 0 || inCore_[i]) continue;
            if (listOrder_[i] >= 0) {
                part.push_back({catalogIndex, number, int32_t(i)});
            } else {
                others.emplace_back(objects_[i].magnitude, number, int32_t(i));
            }
        }
        if (int32_t(part.size()) > size) {
            problem = "deep-sky objects: " + std::to_string(part.size()) + " list objects with " +
                      (catalogIndex == kCatalogNgc ? "NGC" : "IC") + " numbers do not fit the " +
                      std::to_string(size) + " core records";
            return false;
        }
        std::sort(others.begin(), others.end());
        for (size_t i = 0; i < others.size() && int32_t(part.size()) < size; ++i)
            part.push_back({catalogIndex, std::get<1>(others[i]), std::get<2>(others[i])});
        for (const Slot& slot : part) inCore_[size_t(slot.object)] = true;
        std::sort(part.begin(), part.end(), SlotOrder);
        return true;
    }

    // The object's designation for a record of its own outside the sorted rows: its first
    // record designation, else the list designation it is known by (M40, C99).
    Slot OwnSlot(int32_t object) const {
        const DsoObject& o = objects_[size_t(object)];
        const TableDesignation* best = nullptr;
        for (const TableDesignation& d : o.designations)
            if (d.record && (!best || std::make_pair(DesignationRank(d.catalog), d.number) <
                                          std::make_pair(DesignationRank(best->catalog), best->number)))
                best = &d;
        if (best) return {best->catalog, best->number, object};
        for (int32_t list : {int32_t(kCatalogMessier), int32_t(kCatalogCaldwell)})
            for (const TableDesignation& d : o.designations)
                if (d.catalog == list) return {d.catalog, d.number, object};
        return {kCatalogNone, 0, object};
    }

    // List objects without an NGC/IC number: the tail takes the first `size` of them, stars
    // last (M40, a double star, is the one left out of the real lists); the others keep
    // their records in the sorted rows, or get one under their list number (`extra`).
    std::vector<Slot> ChooseTail(int32_t size, std::vector<Slot>& extra) {
        std::vector<std::tuple<bool, int32_t, int32_t>> waiting;  // stellar, list order, object
        for (size_t i = 0; i < objects_.size(); ++i)
            if (listOrder_[i] >= 0 && !inCore_[i])
                waiting.emplace_back(IsStellar(objects_[i].type), listOrder_[i], int32_t(i));
        std::sort(waiting.begin(), waiting.end());
        std::vector<Slot> tail;
        for (const auto& [stellar, order, object] : waiting) {
            const Slot slot = OwnSlot(object);
            if (int32_t(tail.size()) < size) {
                tail.push_back(slot);
                inCore_[size_t(object)] = true;
                continue;
            }
            if (!IsRecordRow(slot.catalog)) extra.push_back(slot);
            notes_.push_back("list object " + Designation(slot) + " has no room in the core: only the 18k file holds it");
        }
        return tail;
    }

    static std::string Designation(const Slot& slot) {
        const CatalogTable& table = Table();
        return std::string(CatalogPrefix(table[size_t(slot.catalog)])) + std::to_string(slot.number);
    }

    static const CatalogTable& Table() {
        static const CatalogTable table = DefaultCatalogTable();
        return table;
    }

    void SetPrimaryRecords(const std::vector<Slot>& all) {
        layout_.objectRecord.assign(objects_.size(), -1);
        for (int32_t i = 0; i < layout_.coreCount; ++i) layout_.objectRecord[size_t(all[size_t(i)].object)] = i;
        std::vector<std::pair<int, int32_t>> bestRank(objects_.size(), {1 << 30, 0});
        for (size_t i = size_t(layout_.coreCount); i < all.size(); ++i) {
            const Slot& slot = all[i];
            if (inCore_[size_t(slot.object)]) continue;
            const std::pair<int, int32_t> rank{DesignationRank(slot.catalog), slot.number};
            if (rank < bestRank[size_t(slot.object)]) {
                bestRank[size_t(slot.object)] = rank;
                layout_.objectRecord[size_t(slot.object)] = int32_t(i);
            }
        }
    }

    void FillRecords(const std::vector<Slot>& all) {
        std::vector<int32_t> constellation(objects_.size(), -2);
        std::vector<uint16_t> classCodes;
        std::vector<bool> listed(objects_.size());
        for (size_t i = 0; i < objects_.size(); ++i) listed[i] = listOrder_[i] >= 0;
        layout_.classTexts = ChooseClassTexts(objects_, listed, classCodes);
        layout_.records.clear();
        layout_.recordObject.clear();
        for (const Slot& slot : all) {
            const DsoObject& o = objects_[size_t(slot.object)];
            int32_t& where = constellation[size_t(slot.object)];
            if (where == -2) where = ConstellationOfPosition(o.raHours, o.decDeg, kJ2000Jd);
            ObjectRecord r;
            r.catalog = slot.catalog;
            r.number = slot.number;
            r.type = o.type;
            r.constellation = where;
            r.ra = float(o.raHours);
            r.dec = float(o.decDeg);
            r.magnitude = o.magnitude;
            r.sizeMajor = o.sizeMajor;
            r.sizeMinor = o.sizeMinor;
            r.code1 = classCodes[size_t(slot.object)];
            r.code2 = o.positionAngle;
            r.link = layout_.objectRecord[size_t(slot.object)];
            layout_.records.push_back(r);
            layout_.recordObject.push_back(slot.object);
        }
    }

    // Rows the lists resolve keep "no records" even when a list object sits in them (M40).
    void FillRanges(const std::vector<Slot>& all) {
        NoteRowsWithoutSource(all);
        layout_.ranges.fill(CatalogRange{});
        for (size_t i = size_t(layout_.coreCount); i < all.size(); ++i) {
            const int32_t row = all[i].catalog;
            if (row < 0 || row >= kCatalogCount || IsListCatalog(row)) continue;
            CatalogRange& range = layout_.ranges[size_t(row)];
            if (range.first == kCatalogNoFirstRecord) range.first = uint16_t(i);
            range.end = uint16_t(i + 1);
        }
    }

    // Rows that have no records of their own by design are resolved elsewhere (lists, star
    // catalogs, comets, constellations, meteors, planets, bright stars, user objects).
    void NoteRowsWithoutSource(const std::vector<Slot>& all) {
        static constexpr int32_t kResolvedElsewhere[] = {0, 9, 12, 13, 25, 26, 28, 40, 41, 45, 49, 54, 60, 63};
        std::vector<bool> hasRecords(size_t(kCatalogCount), false);
        for (size_t i = size_t(layout_.coreCount); i < all.size(); ++i) hasRecords[size_t(all[i].catalog)] = true;
        std::string rows;
        for (int32_t row = 0; row < kCatalogCount; ++row) {
            if (hasRecords[size_t(row)] ||
                std::find(std::begin(kResolvedElsewhere), std::end(kResolvedElsewhere), row) != std::end(kResolvedElsewhere))
                continue;
            rows += (rows.empty() ? "" : ", ") + std::string(CatalogPrefix(Table()[size_t(row)]));
        }
        if (!rows.empty()) notes_.push_back("no source has objects of the catalogs " + rows + ": they stay empty");
    }

    void FillLists() {
        const auto fill = [&](const std::vector<int32_t>& objects, std::vector<uint16_t>& out) {
            out.clear();
            for (int32_t object : objects)
                out.push_back(object >= 0 && layout_.objectRecord[size_t(object)] >= 0
                                  ? uint16_t(layout_.objectRecord[size_t(object)])
                                  : kNoListRecord);
        };
        fill(catalog_.messier, layout_.lists.messier);
        fill(catalog_.caldwell, layout_.lists.caldwell);
        fill(catalog_.sac, layout_.lists.sac);
        fill(catalog_.herschel, layout_.lists.herschel);
    }

    const DsoCatalog& catalog_;
    const std::vector<DsoObject>& objects_;
    ObjectFileLayout& layout_;
    std::vector<std::string>& notes_;
    std::vector<int32_t> listOrder_;  // first place in the lists (M, C, SAC, H), -1 none
    std::vector<bool> inCore_;
};

}  // namespace

bool LayOutObjectFile(const DsoCatalog& catalog, ObjectFileLayout& layout,
                     std::vector<std::string>& notes, std::string& problem) {
    layout = ObjectFileLayout{};
    return Layouter(catalog, layout, notes).Run(problem);
}

}  // namespace vsp::databuild
