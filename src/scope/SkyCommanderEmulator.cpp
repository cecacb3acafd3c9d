#include "scope/SkyCommanderEmulator.h"

#include "format/AngleParse.h"

namespace vsp {

size_t SkyCommanderEmulator::CommandLength(std::string_view input) const {
    if (input[0] != 'L') return 1;
    const size_t end = input.find('\n');
    return end == std::string_view::npos ? 0 : end + 1;
}

std::string SkyCommanderEmulator::Execute(std::string_view command) {
    if (command.starts_with("L0 ")) {
        const size_t decAt = command.find(' ', 3);
        if (decAt == std::string_view::npos) return "";
        mount_.Goto({ParseDecimal(command.substr(3, decAt - 3)), ParseDecimal(command.substr(decAt))});
        return "A";
    }
    return command[0] == '\r' ? PositionText(4) : "";
}

}  // namespace vsp
