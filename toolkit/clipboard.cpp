#include "toolkit/clipboard.h"

#include "toolkit/detail/toolkit_state.h"

namespace wexa {

int DiscardClipboard() {
    win32::OpenClipboardScope clipboard;
    if (!clipboard) return 0;
    return EmptyClipboard() ? 1 : 0;
}

} // namespace wexa
