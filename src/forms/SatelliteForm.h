#pragma once
// The satellites form (2800): the current satellite's place and orbit, its passes, the passes
// or flares of every satellite in the database, and the sky of one pass.

#include <memory>

#include "shell/Form.h"

namespace vsp {

inline constexpr int kSatelliteFormId = 2800;

std::unique_ptr<Form> MakeSatelliteForm();

}  // namespace vsp
