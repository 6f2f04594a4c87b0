#include "toolkit/lifecycle.h"

#include "toolkit/detail/gadget_names.h"
#include "toolkit/detail/system_dlls.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/detail/window_class.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstddef>

namespace wexa {
namespace {

// Until a window is sized for its monitor, the layout has the system's density.
void ReadScreenDpi(detail::ToolkitState& s) {
    win32::WindowDc screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    s.systemDpi = s.layoutDpi = dpi > 0 ? dpi : ReferenceDpi;
}

void MakeDefaultGadgetFont(detail::ToolkitState& s) {
    NONCLIENTMETRICSW metrics{};
    // The size without iPaddedBorderWidth, which every supported system accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        s.messageFont = metrics.lfMessageFont; // kept, to be made again at another layout density
        s.ownDefaultFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    s.defaultGadgetFont = s.ownDefaultFont ? s.ownDefaultFont.get()
                                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// After the fonts made from them are gone.
void RemoveFontRegistrations(detail::ToolkitState& s) {
    for (const std::wstring& file : s.registeredFontFiles) RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
    s.registeredFontFiles.clear();
    for (HANDLE fonts : s.memoryFonts) RemoveFontMemResourceEx(fonts);
    s.memoryFonts.clear();
}

} // namespace

void InitToolkit() {
    detail::RestrictDllSearchToSystem32();
    detail::ToolkitState& s = detail::State();
    // A drive without a medium (a card reader, an empty optical drive) must not make the
    // system ask the user to insert one: the program's fixed paths are simply not there.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    ReadScreenDpi(s);
    MakeDefaultGadgetFont(s);
    s.oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    s.wakeWindow.reset(detail::CreateWakeWindow());
    s.focusKeys.reset(detail::CreateFocusAccelerators());
}

void ShutDownToolkit() {
    detail::ToolkitState& s = detail::State();
    detail::ReleaseGadgetNames();
    s.windows.ForEach([](int, detail::WindowRecord& record) { record.window.reset(); }); // and so their gadgets
    s.windows.ForEach([](int, detail::WindowRecord& record) {
        UnregisterClassW(record.className.c_str(), GetModuleHandleW(nullptr));
    });
    s.images.Clear();
    s.fonts.Clear();
    s.ownDefaultFont.reset();
    RemoveFontRegistrations(s);
    s.wakeWindow.reset();
    const bool oleInitialized = s.oleInitialized;
    s = detail::ToolkitState{}; // the tables, the queue and the settings as before InitToolkit
    if (oleInitialized) OleUninitialize();
}

} // namespace wexa
