// The checklist file as LoadChecklist reads it: any text parsed into pages, and a page that
// was read written out and read back to the same pages.

#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/Checklist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsp;
    vsp::Checklist list, again;
    std::string problem;
    if (!ParseChecklist({reinterpret_cast<const char*>(data), size}, list, problem)) return 0;
    if (!ParseChecklist(ChecklistFileText(list), again, problem) || !(again == list)) std::abort();
    return 0;
}
