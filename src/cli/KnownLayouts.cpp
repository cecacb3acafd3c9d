#include "cli/KnownLayouts.h"

namespace vsp::cli {

RecordLayoutRegistry KnownLayouts() {
    RecordLayoutRegistry registry;
    return registry;
}

}  // namespace vsp::cli
