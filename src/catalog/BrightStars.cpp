#include <cstring>

#include "catalog/StarCatalog.h"

namespace vsp {

namespace {

bool ReadBrightRecord(RecordFile* file, int32_t index, BrightStarRecord& out) {
    if (index < 0 || index >= file->recordCount) return false;
    const uint8_t* bytes = nullptr;
    if (!RecordFileRead(file, uint32_t(index), bytes)) return false;
    std::memcpy(out.name, bytes, size_t(kBrightStarNameSize));
    out.name[kBrightStarNameSize - 1] = '\0';  // a full 18-byte name would run into the index
    out.starIndex = ReadI16(bytes + 18);
    return true;
}

}  // namespace

int StarCatalog::BrightStarCount() {
    if (brightStarCount_ >= 0) return brightStarCount_;
    RecordFileHandle file;
    // The names and the index by number are the two sorted halves of the file: a header that
    // claims more records than a damaged copy holds leaves neither half to search, and would
    // send every pass over the names through as many failed reads.
    const bool whole = OpenCompanion(kBrightStarFileName, file) && file->recordSize >= kBrightStarRecordSize &&
                       RecordFileHolds(file.get(), 0, uint32_t(file->recordCount));
    brightStarCount_ = whole ? file->recordCount / 2 : 0;
    return brightStarCount_;
}

bool StarCatalog::ReadBrightStar(int index, BrightStarRecord& out) {
    RecordFileHandle file;
    if (!OpenCompanion(kBrightStarFileName, file) || file->recordSize < kBrightStarRecordSize) return false;
    return ReadBrightRecord(file.get(), index, out);
}

int StarCatalog::FindBrightStar(int32_t starNumber) {
    const int k = BrightStarCount();
    RecordFileHandle file;
    if (k <= 0 || !OpenCompanion(kBrightStarFileName, file) || file->recordSize < kBrightStarRecordSize)
        return -1;
    const uint16_t wanted = uint16_t(uint32_t(starNumber) & 0xFFFF);
    // The number of the default star a record points to (0 for an index outside the array).
    auto pointedNumber = [&](const BrightStarRecord& r) -> uint16_t {
        if (r.starIndex < 0 || r.starIndex >= kDefaultStarCount) return 0;
        return StarRecordId(defaultArray_[size_t(r.starIndex)]);
    };
    BrightStarRecord found;
    int foundAt = -1;
    for (int low = k, high = 2 * k - 1; low <= high;) {
        const int mid = (low + high) / 2;
        BrightStarRecord r;
        if (!ReadBrightRecord(file.get(), mid, r)) return -1;
        const uint16_t number = pointedNumber(r);
        if (number == wanted) {
            found = r;
            foundAt = mid;
            break;
        }
        if (number < wanted) low = mid + 1;
        else high = mid - 1;
    }
    if (foundAt < 0) return -1;
    for (int low = 0, high = k - 1; low <= high;) {
        const int mid = (low + high) / 2;
        BrightStarRecord r;
        if (!ReadBrightRecord(file.get(), mid, r)) break;
        const int order = std::strcmp(r.name, found.name);
        if (order == 0) return mid;
        if (order < 0) low = mid + 1;
        else high = mid - 1;
    }
    return foundAt;
}

}  // namespace vsp
