// The bound of the start-up benchmark: the least a Win32 program does to show the keyboard's
// window as the keyboard shows it. The same manifest, the same window, the line display in
// the line font and the 364 buttons of the key table at their places, each with the label
// font the keyboard gives it; built the cheap way: every control is made and given its font
// while the window is still hidden, and the window is shown once.
// The font file must already be where the keyboard writes it (the keyboard's first start
// does that); this program only registers it.
#include "bound_window.h"
#include "startup_marks.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, m, wp, lp);
}

const wchar_t* FirstArgument() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    return count > 1 ? args[1] : nullptr; // kept for the life of the process
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wexa::bench::StartupMarks marks(FirstArgument());
    marks.Mark("entry (wWinMain)");
    wexa::bench::PrepareBound();
    wexa::bench::BoundFonts fonts;
    marks.Mark("font registered, fonts made");

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    marks.Mark("InitCommonControlsEx");
    HWND window = wexa::bench::OpenBoundWindow(L"WexaStartupBound", Procedure, L"Startup bound");
    marks.Mark("window made, hidden");
    wexa::bench::MakeBoundControls(window, fonts);
    marks.Mark("controls made, fonts set");
    ShowWindow(window, SW_SHOWNORMAL);
    marks.Mark("window shown");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    marks.Mark("left the loop");
    return 0;
}
