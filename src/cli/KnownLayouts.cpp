#include "cli/KnownLayouts.h"

#include "catalog/DescriptionFile.h"
#include "shell/PreferenceStore.h"

namespace vsp::cli {

RecordLayoutRegistry KnownLayouts() {
    RecordLayoutRegistry registry;
    RegisterPreferenceLayouts(registry);
    RegisterDescriptionLayouts(registry);
    return registry;
}

}  // namespace vsp::cli
