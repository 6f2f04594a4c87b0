#include "toolkit/windows/window.h"

#include "toolkit/core/dpi_scaling.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/windows/inside_toolkit.h"
#include "window_table.h"

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

int detail::WindowNumberOf(HWND window) {
    int found = -1;
    Windows().windows.ForEach([&](int number, WindowRecord& record) {
        if (record.window.get() == window) found = number;
    });
    return found;
}

HWND detail::ClipboardOwner() {
    const WindowState& s = Windows();
    return s.currentWindow ? s.currentWindow : s.wakeWindow.get();
}

void detail::StartWindows() {
    // Of the system's own class for message-only windows: nothing to register or unregister.
    Windows().wakeWindow.reset(CreateWindowExW(0, L"Message", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                               GetModuleHandleW(nullptr), nullptr));
    ACCEL keys[] = {
        {FVIRTKEY, VK_TAB, FocusNextCommand},
        {FVIRTKEY | FSHIFT, VK_TAB, FocusPreviousCommand},
    };
    Windows().focusKeys.reset(CreateAcceleratorTableW(keys, 2));
}

void detail::CloseWindows() {
    WindowState& s = Windows();
    s.windows.ForEach([](int, WindowRecord& record) { record.window.reset(); }); // and so their gadgets
    s.windows.ForEach([](int, WindowRecord& record) {
        UnregisterClassW(record.className.c_str(), GetModuleHandleW(nullptr));
    });
    s = WindowState{}; // the hidden window, then the focus keys
}

WindowHandle OpenToolkitWindow(int number, int x, int y, int width, int height, std::u16string_view title,
                               std::uint32_t flags) {
    if (!IsObjectNumber(number)) return WindowHandle::Null;
    detail::WindowState& s = detail::Windows();
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

    // A number that held a window has its class still registered, so it never gets here.
    s.windows.Put(number, {win32::UniqueWindow(window), className, {width, height}, style});
    FitToItsMonitor(window, centred);
    if (!(flags & WindowShownLater)) ShowWindow(window, SW_SHOWNORMAL);
    s.currentWindow = window;
    detail::SetGadgetParent(window, number);
    return detail::ToHandle<WindowHandle>(window);
}

void AddStayOnTopItem(int number, std::u16string_view label) {
    detail::WindowRecord* record = detail::Windows().windows.Find(number);
    HMENU menu = record ? GetSystemMenu(record->window.get(), FALSE) : nullptr;
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_UNCHECKED, detail::StayOnTopCommand, detail::Wide(label).c_str());
}

void ShowToolkitWindow(int number) {
    if (detail::WindowRecord* record = detail::Windows().windows.Find(number))
        ShowWindow(record->window.get(), SW_SHOWNORMAL);
}

} // namespace wexa
