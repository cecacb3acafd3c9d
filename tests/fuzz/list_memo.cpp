// Observing-list memos as `list import` reads them: any text into the current list, the
// catalog objects and stars it names looked up in the catalogs, then every entry taken in
// written back as a memo line in each hour and angle format.

#include <string_view>

#include "catalog/ListMemo.h"
#include "fuzz/FuzzSky.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    CatalogSession& sky = fuzz::Sky();
    RecordingInfoSink messages;
    ObservingList list;
    ImportListMemo({reinterpret_cast<const char*>(data), size}, sky, messages, list);
    for (const ListEntry& entry : list.Entries()) {
        for (int format = 0; format < 4; ++format) ListMemoLine(entry, sky, TextFormats{format, format, &messages});
    }
    return 0;
}
