// Observing-list memos as `list import` reads them: any text as a memo file under import/,
// read as far as a memo can reach, into the current list, the catalog objects and stars it
// names looked up in the catalogs, then every entry taken in written back as a memo line in
// each hour and angle format.

#include <string>
#include <string_view>

#include "catalog/ListMemo.h"
#include "fuzz/FuzzHome.h"
#include "fuzz/FuzzSky.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    const ProgramDir& home = fuzz::FreshHome();
    CatalogSession& sky = fuzz::Sky();
    fuzz::WriteHomeFile("import/memo.txt", {reinterpret_cast<const char*>(data), size});
    std::string text;
    if (!ReadMemoText(home.Path("import/memo.txt"), text)) return 0;
    RecordingInfoSink messages;
    ObservingList list;
    ImportListMemo(text, sky, messages, list);
    for (const ListEntry& entry : list.Entries()) {
        for (int format = 0; format < 4; ++format) ListMemoLine(entry, sky, TextFormats{format, format, &messages});
    }
    return 0;
}
