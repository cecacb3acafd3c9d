#include "platform/sdl/SdlMessageBoxes.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/Text.h"

namespace vsp {

MessageBoxAnswer SdlMessageBoxes::Show(std::string_view text, std::string_view caption,
                                       MessageBoxButtons buttons) {
    const std::string body = Cp1252ToUtf8(text);
    const std::string title = Cp1252ToUtf8(caption);
    if (buttons == MessageBoxButtons::Ok) {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), body.c_str(),
                                     parent_) == 0) {
            return MessageBoxAnswer::Ok;
        }
        std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
        return MessageBoxAnswer::Ok;
    }

    const SDL_MessageBoxButtonData choices[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, int(MessageBoxAnswer::Yes), "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, int(MessageBoxAnswer::No), "No"},
    };
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.window = parent_;
    box.title = title.c_str();
    box.message = body.c_str();
    box.numbuttons = 2;
    box.buttons = choices;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) == 0) {
        // Closing the box without a button counts as the escape choice.
        return pressed == int(MessageBoxAnswer::Yes) ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
    }
    std::fprintf(stderr, "%s: %s (answered No)\n", title.c_str(), body.c_str());
    return MessageBoxAnswer::No;
}

}  // namespace vsp
