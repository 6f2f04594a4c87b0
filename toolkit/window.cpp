#include "toolkit/window.h"

#include "toolkit/detail/toolkit_state.h"
#include "toolkit/detail/window_class.h"
#include "toolkit/dpi_scaling.h"

#include <algorithm>
#include <optional>
#include <string>

namespace wexa {
namespace {

// The Toolkit's flags turned into window styles one by one; the others (centring, shown later)
// are no style.
DWORD WindowStyleOf(std::uint32_t flags) {
    DWORD style = WS_OVERLAPPED;
    if ((flags & WindowSystemMenu) == WindowSystemMenu) style |= WS_CAPTION | WS_SYSMENU;
    if (flags & WindowMinimizeGadget) style |= WS_MINIMIZEBOX;
    if (flags & WindowMaximizeGadget) style |= WS_MAXIMIZEBOX;
    return style;
}

bool RegisterWindowClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = detail::ToolkitWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

// The whole window on the monitor it opens on: centred in the work area, or where it was made
// as far as that lets it lie inside.
void FitToItsMonitor(HWND window, bool centred) {
    std::optional<Origin> wanted;
    if (!centred) {
        RECT placed{};
        GetWindowRect(window, &placed);
        wanted = Origin{placed.left, placed.top};
    }
    detail::FitWindowToMonitor(window, detail::WindowDpi(window), MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                               wanted);
}

} // namespace

WindowHandle OpenToolkitWindow(int number, int x, int y, int width, int height, std::u16string_view title,
                               std::uint32_t flags) {
    if (!IsObjectNumber(number)) return WindowHandle::Null;
    detail::ToolkitState& s = detail::State();
    std::wstring className = L"WindowClass_" + std::to_wstring(number);
    if (!RegisterWindowClass(className)) return WindowHandle::Null;

    DWORD style = WindowStyleOf(flags);
    bool centred = flags & WindowCentered;
    RECT frame{0, 0, detail::Scale(width), detail::Scale(height)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);

    bool platformPlaces = x == PositionIgnored || (y == PositionIgnored && !centred);
    int left = platformPlaces ? CW_USEDEFAULT : detail::Scale(x);
    int top = platformPlaces ? CW_USEDEFAULT : detail::Scale(y == PositionIgnored ? 0 : y);
    // Made at the system's density first; sized for its own monitor below, before anything shows.
    HWND window = CreateWindowExW(0, className.c_str(), detail::Wide(title).c_str(), style, left, top,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        UnregisterClassW(className.c_str(), GetModuleHandleW(nullptr));
        return WindowHandle::Null;
    }

    if (auto old = s.windows.Put(number, {win32::UniqueWindow(window), className, {width, height}, style})) {
        old->window.reset();
        UnregisterClassW(old->className.c_str(), GetModuleHandleW(nullptr));
    }
    FitToItsMonitor(window, centred);
    if (!(flags & WindowShownLater)) ShowWindow(window, SW_SHOWNORMAL);
    s.currentWindow = window;
    return detail::ToHandle<WindowHandle>(window);
}

void ShowToolkitWindow(int number) {
    if (detail::WindowRecord* record = detail::State().windows.Find(number))
        ShowWindow(record->window.get(), SW_SHOWNORMAL);
}

} // namespace wexa
