#include "cli/Command.h"

namespace vsp::cli {

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = {
        {"version", "version", "The product name and version, as the About box shows them.\n",
         RunVersion},
        {"prefs", "prefs [show] | prefs set KEY=VALUE... | prefs reset",
         "show: every setting with its value (`--json`: one object; a choice gives its row index\n"
         "and KEY_text its row text). set: KEY=VALUE pairs; a choice takes its row index or its\n"
         "row text, KEY_text=ROW picks a row whose text is a number (diameter_text=203).\n"
         "Values go through the start routine's range checks before they are saved; a value\n"
         "that is replaced is reported. reset: the defaults.\n"
         "Longitudes: longitude_west_deg counts west positive (as stored); --lon is east positive.\n",
         RunPrefs},
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
