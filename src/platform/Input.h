#pragma once
// Stylus and key input as the backends deliver it.

namespace vsp {

enum class TapPhase { Down, Move, Up };

// Key codes: printable keys use their upper-case ASCII code; the rest are listed here.
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyEnter = 0x0D;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyBackspace = 0x08;
inline constexpr int kKeyTab = 0x09;

struct KeyPress {
    int code = 0;
    bool ctrl = false;
    bool shift = false;
    // The character the key typed (device code page), 0 for keys that type nothing. Edit
    // fields take it; the hardware-key handlers look at `code`.
    char text = 0;
    bool operator==(const KeyPress&) const = default;
};

}  // namespace vsp
