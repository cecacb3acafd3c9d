#pragma once
// Record data files: a 16-byte little-endian header (version, tag, count, record size)
// followed by fixed-size records addressed by a zero-based index. Shipped files under data/
// are opened read-only; a file opened for writing is worked on as a copy under
// usercatalogs/ made on first use.
//
// Every operation answers true on success (no messages at this level).

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr int kRecordHeaderSize = 16;
inline constexpr int kRecordMoveChunk = 16384;  // largest piece moved at a time by a delete
inline constexpr int32_t kMaxRecordSize = 1 << 20;  // a header claiming more is damaged

// ReadCurrent reads what a writer would work on: the working copy when there is one, else
// the shipped file; it never copies, so it works in a read-only program directory.
enum class RecordFileMode { ReadOnly = 0, ReadWrite = 1, ReadCurrent = 2 };

struct RecordFile {
    uint32_t version = 0;
    uint32_t tag = 0;
    int32_t recordSize = 0;
    int32_t recordCount = 0;
    std::vector<uint8_t> buffer;  // one record; every read overwrites it
    std::FILE* stream = nullptr;
    std::string path;             // the file actually opened

    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();
};

using RecordFileHandle = std::unique_ptr<RecordFile>;

// Four-character type code as stored in the header tag ('Pref' -> bytes "Pref" in the file).
constexpr uint32_t FourCharCode(const char (&c)[5]) {
    return uint32_t(uint8_t(c[0])) | uint32_t(uint8_t(c[1])) << 8 | uint32_t(uint8_t(c[2])) << 16 |
           uint32_t(uint8_t(c[3])) << 24;
}

// ReadOnly: dir + path, "rb". ReadWrite: usercatalogs/ + path, "rb+", copied from dir + path
// on first use. ReadCurrent: usercatalogs/ + path when it exists, else dir + path, "rb".
// `out` is set only on success.
bool RecordFileOpen(const ProgramDir& dir, const std::string& relativePath, RecordFileMode mode,
                    RecordFileHandle& out);
// Creates (replacing) usercatalogs/ + name with an empty header: version 0, tag, 0, 0.
bool RecordFileCreate(const ProgramDir& dir, const std::string& name, uint32_t tag);
void RecordFileClose(RecordFileHandle& handle);
uint16_t RecordFileCount(const RecordFile* handle);
// Low 16 bits of version and count.
bool RecordFileVersion(const RecordFile* handle, uint16_t& version, uint16_t& count);
// Reads record `index` (full 32-bit) into the handle's buffer; `out` points at it.
bool RecordFileRead(RecordFile* handle, uint32_t index, const uint8_t*& out);
// Records first .. first + count - 1 into `out` (count x record size bytes) at one go, for
// readers that walk a whole file; what could not be read is zero-filled.
bool RecordFileReadMany(RecordFile* handle, uint32_t first, uint32_t count, uint8_t* out);
// The records from the first on that the file holds whole, at most `limit` and the header's
// count, into `out` at one read: what a walk record by record up to the first it cannot read
// gives. Returns how many (0 with `out` empty when the read fails).
uint32_t RecordFileReadLeading(RecordFile* handle, uint32_t limit, std::vector<uint8_t>& out);
// True when records first .. first + count - 1 lie within the file as it is now: what a
// header claims is checked with this before it sizes anything.
bool RecordFileHolds(const RecordFile* handle, uint32_t first, uint32_t count);
// Second form: the buffer, or null for a null handle or failed seek (short read undetected).
const uint8_t* RecordFileRead(RecordFile* handle, uint32_t index);
bool RecordFileWrite(RecordFile* handle, uint32_t index, const void* data, size_t length);
// Appends a zero-filled record; returns its buffer (null on failure), `index` = old count.
// Refused when the file is shorter than its header's records (the new one would land past
// its end) or has records but no record size.
uint8_t* RecordFileAppend(RecordFile* handle, uint16_t& index, int32_t size);
// Refused, before anything is read or written, when the file is shorter than its records.
bool RecordFileDelete(RecordFile* handle, uint32_t index);
// Rewrites header word 0 (the data builder and settings store stamp their format version).
bool RecordFileSetVersion(RecordFile* handle, uint32_t version);

// The header fields as stored in the first 16 bytes.
struct RecordHeader {
    uint32_t version = 0;
    uint32_t tag = 0;
    int32_t count = 0;
    int32_t recordSize = 0;
};

// Writes a whole record file, the header then `records` (count x size bytes), to path.tmp and
// renames it over `path`, so that a failed write leaves the previous file as it was.
bool RecordFileWriteWhole(const std::string& path, const RecordHeader& header,
                          std::string_view records);

// Little-endian field access for record layouts (never copy padded structs).
uint16_t ReadU16(const uint8_t* p);
int16_t ReadI16(const uint8_t* p);
uint32_t ReadU32(const uint8_t* p);
int32_t ReadI32(const uint8_t* p);
float ReadF32(const uint8_t* p);
double ReadF64(const uint8_t* p);
void WriteU16(uint8_t* p, uint16_t v);
void WriteI16(uint8_t* p, int16_t v);
void WriteU32(uint8_t* p, uint32_t v);
void WriteI32(uint8_t* p, int32_t v);
void WriteF32(uint8_t* p, float v);
void WriteF64(uint8_t* p, double v);

}  // namespace vsp
