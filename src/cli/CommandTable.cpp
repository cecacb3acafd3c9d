#include "cli/Command.h"

namespace vsp::cli {

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = {
        {"version", "version", "The product name and version, as the About box shows them.\n",
         RunVersion},
    };
    return table;
}

}  // namespace vsp::cli
