#pragma once
// The setting-circle box's zero offsets go with the two-star alignment: set on its second
// star and saved with it, brought back when it is restored, dropped when it is not.

#include "scope/EncoderBox.h"
#include "scope/ScopeDispatcher.h"
#include "settings/Preferences.h"

namespace vsp {

// With an encoder drive, the box's zero is set so that it reads where `star` stands now (its
// azimuth and altitude, or RA x 15 and Dec for output type 0); the offsets go into `saved`.
// False when nothing was set: another drive, a box zeroed already, or one that cannot be read.
bool ZeroEncoderOnStar(EncoderBox& box, const Preferences& prefs, const ScopeGotoTarget& star, SavedAlignment& saved);

// The restore offer's outcome: a restored alignment brings its saved offsets back to the box
// of an encoder drive; otherwise the box is zeroed afresh at the next alignment.
void SettleEncoderZero(EncoderBox& box, const Preferences& prefs, const SavedAlignment& saved, bool restored);

}  // namespace vsp
