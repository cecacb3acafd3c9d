#include <new>

#include "catalog/StarCatalog.h"

namespace vsp {

void StarCatalog::LoadConstellationLines(int set) {
    if (set == lineSet_) return;
    lineSet_ = set;
    lines_.clear();
    const size_t capacity = set == 0 ? kClassicLineCapacity : kReyLineCapacity;
    try {
        lines_.reserve(capacity);
    } catch (const std::bad_alloc&) {
        Message(kConstellationNoBuffer);
        return;
    }
    RecordFileHandle file;
    if (!OpenCompanion(kConstellationLineFileName, file) || file->recordSize < kConstellationLineRecordSize) {
        Message(kConstellationFileMissing, kVerifyConfiguration);
        return;
    }
    std::vector<uint8_t> records;
    const uint32_t count = RecordFileReadLeading(file.get(), uint32_t(file->recordCount), records);
    for (uint32_t i = 0; i < count && lines_.size() < capacity; ++i) {
        const uint8_t* bytes = records.data() + size_t(i) * size_t(file->recordSize);
        if (ReadI16(bytes) != set) continue;
        lines_.push_back({ReadI16(bytes + 2), ReadI16(bytes + 4), ReadI16(bytes + 6)});
    }
}

}  // namespace vsp
