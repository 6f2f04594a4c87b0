#include "toolkit/clipboard.h"

#include "toolkit/detail/clipboard_access.h"
#include "toolkit/detail/toolkit_state.h"

namespace wexa {

namespace detail {

HWND ClipboardOwner() {
    const ToolkitState& s = State();
    return s.currentWindow ? s.currentWindow : s.wakeWindow.get();
}

} // namespace detail

int DiscardClipboard() {
    detail::ProgramClipboard clipboard;
    if (!clipboard) return 0;
    return clipboard.Empty() ? 1 : 0;
}

} // namespace wexa
