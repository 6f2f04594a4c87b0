#include "toolkit/clipboard.h"

#include "toolkit/detail/clipboard_access.h"
#include "toolkit/detail/toolkit_state.h"

#include <chrono>

namespace wexa {

namespace detail {
namespace {

constexpr std::chrono::milliseconds ClipboardPatience{50};
constexpr DWORD ClipboardPauseMs = 5;

// The window that owns what the program places: the current window (the main window), or
// the Toolkit's hidden window while none is open.
HWND ClipboardOwner() {
    const ToolkitState& s = State();
    return s.currentWindow ? s.currentWindow : s.wakeWindow.get();
}

} // namespace

ProgramClipboard::ProgramClipboard() {
    const auto until = std::chrono::steady_clock::now() + ClipboardPatience;
    while (!(open_ = OpenClipboard(ClipboardOwner()) != FALSE) && std::chrono::steady_clock::now() < until)
        Sleep(ClipboardPauseMs);
}

} // namespace detail

int DiscardClipboard() {
    detail::ProgramClipboard clipboard;
    if (!clipboard) return 0;
    return clipboard.Empty() ? 1 : 0;
}

} // namespace wexa
