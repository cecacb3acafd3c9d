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
    if (!RecordFileRead(file, uint32_t(index), bytes)) return false;
    return StarRecordDecode(bytes, size_t(kStarRecordSize), out);
}

}  // namespace

bool StarCatalog::OpenDefaultStars() {
    if (defaultStars_.Open(kDefaultStarsTypeCode, 0, 0, std::string(kDataDir), std::string(kDefaultStarsFileName)))
        return true;
    Message(kStarDatabaseMissing);
    return false;
}

bool StarCatalog::LoadDefaultStars(const std::function<void(int)>& progress) {
    if (defaultLoaded_) return defaultRead_ == kDefaultStarCount;
    if (!defaultStars_.IsOpen()) return false;
    defaultLoaded_ = true;
    for (int i = 0; i < kDefaultStarCount; ++i) {
        if (!ReadDefaultRecord(defaultStars_, i, defaultArray_[size_t(i)])) {
            ShowRecordUnreadable(messages_, i);
            return false;
        }
        defaultRead_ = i + 1;
        if (progress && defaultRead_ % kDefaultStarProgressStep == 0) progress(defaultRead_);
    }
    return true;
}

bool StarCatalog::ReadDefaultStar(int index, StarRecord& out) {
    if (index < 0 || index >= kDefaultStarCount || !defaultStars_.IsOpen()) return false;
    StarRecord star;
    if (!ReadDefaultRecord(defaultStars_, index, star)) {
        ShowRecordUnreadable(messages_, index);
        return false;
    }
    out = star;
    return true;
}

}  // namespace vsp
