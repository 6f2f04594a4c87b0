#include "toolkit/lifecycle/lifecycle.h"

#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/platform/system_dlls.h"
#include "toolkit/platform/win32_handles.h"
#include "toolkit/windows/inside_toolkit.h"

#include <commctrl.h>
#include <ole2.h>

#include <utility>

namespace wexa {
namespace {

bool oleInitialized = false;

// Until a window is sized for its monitor, the layout has the system's density.
void ReadScreenDpi() {
    win32::WindowDc screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    detail::Shared().systemDpi = detail::Shared().layoutDpi = dpi > 0 ? dpi : ReferenceDpi;
}

} // namespace

void InitToolkit() {
    detail::RestrictDllSearchToSystem32();
    // A drive without a medium (a card reader, an empty optical drive) must not make the
    // system ask the user to insert one: the program's fixed paths are simply not there.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    ReadScreenDpi();
    detail::MakeDefaultGadgetFont();
    oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    detail::StartWindows();
}

// Each group lets go of its own, the windows (and so their gadgets) first; the fonts before
// their registrations.
void ShutDownToolkit() {
    detail::ReleaseGadgetNames();
    detail::CloseWindows();
    detail::ReleaseGraphics();
    detail::ReleaseGadgets();
    detail::Shared() = detail::SharedState{}; // the queue and the densities as before InitToolkit
    if (std::exchange(oleInitialized, false)) OleUninitialize();
}

} // namespace wexa
