// What a client sends to `vespertar emulate`: any bytes, in pieces of a size the input
// chooses with the clock moving between them, to each emulated mount, box and controller,
// started from any place and setting the command line lets through.

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <string>
#include <string_view>

#include "scope/EncoderEmulator.h"
#include "scope/Lx200Emulator.h"
#include "scope/NexStarEmulator.h"
#include "scope/ServoCatEmulator.h"
#include "scope/SiderealTechEmulator.h"
#include "scope/SkyCommanderEmulator.h"
#include "scope/TakahashiCodec.h"
#include "scope/TakahashiEmulator.h"

namespace {

using namespace vsp;

// Feeds the client's bytes piece by piece, `advance` moving the device's clock after each.
template <class Device>
void Serve(Device& device, FuzzedDataProvider& input, const std::function<void(double)>& advance) {
    while (input.remaining_bytes() > 0) {
        const std::string piece = input.ConsumeRandomLengthString(64);
        device.Receive(piece);
        advance(input.ConsumeIntegralInRange(0, 4000) / 1000.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t which = input.ConsumeIntegral<uint8_t>();
    const bool variant = input.ConsumeBool();
    const EquatorialPosition start{input.ConsumeFloatingPointInRange(0.0, 24.0),
                                   input.ConsumeFloatingPointInRange(-90.0, 90.0)};
    switch (which % 8) {
        case 0: {
            Lx200Emulator lx200(variant ? Lx200Precision::Long : Lx200Precision::Short);
            lx200.PlaceAt(start);
            Serve(lx200, input, [&](double s) { lx200.Advance(s); });
            break;
        }
        case 1:
        case 2: {
            NexStarEmulator nexstar(variant, which % 8 == 2);
            nexstar.PlaceAt(start);
            Serve(nexstar, input, [&](double s) { nexstar.Advance(s); });
            break;
        }
        case 3: {
            TakahashiEmulator takahashi(variant ? takahashi::kPierEast : takahashi::kPierWest);
            takahashi.PlaceAt(start);
            Serve(takahashi, input, [&](double s) { takahashi.Advance(s); });
            break;
        }
        case 4: {
            const int box = EncoderEmulator::kBoxes[input.ConsumeIntegralInRange<size_t>(0, 6)];
            EncoderEmulator encoder(box, {input.ConsumeIntegralInRange(1, 32767), input.ConsumeIntegralInRange(1, 32767)});
            // --az and --alt take any number.
            encoder.PointAt(input.ConsumeFloatingPoint<double>(), input.ConsumeFloatingPoint<double>());
            Serve(encoder, input, [](double) {});
            break;
        }
        case 5: {
            const int32_t resolution = input.ConsumeIntegralInRange(0, 1 << 30);
            SiderealTechEmulator siderealTech(resolution, resolution);
            siderealTech.PlaceAt(start);
            Serve(siderealTech, input, [&](double s) { siderealTech.Advance(s); });
            break;
        }
        case 6: {
            ServoCatEmulator servoCat;
            servoCat.PlaceAt(start);
            Serve(servoCat, input, [&](double s) { servoCat.Advance(s); });
            break;
        }
        default: {
            SkyCommanderEmulator skyCommander;
            skyCommander.PlaceAt(start);
            Serve(skyCommander, input, [&](double s) { skyCommander.Advance(s); });
            break;
        }
    }
    return 0;
}
