// MPC element files as `minor import` takes them: the bytes through the line stream (gzip
// when they begin with its magic), each line read by both readers, every record accepted
// stored and read back, its magnitude taken as the import filter does, and the packed forms
// read from the line's first columns; then the input's first bytes typed as a name to find.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ephemeris/MinorBodyPosition.h"
#include "solarsystem/ElementLineStream.h"
#include "solarsystem/MinorBodyDatabase.h"
#include "solarsystem/MpcElementLines.h"
#include "solarsystem/PackedDesignation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<MinorBodyRecord> records;
    const double earth[3] = {1.0, 0.0, 0.0};
    ElementLineStream stream([&](std::string_view line) {
        RecogniseElementLine(line);
        for (size_t width : {5, 7, 8}) {
            const std::string_view head = line.substr(0, width);
            UnpackMinorPlanetDesignation(head);
            UnpackCometDesignation(head);
            UnpackPeriodicCometNumber(head);
            UnpackEpoch(head);
        }
        MinorBodyRecord record;
        std::string reason;
        for (bool comet : {false, true}) {
            if (!(comet ? ReadCometLine(line, record, reason) : ReadMinorPlanetLine(line, record, reason))) continue;
            uint8_t bytes[kMinorBodyRecordSize];
            EncodeMinorBodyRecord(record, bytes);
            MinorBodyRecord back;
            if (!DecodeMinorBodyRecord(bytes, back)) __builtin_trap();
            MinorBodyMagnitudeAt(back.elements, back.elements.orbit.epochJd + 100.0, earth);
            records.push_back(back);
        }
        return true;
    });
    stream.Feed(text.substr(0, size / 2));
    stream.Feed(text.substr(size / 2));
    stream.Finish();
    for (const int index : MatchMinorBodies(records, text.substr(0, 16), 100))
        if (index < 0 || size_t(index) >= records.size()) __builtin_trap();
    return 0;
}
