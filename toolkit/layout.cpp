// One layout density for every window, gadget and gadget font: the density of the monitor
// the window is on, or less where the window would not fit that monitor's work area.
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/dpi_scaling.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace wexa::detail {
namespace {

// Newer systems' calls, looked up at run time: the program also runs where they are missing.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Call> Call User32Call(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

// The frame's width and height (caption and borders) of a window with this style at `dpi`.
Size FrameSize(DWORD style, int dpi) {
    RECT frame{0, 0, 0, 0};
    static const auto forDpi = User32Call<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
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

// Each layout font made anew, under the handle it replaces, which lives on until no gadget has it.
using FontSuccession = std::unordered_map<HFONT, HFONT>;

void RemakeFonts(int dpi, FontSuccession& succession, std::vector<win32::UniqueFont>& retired) {
    ToolkitState& s = State();
    s.fonts.ForEach([&](int, FontRecord& font) {
        if (font.fixedDpi)
            return;
        HFONT made = MakeFont(font, dpi);
        if (!made)
            return; // the old font stays, at its old height
        succession[font.font.get()] = made;
        retired.push_back(std::move(font.font));
        font.font.reset(made);
    });
    if (!s.messageFont || !s.ownDefaultFont)
        return;
    LOGFONTW scaled = *s.messageFont;
    scaled.lfHeight = MulDiv(scaled.lfHeight, dpi, s.systemDpi);
    if (HFONT made = CreateFontIndirectW(&scaled)) {
        succession[s.ownDefaultFont.get()] = made;
        retired.push_back(std::move(s.ownDefaultFont));
        s.ownDefaultFont.reset(made);
        s.defaultGadgetFont = made;
    }
}

void PlaceGadget(GadgetRecord& g) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (g.sizedByImage ? SWP_NOSIZE : 0);
    SetWindowPos(g.control, nullptr, Scale(g.place.x), Scale(g.place.y), Scale(g.place.width),
                 Scale(g.place.height), flags);
}

} // namespace

void ApplyLayoutDpi(int dpi) {
    ToolkitState& s = State();
    if (dpi <= 0 || dpi == s.layoutDpi)
        return;
    s.layoutDpi = dpi;
    FontSuccession succession;
    std::vector<win32::UniqueFont> retired; // deleted on return, once every gadget has the new fonts
    RemakeFonts(dpi, succession, retired);
    s.gadgets.ForEach([&](int, GadgetRecord& g) {
        PlaceGadget(g);
        if (auto made = succession.find(g.font); made != succession.end()) SendGadgetFont(g, made->second);
    });
}

int WindowDpi(HWND window) {
    static const auto forWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    UINT dpi = forWindow ? forWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : State().systemDpi;
}

void FitWindowToMonitor(HWND window, int monitorDpi, HMONITOR monitor, const std::optional<Origin>& wanted) {
    ToolkitState& s = State();
    int number = WindowNumberOf(window);
    WindowRecord* record = number < 0 ? nullptr : s.windows.Find(number);
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
