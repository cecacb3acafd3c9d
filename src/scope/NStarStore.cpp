#include "scope/NStarStore.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr uint32_t kNStarTag = FourCharCode("NStr");
constexpr uint32_t kNStarVersion = 1;
constexpr size_t kTermCountOffset = 0, kCoefficientsOffset = 8, kErrorsOffset = 72;

AlignStarBytes EncodeModels(const NStarState& state) {
    AlignStarBytes bytes{};
    WriteI32(bytes.data() + kTermCountOffset, state.model.Terms());
    for (int i = 0; i < state.model.Terms() && i < kMaxModelTerms; ++i)
        WriteF64(bytes.data() + kCoefficientsOffset + 8 * i, state.model.coefficients[i]);
    const MountErrors& e = state.errors;
    int at = 0;
    for (double value : {e.z1, e.z2, e.z3, e.e1, e.e2}) WriteF64(bytes.data() + kErrorsOffset + 8 * at++, value);
    return bytes;
}

void DecodeModels(const uint8_t* bytes, NStarState& state) {
    const int32_t terms = ReadI32(bytes + kTermCountOffset);
    for (int i = 0; i < terms && i < kMaxModelTerms; ++i)
        state.model.coefficients.push_back(ReadF64(bytes + kCoefficientsOffset + 8 * i));
    MountErrors& e = state.errors;
    int at = 0;
    for (double* value : {&e.z1, &e.z2, &e.z3, &e.e1, &e.e2}) *value = ReadF64(bytes + kErrorsOffset + 8 * at++);
}

}  // namespace

bool SaveNStars(const ProgramDir& dir, const NStarState& state) {
    std::string records;
    const AlignStarBytes models = EncodeModels(state);
    records.append(models.begin(), models.end());
    for (const AlignStar& star : state.list.Stars()) {
        const AlignStarBytes bytes = EncodeAlignStar(star);
        records.append(bytes.begin(), bytes.end());
    }
    std::error_code error;
    std::filesystem::create_directories(dir.Path(kUserCatalogsDir), error);
    const RecordHeader header{kNStarVersion, kNStarTag, int32_t(state.list.Size() + 1), kAlignStarRecordSize};
    return RecordFileWriteWhole(dir.Path(kUserCatalogsDir, kNStarFileName), header, records);
}

bool LoadNStars(const ProgramDir& dir, NStarState& state) {
    state = {};
    const std::string relative = std::string(kUserCatalogsDir) + kNStarFileName;
    if (!std::filesystem::exists(dir.Path(relative))) return true;
    RecordFileHandle file;
    if (!RecordFileOpen(dir, relative, RecordFileMode::ReadOnly, file) || file->tag != kNStarTag ||
        file->recordSize != kAlignStarRecordSize)
        return false;
    const uint8_t* record = RecordFileRead(file.get(), 0);
    if (!record) return false;
    DecodeModels(record, state);
    RecordingInfoSink ignored;  // the list was checked star by star when it was built
    for (uint32_t i = 1; i < RecordFileCount(file.get()); ++i) {
        record = RecordFileRead(file.get(), i);
        if (!record) return false;
        AlignStarBytes bytes;
        std::copy(record, record + kAlignStarRecordSize, bytes.begin());
        state.list.Add(DecodeAlignStar(bytes), ignored);
    }
    return true;
}

}  // namespace vsp
