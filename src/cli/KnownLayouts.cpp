#include "cli/KnownLayouts.h"

#include "shell/PreferenceStore.h"

namespace vsp::cli {

RecordLayoutRegistry KnownLayouts() {
    RecordLayoutRegistry registry;
    RegisterPreferenceLayouts(registry);
    return registry;
}

}  // namespace vsp::cli
