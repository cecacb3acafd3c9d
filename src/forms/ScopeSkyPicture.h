#pragma once
// The small sky picture of the scope control form: the brighter default stars within a few
// degrees of where the telescope points, north up and east left as the eye sees the sky,
// with a cross on the telescope's position.

#include "catalog/CatalogSession.h"
#include "platform/FormWindow.h"
#include "scope/EmulatedMount.h"
#include "shell/AppState.h"

namespace vsp {

// Half the width of the field shown, degrees.
inline constexpr double kScopeSkyRadiusDeg = 8.0;
// Stars fainter than this are left out of the picture.
inline constexpr double kScopeSkyFaintest = 6.0;

// Draws the picture into `area` (device pixels) of the window; `pointing` is null while the
// telescope's position is unknown (the frame alone is drawn).
void DrawScopeSky(AppState& state, CatalogSession& sky, FormWindow& window, const Rect& area,
                  const EquatorialPosition* pointing);

}  // namespace vsp
