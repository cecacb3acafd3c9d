// Random record reads from a 100000-record file: the chart walks thousands of star records
// per redraw, each a seek and a read into the handle's buffer.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "records/RecordFile.h"

namespace {

constexpr int kRecords = 100000;

class StarFile {
public:
    explicit StarFile(int recordSize) {
        std::string pattern = (std::filesystem::temp_directory_path() / "vsp-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        root_ = pattern;
        std::filesystem::create_directories(root_ + "/data");
        std::vector<uint8_t> bytes(size_t(vsp::kRecordHeaderSize) + size_t(kRecords) * size_t(recordSize));
        vsp::WriteU32(bytes.data(), 1);
        vsp::WriteU32(bytes.data() + 4, vsp::FourCharCode("Star"));
        vsp::WriteI32(bytes.data() + 8, kRecords);
        vsp::WriteI32(bytes.data() + 12, recordSize);
        for (int i = 0; i < kRecords; ++i)
            vsp::WriteI32(bytes.data() + vsp::kRecordHeaderSize + size_t(i) * size_t(recordSize), i);
        std::FILE* f = std::fopen((root_ + "/data/stars.ppc").c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
        std::fclose(f);
        if (!vsp::RecordFileOpen(vsp::ProgramDir(root_), "data/stars.ppc", vsp::RecordFileMode::ReadOnly, handle)) std::abort();
    }
    ~StarFile() {
        vsp::RecordFileClose(handle);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    vsp::RecordFileHandle handle;

private:
    std::string root_;
};

void BM_RecordFileReadRandom(benchmark::State& state) {
    StarFile file(int(state.range(0)));
    std::mt19937 random(12345);
    std::uniform_int_distribution<uint32_t> pick(0, kRecords - 1);
    std::vector<uint32_t> indexes(4096);
    for (auto& i : indexes) i = pick(random);
    size_t next = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        const uint8_t* record = nullptr;
        const uint32_t index = indexes[next++ & 4095];
        if (!vsp::RecordFileRead(file.handle.get(), index, record)) state.SkipWithError("read failed");
        sum += vsp::ReadI32(record);
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}
// 16 bytes: a compact star record; 76: an observing-list sized record.
BENCHMARK(BM_RecordFileReadRandom)->Arg(16)->Arg(76);

void BM_RecordFileReadSequential(benchmark::State& state) {
    StarFile file(16);
    uint32_t index = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        const uint8_t* record = vsp::RecordFileRead(file.handle.get(), index);
        sum += vsp::ReadI32(record);
        index = (index + 1) % kRecords;
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecordFileReadSequential);

}  // namespace
