#pragma once

#include <array>
#include <optional>

// The state of the Caps Lock, Num Lock and Scroll Lock keys as the keyboard
// holds it, for the status bar's indicators.
class LockKeys {
public:
    // Caps Lock, Num Lock, Scroll Lock: on or off.
    using State = std::array<bool, 3>;

    // The state the platform reports (on X11, the keyboard's named
    // indicators); nothing where it cannot be known.
    static std::optional<State> read();
};
