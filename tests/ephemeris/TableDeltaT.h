#pragma once
// Settings without an observing year, so that every ΔT comes from the table and the formulas,
// never from the preferences.

#include "ephemeris/EphemerisSettings.h"

namespace vsp::test {

inline EphemerisSettings TableDeltaT() {
    EphemerisSettings settings;
    settings.currentYear = 0;
    return settings;
}

}  // namespace vsp::test
