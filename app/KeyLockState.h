#pragma once

#include <optional>

// The state of the three lock keys.
struct KeyLocks
{
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Read from the display server's keyboard indicators; nothing where the
// platform does not tell (Wayland, offscreen).
std::optional<KeyLocks> QueryKeyLocks();
