// The catalog tables a user names to `data build`: the NGC 2000.0 table (`--ngc2000 FILE`)
// built into the description file, and the lines of the Tycho-2 catalogue and its supplement
// (`--tycho2 DIR`).

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "databuild/DescriptionFileBuild.h"
#include "databuild/TychoFiles.h"
#include "fuzz/FuzzHome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const uint8_t which = input.ConsumeIntegral<uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    if (which % 2 == 0) {
        const ProgramDir& home = fuzz::FreshHome();
        fuzz::WriteHomeFile("import/ngc2000.dat", text);
        databuild::DescriptionBuildResult result;
        databuild::DescriptionFileBuild(home.Path("import/ngc2000.dat"), home.Path("usercatalogs/desc.ppc"), result);
        return 0;
    }
    std::string_view lines(text);
    while (!lines.empty()) {
        const size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        databuild::TychoStar star;
        std::string why;
        databuild::TychoMainLineParse(line, star, why);
        databuild::TychoSupplementLineParse(line, star, why);
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
    return 0;
}
