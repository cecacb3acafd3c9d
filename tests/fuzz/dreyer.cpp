// Short deep-sky descriptions in the abbreviated style of the classic catalogs, as `expand`
// and the object information take them (a C string: a command-line word or a record's text
// up to its NUL): any text expanded into the fixed buffer, which must hold it terminated.

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "catalog/DreyerExpand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    char expansion[vsp::kDescriptionLongSize];
    const size_t length = vsp::DescriptionExpand(text, expansion);
    if (length >= sizeof expansion || std::strlen(expansion) != length) std::abort();
    return 0;
}
