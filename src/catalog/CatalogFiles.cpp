#include "catalog/CatalogFiles.h"

#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ObjectRecord.h"
#include "catalog/StarCatalog.h"
#include "catalog/UserObject.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

const std::string kData(kDataDir);
const std::string kUserCatalogs(kUserCatalogsDir);

bool OpenFile(CatalogDb& db, uint32_t typeCode, int mode, const std::string& directory,
              std::string_view name) {
    return db.Open(typeCode, kCatalogCreatorCode, mode, directory, std::string(name));
}

}  // namespace

CatalogOpenResult CatalogFilesOpen(CatalogFiles& files, CatalogTable& catalogs, InfoSink& messages,
                                   std::string_view objectIndexName) {
    CatalogOpenResult result = CatalogOpenResult::Opened;

    if (!OpenFile(files.stars, kDefaultStarsTypeCode, 0, kData, kDefaultStarsFileName)) {
        messages.InfoBox(kStarDatabaseMissing, "");
        result = CatalogOpenResult::DatabaseMissing;
    }

    files.objectsAreOneK = false;
    if (!OpenFile(files.objects, kObjectFileTypeCode, 0, kData, kObjectFile18k)) {
        files.objectsAreOneK = OpenFile(files.objects, kObjectFileTypeCode, 0, kData, kObjectFile1k);
    }
    const CatalogTable defaults = DefaultCatalogTable();
    for (int i = 0; i < kCatalogCount; ++i) {
        catalogs[size_t(i)].firstRecord = defaults[size_t(i)].firstRecord;
        catalogs[size_t(i)].endRecord = defaults[size_t(i)].endRecord;
    }
    if (!files.objects.IsOpen()) {
        messages.InfoBox(kObjectDbMissing, "");
        result = CatalogOpenResult::DatabaseMissing;
    } else {
        if (files.objectsAreOneK) UseOneKObjectRanges(catalogs);
        if (files.objects.Version() != kObjectFileVersion) messages.InfoBox(kObjectDbOld, "");
    }

    if (!OpenFile(files.moon, kMoonTypeCode, 0, kData, kMoonFile)) {
        result = CatalogOpenResult::DatabaseMissing;
    } else if (files.moon.Version() != kMoonFileVersion) {
        messages.InfoBox(kMoonDbOld, "");
    }

    OpenFile(files.mars, kMarsTypeCode, 0, kData, kMarsFile);
    OpenFile(files.descriptions, kDescriptionTypeCode, 0, kData, kDescriptionFileName);

    OpenFile(files.comets, kCometTypeCode, 1, kData, kCometFile);
    OpenFile(files.satellites, kSatelliteTypeCode, 1, kData, kSatelliteFile);
    OpenFile(files.userObjects, kUserObjectTypeCode, 1, kUserCatalogs, kUserObjectFile);
    files.userObjects.Close();

    // The index name comes from writable program data: it must stay a plain file name.
    files.objectIndex.Close();
    if (IsSafeFileName(objectIndexName))
        OpenFile(files.objectIndex, kObjectIndexTypeCode, 0, kData, objectIndexName);
    OpenFile(files.crossReferences, kCrossReferenceTypeCode, 0, kData, kCrossReferenceFile);
    return result;
}

void CatalogFilesClose(CatalogFiles& files) {
    files.stars.Close();
    files.objects.Close();
    files.moon.Close();
    files.mars.Close();
    files.descriptions.Close();
    files.comets.Close();
    files.satellites.Close();
    files.userObjects.Close();
    files.objectIndex.Close();
    files.crossReferences.Close();
}

bool ReplaceWorkingCopy(const ProgramDir& dir, const std::string& relativePath, uint32_t tag, int32_t recordSize,
                        size_t count, const std::string& bytes, std::string& error) {
    const RecordHeader header{.tag = tag, .count = int32_t(count), .recordSize = recordSize};
    const std::string path = dir.Path(kUserCatalogsDir, relativePath);
    MakeDirectory(dir.Root());
    MakeDirectory(dir.Path(kUserCatalogsDir));
    const size_t folder = relativePath.rfind('/');
    if (folder != std::string::npos) MakeDirectory(dir.Path(kUserCatalogsDir, relativePath.substr(0, folder)));
    if (RecordFileWriteWhole(path, header, bytes)) return true;
    error = "Could not write " + path;
    return false;
}

}  // namespace vsp
