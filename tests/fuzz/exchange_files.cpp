// Files other observing programs write: any bytes read as an OpenAstronomyLog document, a
// SkySafari list and a CSV list. What an OAL document yields, written again and read back,
// must give the same notes; a list read from either format, written and read again, the same
// names.

#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/ListExchange.h"
#include "tools/OalDocument.h"

namespace {

void CheckOal(const std::string& bytes) {
    using namespace vsp;
    OalEquipment equipment;
    equipment.sites.push_back(Site{});
    equipment.zoneMinutes = int(bytes.size() % 1440) - 720;
    OalReadResult first;
    std::string problem;
    if (!ReadOalDocument(bytes, equipment, first, problem)) return;
    OalReadResult second;
    if (!ReadOalDocument(WriteOalDocument(first.notes, equipment), equipment, second, problem)) std::abort();
    if (second.notes.size() != first.notes.size()) std::abort();
    for (size_t i = 0; i < first.notes.size(); ++i)
        if (second.notes[i].objectName != first.notes[i].objectName || second.notes[i].day != first.notes[i].day)
            std::abort();
}

template <typename Parse, typename Write>
void CheckList(const std::string& bytes, Parse parse, Write write) {
    std::vector<vsp::ExchangedEntry> first, second;
    std::string problem;
    if (!parse(bytes, first, problem)) return;
    if (!parse(write(first), second, problem) && !first.empty()) std::abort();
    if (second.size() != first.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vsp::DetectListFormat(bytes);
    CheckOal(bytes);
    CheckList(bytes, vsp::ParseSkylist, vsp::SkylistText);
    CheckList(bytes, vsp::ParseListCsv, vsp::ListCsvText);
    return 0;
}
