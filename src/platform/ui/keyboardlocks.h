#pragma once

#include <optional>

// The keyboard's lock keys as the display server reports them. A state the display server
// does not give (no X11 display, no XKB) is empty.
struct KeyLockState
{
    std::optional<bool> numLock;
    std::optional<bool> capsLock;
};

class KeyboardLocks
{
public:
    static KeyLockState read();
};
