#include "catalog/StarCatalog.h"

#include <cstdio>

#include "catalog/ExtendedStarCatalogs.h"
#include "platform/FormatText.h"

namespace vsp {

std::string ExtendedStarDesignation(int32_t number, int32_t catalogStarCount) {
    char text[40];
    if (catalogStarCount >= kTychoStarCountFrom)
        std::snprintf(text, sizeof text, "TYC%d-%d-1", number / 100000, number % 100000);
    else
        std::snprintf(text, sizeof text, "%s%d", "HIP", number);
    return text;
}

StarCatalog::StarCatalog(const ProgramDir& dir, InfoSink& messages)
    : dir_(dir), messages_(messages), defaultStars_(dir, messages), defaultArray_(kDefaultStarSlots),
      extended_(dir, messages) {}

void StarCatalog::MessageNumber(const char* format, int value) {
    Message(FormatText(format, value));
}

bool StarCatalog::OpenCompanion(std::string_view name, RecordFileHandle& handle) const {
    return RecordFileOpen(dir_, std::string(kDataDir) + std::string(name), RecordFileMode::ReadOnly, handle);
}

bool StarCatalog::OpenExtendedCatalog(int index) {
    CloseExtendedCatalog();
    if (index < 0 || index >= kExtendedCatalogCount) return false;
    const auto& info = ExtendedCatalogs()[size_t(index)];
    if (!extended_.Open(kExtendedCatalogTypeCode, 0, 0, std::string(kDataDir), std::string(info.fileName)))
        return false;
    const int n = EntriesPerBlockFor(RecordFileCount(extended_.File()));
    // A block of another size is not a catalog of this program: reading it would misplace
    // every star, so the file is treated as missing.
    if (extended_.File()->recordSize != n * kStarEntrySize) {
        extended_.Close();
        return false;
    }
    extendedIndex_ = index;
    entriesPerBlock_ = n;
    blockEntries_.assign(size_t(n), StarEntry{});
    // A chart redraw walks hundreds of blocks: read from memory they cost no system calls.
    // Should the whole file not be readable, the blocks are read one by one as they are needed.
    const size_t bytes = size_t(RecordFileCount(extended_.File())) * size_t(extended_.File()->recordSize);
    if (bytes <= kResidentCatalogLimit && !extended_.ReadAll(resident_)) resident_.clear();
    return true;
}

void StarCatalog::CloseExtendedCatalog() {
    extended_.Close();
    resident_.clear();
    extendedIndex_ = -1;
    entriesPerBlock_ = 0;
    lastEntry_ = -1;
}

int32_t StarCatalog::ExtendedStarCount() const {
    if (!extended_.IsOpen()) return 0;
    return extended_.RecordCount(entriesPerBlock_);
}

bool StarCatalog::ReadBlock(int32_t index) {
    if (!extended_.IsOpen() || index < 0) return false;
    const uint8_t* bytes = nullptr;
    const size_t blockSize = size_t(entriesPerBlock_) * kStarEntrySize;
    if ((size_t(index) + 1) * blockSize <= resident_.size()) {
        bytes = resident_.data() + size_t(index) * blockSize;
    } else if (!RecordFileRead(extended_.File(), uint32_t(index), bytes)) {
        return false;
    }
    for (int i = 0; i < entriesPerBlock_; ++i)
        StarEntryDecode(bytes + i * kStarEntrySize, size_t(kStarEntrySize), blockEntries_[size_t(i)]);
    return true;
}

int32_t StarCatalog::StarBySequence(int32_t sequence, StarRecord& out) {
    if (!extended_.IsOpen()) {
        Message(kHipparcosNotOpen);
        return 0;
    }
    if (sequence < 0) return 0;
    const int32_t block = sequence / entriesPerBlock_;
    if (!ReadBlock(block)) {
        MessageNumber(kHipparcosRecordUnreadable, block);
        return 0;
    }
    const StarEntry& entry = blockEntries_[size_t(sequence % entriesPerBlock_)];
    StarEntryToRecord(entry, out);
    return entry.number;
}

}  // namespace vsp
