#pragma once
// The database layer the catalogs call: a pair of slots whose second one is the record file
// (the first, a memory-database slot, is never filled on this platform).
// Results: true on success.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/InfoSink.h"
#include "records/RecordFile.h"

namespace vsp {

inline constexpr uint16_t kAppendIndex = 65535;  // write: append a new record first

class CatalogDb {
public:
    CatalogDb(const ProgramDir& dir, InfoSink& messages) : dir_(dir), messages_(messages) {}

    // Opens directory + name ("data/" + "vespertar_hr.ppc"); mode 0 read-only, else read/write.
    bool Open(uint32_t typeCode, uint32_t creatorCode, int mode, const std::string& directory,
              const std::string& name);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    int32_t RecordCount(int32_t factor = 1) const;
    bool Read(uint16_t index, void* destination, size_t length);
    // Every record back to back (RecordCount() x record size bytes), read at one go; the
    // message of Read when that fails.
    bool ReadAll(std::vector<uint8_t>& out);
    bool Write(uint16_t index, const void* data, size_t length);
    bool Delete(int32_t index);
    uint16_t Version() const;
    RecordFile* File() { return file_.get(); }

private:
    ProgramDir dir_;
    InfoSink& messages_;
    RecordFileHandle file_;
};

}  // namespace vsp
