#include "records/RecordFile.h"

#include "platform/ReplaceFile.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

namespace vsp {

namespace {

// Record offsets go past 2 GiB in the large star catalogs, so every seek is 64-bit.
static_assert(sizeof(off_t) >= 8, "build with _FILE_OFFSET_BITS=64");

off_t RecordOffset(const RecordFile& file, uint32_t index) {
    return off_t(kRecordHeaderSize) + off_t(index) * off_t(file.recordSize);
}

// A failed write on one call (a read-only stream) must not leave the error flag to the next.
bool SeekTo(std::FILE* stream, off_t offset) {
    std::clearerr(stream);
    return ::fseeko(stream, offset, SEEK_SET) == 0;
}

bool ReadExactly(std::FILE* stream, void* data, size_t length) {
    return std::fread(data, 1, length, stream) == length;
}

bool WriteExactly(std::FILE* stream, const void* data, size_t length) {
    // An empty record set may come with a null pointer, which fwrite must not be given.
    return length == 0 || std::fwrite(data, 1, length, stream) == length;
}

// The folder that holds `path`, made when missing (one level, like the program directory's).
void MakeParentDirectory(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) MakeDirectory(parent.string());
}

void EncodeHeader(const RecordHeader& header, uint8_t (&bytes)[kRecordHeaderSize]) {
    WriteU32(bytes, header.version);
    WriteU32(bytes + 4, header.tag);
    WriteI32(bytes + 8, header.count);
    WriteI32(bytes + 12, header.recordSize);
}

bool AllocateBuffer(RecordFile& file) {
    try {
        file.buffer.assign(size_t(file.recordSize), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool ReadHeader(RecordFile& file) {
    uint8_t header[kRecordHeaderSize];
    if (!SeekTo(file.stream, 0) || !ReadExactly(file.stream, header, sizeof header)) return false;
    file.version = ReadU32(header);
    file.tag = ReadU32(header + 4);
    file.recordCount = ReadI32(header + 8);
    file.recordSize = ReadI32(header + 12);
    // Negative figures cannot come from this layer, and no layout of the program comes near
    // kMaxRecordSize: either means a damaged or foreign file, taken as an unreadable header
    // rather than an allocation of whatever the bytes say.
    if (file.recordCount < 0 || file.recordSize < 0 || file.recordSize > kMaxRecordSize) return false;
    return file.recordSize == 0 || AllocateBuffer(file);
}

// Re-reads the header so that version and tag on disk stay as they are, then stores the
// handle's count (and its size, where the header still has none).
bool UpdateHeader(RecordFile& file) {
    uint8_t header[kRecordHeaderSize];
    if (!SeekTo(file.stream, 0) || !ReadExactly(file.stream, header, sizeof header)) return false;
    WriteI32(header + 8, file.recordCount);
    if (ReadI32(header + 12) == 0) WriteI32(header + 12, file.recordSize);
    if (!SeekTo(file.stream, 0) || !WriteExactly(file.stream, header, sizeof header)) return false;
    return std::fflush(file.stream) == 0;
}

// Reads go straight to the descriptor at their offset: one system call per record instead
// of a seek and a buffer refill, which matters when the chart walks thousands of stars.
// Every change through the stream is flushed at once, so the descriptor never lags behind it.
// A short read zero-fills the rest so that no earlier record passes for this one.
bool ReadBytesAt(RecordFile& file, off_t offset, uint8_t* data, size_t size) {
    const int fd = ::fileno(file.stream);
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, data + got, size - got, offset + off_t(got));
        if (n > 0) {
            got += size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    std::fill(data + got, data + size, 0);
    return got == size;
}

// The file's length now (it grows with appends, and another program may have cut it).
off_t FileLength(const RecordFile& file) {
    struct stat st {};
    return ::fstat(::fileno(file.stream), &st) == 0 ? st.st_size : 0;
}

bool RecordsWithinFile(const RecordFile& file, uint32_t first, uint64_t count) {
    const uint64_t end = uint64_t(kRecordHeaderSize) + (uint64_t(first) + count) * uint64_t(file.recordSize);
    return end <= uint64_t(FileLength(file));
}

bool ReadRecordAt(RecordFile& file, uint32_t index) {
    return ReadBytesAt(file, RecordOffset(file, index), file.buffer.data(), file.buffer.size());
}

std::FILE* OpenWorkingCopy(const ProgramDir& dir, const std::string& relativePath,
                           std::string& workingPath) {
    const std::string userCatalogs(kUserCatalogsDir);
    MakeDirectory(dir.Path(userCatalogs));
    workingPath = dir.Path(userCatalogs + relativePath);
    MakeParentDirectory(workingPath);

    if (std::FILE* stream = std::fopen(workingPath.c_str(), "rb+")) return stream;
    // Only a missing copy is made: one that exists but cannot be opened keeps the user's
    // changes, and one that another run put there meanwhile is kept.
    if (FileExists(workingPath) || !CopyFileOnce(dir.Path(relativePath), workingPath)) return nullptr;
    return std::fopen(workingPath.c_str(), "rb+");
}

std::FILE* OpenCurrent(const ProgramDir& dir, const std::string& relativePath, std::string& path) {
    path = dir.Path(std::string(kUserCatalogsDir) + relativePath);
    if (!FileExists(path)) path = dir.Path(relativePath);
    return std::fopen(path.c_str(), "rb");
}

}  // namespace

RecordFile::~RecordFile() {
    if (stream) std::fclose(stream);
}

bool RecordFileOpen(const ProgramDir& dir, const std::string& relativePath, RecordFileMode mode,
                    RecordFileHandle& out) {
    auto file = std::make_unique<RecordFile>();
    switch (mode) {
        case RecordFileMode::ReadOnly:
            file->path = dir.Path(relativePath);
            file->stream = std::fopen(file->path.c_str(), "rb");
            break;
        case RecordFileMode::ReadWrite: file->stream = OpenWorkingCopy(dir, relativePath, file->path); break;
        case RecordFileMode::ReadCurrent: file->stream = OpenCurrent(dir, relativePath, file->path); break;
    }
    if (!file->stream || !ReadHeader(*file)) return false;  // the handle's destructor closes
    out = std::move(file);
    return true;
}

bool RecordFileCreate(const ProgramDir& dir, const std::string& name, uint32_t tag) {
    MakeDirectory(dir.Path(kUserCatalogsDir));
    const std::string path = dir.Path(std::string(kUserCatalogsDir) + name);
    MakeParentDirectory(path);
    return RecordFileWriteWhole(path, RecordHeader{.tag = tag}, {});
}

bool RecordFileWriteWhole(const std::string& path, const RecordHeader& header,
                          std::string_view records) {
    uint8_t bytes[kRecordHeaderSize];
    EncodeHeader(header, bytes);
    return ReplaceFile(path, [&](std::FILE* stream) {
        return WriteExactly(stream, bytes, sizeof bytes) && WriteExactly(stream, records.data(), records.size());
    });
}

void RecordFileClose(RecordFileHandle& handle) { handle.reset(); }

uint16_t RecordFileCount(const RecordFile* handle) {
    return handle ? uint16_t(handle->recordCount) : 0;
}

bool RecordFileVersion(const RecordFile* handle, uint16_t& version, uint16_t& count) {
    version = 0;
    count = 0;
    if (!handle) return false;
    version = uint16_t(handle->version);
    count = uint16_t(handle->recordCount);
    return true;
}

bool RecordFileRead(RecordFile* handle, uint32_t index, const uint8_t*& out) {
    if (!handle || handle->recordSize <= 0 || !ReadRecordAt(*handle, index)) return false;
    out = handle->buffer.data();
    return true;
}

bool RecordFileReadMany(RecordFile* handle, uint32_t first, uint32_t count, uint8_t* out) {
    if (!handle || handle->recordSize <= 0) return false;
    return ReadBytesAt(*handle, RecordOffset(*handle, first), out, size_t(count) * size_t(handle->recordSize));
}

uint32_t RecordFileReadLeading(RecordFile* handle, uint32_t limit, std::vector<uint8_t>& out) {
    out.clear();
    if (!handle || handle->recordSize <= 0) return 0;
    const off_t length = FileLength(*handle);
    const uint64_t held =
        length > off_t(kRecordHeaderSize) ? uint64_t(length - off_t(kRecordHeaderSize)) / uint64_t(handle->recordSize) : 0;
    const uint32_t count = uint32_t(std::min({held, uint64_t(handle->recordCount), uint64_t(limit)}));
    out.resize(size_t(count) * size_t(handle->recordSize));
    if (ReadBytesAt(*handle, RecordOffset(*handle, 0), out.data(), out.size())) return count;
    out.clear();
    return 0;
}

bool RecordFileHolds(const RecordFile* handle, uint32_t first, uint32_t count) {
    return handle && handle->recordSize > 0 && RecordsWithinFile(*handle, first, count);
}

const uint8_t* RecordFileRead(RecordFile* handle, uint32_t index) {
    if (!handle || handle->recordSize <= 0) return nullptr;
    ReadRecordAt(*handle, index);
    return handle->buffer.data();
}

bool RecordFileWrite(RecordFile* handle, uint32_t index, const void* data, size_t length) {
    if (!handle || !data || handle->recordSize <= 0) return false;
    // Only an existing record (the appended one included) may be written: a write further
    // out would grow the file behind the header's back.
    if (int64_t(index) >= int64_t(handle->recordCount)) return false;
    const size_t amount = std::min(length, size_t(handle->recordSize));
    if (!SeekTo(handle->stream, RecordOffset(*handle, index))) return false;
    if (!WriteExactly(handle->stream, data, amount)) return false;
    return std::fflush(handle->stream) == 0;
}

uint8_t* RecordFileAppend(RecordFile* handle, uint16_t& index, int32_t size) {
    if (!handle) return nullptr;
    const bool sizeSetHere = handle->recordSize == 0;
    if (sizeSetHere) {
        // Records without a size cannot be stepped over: the new one would land wherever
        // the damaged count says.
        if (size <= 0 || size > kMaxRecordSize || handle->recordCount != 0) return nullptr;
        handle->recordSize = size;
        if (!AllocateBuffer(*handle)) {
            handle->recordSize = 0;
            return nullptr;
        }
    }
    std::fill(handle->buffer.begin(), handle->buffer.end(), 0);

    std::FILE* stream = handle->stream;
    const off_t slot = RecordOffset(*handle, uint32_t(handle->recordCount));
    // A header that claims more records than the file holds would put this one far past its
    // end (and the gap on the disk).
    if (slot > FileLength(*handle) || !SeekTo(stream, slot) ||
        !WriteExactly(stream, handle->buffer.data(), handle->buffer.size())) {
        if (sizeSetHere) {
            handle->recordSize = 0;
            handle->buffer.clear();
        }
        return nullptr;
    }
    index = uint16_t(handle->recordCount);
    ++handle->recordCount;
    if (!UpdateHeader(*handle)) return nullptr;
    return handle->buffer.data();
}

bool RecordFileDelete(RecordFile* handle, uint32_t index) {
    if (!handle || handle->recordSize <= 0) return false;
    const int64_t count = handle->recordCount;
    if (int64_t(index) >= count) return false;  // zeroing "the last record" would lose real data
    // The tail is sized from the header's count: a count the file does not hold is refused
    // before it becomes an allocation.
    if (!RecordsWithinFile(*handle, 0, uint64_t(count))) return false;
    std::FILE* stream = handle->stream;
    const size_t recordSize = size_t(handle->recordSize);

    if (int64_t(index) < count - 1) {
        // The whole tail is read before anything is written, so a failed read leaves the
        // file untouched.
        const size_t tailBytes = size_t(count - 1 - int64_t(index)) * recordSize;
        std::vector<uint8_t> tail;
        try {
            tail.resize(tailBytes);
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (!SeekTo(stream, RecordOffset(*handle, index + 1))) return false;
        for (size_t done = 0; done < tailBytes;) {
            const size_t piece = std::min(tailBytes - done, size_t(kRecordMoveChunk));
            if (!ReadExactly(stream, tail.data() + done, piece)) return false;
            done += piece;
        }
        if (!SeekTo(stream, RecordOffset(*handle, index))) return false;
        for (size_t done = 0; done < tailBytes;) {
            const size_t piece = std::min(tailBytes - done, size_t(kRecordMoveChunk));
            if (!WriteExactly(stream, tail.data() + done, piece)) return false;
            done += piece;
        }
    }

    const std::vector<uint8_t> zeros(recordSize, 0);
    if (!SeekTo(stream, RecordOffset(*handle, uint32_t(count - 1)))) return false;
    if (!WriteExactly(stream, zeros.data(), zeros.size())) return false;
    --handle->recordCount;
    return UpdateHeader(*handle);
}

bool RecordFileSetVersion(RecordFile* handle, uint32_t version) {
    if (!handle) return false;
    uint8_t word[4];
    WriteU32(word, version);
    if (!SeekTo(handle->stream, 0) || !WriteExactly(handle->stream, word, sizeof word)) return false;
    if (std::fflush(handle->stream) != 0) return false;
    handle->version = version;
    return true;
}

uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
int16_t ReadI16(const uint8_t* p) { return int16_t(ReadU16(p)); }
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t ReadI32(const uint8_t* p) { return int32_t(ReadU32(p)); }
float ReadF32(const uint8_t* p) {
    const uint32_t bits = ReadU32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
double ReadF64(const uint8_t* p) {
    const uint64_t bits = uint64_t(ReadU32(p)) | uint64_t(ReadU32(p + 4)) << 32;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void WriteU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void WriteI16(uint8_t* p, int16_t v) { WriteU16(p, uint16_t(v)); }
void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
void WriteI32(uint8_t* p, int32_t v) { WriteU32(p, uint32_t(v)); }
void WriteF32(uint8_t* p, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteU32(p, bits);
}
void WriteF64(uint8_t* p, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteU32(p, uint32_t(bits));
    WriteU32(p + 4, uint32_t(bits >> 32));
}

}  // namespace vsp
