#pragma once
// Message boxes shown by SDL on top of the main window. Without a display the box cannot be
// shown; its text then goes to standard error and the safe answer is returned (OK, or No).

#include "platform/MessageBox.h"

struct SDL_Window;

namespace vsp {

class SdlMessageBoxes : public MessageBoxes {
public:
    // `parent` may be null (the box is then not tied to a window).
    explicit SdlMessageBoxes(SDL_Window* parent = nullptr) : parent_(parent) {}
    void SetParent(SDL_Window* parent) { parent_ = parent; }

    MessageBoxAnswer Show(std::string_view text, std::string_view caption,
                          MessageBoxButtons buttons) override;

private:
    SDL_Window* parent_;
};

}  // namespace vsp
