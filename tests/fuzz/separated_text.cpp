// Records of fields joined by ';' as the log export writes them and its import reads them:
// any text cut into records and split into fields, and fields taken from the input quoted,
// joined into one record and split back, which must give the same fields.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SeparatedText.h"

namespace {

using namespace vsp;

constexpr char kSeparator = ';';

void CutAndSplit(std::string_view text) {
    while (!text.empty()) {
        const size_t length = SeparatedRecordLength(text, kSeparator);
        if (length == 0 || length > text.size()) std::abort();
        SplitSeparatedRecord(text.substr(0, length), kSeparator);
        text.remove_prefix(length);
    }
}

void RoundTrip(FuzzedDataProvider& input) {
    const std::string_view lineEnd = input.ConsumeBool() ? "\r\n" : "\n";
    std::vector<std::string> fields;
    std::string record;
    while (input.remaining_bytes() > 0) {
        fields.push_back(input.ConsumeRandomLengthString(32));
        record += (fields.size() > 1 ? std::string(1, kSeparator) : "") + QuotedField(fields.back(), kSeparator);
    }
    if (fields.empty()) return;
    const std::string line = record + std::string(lineEnd);
    if (SeparatedRecordLength(line + "next", kSeparator) != line.size()) std::abort();
    if (SplitSeparatedRecord(line, kSeparator) != fields) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        CutAndSplit(input.ConsumeRemainingBytesAsString());
    } else {
        RoundTrip(input);
    }
    return 0;
}
