#pragma once
// The commands of the main window (menu items, accelerators, messages posted by forms).

#include <cstdint>

#include "shell/AppState.h"

namespace vsp {

// The form a command simply opens, or -1.
int FormForCommand(int command);
// Carries out a command; false when it is not one of the main window's (default processing).
bool HandleCommand(AppState& state, int command, int64_t param = 0);

// Opens the planet surface map assistant on `body`.
void OpenBodyAssistant(AppState& state, AssistantBody body);
void ShowAbout(AppState& state);
// Destroys the main window: shutdown, then the windows go.
void DestroyMainWindow(AppState& state);

// Accelerators: Ctrl+Q gives command 1, Ctrl+A command 40003 (not handled). 0 for other keys.
int TranslateAccelerator(const KeyPress& key);

}  // namespace vsp
