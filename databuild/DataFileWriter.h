#pragma once
// One data file being built: records collected in memory, then written whole as a record
// file (through a temporary file, so a build that fails midway leaves the previous file). Nothing here depends on time or on the order of a hash map: the same records give
// the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "databuild/DataBuild.h"

namespace vsp::databuild {

class DataFileWriter {
public:
    DataFileWriter(std::string name, uint32_t tag, uint32_t version, int32_t recordSize);

    // A zero-filled record at the end; the pointer is valid until the next Append.
    uint8_t* Append();
    uint8_t* Record(int32_t index) { return bytes_.data() + size_t(index) * size_t(recordSize_); }
    int32_t Count() const { return int32_t(bytes_.size() / size_t(recordSize_)); }
    int32_t RecordSize() const { return recordSize_; }
    const std::string& Name() const { return name_; }

    // Writes the file into dataDir and adds it to the report. False on failure (report.problem).
    bool Commit(const std::string& dataDir, const std::string& source, BuildReport& report) const;

private:
    std::string name_;
    uint32_t tag_;
    uint32_t version_;
    int32_t recordSize_;
    std::vector<uint8_t> bytes_;
};

// Text into a fixed field: Windows-1252, accents dropped where the code page has no letter,
// cut to size - 1 bytes and NUL-padded (size bytes written).
void PutText(uint8_t* field, size_t size, const std::string& utf8);

}  // namespace vsp::databuild
