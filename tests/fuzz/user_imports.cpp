// The user's imports as `import eyepieces|locations|catalog NAME` runs them on a text put in
// import/: every line read by the kind's rules, the accepted ones written as the kind's record
// file; a custom catalog imported twice, so that the second import reads the file the first
// wrote and updates its records. An import that succeeded must leave every record it counted
// readable.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "catalog/Eyepieces.h"
#include "catalog/UserImports.h"
#include "fuzz/FuzzHome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const uint8_t kind = input.ConsumeIntegral<uint8_t>();
    const ProgramDir& home = fuzz::FreshHome();
    fuzz::WriteHomeFile(std::string(kImportDir) + "fuzz.txt", input.ConsumeRemainingBytesAsString());
    const ImportServer server;  // the local copy is read: no address needed
    RecordingInfoSink messages;
    ImportResult result;
    switch (kind % 3) {
        case 0:
            if (ImportEyepieces(home, "fuzz", server, messages, result) &&
                LoadEyepieces(home).size() != size_t(result.imported))
                std::abort();
            break;
        case 1: ImportLocations(home, "fuzz", server, messages, result); break;
        default:
            if (ImportCustomCatalog(home, "fuzz", server, messages, result)) {
                const int first = result.imported;
                ImportResult again;
                if (ImportCustomCatalog(home, "fuzz", server, messages, again) && again.imported != 0 &&
                    first != 0)
                    std::abort();
            }
            break;
    }
    return 0;
}
