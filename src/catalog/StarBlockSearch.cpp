#include <algorithm>
#include <cmath>

#include "catalog/StarCatalog.h"

namespace vsp {

namespace {

// Which number index serves the open catalog: only the 110K and the 9110-star files have one.
std::string_view NumberIndexFor(int32_t starCount) {
    if (starCount >= 118001 && starCount <= 119999) return kHip110kIndexFileName;
    if (starCount >= 9101 && starCount <= 9199) return kHrIndexFileName;
    return {};
}

}  // namespace

int StarCatalog::BlockByDeclination(float declination) {
    if (!extended_.IsOpen() || !(declination >= -90.0f && declination <= 90.0f)) return -1;
    const int count = int(RecordFileCount(extended_.File()));
    if (count <= 0) return -1;
    if (count == 1) return 0;
    const double dec = declination;
    const int d = int(dec);
    const int m = int(dec * 60.0) % 60;
    const int s = int(dec * 3600.0) % 60;
    int low = 0, high = count - 1, mid = 0;
    while (true) {
        mid = (low + high) / 2;
        if (!ReadBlock(mid)) {
            MessageNumber(kHipparcosRecordUnreadable, mid);
            return -1;
        }
        const StarEntry& key = blockEntries_[0];
        int diff = d - key.decDegrees;
        if (diff == 0) diff = m - key.decMinutes;
        if (diff == 0) diff = s - key.decSeconds;
        if (diff < 0) high = mid - 1;
        else low = mid + 1;
        if (diff == 0 || low + high < 2 || low > high) break;
    }
    return mid;
}

int StarCatalog::StarByNumber(int32_t number, StarRecord& out) {
    if (number < 1 || number > kHighestStarNumber || !extended_.IsOpen()) return -1;
    const std::string_view indexName = NumberIndexFor(ExtendedStarCount());
    if (indexName.empty()) return -1;
    RecordFileHandle index;
    if (!OpenCompanion(indexName, index)) {
        Message(kHipparcosIndexMissing);
        return -1;
    }
    const int32_t indexRecord = number / kNumberIndexSlots;
    const uint8_t* slots = nullptr;
    if (index->recordSize < kNumberIndexSlots * 2 || !RecordFileRead(index.get(), uint32_t(indexRecord), slots)) {
        MessageNumber(kHipparcosIndexUnreadable, indexRecord);
        return -1;
    }
    const int block = ReadI16(slots + 2 * (number % kNumberIndexSlots));
    // A gap in the numbering is marked -1: no star, and no block to read.
    if (block < 0) return -1;
    if (!ReadBlock(block)) {
        MessageNumber(kHipparcosRecordUnreadable, block);
        return -1;
    }
    TakeFromBlock(number, out);
    return block;
}

bool StarCatalog::StarByTycho(int32_t number, StarRecord& out) {
    if (number <= 0 || !extended_.IsOpen()) return false;
    RecordFileHandle index;
    if (!OpenCompanion(kTychoIndexFileName, index)) {
        Message(kTychoIndexMissing);
        return false;
    }
    const uint8_t* band = nullptr;
    if (index->recordSize < 8 || !RecordFileRead(index.get(), uint32_t(number / 100000), band)) {
        Message(kTychoIndexUnreadable);
        return false;
    }
    int first = BlockByDeclination(ReadF32(band));
    int last = BlockByDeclination(ReadF32(band + 4));
    if (first < 0 || last < 0) return false;
    if (first > last) std::swap(first, last);
    for (int block = first; block <= last; ++block) {
        if (!ReadBlock(block)) {
            Message(kTychoBlockUnreadable);
            return false;
        }
        if (TakeFromBlock(number, out)) return true;
    }
    return false;
}

bool StarCatalog::TakeFromBlock(int32_t number, StarRecord& out) {
    for (int i = 0; i < entriesPerBlock_; ++i) {
        if (blockEntries_[size_t(i)].number != number) continue;
        StarEntryToRecord(blockEntries_[size_t(i)], out);
        lastEntry_ = i;
        return true;
    }
    return false;
}

}  // namespace vsp
