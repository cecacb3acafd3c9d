#include "catalog/ObjectLookup.h"

#include <algorithm>

#include "catalog/Designation.h"
#include "catalog/FinderTyping.h"
#include "catalog/ProgramDataFiles.h"
#include "catalog/ProgramDataTables.h"

namespace vsp {
namespace {

std::string ListName(int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return "Messier";
        case kCatalogCaldwell: return "Caldwell";
        case kCatalogSac: return "SAC";
        case kCatalogHerschel: return "Herschel 400";
        default: return {};
    }
}

std::string_view ListFile(int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return kMessierFile;
        case kCatalogCaldwell: return kCaldwellFile;
        case kCatalogSac: return kSacFile;
        case kCatalogHerschel: return kHerschelFile;
        default: return {};
    }
}

// Binary search of the catalog's record range, which the object file keeps sorted by number.
bool SearchRange(CatalogSession& sky, InfoSink& messages, const CatalogEntry& entry, int32_t catalog,
                 int32_t number, FoundObject& out) {
    CatalogDb& objects = sky.files.objects;
    int32_t low = entry.firstRecord;
    int32_t high = std::min<int32_t>(entry.endRecord, objects.RecordCount()) - 1;
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        ObjectRecord record;
        if (!ObjectRead(objects, messages, mid, record)) return false;
        int64_t order = int64_t(record.catalog) - catalog;
        if (order == 0) order = int64_t(record.number) - number;
        if (order == 0) {
            out.index = uint16_t(mid);
            out.record = record;
            return true;
        }
        if (order < 0) low = mid + 1;
        else high = mid - 1;
    }
    return false;
}

// The object file that is open, for messages.
std::string ObjectFileName(const CatalogSession& sky) {
    return std::string(sky.files.objectsAreOneK ? kObjectFile1k : kObjectFile18k);
}

}  // namespace

ObjectCatalogs::ObjectCatalogs(const ProgramDir& dir, InfoSink& messages)
    : messages_(messages), session_(dir, messages) {}

ObjectCatalogs::~ObjectCatalogs() { CatalogSessionClose(session_); }

bool ObjectCatalogs::Open() {
    CatalogSessionOptions options;
    options.extendedCatalog = -1;
    return CatalogSessionOpen(session_, messages_, options);
}

ObjectSearch FindObject(CatalogSession& sky, InfoSink& messages, int32_t catalog, int32_t number,
                        FoundObject& out, std::string& problem) {
    const CatalogTable& table = sky.catalogs;
    const std::string designation = CatalogDesignation(table, catalog, number);
    CatalogDb& objects = sky.files.objects;
    if (!objects.IsOpen()) {
        problem = std::string(kObjectDbNotOpen);
        return ObjectSearch::NotFound;
    }
    // The finder's rules say which catalogs can be asked for by number at all: one key typed
    // into a field of that catalog brings its refusal, if it has one.
    {
        RecordingInfoSink refusal;
        FinderField field;
        FinderSelectCatalog(field, table, catalog);
        if (!FinderTypeKey(field, table, refusal, '1') && !refusal.messages.empty()) {
            problem = refusal.messages.front().first;
            return ObjectSearch::NotFound;
        }
    }

    FoundObject found;
    if (IsListCatalog(catalog)) {
        const int32_t last = ListLastNumber(catalog);
        if (number < 1 || number > last) {
            problem = designation + ": the " + ListName(catalog) + " list runs from 1 to " + std::to_string(last);
            return ObjectSearch::NotFound;
        }
        if (!ObjectByListNumber(sky.lists, catalog, number, found.index)) {
            problem = designation + ": the " + ListName(catalog) + " list is not installed (" + std::string(kDataDir) +
                      std::string(ListFile(catalog)) + ")";
            return ObjectSearch::NotFound;
        }
        if (!ObjectRead(objects, messages, found.index, found.record)) {
            problem = designation + ": the list points at record " + std::to_string(found.index) + ", outside " +
                      ObjectFileName(sky);
            return ObjectSearch::NotFound;
        }
    } else {
        const CatalogEntry& entry = table[size_t(catalog)];
        if (!CatalogHasRecords(entry)) {
            problem = std::string(kFinderNoObjects);
            return ObjectSearch::NotFound;
        }
        if (!SearchRange(sky, messages, entry, catalog, number, found)) {
            problem = designation + ": no such object in " + ObjectFileName(sky);
            return ObjectSearch::NotFound;
        }
    }

    // The twin carries the same designation; anything else in the link field is not a twin.
    const int32_t link = found.record.link;
    ObjectRecord primary;
    if (link != found.index && link >= 0 && link < objects.RecordCount() &&
        ObjectRead(objects, messages, link, primary) && primary.catalog == found.record.catalog &&
        primary.number == found.record.number) {
        found.index = uint16_t(link);
        found.record = primary;
    }
    out = found;
    return ObjectSearch::Found;
}

}  // namespace vsp
