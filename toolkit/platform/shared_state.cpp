#include "toolkit/platform/shared_state.h"

#include <windows.h>

namespace wexa::detail {

SharedState& Shared() {
    static SharedState state;
    return state;
}

int Scale(int value) { return MulDiv(value, Shared().layoutDpi, ReferenceDpi); }

} // namespace wexa::detail
