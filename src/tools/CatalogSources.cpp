// The planner's deep-sky sources: the numbered lists (Messier, Caldwell, the 110 best NGC
// objects, Herschel), the user's own objects and the whole object database.

#include <cstdio>
#include <string>
#include <vector>

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectLookup.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/UserObject.h"
#include "tools/PlannerRun.h"

namespace vsp {
namespace {

constexpr int kDatabaseProgressStep = 200;
constexpr std::string_view kNoUserObject = "No personnal object found.";

Candidate CandidateOfRecord(const ObjectRecord& record) {
    return {int16_t(record.catalog), int16_t(record.type), int16_t(record.constellation), record.ra, record.dec,
            record.magnitude, record.sizeMajor, record.sizeMinor};
}

ListEntry EntryOfRecord(const ObjectRecord& record, std::string_view name, int16_t kind, int32_t sourceIndex) {
    ListEntry entry = EntryOfCandidate(CandidateOfRecord(record), name, record.number, kind);
    entry.sourceIndex = sourceIndex;
    entry.code1 = record.code1;
    entry.code2 = record.code2;
    return entry;
}

// Deep-sky sources other than the user's and the database's stand aside for planets and
// single stars.
bool DeepSkyWanted(const SelectionCriteria& c) { return c.objectType != kTypePlanet && c.typeGroup != kGroupStar; }

// Every member of a numbered list, as `kind` entries named by `prefix` and the list number
// (by their designation when the prefix is empty).
void SearchNumberedList(PlannerRun& run, int32_t catalog, int16_t kind, const char* prefix) {
    CatalogSession& sky = run.Context().sky;
    const int32_t last = ListLastNumber(catalog);
    for (int32_t n = 1; n <= last; ++n) {
        FoundObject found;
        std::string problem;
        if (FindObject(sky, run.Context().messages, catalog, n, found, problem) != ObjectSearch::Found) continue;
        const std::string name = *prefix ? prefix + std::to_string(n)
                                         : CatalogDesignation(sky.catalogs, found.record.catalog, found.record.number);
        ListEntry entry = EntryOfRecord(found.record, name, kind, found.index);
        entry.listNumber = int16_t(n - 1);
        if (!run.Offer(CandidateOfRecord(found.record), entry)) return;
    }
}

}  // namespace

void SearchMessier(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if ((c.catalog != 0 && c.catalog != kCatalogMessier) || !DeepSkyWanted(c)) return;
    run.Progress("Checking Messier  ");
    SearchNumberedList(run, kCatalogMessier, kEntryMessier, "M");
}

void SearchCaldwell(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if ((c.catalog != 0 && c.catalog != kCatalogCaldwell) || !DeepSkyWanted(c)) return;
    run.Progress("Checking Caldwell   ");
    SearchNumberedList(run, kCatalogCaldwell, kEntryCaldwell, "C");
}

void SearchBestNgc(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.catalog != kCatalogSac || !DeepSkyWanted(c)) return;
    run.Progress("Checking Best SAC");
    SearchNumberedList(run, kCatalogSac, kEntrySac, "");
}

void SearchHerschel(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.catalog != kCatalogHerschel || !DeepSkyWanted(c)) return;
    run.Progress("Checking Herschel");
    SearchNumberedList(run, kCatalogHerschel, kEntryHerschel, "");
}

void SearchUserObjects(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.objectType != 0 || (c.catalog != 0 && c.catalog != kCatalogUser)) return;
    CatalogSession& sky = run.Context().sky;
    CatalogDb users(sky.dir, run.Context().messages);
    const bool open = users.Open(kUserObjectTypeCode, kCatalogCreatorCode, 0, std::string(kUserCatalogsDir),
                                 std::string(kUserObjectFile));
    const int32_t count = open ? users.RecordCount() : 0;
    if (count == 0) {
        if (c.catalog == kCatalogUser) run.Context().messages.InfoBox(kNoUserObject, "");
        return;
    }
    run.Progress("Checking your Objects");
    for (int32_t i = 0; i < count; ++i) {
        UserObjectRecord user;
        if (!UserObjectRead(users, run.Context().messages, sky.catalogs, i, user)) continue;
        if (!run.Offer(CandidateOfRecord(user.object), EntryOfRecord(user.object, user.name, kEntryCatalogObject, i)))
            return;
    }
}

void SearchObjectDatabase(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    switch (c.catalog) {
        case kCatalogMessier: case kCatalogCaldwell: case kCatalogHerschel: case kCatalogSac:
        case kCatalogComet: case kCatalogConstellation: case kCatalogMeteor: case kCatalogBrightStars:
            return;
        default: break;
    }
    if (c.objectType == kTypeComet || c.objectType == kTypeMeteor || c.objectType == kTypeMinorPlanet ||
        c.objectType == kTypePlanet || c.typeGroup == kGroupStar)
        return;
    CatalogSession& sky = run.Context().sky;
    CatalogDb& objects = sky.files.objects;
    const int32_t count = objects.RecordCount();
    // The whole file in one read; record by record where it does not bear out its header, so
    // that each record that cannot be read is told as before.
    std::vector<uint8_t> bytes;
    const RecordFile* file = objects.File();
    const bool whole = file && file->recordSize >= kObjectRecordSize && RecordFileHolds(file, 0, uint32_t(count)) &&
                       objects.ReadAll(bytes);
    for (int32_t i = 0; i < count; ++i) {
        if (i % kDatabaseProgressStep == 0) {
            char text[40];
            std::snprintf(text, sizeof text, "Objects to check: %05d", int(count - i));
            run.Progress(text);
        }
        ObjectRecord record;
        if (whole) record = DecodeObjectRecord(bytes.data() + size_t(i) * size_t(file->recordSize));
        else if (!ObjectRead(objects, run.Context().messages, i, record)) continue;
        const auto entry = [&] {
            const std::string name = CatalogDesignation(sky.catalogs, record.catalog, record.number);
            return EntryOfRecord(record, name, kEntryCatalogObject, i);
        };
        if (!run.Offer(CandidateOfRecord(record), entry)) return;
    }
}

}  // namespace vsp
