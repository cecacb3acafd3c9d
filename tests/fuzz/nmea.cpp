// NMEA 0183 from a GPS receiver: the bytes handed over in reads of a size the input chooses
// (as a serial port delivers them), read into a fix and applied to the site as the location
// form's GPS button does, and every sentence of the burst through the sentence splitter and
// the position texts; each line also as a report of gpsd.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "scope/GpsFix.h"
#include "scope/GpsLocation.h"
#include "scope/GpsSentence.h"
#include "scope/GpsdReport.h"
#include "settings/Preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const int localHour = input.ConsumeIntegralInRange(0, 23);
    const size_t piece = input.ConsumeIntegralInRange<size_t>(1, 128);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    size_t at = 0;
    const GpsReadBytes read = [&](char* into, size_t most, int) {
        const size_t count = std::min({most, piece, bytes.size() - at});
        std::memcpy(into, bytes.data() + at, count);
        at += count;
        return count;
    };
    Site site;
    GpsToLocation(read, localHour, site);

    const std::string_view burst(bytes);
    for (size_t start = burst.find('$'); start != std::string_view::npos; start = burst.find('$', start + 1)) {
        const std::vector<std::string_view> fields = SplitGpsSentence(burst.substr(start));
        if (fields.empty()) continue;
        GpsSentenceType(fields[0]);
        // The position sits at fields 2..5 of GGA and 3..6 of RMC.
        for (size_t first : {2u, 3u}) {
            if (fields.size() < first + 4) continue;
            GpsLatitudeText(fields[first], fields[first + 1]);
            GpsLongitudeText(fields[first + 2], fields[first + 3]);
        }
    }
    for (size_t start = 0; start < burst.size();) {
        const size_t end = std::min(burst.find('\n', start), burst.size());
        ParseGpsdReport(burst.substr(start, end - start), localHour);
        start = end + 1;
    }
    return 0;
}
