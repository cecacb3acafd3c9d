// Record files as the program may find them on disk, damaged or foreign: any bytes as a file,
// opened read-only and walked record by record and at one go, opened as the writable copy
// and appended to, rewritten and deleted from, and opened through the database layer.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/FuzzHome.h"
#include "records/CatalogDb.h"
#include "records/RecordFile.h"

namespace {

using namespace vsp;

constexpr char kFolder[] = "usercatalogs/";
constexpr char kName[] = "fuzz.ppc";
// What one input may make the harness read at one go.
constexpr size_t kReadBudget = size_t(1) << 20;

uint32_t Bounded(const RecordFile& file, uint32_t count) {
    const size_t size = std::max<size_t>(size_t(file.recordSize), 1);
    return uint32_t(std::min<size_t>({count, size_t(file.recordCount), kReadBudget / size}));
}

void Walk(const ProgramDir& home, uint32_t index) {
    RecordFileHandle file;
    if (!RecordFileOpen(home, std::string(kFolder) + kName, RecordFileMode::ReadOnly, file)) return;
    uint16_t version = 0, count = 0;
    RecordFileVersion(file.get(), version, count);
    const uint8_t* record = nullptr;
    for (uint32_t i = 0; i < Bounded(*file, 16); ++i) RecordFileRead(file.get(), i, record);
    RecordFileRead(file.get(), index);
    std::vector<uint8_t> all(size_t(Bounded(*file, UINT32_MAX)) * size_t(std::max(file->recordSize, 0)));
    RecordFileReadMany(file.get(), 0, Bounded(*file, UINT32_MAX), all.data());
}

void Change(const ProgramDir& home, uint32_t index, uint8_t how) {
    RecordFileHandle file;
    if (!RecordFileOpen(home, kName, RecordFileMode::ReadWrite, file)) return;
    const std::vector<uint8_t> record(64, how);
    uint16_t appended = 0;
    if (how & 1) RecordFileAppend(file.get(), appended, 64);
    if (how & 2) RecordFileWrite(file.get(), index, record.data(), record.size());
    if (how & 4) RecordFileDelete(file.get(), index);
    if (how & 8) RecordFileSetVersion(file.get(), how);
}

void ThroughDatabase(const ProgramDir& home, uint16_t index, uint8_t how) {
    RecordingInfoSink messages;
    CatalogDb db(home, messages);
    if (!db.Open(0, 0, how & 1, kFolder, kName)) return;
    db.Version();
    std::vector<uint8_t> record(80);
    db.Read(index, record.data(), record.size());
    if (how & 2) {
        std::vector<uint8_t> all;
        db.ReadAll(all);
    }
    if (how & 4) db.Write(how & 8 ? kAppendIndex : index, record.data(), record.size());
    if (how & 16) db.Delete(index);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t action = input.ConsumeIntegral<uint8_t>();
    const uint8_t how = input.ConsumeIntegral<uint8_t>();
    const uint16_t index = input.ConsumeIntegral<uint16_t>();
    const ProgramDir& home = fuzz::FreshHome();
    fuzz::WriteHomeFile(std::string(kFolder) + kName, input.ConsumeRemainingBytesAsString());
    switch (action % 3) {
        case 0: Walk(home, index); break;
        case 1: Change(home, index, how); break;
        default: ThroughDatabase(home, index, how); break;
    }
    return 0;
}
