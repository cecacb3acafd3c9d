#include "catalog/ObjectRecord.h"
#include "databuild/DataFileWriter.h"
#include "databuild/ObjectFilesWrite.h"

namespace vsp::databuild {

// The 18k file, then the 1k file: its core, byte for byte.
bool WriteObjectRecordFiles(const ObjectFileLayout& layout, const std::string& dataDir,
                           const DsoProvenance& provenance, BuildReport& report) {
    DataFileWriter full(std::string(kObjectFile18k), kObjectFileTypeCode, kObjectFileVersion,
                        kObjectRecordSize);
    DataFileWriter core(std::string(kObjectFile1k), kObjectFileTypeCode, kObjectFileVersion,
                        kObjectRecordSize);
    for (size_t i = 0; i < layout.records.size(); ++i) {
        EncodeObjectRecord(layout.records[i], full.Append());
        if (int32_t(i) < layout.coreCount) EncodeObjectRecord(layout.records[i], core.Append());
    }
    return full.Commit(dataDir, provenance.objects, report) &&
           core.Commit(dataDir,
                       std::string(kObjectFile18k) + ": its first " + std::to_string(layout.coreCount) +
                           " records, the core",
                       report);
}

}  // namespace vsp::databuild
