#include "catalog/DescriptionFile.h"

#include <cstring>

#include "catalog/CatalogTable.h"

namespace vsp {

namespace {
constexpr int32_t kPlanetTypeCode = 27;
}  // namespace

bool DescriptionFind(CatalogDb& descriptions, InfoSink& messages, int32_t catalogIndex,
                     int32_t number, char (&text)[kDescriptionShortSize]) {
    std::memset(text, 0, sizeof text);
    if (!descriptions.IsOpen()) return false;

    int32_t low = 1;
    int32_t high = descriptions.RecordCount() - 1;
    uint8_t record[kDescriptionRecordSize];
    while (low <= high) {
        const int32_t middle = (low + high) / 2;
        if (!descriptions.Read(uint16_t(middle), record, sizeof record)) {
            messages.InfoBox(kDescriptionSearchError, "");
            return false;
        }
        int64_t difference = int64_t(catalogIndex) - ReadI32(record);
        if (difference == 0) difference = int64_t(number) - ReadI32(record + 4);
        if (difference == 0) {
            const char* found = reinterpret_cast<const char*>(record + kDescriptionTextOffset);
            for (size_t k = 0; k < kDescriptionTextLength && found[k] != '\0'; ++k) text[k] = found[k];
            return true;
        }
        if (difference < 0) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return false;
}

bool DescriptionApplies(int32_t catalogIndex, int32_t typeCode) {
    if (typeCode == kPlanetTypeCode) return false;
    switch (catalogIndex) {
        case kCatalogNone:
        case kCatalogComet:
        case kCatalogConstellation:
        case kCatalogHip:
        case kCatalogHr:
        case kCatalogMeteor:
        case kCatalogPlanet:
        case kCatalogSao:
        case kCatalogBrightStars:
        case kCatalogTycho:
        case kCatalogUser:
            return false;
        default:
            return true;
    }
}

RecordLayout DescriptionRecordLayout() {
    RecordLayout layout;
    layout.name = "description";
    layout.recordSize = kDescriptionRecordSize;
    layout.filePattern = std::string(kDescriptionFileName);
    layout.headerTag = kDescriptionTypeCode;
    layout.fields = {
        {"catalog_index", 0, FieldType::I32, 0},
        {"number", 4, FieldType::I32, 0},
        {"text", kDescriptionTextOffset, FieldType::Text, int32_t(kDescriptionTextLength)},
    };
    return layout;
}

void RegisterDescriptionLayouts(RecordLayoutRegistry& registry) {
    registry.Add(DescriptionRecordLayout());
}

}  // namespace vsp
