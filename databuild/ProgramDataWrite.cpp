#include "catalog/ProgramDataFiles.h"
#include "databuild/DataFileWriter.h"
#include "databuild/ObjectFilesWrite.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

bool WriteList(std::string_view name, uint32_t typeCode, const std::vector<uint16_t>& records,
              const std::string& dataDir, const std::string& source, BuildReport& report) {
    DataFileWriter file(std::string(name), typeCode, kProgramDataVersion, kListRecordSize);
    for (uint16_t record : records) WriteU16(file.Append(), record);
    return file.Commit(dataDir, source, report);
}

bool WriteRanges(const ObjectFileLayout& layout, const std::string& dataDir, const std::string& source,
                BuildReport& report) {
    DataFileWriter file(std::string(kCatalogRangesFile), kCatalogRangesTypeCode, kProgramDataVersion,
                        kCatalogRangeRecordSize);
    for (const CatalogRange& range : layout.ranges) {
        uint8_t* record = file.Append();
        WriteU16(record, range.first);
        WriteU16(record + 2, range.end);
    }
    return file.Commit(dataDir, source, report);
}

bool WriteClassTexts(const ObjectFileLayout& layout, const std::string& dataDir, const std::string& source,
                    BuildReport& report) {
    DataFileWriter file(std::string(kClassTextsFile), kClassTextsTypeCode, kProgramDataVersion,
                        kClassTextRecordSize);
    for (const std::string& text : layout.classTexts) PutText(file.Append(), kClassTextRecordSize, text);
    return file.Commit(dataDir, source, report);
}

}  // namespace

bool WriteProgramDataFiles(const ObjectFileLayout& layout, const std::string& dataDir,
                          const DsoProvenance& provenance, BuildReport& report) {
    const std::string records = std::string(kObjectFile18k) + " records of ";
    const std::string ranges = "record ranges of " + std::string(kObjectFile18k);
    return WriteList(kMessierFile, kMessierTypeCode, layout.lists.messier, dataDir,
                     records + provenance.messierCaldwell, report) &&
           WriteList(kCaldwellFile, kCaldwellTypeCode, layout.lists.caldwell, dataDir,
                     records + provenance.messierCaldwell, report) &&
           WriteList(kSacFile, kSacTypeCode, layout.lists.sac, dataDir, records + provenance.bestNgc, report) &&
           WriteList(kHerschelFile, kHerschelTypeCode, layout.lists.herschel, dataDir,
                     records + provenance.herschel, report) &&
           WriteRanges(layout, dataDir, ranges, report) &&
           WriteClassTexts(layout, dataDir, provenance.morphology, report);
}

}  // namespace vsp::databuild
