#include "toolkit/platform/shared_state.h"

#include "toolkit/platform/win32_handles.h"

namespace wexa::detail {

SharedState& Shared() {
    static SharedState state;
    return state;
}

void ReadScreenDpi() {
    win32::WindowDc screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    Shared().systemDpi = Shared().layoutDpi = dpi > 0 ? dpi : ReferenceDpi;
}

int Scale(int value) { return MulDiv(value, Shared().layoutDpi, ReferenceDpi); }

} // namespace wexa::detail
