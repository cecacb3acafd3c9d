#pragma once
// The SkyCommander (drive 19) over the serial link at 9600 baud: a carriage return asks for the
// position, "L0 " with the target (acknowledged by 'A') sets the goto target.

#include "scope/ReadGotoProtocol.h"

namespace vsp {

class SkyCommanderProtocol : public ReadGotoProtocol {
public:
    using ReadGotoProtocol::ReadGotoProtocol;

private:
    bool ReadMount(EquatorialPosition& out) override;
    GotoOutcome GotoMount(EquatorialPosition target) override;
};

}  // namespace vsp
