#include "platform/sdl/SdlInput.h"

#include <cctype>

#include "platform/Text.h"

namespace vsp {

std::optional<KeyPress> TranslateSdlKey(const SDL_Keysym& key) {
    KeyPress press;
    press.ctrl = (key.mod & KMOD_CTRL) != 0;
    press.shift = (key.mod & KMOD_SHIFT) != 0;
    const SDL_Keycode sym = key.sym;
    switch (sym) {
        case SDLK_UP: press.code = kKeyUp; return press;
        case SDLK_DOWN: press.code = kKeyDown; return press;
        case SDLK_LEFT: press.code = kKeyLeft; return press;
        case SDLK_RIGHT: press.code = kKeyRight; return press;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: press.code = kKeyEnter; return press;
        case SDLK_ESCAPE: press.code = kKeyEscape; return press;
        case SDLK_BACKSPACE: press.code = kKeyBackspace; return press;
        case SDLK_TAB: press.code = kKeyTab; return press;
        default: break;
    }
    // SDL names printable keys by their unshifted ASCII character. Without Ctrl the character
    // they type comes as text input (with the keyboard layout and shift applied), so the key
    // itself is left out to avoid a double.
    if (sym >= 0x20 && sym < 0x7F) {
        if (!press.ctrl) return std::nullopt;
        press.code = (sym >= 'a' && sym <= 'z') ? sym - 'a' + 'A' : sym;
        return press;
    }
    return std::nullopt;
}

std::vector<KeyPress> TranslateSdlText(const char* utf8) {
    std::vector<KeyPress> keys;
    for (const char c : Utf8ToCp1252(utf8)) {
        const unsigned char u = static_cast<unsigned char>(c);
        keys.push_back(KeyPress{u < 0x80 ? std::toupper(u) : u, false, false, c});
    }
    return keys;
}

bool PostSdlEvent(const SDL_Event& event, EventLoop& loop, const std::function<void()>& onClose) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT) return false;
            loop.PostTap(event.button.x, event.button.y,
                         event.type == SDL_MOUSEBUTTONDOWN ? TapPhase::Down : TapPhase::Up);
            return true;
        case SDL_MOUSEMOTION:
            // The stylus moves only while it touches the screen.
            if (!(event.motion.state & SDL_BUTTON_LMASK)) return false;
            loop.PostTap(event.motion.x, event.motion.y, TapPhase::Move);
            return true;
        case SDL_KEYDOWN:
            if (auto key = TranslateSdlKey(event.key.keysym)) {
                loop.PostKey(*key);
                return true;
            }
            return false;
        case SDL_KEYUP:
            // Only the keys that type nothing report their release: those are the ones a
            // form acts on while they are held.
            if (auto key = TranslateSdlKey(event.key.keysym)) {
                loop.PostKeyUp(*key);
                return true;
            }
            return false;
        case SDL_TEXTINPUT:
            for (const KeyPress& key : TranslateSdlText(event.text.text)) loop.PostKey(key);
            return true;
        case SDL_QUIT:
            // Closing the one window (and SIGINT, SIGTERM) arrives here exactly once; the
            // window's own close event before it is left alone so the request is not doubled.
            if (onClose) onClose();
            return true;
        default: return false;
    }
}

}  // namespace vsp
