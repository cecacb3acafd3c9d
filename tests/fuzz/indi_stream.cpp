// An INDI server's stream: arbitrary bytes fed to the property model in pieces of a size the
// input chooses (as reads from the socket deliver them), every vector it then holds read as
// the mount and camera read them; and the same bytes as a camera's image through the base64
// decoder and the FITS header editing.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "format/FitsHeader.h"
#include "platform/Base64.h"
#include "scope/IndiClient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    FuzzedDataProvider input(data, size);
    const size_t piece = input.ConsumeIntegralInRange<size_t>(1, 256);
    const std::string device = input.ConsumeRandomLengthString(16);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    IndiModel model;
    for (size_t at = 0; at < bytes.size() && model.Feed(std::string_view(bytes).substr(at, piece)); at += piece) {}
    for (const char* name : {"CONNECTION", "EQUATORIAL_EOD_COORD", "TELESCOPE_SLEW_RATE", "CCD1"}) {
        if (const IndiVector* vector = model.Find(device, name)) {
            for (const IndiElement& element : vector->elements) {
                vector->Number(element.name);
                vector->IsOn(element.name);
            }
        }
    }
    model.Knows(device);
    model.TakeMessages(device);
    DecodeBase64(model.TakeValue(device, "CCD1", "CCD1"));

    if (const auto decoded = DecodeBase64(bytes)) SetFitsCards(*decoded, {{"OBJECT", FitsString(device), "target"}});
    SetFitsCards(bytes, {{"SITELAT", "48.1", ""}, {"DATE-OBS", FitsString(bytes.substr(0, 30)), ""}});
    ParseIndiPath(bytes);
    return 0;
}
