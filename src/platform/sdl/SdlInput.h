#pragma once
// SDL input turned into the event loop's taps and keys. Kept apart from the window so the
// translation can be exercised with made-up SDL events.

#include <SDL.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/Input.h"

namespace vsp {

// The key press for an SDL key, or nothing for keys the program has no use for (modifiers
// alone, function keys).
std::optional<KeyPress> TranslateSdlKey(const SDL_Keysym& key);
// The keys of typed text (UTF-8 from SDL's text input): each character in the device code
// page, with the upper-case code a hardware key of that letter has.
std::vector<KeyPress> TranslateSdlText(const char* utf8);

// Posts what `event` means to `loop`: a mouse button (left) or a drag with it held becomes a
// tap phase, a key press a key; a request to close the window (or to end the program)
// calls `onClose`. Answers true when the event was used.
bool PostSdlEvent(const SDL_Event& event, EventLoop& loop, const std::function<void()>& onClose);

}  // namespace vsp
