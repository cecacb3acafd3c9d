// OMM texts as `sat import` takes them: the input read as CSV, as JSON and as XML. Every set a
// reader accepts must be what the two-line reader accepts too (69 columns, check digits, one
// catalog number, values an orbit has), must keep its catalog number through the database
// record, and must propagate as the satellite commands do.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "satellites/CatalogNumber.h"
#include "satellites/OmmText.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"

namespace {

void Check(const vsp::ParsedElementSets& parsed) {
    using namespace vsp;
    const SatelliteObserver observer{48.85, 2.35, 0.035};
    for (const SatelliteRecord& record : parsed.records) {
        const ParsedElementSets again = ParseElementSets("NAME\n" + record.line1 + "\n" + record.line2 + "\n");
        if (again.records.size() != 1 || record.name.find('\n') != std::string::npos) __builtin_trap();
        uint8_t bytes[kSatelliteRecordSize];
        EncodeSatelliteRecord(record, bytes);
        const SatelliteRecord back = DecodeSatelliteRecord(bytes);
        if (SatelliteCatalogNumber(back) != SatelliteCatalogNumber(record) || !SatelliteCatalogNumber(back))
            __builtin_trap();
        SatelliteElements elements;
        ConvertSatelliteRecord(back, elements);
        ComputeSatellite(elements.epochJd + 0.1, observer, elements);
        ComputeSatellite(elements.epochJd + 30.0, observer, elements);
    }
    for (const ElementSetReject& reject : parsed.rejects)
        if (reject.reason.empty() || (reject.line == 0) == (reject.record == 0)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(vsp::ParseOmmCsv(text));
    Check(vsp::ParseOmmJson(text));
    Check(vsp::ParseOmmXml(text));
    Check(vsp::ParseElementSetText(text));
    return 0;
}
