#pragma once
// A SkyCommander, for trying the program without a telescope: a carriage return is answered
// with the position ("HH.hhhh +DD.dddd", 16 bytes, as INDI's driver reads it), a line
// "L0 HH.hhh +DD.ddd" with 'A' and a goto there. Time is the caller's.

#include "scope/CommandEmulator.h"

namespace vsp {

class SkyCommanderEmulator : public SteppedMountEmulator {
private:
    size_t CommandLength(std::string_view input) const override;
    std::string Execute(std::string_view command) override;
};

}  // namespace vsp
