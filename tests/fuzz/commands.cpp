// The command line's own readers of outside input, run through the whole front end as a user
// runs them: `records info` and `records dump [--index N] [--json]` of any bytes as a file,
// and `prefs set` of any words. The front end builds every command for each run, so this
// harness is slow by nature; the readers beneath have faster harnesses of their own.

#include <fuzzer/FuzzedDataProvider.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "fuzz/FuzzHome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const uint8_t how = input.ConsumeIntegral<uint8_t>();
    const ProgramDir& home = fuzz::FreshHome();
    std::vector<std::string> args{"--home", home.Root()};
    if (how & 1) {
        args.insert(args.end(), {"prefs", "set"});
        while (input.remaining_bytes() > 0) args.push_back(input.ConsumeRandomLengthString(64));
    } else {
        const uint16_t index = input.ConsumeIntegral<uint16_t>();
        fuzz::WriteHomeFile("usercatalogs/fuzz.ppc", input.ConsumeRemainingBytesAsString());
        args.insert(args.end(), {"records", how & 2 ? "dump" : "info", home.Path("usercatalogs/fuzz.ppc")});
        if (how & 4) args.insert(args.end(), {"--index", std::to_string(index)});
        if (how & 8) args.push_back("--json");
    }
    std::ostringstream out, err;
    cli::RunCommandLine(args, out, err, {});
    return 0;
}
