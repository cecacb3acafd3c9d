// Observer notes exchanged as text: any text imported as `import logs` does (each line that
// reads as a note saved under userlogs/), in either date order, then every note written back
// as the export does, and the export imported again: each note exported must come back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
    if (!ExportLogs(home, order, TextFormats{}, messages, exported)) return 0;

    std::vector<std::string> files;
    for (const std::string& path : exported.files) {
        std::ifstream file(path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    fuzz::FreshHome();
    int back = 0;
    for (const std::string& file : files) {
        ImportLogs(home, file, order, messages, counts);
        back += counts.accepted;
    }
    if (back != exported.exported) std::abort();
    return 0;
}
