// The standard-magnitudes file as `sat import --magnitudes` reads it: every accepted line within
// the ranges the reader promises, rejects numbered in order inside the text, and the kept
// file's text read back to the same numbers and magnitudes.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "satellites/StandardMagnitudes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StandardMagnitudes parsed = ParseStandardMagnitudes(text);
    for (const auto& [number, magnitude] : parsed.byNumber)
        if (number < 1 || number > kLargestCatalogNumber || !std::isfinite(magnitude) || std::fabs(magnitude) > 30.0)
            __builtin_trap();
    int previous = 0;
    for (const MagnitudeLineReject& reject : parsed.rejects) {
        if (reject.line <= previous || reject.reason.empty()) __builtin_trap();
        previous = reject.line;
    }
    const StandardMagnitudes again = ParseStandardMagnitudes(FormatStandardMagnitudes(parsed.byNumber));
    if (again.byNumber != parsed.byNumber || !again.rejects.empty()) __builtin_trap();
    (void)StandardMagnitudeOf(parsed, SatelliteCatalogNumber({"", std::string(text.substr(0, 70)), ""}).value_or(-1));
    return 0;
}
