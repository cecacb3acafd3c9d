// `minor import FILE` on a file of the user's: the header skipped, damaged lines reported and
// skipped, the filters and the kind chosen by the first byte, both databases replaced. An
// import that succeeded must leave in each database exactly what it says it wrote, every
// record readable.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/ImportText.h"
#include "fuzz/FuzzHome.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MinorBodyImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    MinorBodyImportOptions options;
    if (choice & 1) options.kind = MinorBodyKind::Comet;
    else if (choice & 2) options.kind = MinorBodyKind::MinorPlanet;
    if (choice & 4) {
        options.brighterThan = 12.0;
        options.magnitude = [](const MinorBodyElements& body) { return body.absoluteMagnitude; };
    }
    if (choice & 8) options.only = {"Ceres", "12P", "2025 AB1"};
    const ProgramDir& home = fuzz::FreshHome();
    const std::string file = std::string(kImportDir) + "elements.txt";
    fuzz::WriteHomeFile(file, input.ConsumeRemainingBytesAsString());
    RecordingInfoSink messages;
    MinorBodyImportReport report;
    if (!ImportMinorBodies(home, home.Path(file), options, messages, report)) return 0;
    for (MinorBodyKind kind : {MinorBodyKind::Comet, MinorBodyKind::MinorPlanet}) {
        if (report.written[KindSlot(kind)] == 0) continue;
        MinorBodyDatabase database(home, messages, kind);
        std::vector<MinorBodyRecord> records;
        if (!database.Open() || !database.ReadAll(records) || records.size() != size_t(report.written[KindSlot(kind)]))
            std::abort();
    }
    return 0;
}
