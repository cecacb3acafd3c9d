#pragma once
// The N-star list and the external method's model kept beside the settings, so that stars
// added in separate runs make one list and a fitted model serves later gotos.
// usercatalogs/vespertar_nstar.ppc: record 0 the fitted models (term count i32 at 0, the
// coefficients f64 from 8, z1, z2, z3, e1, e2 f64 from 72), then one 128-byte alignment star
// record per star.

#include "platform/ProgramDir.h"
#include "scope/Alignment.h"
#include "scope/NStarList.h"
#include "scope/PointingModel.h"

namespace vsp {

inline constexpr char kNStarFileName[] = "vespertar_nstar.ppc";

struct NStarState {
    NStarList list;
    PointingModel model;  // the external method's
    MountErrors errors;   // the two-star method's
};

// Written to a temporary file and renamed over the previous one.
bool SaveNStars(const ProgramDir& dir, const NStarState& state);
// No file gives an empty state; a file that is not ours is refused (false).
bool LoadNStars(const ProgramDir& dir, NStarState& state);

}  // namespace vsp
