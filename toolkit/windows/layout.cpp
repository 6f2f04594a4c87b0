// One layout density for every window, gadget and gadget font: the density of the monitor
// the window is on, or less where the window would not fit that monitor's work area.
#include "toolkit/core/dpi_scaling.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/platform/system_dlls.h"
#include "window_table.h"

#include <vector>

namespace wexa::detail {
namespace {

// Newer systems' calls, looked up at run time: the program also runs where they are missing.
template <typename Call> Call User32Call(const char* name) {
    return LookUpFunction<Call>(GetModuleHandleW(L"user32.dll"), name);
}

// The frame's width and height (caption and borders) of a window with this style at `dpi`.
Size FrameSize(DWORD style, int dpi) {
    RECT frame{0, 0, 0, 0};
    static const auto forDpi = User32Call<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&frame, style, FALSE, 0, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

Size DrawnFrame(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

Box WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info))
        return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Scales every gadget and gadget font to a new layout density: each gadget moves to its
// place at that density, fonts that follow the layout (and the default gadget font) are
// made anew and sent to the gadgets that had their predecessors. Windows are sized by
// their callers.
void ApplyLayoutDpi(int dpi) {
    if (dpi <= 0 || dpi == Shared().layoutDpi)
        return;
    Shared().layoutDpi = dpi;
    FontSuccession succession;
    std::vector<win32::UniqueFont> retired; // deleted on return, once every gadget has the new fonts
    RemakeLayoutFonts(dpi, succession, retired);
    RescaleGadgets(dpi, succession, retired);
}

} // namespace

int WindowDpi(HWND window) {
    static const auto forWindow = User32Call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    UINT dpi = forWindow ? forWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : Shared().systemDpi;
}

void FitWindowToMonitor(HWND window, int monitorDpi, HMONITOR monitor, const std::optional<Origin>& wanted) {
    WindowRecord* record = Windows().windows.Find(WindowNumberOf(window)); // null for -1
    if (!record) return;
    Box work = WorkAreaOf(monitor);
    Size room{work.right - work.left, work.bottom - work.top};
    Size frame = FrameSize(record->style, monitorDpi);
    auto fit = [&] { ApplyLayoutDpi(FittingLayoutDpi(monitorDpi, record->client, frame, room)); };
    if (IsZoomed(window)) return fit(); // the system sizes a maximised window; the gadgets follow the fit
    // The frame the system really draws may differ from the one it predicts for the density
    // (Wine keeps the process's own): a second round fits with the frame it has.
    for (int round = 0; round < 2; ++round) {
        fit();
        Size outer{Scale(record->client.width) + frame.width, Scale(record->client.height) + frame.height};
        Origin at = wanted ? KeptInside(*wanted, outer, work) : CentredIn(work, outer);
        SetWindowPos(window, nullptr, at.x, at.y, outer.width, outer.height, SWP_NOZORDER | SWP_NOACTIVATE);
        Size drawn = DrawnFrame(window);
        if (drawn.width == frame.width && drawn.height == frame.height) return;
        frame = drawn;
    }
}

} // namespace wexa::detail
