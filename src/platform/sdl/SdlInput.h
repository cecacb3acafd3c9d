#pragma once
// SDL input turned into the event loop's taps and keys. Kept apart from the window so the
// translation can be exercised with made-up SDL events.

#include <SDL.h>

#include <functional>
#include <optional>

#include "platform/EventLoop.h"
#include "platform/Input.h"

namespace vsp {

// Key codes the handheld used beyond those named in Input.h (its virtual-key values, which
// do not collide with printable ASCII).
inline constexpr int kKeyBackspace = 0x08;
inline constexpr int kKeyTab = 0x09;

// The key press for an SDL key, or nothing for keys the program has no use for (modifiers
// alone, function keys).
std::optional<KeyPress> TranslateSdlKey(const SDL_Keysym& key);

// Posts what `event` means to `loop`: a mouse button (left) or a drag with it held becomes a
// tap phase, a key press a key; a request to close the window (or to end the program)
// calls `onClose`. Answers true when the event was used.
bool PostSdlEvent(const SDL_Event& event, EventLoop& loop, const std::function<void()>& onClose);

}  // namespace vsp
