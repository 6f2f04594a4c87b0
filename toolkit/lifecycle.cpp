#include "toolkit/lifecycle.h"

#include "toolkit/detail/gadget_names.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/detail/window_class.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstddef>

namespace wexa {
namespace {

void ReadScreenDpi(detail::ToolkitState& s) {
    win32::WindowDc screen(nullptr);
    if (!screen) return;
    s.dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
    s.dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void ReadFontDpi(detail::ToolkitState& s) {
    if (HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        s.fontDpi = GetDeviceCaps(display, LOGPIXELSY);
        DeleteDC(display);
    }
}

void MakeDefaultGadgetFont(detail::ToolkitState& s) {
    NONCLIENTMETRICSW metrics{};
    // The size without iPaddedBorderWidth, which every supported system accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        s.ownDefaultFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    s.defaultGadgetFont = s.ownDefaultFont ? s.ownDefaultFont.get()
                                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void InitCommonControls6() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

} // namespace

void InitToolkit() {
    detail::ToolkitState& s = detail::State();
    ReadScreenDpi(s);
    ReadFontDpi(s);
    MakeDefaultGadgetFont(s);
    s.oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    InitCommonControls6();
    s.wakeWindow.reset(detail::CreateWakeWindow());
}

void ShutDownToolkit() {
    detail::ToolkitState& s = detail::State();
    detail::ReleaseGadgetNames();
    s.windows.ForEach([](int, detail::WindowRecord& record) { record.window.reset(); });
    s.gadgets.Clear();
    s.windows.ForEach([](int, detail::WindowRecord& record) {
        UnregisterClassW(record.className.c_str(), GetModuleHandleW(nullptr));
    });
    s.windows.Clear();
    s.currentWindow = nullptr;
    s.currentWindowNumber = -1;
    s.images.Clear();
    s.fonts.Clear();
    detail::CloseAllOutputFiles();
    s.defaultGadgetFont = nullptr;
    s.ownDefaultFont.reset();
    s.wakeWindow.reset();
    detail::UnregisterWakeWindowClass();
    s.events.Clear();
    if (s.oleInitialized) OleUninitialize();
    s.oleInitialized = false;
}

} // namespace wexa
