// The Moon's and Mars's feature files as the feature search reads them: any bytes as records,
// each feature kept within its ranges, then searched by a name cut from the same bytes.

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "catalog/SurfaceFeatures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    const std::vector<SurfaceFeature> features = DecodeSurfaceFeatures(data, size);
    for (const SurfaceFeature& f : features) {
        if (f.name.empty() || f.name.size() > 32 || f.type.size() != 2 || !(std::fabs(f.latDeg) <= 90.0) ||
            !(std::fabs(f.lonDeg) <= 180.0) || !(f.diameterKm >= 0.0))
            std::abort();
        FeatureTypeName(f.type);
    }
    const std::string query(reinterpret_cast<const char*>(data), std::min<size_t>(size, 4));
    for (const SurfaceFeature* f : FindSurfaceFeatures(features, query)) {
        if (f < features.data() || f >= features.data() + features.size()) std::abort();
    }
    return 0;
}
