#include "cli/KnownLayouts.h"

#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/Eyepieces.h"
#include "catalog/ObjectRecord.h"
#include "catalog/UserLocations.h"
#include "catalog/CityList.h"
#include "settings/PreferenceStore.h"

namespace vsp::cli {

RecordLayoutRegistry KnownLayouts(const PreferenceTable& settings) {
    RecordLayoutRegistry registry;
    registry.Add(PreferenceRecordLayout(settings));
    RegisterDescriptionLayouts(registry);
    RegisterObjectLayouts(registry);
    registry.Add(CrossReferenceLayout(kCrossReferenceRecordSize));
    RegisterCityLayouts(registry);
    registry.Add(EyepieceLayout());
    registry.Add(UserLocationLayout());
    return registry;
}

}  // namespace vsp::cli
