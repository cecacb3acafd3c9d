#include "scope/ServoCatEmulator.h"

#include "format/AngleParse.h"

namespace vsp {
namespace {
constexpr size_t kGotoLength = 15;  // "g" and the position
}  // namespace

size_t ServoCatEmulator::CommandLength(std::string_view input) const {
    if (input[0] != 'g') return 1;
    return input.size() >= kGotoLength ? kGotoLength : 0;
}

std::string ServoCatEmulator::Execute(std::string_view command) {
    if (command[0] == 'g') {
        mount_.Goto({ParseDecimal(command.substr(1, 6)), ParseDecimal(command.substr(8))});
        return "";
    }
    return command[0] == '\r' ? PositionText(3) : "";
}

}  // namespace vsp
