#include "records/CatalogDb.h"

#include <algorithm>
#include <cstring>

namespace vsp {

namespace {
constexpr const char* kNotOpen = "Database isn't open!";
constexpr const char* kCannotRead = "Could not retrieve record!";
}  // namespace

bool CatalogDb::Open(uint32_t typeCode, uint32_t creatorCode, int mode, const std::string& directory,
                     const std::string& name) {
    Close();
    const RecordFileMode fileMode = mode == 0 ? RecordFileMode::ReadOnly : RecordFileMode::ReadWrite;
    return RecordFileOpen(dir_, directory + name, fileMode, file_);
}

void CatalogDb::Close() { RecordFileClose(file_); }

int32_t CatalogDb::RecordCount(int32_t factor) const {
    return int32_t(RecordFileCount(file_.get())) * factor;
}

bool CatalogDb::Read(uint16_t index, void* destination, size_t length) {
    if (!file_) return false;
    const uint8_t* record = nullptr;
    if (!RecordFileRead(file_.get(), index, record)) {
        messages_.InfoBox(kCannotRead, "");
        return false;
    }
    // The record buffer holds one record; a longer destination gets zeros behind it.
    const size_t amount = std::min(length, file_->buffer.size());
    std::memcpy(destination, record, amount);
    std::memset(static_cast<uint8_t*>(destination) + amount, 0, length - amount);
    return true;
}

bool CatalogDb::ReadAll(std::vector<uint8_t>& out) {
    if (!file_) return false;
    // The header's count and size are only believed as far as the file bears them out.
    if (!RecordFileHolds(file_.get(), 0, uint32_t(RecordCount()))) {
        messages_.InfoBox(kCannotRead, "");
        return false;
    }
    out.resize(size_t(RecordCount()) * size_t(file_->recordSize));
    if (!RecordFileReadMany(file_.get(), 0, uint32_t(RecordCount()), out.data())) {
        messages_.InfoBox(kCannotRead, "");
        return false;
    }
    return true;
}

bool CatalogDb::Write(uint16_t index, const void* data, size_t length) {
    if (!file_) {
        messages_.InfoBox(kNotOpen, "");
        return false;
    }
    uint32_t target = index;
    if (index == kAppendIndex) {
        uint16_t appended = 0;
        if (!RecordFileAppend(file_.get(), appended, int32_t(length))) return false;
        // The 16-bit index wraps in a file of more than 65535 records; the count does not.
        target = uint32_t(file_->recordCount - 1);
    }
    return RecordFileWrite(file_.get(), target, data, length);
}

bool CatalogDb::Delete(int32_t index) {
    if (!file_) {
        messages_.InfoBox(kNotOpen, "");
        return false;
    }
    if (index < 0 || index >= file_->recordCount) return false;
    return RecordFileDelete(file_.get(), uint32_t(index));
}

uint16_t CatalogDb::Version() const {
    uint16_t version = 0, count = 0;
    RecordFileVersion(file_.get(), version, count);
    return version;
}

}  // namespace vsp
