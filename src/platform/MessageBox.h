#pragma once
// Modal message boxes. Text and caption are narrow, in the device code page; the
// implementation converts them for its display.

#include <string_view>

namespace vsp {

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageBoxAnswer Show(std::string_view text, std::string_view caption,
                                  MessageBoxButtons buttons) = 0;
};

}  // namespace vsp
