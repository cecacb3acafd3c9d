#pragma once
// A ServoCat controller, for trying the program without a telescope: a carriage return is
// answered with the position ("HH.hhh +DD.ddd", 14 bytes), "g" with a target in the same form
// starts a goto. Time is the caller's.

#include "scope/CommandEmulator.h"

namespace vsp {

class ServoCatEmulator : public SteppedMountEmulator {
private:
    size_t CommandLength(std::string_view input) const override;
    std::string Execute(std::string_view command) override;
};

}  // namespace vsp
