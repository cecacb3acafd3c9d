// The Milky Way's outline: the home's data/vespertar_milkyway.ppc as the chart reads it (any
// bytes, header included) and an mw.json as `data build` reads it. Every ring read back must
// hold three points or more of a known level, inside the sky.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "catalog/MilkyWay.h"
#include "databuild/DataBuild.h"
#include "databuild/DataFileWriter.h"
#include "fuzz/FuzzHome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const bool json = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const ProgramDir& home = fuzz::FreshHome();
    if (json) {
        fuzz::WriteHomeFile("import/mw.json", bytes);
        databuild::DataFileWriter file(std::string(kMilkyWayFileName), kMilkyWayTypeCode, 1, kMilkyWayRecordSize);
        std::string problem;
        databuild::ReadMilkyWayJson(home.Path("import/mw.json"), file, problem);
        if (file.Count() > kMilkyWayMaxPoints) std::abort();
        return 0;
    }
    fuzz::WriteHomeFile(std::string("data/") + std::string(kMilkyWayFileName), bytes);
    MilkyWayOutline outline;
    ReadMilkyWay(home, outline);
    for (const auto& level : outline.levels)
        for (const MilkyWayRing& ring : level) {
            if (ring.size() < 3) std::abort();
            for (const MilkyWayPoint& p : ring)
                if (!(p.raHours >= 0.0f && p.raHours < 24.0f && p.decDeg >= -90.0f && p.decDeg <= 90.0f)) std::abort();
        }
    return 0;
}
