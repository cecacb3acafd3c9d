#include "format/ZoneText.h"

#include <cstdlib>

namespace vsp {

std::string ZoneText(int minutes) {
    const int size = std::abs(minutes);
    return std::string(minutes < 0 ? "-" : "+") + std::to_string(size / 60) + ":" + (size % 60 < 10 ? "0" : "") +
           std::to_string(size % 60);
}

}  // namespace vsp
