#include "cli/Command.h"

namespace vsp::cli {

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = {
        {"version", "version", "The product name and version, as the About box shows them.\n",
         RunVersion},
        {"records", "records info FILE | records dump FILE [--index N]",
         "info: the header of a record file (version, tag, record count and size) and how its\n"
         "length compares with them.\n"
         "dump: one record (index 0 unless --index N) as hex and, where its layout is known,\n"
         "field by field.\n"
         "FILE is a path; when not found as given it is looked for below the program directory.\n",
         RunRecords},
    };
    return table;
}

}  // namespace vsp::cli
