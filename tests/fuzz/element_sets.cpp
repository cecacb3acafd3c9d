// Element sets as `sat import` takes them: the text reader, then every set it accepts stored
// as a database record, read back, and propagated by the models as the satellite commands
// do (deep-space orbits also by SDP4, forward and back through its resonance integrator), so that nothing an import lets in can upset the models; then the input's first bytes
// typed as a name or number to find among them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "satellites/ElementSetText.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedElementSets parsed = ParseElementSets(text);
    const SatelliteObserver observer{48.85, 2.35, 0.035};
    for (const SatelliteRecord& record : parsed.records) {
        uint8_t bytes[kSatelliteRecordSize];
        EncodeSatelliteRecord(record, bytes);
        SatelliteElements elements;
        ConvertSatelliteRecord(DecodeSatelliteRecord(bytes), elements);
        // SGP near the epoch, SGP4 a month on, and the shadow test of the pass search.
        ComputeSatellite(elements.epochJd + 0.1, observer, elements);
        ComputeSatellite(elements.epochJd + 30.0, observer, elements);
        ComputeSatelliteVisibility(elements.epochJd + 1.0, 69.0, observer, elements);
        const SatelliteObserver deepSpace{48.85, 2.35, 0.035, DeepSpaceOrbits::Sdp4};
        ComputeSatellite(elements.epochJd + 30.0, deepSpace, elements);
        ComputeSatellite(elements.epochJd - 3.0, deepSpace, elements);
    }
    for (const int index : MatchSatellites(parsed.records, text.substr(0, 24), 100))
        if (index < 0 || size_t(index) >= parsed.records.size()) __builtin_trap();
    return 0;
}
