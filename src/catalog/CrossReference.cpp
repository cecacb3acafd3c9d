#include "catalog/CrossReference.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vsp {

bool CrossReferenceFind(CatalogDb& crossRefs, InfoSink& messages, int32_t catalog, int32_t number,
                        int16_t (&catalogs)[kCrossReferenceOthers],
                        int32_t (&numbers)[kCrossReferenceOthers], int wanted, int& found,
                        char* name, size_t nameLength) {
    found = 0;
    if (!crossRefs.IsOpen() || !crossRefs.File()) return false;
    const int32_t recordSize = crossRefs.File()->recordSize;
    if (recordSize < kCrossReferenceNameOffset) return false;
    std::vector<uint8_t> record(size_t(recordSize) + 1, 0);  // NUL behind an unterminated name

    int32_t low = 1;
    int32_t high = crossRefs.RecordCount() - 1;
    while (low <= high) {
        const int32_t middle = (low + high) / 2;
        if (!crossRefs.Read(uint16_t(middle), record.data(), size_t(recordSize))) {
            messages.InfoBox(kCrossReferenceSearchError, "");
            return false;
        }
        int64_t difference = int64_t(int16_t(catalog)) - ReadI16(record.data());
        if (difference == 0) difference = int64_t(number) - ReadI32(record.data() + 8);
        if (difference < 0) {
            high = middle - 1;
            continue;
        }
        if (difference > 0) {
            low = middle + 1;
            continue;
        }
        bool any = false;
        if (name && nameLength > 0) {
            const char* common = reinterpret_cast<const char*>(record.data() + kCrossReferenceNameOffset);
            std::strncpy(name, common, nameLength);
            name[nameLength - 1] = '\0';
            any = name[0] != '\0';
        }
        const int limit = std::clamp(wanted, 1, kCrossReferenceOthers);
        for (int k = 0; k < limit; ++k) {
            const int16_t other = ReadI16(record.data() + 2 + 2 * k);
            if (other <= 0) break;
            catalogs[found] = other;
            numbers[found] = ReadI32(record.data() + 12 + 4 * k);
            ++found;
        }
        return any || found > 0;
    }
    return false;
}

std::vector<int64_t> CrossReferenceNamedKeys(CatalogDb& crossRefs) {
    std::vector<int64_t> keys;
    std::vector<uint8_t> bytes;
    if (!crossRefs.IsOpen() || !crossRefs.File() || !crossRefs.ReadAll(bytes)) return keys;
    const size_t recordSize = size_t(std::max(crossRefs.File()->recordSize, 0));
    if (recordSize <= size_t(kCrossReferenceNameOffset)) return keys;
    // Record 0 is not an object's.
    for (size_t at = recordSize; at + recordSize <= bytes.size(); at += recordSize) {
        const uint8_t* record = bytes.data() + at;
        if (record[kCrossReferenceNameOffset] != 0)
            keys.push_back(CrossReferenceKey(ReadI16(record), ReadI32(record + 8)));
    }
    std::ranges::sort(keys);
    return keys;
}

RecordLayout CrossReferenceLayout(int32_t recordSize) {
    return RecordLayout{"cross reference",
                        recordSize,
                        std::string(kCrossReferenceFile),
                        kCrossReferenceTypeCode,
                        {{"catalog1", 0, FieldType::I16, 0},
                         {"catalog2", 2, FieldType::I16, 0},
                         {"catalog3", 4, FieldType::I16, 0},
                         {"catalog4", 6, FieldType::I16, 0},
                         {"number1", 8, FieldType::I32, 0},
                         {"number2", 12, FieldType::I32, 0},
                         {"number3", 16, FieldType::I32, 0},
                         {"number4", 20, FieldType::I32, 0},
                         {"name", kCrossReferenceNameOffset, FieldType::Text,
                          recordSize - kCrossReferenceNameOffset}}};
}

}  // namespace vsp
