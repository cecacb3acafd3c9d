#pragma once
// Night mode: the whole device display turned to shades of red, and back. The 34 system
// colours that are saved and restored are read and written through one fixed index list.

#include <array>
#include <string_view>

#include "shell/AppState.h"

namespace vsp {

inline constexpr std::array<int, kSavedColourCount> kSavedColourIndices = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 1,  15, 16, 20, 20};

// The elements drawn in the level's red (index 15 ends there too, after the menu red).
inline constexpr std::array<int, 14> kNightRedIndices = {20, 13, 10, 6,  15, 22, 21,
                                                          9,  17, 19, 23, 26, 7,  8};

inline constexpr Colour kNearBlack = 1;
inline constexpr Colour kNormalHighlight = 0xC8413E;

enum class DefaultColourSet { Set2003, Set2005 };
const std::array<Colour, kSavedColourCount>& DefaultColours(DefaultColourSet set);

// "Normal", "Dark", "Medium", "Bright".
std::string_view NightLevelName(int level);
// The red of the menu and button faces at `level`: ((level + 2) * 5) mod 256.
int NightMenuRed(int level);

// Applies `level` (0 restores the normal colours); out-of-range levels count as 0.
void ApplyNightMode(AppState& state, int level);
// Puts the saved colours back when there are any.
void RestoreSystemColours(AppState& state);
// The built-in set becomes the colours restored when night mode ends.
void ChooseDefaultColours(AppState& state, DefaultColourSet set);

// Dialog 1999.
inline constexpr int kNightModeDialogId = 1999;
inline constexpr int kNightOffButton = 1;  // the OK button, "Off"
inline constexpr int kNightDarkButton = 138;
inline constexpr int kNightMediumButton = 139;
inline constexpr int kNightBrightButton = 140;
inline constexpr int kNight2003Button = 141;
inline constexpr int kNight2005Button = 142;
inline constexpr int kNightStatusText = 143;

FormTemplate NightModeDialogTemplate();
// Runs the dialog, then re-opens the current form so that it repaints in the new colours.
void RunNightModeDialog(AppState& state);

}  // namespace vsp
