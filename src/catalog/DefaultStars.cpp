#include <cstdio>

#include "catalog/StarCatalog.h"

namespace vsp {

namespace {

void ShowRecordUnreadable(InfoSink& messages, int index) {
    char second[32];
    std::snprintf(second, sizeof second, "recId %d", index);
    messages.InfoBox(kStarRecordUnreadable, second);
}

// A record of another size is not a default star: decoding it would read foreign bytes.
bool ReadDefaultRecord(CatalogDb& db, int index, StarRecord& out) {
    RecordFile* file = db.File();
    if (!file || file->recordSize != kStarRecordSize) return false;
    const uint8_t* bytes = nullptr;
    if (RecordFileRead(file, uint32_t(index), bytes) != 0) return false;
    return StarRecordDecode(bytes, size_t(kStarRecordSize), out) == 1;
}

}  // namespace

int StarCatalog::OpenDefaultStars() {
    if (defaultStars_.Open(kDefaultStarsTypeCode, 0, 0, std::string(kDataDir), std::string(kDefaultStarsFileName)))
        return 1;
    Message(kStarDatabaseMissing);
    return 0;
}

int StarCatalog::LoadDefaultStars(const std::function<void(int)>& progress) {
    if (defaultLoaded_) return defaultRead_ == kDefaultStarCount ? 1 : 0;
    if (!defaultStars_.IsOpen()) return 0;
    defaultLoaded_ = true;
    for (int i = 0; i < kDefaultStarCount; ++i) {
        if (!ReadDefaultRecord(defaultStars_, i, defaultArray_[size_t(i)])) {
            ShowRecordUnreadable(messages_, i);
            return 0;
        }
        defaultRead_ = i + 1;
        if (progress && defaultRead_ % kDefaultStarProgressStep == 0) progress(defaultRead_);
    }
    return 1;
}

int StarCatalog::ReadDefaultStar(int index, StarRecord& out) {
    if (index < 0 || index >= kDefaultStarCount || !defaultStars_.IsOpen()) return 0;
    StarRecord star;
    if (!ReadDefaultRecord(defaultStars_, index, star)) {
        ShowRecordUnreadable(messages_, index);
        return 0;
    }
    out = star;
    return 1;
}

}  // namespace vsp
