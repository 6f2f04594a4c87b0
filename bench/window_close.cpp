// What closing costs: the ways a shown top-level window with children can be taken down,
// each timed in a fresh window. Under Wine on an X display without a window manager, every
// way that hides the window first (DestroyWindow does) waits about 2 s: the X11 driver waits
// for a window manager to confirm the window it mapped before it unmaps it.
//     bench-window-close.exe
#include <windows.h>

#include <cstdio>

namespace {

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND ShownWindowWithButtons() {
    HWND w = CreateWindowExW(0, L"WexaCloseBench", L"Close bench", 0x00CB0000, 100, 100, 600, 400, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 50; ++i)
        CreateWindowExW(0, L"Button", L"ab", WS_CHILD | WS_VISIBLE, 10 + 10 * i, 10, 50, 24, w, nullptr, nullptr,
                        nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    Pump();
    return w;
}

struct Way {
    const char* name;
    void (*before)(HWND); // what runs before DestroyWindow
};

const Way ways[] = {
    {"DestroyWindow", [](HWND) {}},
    {"ShowWindow(SW_HIDE), then DestroyWindow", [](HWND w) { ShowWindow(w, SW_HIDE); }},
    {"ShowWindow(SW_MINIMIZE), then DestroyWindow", [](HWND w) { ShowWindow(w, SW_MINIMIZE); }},
    {"children destroyed first, then DestroyWindow",
     [](HWND w) {
         while (HWND c = GetWindow(w, GW_CHILD)) DestroyWindow(c);
     }},
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"WexaCloseBench";
    RegisterClassW(&wc);
    std::printf("taking down a shown window with 50 buttons, ms\n");
    for (const Way& way : ways) {
        HWND w = ShownWindowWithButtons();
        double t0 = NowMs();
        way.before(w);
        double t1 = NowMs();
        DestroyWindow(w);
        double t2 = NowMs();
        std::printf("  %-46s before %7.1f  DestroyWindow %7.1f  total %7.1f\n", way.name, t1 - t0, t2 - t1, t2 - t0);
    }
    std::fflush(stdout);
    return 0;
}
