#pragma once
// The ServoCat (drive 13) over the serial link at 9600 baud: a carriage return asks for the
// position, "g" with the target starts a goto; nothing else goes on the wire.

#include "scope/ReadGotoProtocol.h"

namespace vsp {

class ServoCatProtocol : public ReadGotoProtocol {
public:
    using ReadGotoProtocol::ReadGotoProtocol;

private:
    bool ReadMount(EquatorialPosition& out) override;
    GotoOutcome GotoMount(EquatorialPosition target) override;
};

}  // namespace vsp
