#pragma once
// Opaque names for the platform objects that pass through the Toolkit's interface.
// Callers hold them without seeing the platform: only the Toolkit turns them back
// into HWND, HFONT and HBITMAP.
#include <cstdint>

namespace wexa {

enum class WindowHandle : std::uintptr_t { Null = 0 };
enum class ControlHandle : std::uintptr_t { Null = 0 };
enum class FontHandle : std::uintptr_t { Null = 0 };
enum class BitmapHandle : std::uintptr_t { Null = 0 };
enum class ClipboardDataHandle : std::uintptr_t { Null = 0 };

template <typename Handle> constexpr bool IsNull(Handle h) { return h == Handle::Null; }

} // namespace wexa
