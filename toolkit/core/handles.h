#pragma once
// Opaque names for the platform objects that pass through the Toolkit's interface.
// Callers hold them without seeing the platform: only the Toolkit turns them back
// into HWND, HFONT and HBITMAP.
#include <cstdint>
#include <memory>

namespace wexa {

enum class WindowHandle : std::uintptr_t { Null = 0 };
enum class ControlHandle : std::uintptr_t { Null = 0 };
enum class FontHandle : std::uintptr_t { Null = 0 };
enum class BitmapHandle : std::uintptr_t { Null = 0 };
enum class ClipboardDataHandle : std::uintptr_t { Null = 0 };

// A bitmap of the image table that pictures made of it share: deleted with its last owner, so
// a picture keeps its pixels when the image number is given another image.
using SharedBitmap = std::shared_ptr<void>;

template <typename Handle> constexpr bool IsNull(Handle h) { return h == Handle::Null; }

} // namespace wexa
