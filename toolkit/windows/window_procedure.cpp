// How the platform's messages become Toolkit events.
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "window_table.h"

#include <algorithm>
#include <vector>

namespace wexa::detail {
namespace {

constexpr UINT WakeMessage = WM_APP + 1;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) noexcept {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Moves the keyboard focus among the window's tab-stop children; `forward` for Tab.
void WalkFocus(HWND window, bool forward) {
    std::vector<HWND> stops;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&stops));
    std::erase_if(stops, [](HWND child) {
        return !(GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(child) ||
               !IsWindowEnabled(child);
    });
    if (stops.empty()) return;
    const std::size_t n = stops.size();
    const auto at = static_cast<std::size_t>(std::find(stops.begin(), stops.end(), GetFocus()) - stops.begin());
    if (at == n) SetFocus(stops[forward ? 0 : n - 1]); // none focused: the first, or the last
    else SetFocus(stops[(at + (forward ? 1 : n - 1)) % n]);
}

// A control's notification, or an accelerator command, which has no control.
void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (auto control = reinterpret_cast<HWND>(lParam)) QueueGadgetEvent(control, HIWORD(wParam));
    else if (LOWORD(wParam) == FocusNextCommand) WalkFocus(window, true);
    else if (LOWORD(wParam) == FocusPreviousCommand) WalkFocus(window, false);
}

// Puts the window above all others that are not, or back among them, and checks the item or not.
void ToggleStayOnTop(HWND window) {
    const bool onTop = !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Wine puts a window that owns popups (the keys' tooltip) below them and then leaves it out of
    // the topmost band, as Windows does not: they are let go of for the move and taken back after.
    std::vector<HWND> owned;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&owned));
    std::erase_if(owned, [window](HWND popup) { return GetWindow(popup, GW_OWNER) != window; });
    for (HWND popup : owned) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
    SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (HWND popup : owned) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
    CheckMenuItem(GetSystemMenu(window, FALSE), StayOnTopCommand, MF_BYCOMMAND | (onTop ? MF_CHECKED : MF_UNCHECKED));
}

void OnClose(HWND window) {
    Shared().events.Push({CloseEvent, -1, WindowNumberOf(window), 0});
    // Ends a wait blocked in GetMessageW, by a message to the hidden window.
    if (HWND wake = Windows().wakeWindow.get()) PostMessageW(wake, WakeMessage, 0, 0);
}

// The window moved to a monitor of another density (or that monitor's density changed): the
// same fit as at opening, at the new density, near the place the system suggests. Nothing
// is made anew but the fonts, so the line, the pending letters, the focus and the preview stay.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
    FitWindowToMonitor(window, dpi, MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST),
                       Origin{suggested.left, suggested.top});
    if (IsZoomed(window)) // maximised on the new monitor, in the place the system gives it
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Custom draw of a push button whose face the Toolkit paints; every other notification as usual.
LRESULT OnNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.code == NM_CUSTOMDRAW && IsPaintedByGlyphs(header.hwndFrom))
        return PaintGlyphButton(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
    return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
}

// Only the text fields created to be drawn by glyph index are owner-drawn.
LRESULT OnDrawItem(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlType != ODT_STATIC || GadgetNumberOf(item.hwndItem) < 0)
        return DefWindowProcW(window, WM_DRAWITEM, wParam, lParam);
    DrawGlyphTextField(item);
    return TRUE;
}

} // namespace

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != StayOnTopCommand) return DefWindowProcW(window, message, wParam, lParam);
        ToggleStayOnTop(window);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(window, wParam, lParam);
    case WM_DRAWITEM:
        return OnDrawItem(window, wParam, lParam);
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY) ForgetGadgetNames(reinterpret_cast<HWND>(lParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace wexa::detail
