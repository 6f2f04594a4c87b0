#pragma once
// The clipboard as the program opens it: with its window as the owner, which Windows needs
// before it accepts data (EmptyClipboard makes the opener's window the owner, and with no
// window SetClipboardData fails), and with a little patience for another program's hold.
#include "toolkit/platform/win32_handles.h"

namespace wexa::detail {

// The clipboard, open for as long as this lives. Another program may hold it open for a
// moment (a clipboard manager reading what just changed), so the opening is tried again,
// a few milliseconds apart, for a short while.
class ProgramClipboard : win32::Scope {
public:
    ProgramClipboard();
    ~ProgramClipboard() {
        if (open_) CloseClipboard();
    }
    explicit operator bool() const { return open_; }
    // Empties it; false when Windows refuses, and nothing may then be placed beside what
    // another program left there.
    bool Empty() const { return EmptyClipboard() != FALSE; }

private:
    bool open_ = false;
};

} // namespace wexa::detail
