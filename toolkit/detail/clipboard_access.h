#pragma once
// The clipboard as the program opens it: with its window as the owner, which Windows needs
// before it accepts data (EmptyClipboard makes the opener's window the owner, and with no
// window SetClipboardData fails), and with a little patience for another program's hold.
#include "toolkit/detail/win32_handles.h"

#include <chrono>

namespace wexa::detail {

inline constexpr std::chrono::milliseconds ClipboardPatience{50};

// The window that owns what the program places: the current window (the main window), or
// the Toolkit's hidden window while none is open.
HWND ClipboardOwner();

class ProgramClipboard {
public:
    ProgramClipboard() : scope_(ClipboardOwner(), ClipboardPatience) {}
    explicit operator bool() const { return static_cast<bool>(scope_); }
    // Empties it; false when Windows refuses, and nothing may then be placed beside what
    // another program left there.
    bool Empty() const { return EmptyClipboard() != FALSE; }

private:
    win32::OpenClipboardScope scope_;
};

} // namespace wexa::detail
