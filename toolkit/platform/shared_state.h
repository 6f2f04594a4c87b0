#pragma once
// The little that every group of the Toolkit shares on the program's one thread: the layout
// density that windows, gadgets and fonts are scaled by, and the queue of the events that
// windows, gadgets and the keyboard raise. Each group keeps its own table.
#include "toolkit/core/dpi_scaling.h"
#include "toolkit/core/event_queue.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace wexa::detail {

struct SharedState {
    int systemDpi = ReferenceDpi; // LOGPIXELSY of the screen, read once
    int layoutDpi = ReferenceDpi; // what positions, sizes and gadget font heights are scaled by
    EventQueue events;
};

inline SharedState& Shared() {
    static SharedState state;
    return state;
}

// Scales a 96-DPI value by the layout density, the same for both axes.
inline int Scale(int value) {
    return MulDiv(value, Shared().layoutDpi, ReferenceDpi);
}

template <typename Handle, typename Native> Handle ToHandle(Native native) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(native));
}
template <typename Native, typename Handle> Native FromHandle(Handle handle) {
    return reinterpret_cast<Native>(static_cast<std::uintptr_t>(handle));
}

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

} // namespace wexa::detail
