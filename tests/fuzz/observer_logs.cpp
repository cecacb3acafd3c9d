// Observer notes exchanged as text: any text imported as `import logs` does (each line that
// reads as a note saved under userlogs/), in either date order, then every note written back
// as the export does.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz/FuzzHome.h"
#include "tools/ObserverLogExport.h"
#include "tools/ObserverLogImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const DateOrder order = input.ConsumeBool() ? DateOrder::MonthFirst : DateOrder::DayFirst;
    const std::string text = input.ConsumeRemainingBytesAsString();
    const ProgramDir& home = fuzz::FreshHome();
    RecordingInfoSink messages;
    LogImportCounts counts;
    if (!ImportLogs(home, text, order, messages, counts)) return 0;
    LogExportResult exported;
    ExportLogs(home, order, TextFormats{}, messages, exported);
    return 0;
}
