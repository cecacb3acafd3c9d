#pragma once
// Layout lengths are written for the 96-dpi screen and scaled per axis, truncated.

#include "shell/AppState.h"

namespace vsp {

// Scale factors from the device's pixels per logical inch (divided by 96).
void ComputeScaleFactors(AppState& state);
// Pixels per logical inch / 48, truncated; computed on first use and cached.
int PixelUnit(AppState& state);
int ScaledX(const AppState& state, int length);
int ScaledY(const AppState& state, int length);

inline constexpr int kTitleHeight = 24;
inline constexpr int kMenuBarHeight = 26;
inline constexpr int kPopupBottomMargin = 22;
inline constexpr int kTitlePadding = 12;

}  // namespace vsp
