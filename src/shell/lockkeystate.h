// The state of the three lock keys as the window system reports it.
#pragma once

#include <optional>

namespace mapwright {

struct CLockKeyState {
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;
};

// The keys' state, or nothing when the window system cannot tell (no X11 display).
std::optional<CLockKeyState> QueryLockKeys();

}  // namespace mapwright
